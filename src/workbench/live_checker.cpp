// The live check: a pause timer, one worker thread, and the marks of the newest text.
#include "workbench/live_checker.h"

#include <algorithm>

#include <QCoreApplication>
#include <QThreadPool>

#include "translator/lexer/line_spans.h"
#include "workbench/text_conversion.h"

namespace vestrel::workbench {
namespace {

std::size_t nextBlank(std::string_view line, std::size_t from) {
    const std::size_t blank = line.find(' ', from);
    return blank == std::string_view::npos ? line.size() : blank;
}

}  // namespace

std::vector<EditorMark> marksOfRun(const std::vector<std::string>& lines, const TranslationResult& result) {
    std::vector<EditorMark> marks;
    if (lines.empty()) return marks;
    MacroStates states;
    std::vector<int> stateBefore{0};  // the macro state before each line, filled as far as needed
    for (const Diagnostic& entry : result.diagnostics.entries()) {
        if (entry.line < 1) continue;
        // A message may cite the line after the last one; it marks the last line.
        const std::size_t index = std::min(static_cast<std::size_t>(entry.line), lines.size()) - 1;
        while (stateBefore.size() <= index)
            stateBefore.push_back(states.after(stateBefore.back(), lines[stateBefore.size() - 1]));
        const std::string& line = lines[index];
        const std::vector<LineSpan> spans = splitKorvelLine(line, states.table(stateBefore[index]));

        std::size_t start = 0;
        std::size_t end = line.size();
        if (entry.pass == TranslationPass::Lexical) {
            start = std::min(static_cast<std::size_t>(std::max(entry.column, 1) - 1), line.size());
            end = nextBlank(line, start);
            for (const LineSpan& span : spans)
                if (span.start <= start && start < span.start + span.length) end = std::min(end, span.start + span.length);
            if (start == line.size() && start > 0) --start;
        } else if (const std::vector<LineSpan> tokens = tokenSpans(spans); !tokens.empty()) {
            const std::size_t word = std::clamp<std::size_t>(static_cast<std::size_t>(std::max(entry.word, 1)), 1, tokens.size());
            start = tokens[word - 1].start;
            end = start + tokens[word - 1].length;
        }
        marks.push_back({static_cast<int>(index), static_cast<int>(start), static_cast<int>(std::max(end, start + 1) - start),
                         fromCp1251(entry.text())});
    }
    return marks;
}

std::vector<EditorMark> checkLines(const std::vector<std::string>& lines, const TranslationOptions& options) {
    // No progress window, and the notices stay in the result: nothing is shown. Only the
    // messages are marked, so the run keeps no IL text.
    RunHooks hooks;
    hooks.keepSlotTexts = false;
    return marksOfRun(lines, runTranslation(lines, options, hooks));
}

LiveChecker::LiveChecker(CodeEditor* editor, std::function<TranslationOptions()> options, QObject* parent)
    : QObject(parent), m_editor(editor), m_options(std::move(options)), m_pool(new QThreadPool(this)) {
    setObjectName(QStringLiteral("LiveChecker"));
    m_pool->setMaxThreadCount(1);
    m_pause.setSingleShot(true);
    m_pause.setInterval(kPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &LiveChecker::start);
    m_revision = editor->document()->revision();
    connect(editor->document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        // The highlighter's colouring reports a change of the same length and leaves the
        // revision alone; only a new text makes the results of older checks stale.
        const int revision = m_editor ? m_editor->document()->revision() : m_revision;
        if (removed == added && revision == m_revision) return;
        m_revision = revision;
        textEdited();
    });
}

LiveChecker::~LiveChecker() { m_pool->waitForDone(); }

void LiveChecker::setEnabled(bool enabled) {
    if (m_enabled == enabled) return;
    m_enabled = enabled;
    ++m_generation;
    if (enabled) {
        checkNow();
    } else {
        m_pause.stop();
        if (m_editor) m_editor->setMarks({});
    }
}

void LiveChecker::textEdited() {
    ++m_generation;
    if (m_enabled) m_pause.start();
}

void LiveChecker::checkNow() {
    m_pause.stop();
    start();
}

void LiveChecker::start() {
    if (!m_enabled || !m_editor) return;
    if (m_running) {
        // One check at a time; the newest text goes next.
        m_pending = true;
        return;
    }
    const QString text = m_editor->toPlainText();
    const unsigned generation = m_generation;
    UnconvertibleCharacter unconvertible;
    std::optional<std::vector<std::string>> lines = toCp1251Lines(text, &unconvertible);
    if (!lines) {
        // The translator cannot read this text; the character that stops it is the mark.
        m_editor->setMarks({{unconvertible.line - 1, unconvertible.column - 1, 1, describeUnconvertible(unconvertible)}});
        emit checked();
        return;
    }
    m_running = true;
    const TranslationOptions options = m_options ? m_options() : TranslationOptions{};
    QPointer<LiveChecker> self(this);
    m_pool->start([self, generation, options, lines = std::move(*lines)] {
        std::vector<EditorMark> marks = checkLines(lines, options);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, generation, marks = std::move(marks)]() mutable {
                if (self) self->deliver(generation, std::move(marks));
            },
            Qt::QueuedConnection);
    });
}

void LiveChecker::deliver(unsigned generation, std::vector<EditorMark> marks) {
    m_running = false;
    if (generation != m_generation || !m_enabled) {
        // The text changed while the check ran: its marks would sit in the wrong places.
        ++m_dropped;
    } else if (m_editor) {
        m_editor->setMarks(std::move(marks));
        emit checked();
    }
    if (m_pending) {
        m_pending = false;
        start();
    }
}

}  // namespace vestrel::workbench
