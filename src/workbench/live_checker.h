// The live check of a program window: after a pause in typing the core runs both passes
// over the edited source in a worker thread, writing nothing and leaving the output tabs
// and the message tree as the last F9 left them; the editor marks what it reports.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "translator/run/translation.h"
#include "workbench/code_editor.h"

class QThreadPool;

namespace vestrel::workbench {

// The marks for the messages of a run over `lines`: the cited line, and in it the cited
// word (pass 2) or the text from the cited column to the end of its item (pass 1).
std::vector<EditorMark> marksOfRun(const std::vector<std::string>& lines, const TranslationResult& result);

// Both passes over the lines and the marks of their messages; runs in the worker.
std::vector<EditorMark> checkLines(const std::vector<std::string>& lines, const TranslationOptions& options);

class LiveChecker final : public QObject {
    Q_OBJECT
public:
    static constexpr int kPauseMs = 300;

    LiveChecker(CodeEditor* editor, std::function<TranslationOptions()> options, QObject* parent = nullptr);
    ~LiveChecker() override;

    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }
    // A check now, without waiting for the pause.
    void checkNow();
    bool busy() const { return m_running; }
    int resultsDropped() const { return m_dropped; }

signals:
    // The marks of a check are on the editor.
    void checked();

private:
    void textEdited();
    void start();
    void deliver(unsigned generation, std::vector<EditorMark> marks);

    QPointer<CodeEditor> m_editor;
    std::function<TranslationOptions()> m_options;
    QTimer m_pause;
    QThreadPool* m_pool;
    bool m_enabled = true;
    bool m_running = false;
    bool m_pending = false;
    unsigned m_generation = 0;  // grows with every edit; a result of an older one is stale
    int m_dropped = 0;
    int m_revision = 0;
};

}  // namespace vestrel::workbench
