// The main window: the multiple-document frame with its menus, toolbar, status bar and
// context menu. Every command of the workbench is a handler here and acts on the active
// program window.
#pragma once

#include <array>
#include <functional>
#include <string_view>
#include <optional>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QPointer>

#include "translator/run/translation.h"
#include "workbench/commands.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPlainTextEdit;

namespace vestrel::workbench {

class EditingCommands;
class TAboutBox;
class TEditPagesDlg;
class HelpViewer;
class TMDIChild;
class TTranslatePagesDlg;
class UserDialogs;

// What the Translate command calls; runTranslation unless a test puts its own in.
using TranslateFunction =
    std::function<TranslationResult(std::string_view, const TranslationOptions&, const RunHooks&)>;

class TMainForm final : public QMainWindow {
    Q_OBJECT
public:
    // iniPath is where the translation settings live ("Vestrel.ini" beside the executable
    // in the real program).
    TMainForm(UserDialogs& dialogs, const QString& iniPath, QWidget* parent = nullptr);
    ~TMainForm() override;

    QAction* action(Command command) const { return m_actions[static_cast<std::size_t>(command)]; }
    QMdiArea* mdiArea() const { return m_mdiArea; }
    // The text of status bar panel 0 (hints), 1 (caret) or 2.
    QString statusPanelText(int panel) const;

    TMDIChild* activeChild() const;
    QList<TMDIChild*> programWindows() const;
    QMdiSubWindow* subWindowOf(const TMDIChild* child) const;

    TAboutBox& aboutBox() const { return *m_aboutBox; }
    TTranslatePagesDlg& translatePagesDlg() const { return *m_translatePagesDlg; }
    TEditPagesDlg& editPagesDlg() const { return *m_editPagesDlg; }
    // Find and replace, go to line, zoom, recent files, highlighting, the live check.
    EditingCommands& editing() const { return *m_editing; }

    HelpViewer& helpViewer() const { return *m_helpViewer; }

    void setTranslateFunction(TranslateFunction translate) { m_translate = std::move(translate); }

    // Creates a program window named `name` and loads the file of that name when it
    // exists. Nothing when the file exists but cannot be read; the user is told why.
    TMDIChild* openByName(const QString& name);
    // Creates a program window with the given name and source text.
    TMDIChild* createProgramWindow(const QString& name, const QString& text);

    // Command handlers.
    void FileNew1Execute();
    void FileOpen1Execute();
    void FileClose1Execute();
    void FileSaveKorvel1Execute();
    void FileSaveKorvelAs1Execute();
    void FileSaveIL1Execute();
    void FileSaveILAs1Execute();
    void FileExit1Execute();
    void TranslateExecute();
    void TranslateParametrsExecute();
    void EditParametrsExecute();
    void ViewStructWindowExecute();
    void N15Click();
    void HelpAbout1Execute();

    // The window commands of the frame.
    void cascade();
    void tileHorizontally();
    void tileVertically();
    void minimizeAll();
    void arrangeIcons();

signals:
    // A source file was opened or saved under this name.
    void sourceFileUsed(const QString& path);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void tile(Qt::Orientation orientation);
    void createActions();
    void createMenus();
    void createToolbar();
    void createStatusBar();
    void connectCommands();
    void updateCommandStates();
    void updateEditCommands();
    void rebuildWindowList();
    void watchFocusedEditor(QWidget* now);
    QPlainTextEdit* focusedEditor() const;

    // The commands on a given program window (the close questions use them too).
    // Each answers whether the work was saved (false when cancelled or failed).
    bool saveSource(TMDIChild& child);
    bool saveSourceAs(TMDIChild& child);
    bool saveIlProject(TMDIChild& child);
    bool saveIlProjectAs(TMDIChild& child);
    // The texts of the present slots, ready for the writer; nothing when one of them
    // holds a character that cp1251 cannot hold (the user is told where).
    struct IlProjectTexts {
        std::array<std::vector<std::string>, kSlotCount> lines;
        std::array<bool, kSlotCount> present{};
    };
    std::optional<IlProjectTexts> collectIlTexts(const TMDIChild& child);
    bool writeIlProject(TMDIChild& child, const std::string& directory, const IlProjectTexts& texts);
    bool writeSource(TMDIChild& child, const QString& path);
    // The program text of a file, or nothing when it cannot be read (the user is told why).
    std::optional<QString> readProgramText(const QString& name);

    // The questions about unsaved work. Each answers whether the work may go: saved,
    // or the user chose to discard it; false when cancelled or a save failed.
    bool askCloseQuestions(TMDIChild& child);
    bool askBeforeEnding();
    bool askBeforeTranslating(TMDIChild& child);
    // A source changed on disk by another program is offered for reloading.
    void checkDiskChange(TMDIChild& child);

    UserDialogs& m_dialogs;
    QMdiArea* m_mdiArea = nullptr;
    std::array<QAction*, kCommandCount> m_actions{};
    // The hidden menu-bar entry of the editor parameters command.
    QAction* m_hiddenEditParametrsEntry = nullptr;
    QMenu* m_windowMenu = nullptr;
    QMenu* m_contextMenu = nullptr;
    QList<QAction*> m_windowListActions;
    std::array<QLabel*, 3> m_statusPanels{};
    QPointer<QPlainTextEdit> m_watchedEditor;
    QMetaObject::Connection m_watchedEditorConnection;

    TAboutBox* m_aboutBox = nullptr;
    TTranslatePagesDlg* m_translatePagesDlg = nullptr;
    TEditPagesDlg* m_editPagesDlg = nullptr;
    EditingCommands* m_editing = nullptr;
    HelpViewer* m_helpViewer = nullptr;

    TranslateFunction m_translate;
    bool m_ending = false;
    bool m_checkingDisk = false;
};

}  // namespace vestrel::workbench
