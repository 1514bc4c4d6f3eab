// How the workbench responds on the largest legal program (bench/make_largest_program.py),
// offscreen: a keystroke in the source with highlighting and the live check on (each
// keystroke timed alone: median and worst), the live check's share of the interface
// thread, opening the file, and F9 until the output tabs show.
#include <benchmark/benchmark.h>

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include <QApplication>
#include <QDialog>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include "workbench/code_editor.h"
#include "workbench/editing_commands.h"
#include "workbench/live_checker.h"
#include "workbench/main_form.h"
#include "workbench/mdi_child.h"
#include "workbench/syntax_highlighters.h"
#include "workbench/user_dialogs.h"
#include "workbench/user_settings.h"

namespace vestrel::workbench {
namespace {
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Every box is answered at once; no dialog is shown.
class SilentDialogs final : public UserDialogs {
public:
    void information(const QString&) override {}
    void error(const QString&) override {}
    bool question(const QString&) override { return false; }
    void notice(const QString&) override {}
    std::optional<QString> openFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> saveFileName(const FileDialogRequest&) override { return std::nullopt; }
    int showModal(QDialog&) override { return QDialog::Rejected; }
    bool openHelpFile(const QString&) override { return false; }
};

struct Workbench {
    QTemporaryDir folder;
    SilentDialogs dialogs;
    std::unique_ptr<TMainForm> form;
    QString program;
    std::string error;

    Workbench() {
        UserSettings::setPath(folder.filePath(QStringLiteral("user-settings.ini")));
        program = folder.filePath(QStringLiteral("largest.prg"));
        const std::string command = "python3 " + (fs::path(VESTREL_SOURCE_DIR) / "bench" / "make_largest_program.py").string() +
                                    " " + program.toStdString() + " > /dev/null";
        if (std::system(command.c_str()) != 0) error = "make_largest_program.py failed";
        form = std::make_unique<TMainForm>(dialogs, folder.filePath(QStringLiteral("Vestrel.ini")));
        form->resize(1280, 800);
        form->show();
        (void)QTest::qWaitForWindowExposed(form.get());
    }
    void closeAll() {
        for (TMDIChild* child : form->programWindows()) {
            child->setSourceModified(false);
            child->clearOutputModified();
        }
        form->FileExit1Execute();  // no close questions
        form = std::make_unique<TMainForm>(dialogs, folder.filePath(QStringLiteral("Vestrel.ini")));
        form->resize(1280, 800);
        form->show();
        (void)QTest::qWaitForWindowExposed(form.get());
    }
};

// Made on first use and gone before the application object.
std::unique_ptr<Workbench>& workbenchSlot() {
    static std::unique_ptr<Workbench> bench;
    return bench;
}
Workbench& workbench() {
    if (!workbenchSlot()) workbenchSlot() = std::make_unique<Workbench>();
    return *workbenchSlot();
}

double milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The interface thread's own processor time: on a shared machine the wall clock also
// counts the time other processes held the processor.
double threadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void report(benchmark::State& state, std::vector<double> times, std::vector<double> cpu = {}) {
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["worst_ms"] = times.back();
    if (cpu.empty()) return;
    std::sort(cpu.begin(), cpu.end());
    state.counters["median_cpu_ms"] = cpu[cpu.size() / 2];
    state.counters["worst_cpu_ms"] = cpu.back();
}

// One keystroke: the key goes in, the highlighter colours the line, the checker restarts
// its pause, the editor repaints. Typing and erasing alternate so the text stays legal.
void BM_KeystrokeWithHighlightingAndLiveCheck(benchmark::State& state) {
    Workbench& bench = workbench();
    if (!bench.error.empty()) return state.SkipWithError(bench.error.c_str());
    bench.closeAll();
    bench.form->editing().setHighlighting(true);
    bench.form->editing().setLiveCheck(true);
    TMDIChild* child = bench.form->openByName(bench.program);
    auto* editor = qobject_cast<CodeEditor*>(child->sourceEditor());
    editor->setFocus();
    // In the middle of the text, at the end of a statement line.
    QTextBlock block = editor->document()->findBlockByNumber(editor->blockCount() / 2);
    while (block.isValid() && !block.text().startsWith(QLatin1Char('0'))) block = block.next();
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock);
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
    QApplication::processEvents();

    std::vector<double> times, cpu;
    int i = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const double cpuStart = threadMilliseconds();
        if (i++ % 2 == 0)
            QTest::keyClick(editor, Qt::Key_Space);
        else
            QTest::keyClick(editor, Qt::Key_Backspace);
        QApplication::processEvents();
        const Clock::duration took = Clock::now() - start;
        cpu.push_back(threadMilliseconds() - cpuStart);
        state.SetIterationTime(std::chrono::duration<double>(took).count());
        times.push_back(milliseconds(took));
    }
    report(state, times, cpu);
    bench.form->editing().setHighlighting(false);
}
BENCHMARK(BM_KeystrokeWithHighlightingAndLiveCheck)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(400);

// What a live check costs the interface thread: taking the text at the start and putting
// the marks on when the worker is done (the passes themselves run in the worker).
void BM_LiveCheckInterfaceThread(benchmark::State& state) {
    Workbench& bench = workbench();
    if (!bench.error.empty()) return state.SkipWithError(bench.error.c_str());
    bench.closeAll();
    TMDIChild* child = bench.form->openByName(bench.program);
    LiveChecker* checker = bench.form->editing().liveChecker(child);
    QSignalSpy checked(checker, &LiveChecker::checked);
    checked.wait(10000);
    std::vector<double> times;
    std::vector<double> whole;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        checker->checkNow();
        const Clock::duration starting = Clock::now() - start;
        checked.wait(10000);
        whole.push_back(milliseconds(Clock::now() - start));
        state.SetIterationTime(std::chrono::duration<double>(starting).count());
        times.push_back(milliseconds(starting));
    }
    report(state, times);
    std::sort(whole.begin(), whole.end());
    state.counters["until_marked_ms"] = whole[whole.size() / 2];
}
BENCHMARK(BM_LiveCheckInterfaceThread)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);

// Open (the file read, decoded and shown in a new window), with highlighting off (the
// default) and on.
void BM_OpenLargestProgram(benchmark::State& state) {
    Workbench& bench = workbench();
    if (!bench.error.empty()) return state.SkipWithError(bench.error.c_str());
    bench.closeAll();
    bench.form->editing().setHighlighting(state.range(0) != 0);
    std::vector<double> times, cpu;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const double cpuStart = threadMilliseconds();
        TMDIChild* child = bench.form->openByName(bench.program);
        QApplication::processEvents();
        const Clock::duration took = Clock::now() - start;
        cpu.push_back(threadMilliseconds() - cpuStart);
        state.SetIterationTime(std::chrono::duration<double>(took).count());
        times.push_back(milliseconds(took));
        state.PauseTiming();
        child->setSourceModified(false);
        bench.form->subWindowOf(child)->close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    report(state, times, cpu);
    bench.form->editing().setHighlighting(false);
}
BENCHMARK(BM_OpenLargestProgram)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

// F9: both passes, the seventeen output editors filled, the tabs shown.
void BM_TranslateUntilOutputShows(benchmark::State& state) {
    Workbench& bench = workbench();
    if (!bench.error.empty()) return state.SkipWithError(bench.error.c_str());
    bench.closeAll();
    bench.form->editing().setHighlighting(state.range(0) != 0);
    TMDIChild* child = bench.form->openByName(bench.program);
    QApplication::processEvents();
    std::vector<double> times, cpu;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const double cpuStart = threadMilliseconds();
        bench.form->TranslateExecute();
        QApplication::processEvents();
        const Clock::duration took = Clock::now() - start;
        cpu.push_back(threadMilliseconds() - cpuStart);
        if (!child->outputShown()) return state.SkipWithError("the output did not show");
        state.SetIterationTime(std::chrono::duration<double>(took).count());
        times.push_back(milliseconds(took));
    }
    report(state, times, cpu);
    bench.form->editing().setHighlighting(false);
}
BENCHMARK(BM_TranslateUntilOutputShows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

// The highlighter alone on a document without an editor: the colouring of every line.
void BM_HighlightWholeSource(benchmark::State& state) {
    Workbench& bench = workbench();
    if (!bench.error.empty()) return state.SkipWithError(bench.error.c_str());
    bench.closeAll();
    TMDIChild* child = bench.form->openByName(bench.program);
    const QString text = child->sourceEditor()->toPlainText();
    for (auto _ : state) {
        QTextDocument document(text);
        KorvelHighlighter highlighter(&document);
        benchmark::DoNotOptimize(document.lastBlock().layout());
    }
    state.counters["lines"] = child->sourceEditor()->blockCount();
}
BENCHMARK(BM_HighlightWholeSource)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace vestrel::workbench

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    vestrel::workbench::workbenchSlot().reset();
    return 0;
}
