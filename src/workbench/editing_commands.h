// What the workbench adds to plain editing, hooked into the main window: find and
// replace, go to line, zoom, recent files, dropped program files, syntax highlighting
// (off until switched on) and the live check (on until switched off).
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>

#include <QHash>
#include <QObject>
#include <QPointer>

#include "workbench/recent_files.h"

class QAction;
class QMenu;
class QToolBar;

namespace vestrel::workbench {

class CodeEditor;
class FindReplaceBar;
class LiveChecker;
class TMainForm;
class TMDIChild;
class UserDialogs;

enum class EditingCommand {
    Find,
    FindNext,
    FindPrevious,
    Replace,
    GoToLine,
    Highlighting,
    LiveCheck,
    ZoomIn,
    ZoomOut,
    ZoomReset,
};
inline constexpr std::size_t kEditingCommandCount = 10;

struct EditingCommandInfo {
    EditingCommand command;
    const char* name;
    const char* caption;
    const char* shortcut;  // QKeySequence's portable form; "" for none
    const char* hint;
    bool checkable;
};

inline constexpr std::array<EditingCommandInfo, kEditingCommandCount> kEditingCommands = {{
    {EditingCommand::Find, "EditFind", "&Найти...", "Ctrl+F", "Найти|Найти текст в редакторе", false},
    {EditingCommand::FindNext, "EditFindNext", "Найти &далее", "F3", "Найти далее|Найти следующее вхождение", false},
    {EditingCommand::FindPrevious, "EditFindPrevious", "Найти &назад", "Shift+F3",
     "Найти назад|Найти предыдущее вхождение", false},
    {EditingCommand::Replace, "EditReplace", "За&менить...", "Ctrl+H", "Заменить|Заменить текст в редакторе", false},
    {EditingCommand::GoToLine, "EditGoToLine", "Перейти к &строке...", "Ctrl+G",
     "Перейти к строке|Перейти к строке с заданным номером", false},
    {EditingCommand::Highlighting, "ViewHighlighting", "Подсветка &синтаксиса", "",
     "Подсветка синтаксиса|Раскрасить текст цветами параметров редактора", true},
    {EditingCommand::LiveCheck, "ViewLiveCheck", "&Проверка при вводе", "",
     "Проверка при вводе|Проверять программу после паузы в наборе", true},
    {EditingCommand::ZoomIn, "ViewZoomIn", "&Крупнее", "Ctrl++", "Крупнее|Увеличить шрифт редактора", false},
    {EditingCommand::ZoomOut, "ViewZoomOut", "&Мельче", "Ctrl+-", "Мельче|Уменьшить шрифт редактора", false},
    {EditingCommand::ZoomReset, "ViewZoomReset", "&Обычный размер", "Ctrl+0",
     "Обычный размер|Вернуть шрифт редактора к обычному размеру", false},
}};
static_assert(kEditingCommands.size() == kEditingCommandCount);

class EditingCommands final : public QObject {
    Q_OBJECT
public:
    EditingCommands(TMainForm& form, UserDialogs& dialogs);
    ~EditingCommands() override;

    QAction* action(EditingCommand command) const { return m_actions[static_cast<std::size_t>(command)]; }
    FindReplaceBar& findBar() const { return *m_findBar; }
    QToolBar& findToolBar() const { return *m_findToolBar; }
    QMenu& recentMenu() const { return *m_recentMenu; }
    QMenu& viewMenu() const { return *m_viewMenu; }
    const RecentFiles& recentFiles() const { return m_recent; }

    // The editor that find, go to line and zoom act on: the one that last had the focus
    // in a program window, else the active window's source editor.
    CodeEditor* targetEditor() const;
    LiveChecker* liveChecker(const TMDIChild* child) const;

    // A source file was opened or saved.
    void noteSourceFile(const QString& path);
    void openRecent(const QString& path);
    // Opens every .prg file among dropped local files; false when there is none.
    bool openDroppedFiles(const QList<QUrl>& urls);

    void goToLine();
    // What asks for the line number: the current line and the last one; nothing cancels.
    using LineQuestion = std::function<std::optional<int>(int current, int last)>;
    void setLineQuestion(LineQuestion question) { m_lineQuestion = std::move(question); }

    void setHighlighting(bool on);
    void setLiveCheck(bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createFindBar();
    void rebuildRecentMenu();
    void attach(TMDIChild* child);
    void applyStyles();
    void saveEditorSettings();
    void loadEditorSettings();
    void showFindBar(bool replace);

    struct ChildTools {
        QPointer<LiveChecker> checker;
        std::vector<QPointer<QObject>> highlighters;
    };

    TMainForm& m_form;
    UserDialogs& m_dialogs;
    std::array<QAction*, kEditingCommandCount> m_actions{};
    FindReplaceBar* m_findBar = nullptr;
    QToolBar* m_findToolBar = nullptr;
    QMenu* m_recentMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    RecentFiles m_recent;
    QPointer<CodeEditor> m_lastEditor;
    QHash<const TMDIChild*, ChildTools> m_children;
    LineQuestion m_lineQuestion;
    bool m_loading = false;
};

}  // namespace vestrel::workbench
