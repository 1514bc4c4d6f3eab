// A program window: the Korvel source in an editor, the seventeen IL texts of the last
// successful translation on tab pages, and the messages of the last failed one in a tree.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QDateTime>
#include <QWidget>

#include "translator/run/translation.h"

class QLabel;
class QPlainTextEdit;
class QSplitter;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace vestrel::workbench {

struct UnconvertibleCharacter;
class IlNavigation;

// The caption of the output page of each slot.
QString slotCaption(int slot);

class TMDIChild final : public QWidget {
    Q_OBJECT
public:
    enum class State { Opened, Failed, Translated };

    explicit TMDIChild(QWidget* parent = nullptr);
    ~TMDIChild() override;

    // The program name: the source file's full path, or "NONAME" + number.
    QString programName() const { return m_programName; }
    void setProgramName(const QString& name);
    // The caption as shown: the program name, with "*" while something is unsaved.
    QString caption() const;
    // Unsaved work: an edited source, or output that was not saved since the run.
    bool hasUnsavedWork() const;
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
    // An output editor was edited by hand since the run filled it and was not saved.
    bool outputEditedByHand() const { return m_outputEdited; }

    // What the source file on disk looked like when it was last read or written here.
    struct DiskStamp {
        bool exists = false;
        QDateTime modified;
        qint64 size = 0;
        bool operator==(const DiskStamp&) const = default;
    };
    static DiskStamp stampOf(const QString& path);
    const DiskStamp& diskStamp() const { return m_diskStamp; }
    void setDiskStamp(const DiskStamp& stamp) { m_diskStamp = stamp; }
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

    // Jumps from the selected message to the source line it cites and marks that line.
    void MessageTreeViewDblClick();
    // Jumps between IL lines and Korvel lines ("Показать IL", double click on IL).
    IlNavigation& ilNavigation() const { return *m_ilNavigation; }
    // Selects the next (or previous) message that cites a line, round the end, and jumps.
    void jumpToNextMessage(int direction);

    // The close questions are the main window's business; it installs them here. The
    // handler answers whether the window may close.
    void setCloseHandler(std::function<bool(TMDIChild&)> handler) { m_closeHandler = std::move(handler); }

signals:
    // The caret of one of the eighteen editors, counted from 1: "line:column".
    void caretReported(const QString& position);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool FormClose();
    void updateModifiedMark();
    void buildEditors();
    QPlainTextEdit* makeEditor(const QString& name, QWidget* parent);
    void reportCaret(const QPlainTextEdit* editor);
    void fillMessageTree(const DiagnosticList& diagnostics);
    void setPanelVisible(QWidget* panel, bool visible);
    void applyPanelSizes();
    QList<QTreeWidgetItem*> messagesWithLines() const;
    void markLine(int line);

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
    QLabel* m_messageCount;

    std::array<QPlainTextEdit*, kSlotCount> m_outputEditors{};
    State m_state = State::Opened;
    // The editor whose caret the status bar shows: the one the user worked in last.
    const QPlainTextEdit* m_caretEditor = nullptr;
    // The sizes of the output and message areas: in pixels at first, then as shares of
    // the window once the structure was restored or a splitter dragged, so that a window
    // made smaller by an arrangement keeps every area in view.
    int m_outputWidth = 185;
    int m_messageHeight = 41;
    std::optional<double> m_outputShare;
    std::optional<double> m_messageShare;
    std::function<bool(TMDIChild&)> m_closeHandler;
    QString m_programName;
    bool m_filling = false;
    bool m_outputEdited = false;
    DiskStamp m_diskStamp;
    IlNavigation* m_ilNavigation = nullptr;
};

}  // namespace vestrel::workbench
