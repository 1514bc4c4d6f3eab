// A program window: the Korvel source in an editor, the seventeen IL texts of the last
// successful translation on tab pages, and the messages of the last failed one in a tree.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QWidget>

#include "translator/run/translation.h"

class QPlainTextEdit;
class QSplitter;
class QTabWidget;
class QTreeWidget;

namespace vestrel::workbench {

struct UnconvertibleCharacter;
class IlNavigation;

// The caption of the output page of each slot.
QString slotCaption(int slot);

class TMDIChild final : public QWidget {
    Q_OBJECT
public:
    enum class State { Opened, Translating, Failed, Translated };

    explicit TMDIChild(QWidget* parent = nullptr);
    ~TMDIChild() override;

    // The program name: the source file's full path, or "NONAME" + number.
    QString programName() const { return windowTitle(); }
    void setProgramName(const QString& name) { setWindowTitle(name); }
    // A name starting with "NONAME" marks a program that has no file yet.
    bool hasFileName() const;

    QPlainTextEdit* sourceEditor() const { return SourceRichEdit; }
    // Slot 0 is InitDestRichEdit, slot k is DestRichEdit(k-1).
    QPlainTextEdit* outputEditor(int slot) const { return m_outputEditors[static_cast<std::size_t>(slot)]; }
    QTreeWidget* messageTree() const { return MessageTreeView; }
    QTabWidget* pageControl() const { return PageControl1; }
    QWidget* programmsPanel() const { return ProgrammsPanel; }
    QWidget* destPanel() const { return DestPanel; }
    QWidget* messagePanel() const { return MessagePanel; }

    // Loads a program text into the source editor with its modified flag clear.
    void setSourceText(const QString& text);
    bool sourceModified() const;
    void setSourceModified(bool modified);

    // The output area is visible: the last translation succeeded.
    bool outputShown() const;
    bool messagesShown() const;
    // The slot's tab is shown.
    bool slotPresent(int slot) const;
    bool anyOutputModified() const;
    void clearOutputModified();

    // The source text as cp1251 lines, or the character that cannot be written so.
    std::optional<std::vector<std::string>> sourceLines(UnconvertibleCharacter* error) const;
    // An output editor's text as cp1251 lines.
    std::optional<std::vector<std::string>> outputLines(int slot, UnconvertibleCharacter* error) const;

    State state() const { return m_state; }

    // Shows what a run delivered: messages in the tree, new texts in the output editors,
    // the output area with the tabs of the slots that received text when no message came.
    void showTranslationResult(const TranslationResult& result);

    // The output area takes half the program area's width, the message area an eighth of
    // the window's height.
    void restoreStructure();

    // Jumps from the selected message to the source line it cites.
    void MessageTreeViewDblClick();
    // Jumps between IL lines and Korvel lines ("Показать IL", double click on IL).
    IlNavigation& ilNavigation() const { return *m_ilNavigation; }

    // The close questions are the main window's business; it installs them here.
    void setCloseHandler(std::function<void(TMDIChild&)> handler) { m_closeHandler = std::move(handler); }

signals:
    // The caret of one of the eighteen editors, counted from 1: "line:column".
    void caretReported(const QString& position);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormClose();
    void buildEditors();
    QPlainTextEdit* makeEditor(const QString& name, QWidget* parent);
    void reportCaret(const QPlainTextEdit* editor);
    void fillMessageTree(const DiagnosticList& diagnostics);
    void setPanelVisible(QWidget* panel, bool visible);
    void applyPanelSizes();

    QWidget* ProgrammsPanel;
    QWidget* SourcePanel;
    QWidget* DestPanel;
    QWidget* MessagePanel;
    QSplitter* Splitter1;
    QSplitter* Splitter2;
    QTabWidget* PageControl1;
    QPlainTextEdit* SourceRichEdit;
    QPlainTextEdit* InitDestRichEdit;
    std::array<QPlainTextEdit*, kSlotCount - 1> DestRichEdit{};
    QTreeWidget* MessageTreeView;

    std::array<QPlainTextEdit*, kSlotCount> m_outputEditors{};
    State m_state = State::Opened;
    int m_outputWidth = 185;
    int m_messageHeight = 41;
    std::function<void(TMDIChild&)> m_closeHandler;
    IlNavigation* m_ilNavigation = nullptr;
};

}  // namespace vestrel::workbench
