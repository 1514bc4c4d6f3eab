// The whole translation on the largest legal program (written by
// bench/make_largest_program.py): in process, and vestrelc end to end (reading, both
// passes, writing 17 files). Reports MB/s of source and the peak memory of vestrelc.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "project/il_project.h"
#include "translator/run/translation.h"
#include "translator/text/cp1251.h"

extern char** environ;

namespace vestrel {
namespace {
namespace fs = std::filesystem;

struct LargestProgram {
    fs::path file;
    std::string text;  // cp1251, as read
    std::size_t bytes = 0;
    std::string error;
};

const LargestProgram& largestProgram() {
    static const LargestProgram program = [] {
        LargestProgram p;
        p.file = fs::temp_directory_path() / ("vestrel-largest-" + std::to_string(::getpid()) + ".prg");
        const std::string command = "python3 " + (fs::path(VESTREL_SOURCE_DIR) / "bench" / "make_largest_program.py").string() +
                                    " " + p.file.string() + " > /dev/null";
        if (std::system(command.c_str()) != 0) {
            p.error = "make_largest_program.py failed";
            return p;
        }
        std::ifstream in(p.file, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        p.bytes = text.size();
        p.text = text;
        // The program object is gone by the time exit handlers run (the handler is
        // registered before it is complete), so the handler keeps its own copy of the name.
        static char written[4096];
        const std::string name = p.file.string();
        if (name.size() < sizeof written) {
            std::memcpy(written, name.c_str(), name.size() + 1);
            std::atexit([] { ::unlink(written); });
        }
        return p;
    }();
    return program;
}

// Translates the largest program in process once per iteration, with `hooks`.
void translateLargestProgram(benchmark::State& state, const RunHooks& hooks) {
    const LargestProgram& program = largestProgram();
    if (!program.error.empty()) return state.SkipWithError(program.error.c_str());
    TranslationOptions options;
    std::size_t messages = 0;
    for (auto _ : state) {
        const TranslationResult result = runTranslation(program.text, options, hooks);
        messages = result.diagnostics.size() + result.notices.size();
        benchmark::DoNotOptimize(result.slotLines.data());
    }
    if (messages != 0) return state.SkipWithError("the largest program reported messages");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * program.bytes));
    state.counters["source_KB"] = static_cast<double>(program.bytes) / 1024.0;
}

void BM_TranslateLargestProgram(benchmark::State& state) { translateLargestProgram(state, RunHooks{}); }
BENCHMARK(BM_TranslateLargestProgram)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Both passes with the IL lines only counted, as --check, the live checker and the
// language server run them.
void BM_CheckLargestProgram(benchmark::State& state) {
    RunHooks hooks;
    hooks.keepSlotTexts = false;
    translateLargestProgram(state, hooks);
}
BENCHMARK(BM_CheckLargestProgram)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Starts `argv` (the program first, then its arguments and a null) and waits for it:
// its exit status, with its resources in `usage`; nothing when it could not start.
std::optional<int> spawnAndWait(const std::vector<char*>& argv, const posix_spawn_file_actions_t* actions,
                                rusage& usage) {
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], actions, nullptr, argv.data(), environ) != 0) return std::nullopt;
    int status = 0;
    usage = rusage{};
    wait4(pid, &status, 0, &usage);  // the resources of this child alone
    return status;
}

// vestrelc as a user runs it, spawned without copying this process: the full run
// (17 files written and synced) and --check (both passes, no file written).
void runVestrelc(benchmark::State& state, bool check) {
    const LargestProgram& program = largestProgram();
    if (!program.error.empty()) return state.SkipWithError(program.error.c_str());
    const fs::path output = fs::temp_directory_path() / ("vestrel-largest-out-" + std::to_string(::getpid()));
    const std::string vestrelc = VESTRELC_PATH, out = output.string(), source = program.file.string();
    std::vector<char*> argv = {const_cast<char*>(vestrelc.c_str()), const_cast<char*>("-q"), const_cast<char*>("-o"),
                               const_cast<char*>(out.c_str())};
    if (check) argv.push_back(const_cast<char*>("--check"));
    argv.push_back(const_cast<char*>(source.c_str()));
    argv.push_back(nullptr);
    long peakKilobytes = 0;
    double childSeconds = 0;  // user + system time of vestrelc: steadier than the wall clock on a busy machine
    for (auto _ : state) {
        rusage usage{};
        const std::optional<int> status = spawnAndWait(argv, nullptr, usage);
        if (!status) return state.SkipWithError("cannot start vestrelc");
        peakKilobytes = std::max(peakKilobytes, usage.ru_maxrss);
        childSeconds += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                        static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
        if (!WIFEXITED(*status) || WEXITSTATUS(*status) != 0) return state.SkipWithError("vestrelc failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * program.bytes));
    state.counters["peak_MB"] = static_cast<double>(peakKilobytes) / 1024.0;
    state.counters["cpu_ms"] = 1000.0 * childSeconds / static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["limit_MB"] = 4.0 * static_cast<double>(program.bytes) / (1024.0 * 1024.0) + 12.0;
    std::error_code ignored;
    fs::remove_all(output, ignored);
}

void BM_VestrelcEndToEnd(benchmark::State& state) { runVestrelc(state, false); }
BENCHMARK(BM_VestrelcEndToEnd)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(15)
    ->ReportAggregatesOnly(true);

void BM_VestrelcCheck(benchmark::State& state) { runVestrelc(state, true); }
BENCHMARK(BM_VestrelcCheck)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(15)
    ->ReportAggregatesOnly(true);

// What any vestrelc run costs before it reads a byte: the process started, its libraries
// loaded and relocated, and ended (`vestrelc --version`).
void BM_VestrelcStartAndExit(benchmark::State& state) {
    std::vector<char*> argv = {const_cast<char*>(VESTRELC_PATH), const_cast<char*>("--version"), nullptr};
    const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (devNull >= 0) posix_spawn_file_actions_adddup2(&actions, devNull, STDOUT_FILENO);
    for (auto _ : state) {
        rusage usage{};
        const std::optional<int> status = spawnAndWait(argv, &actions, usage);
        if (!status || !WIFEXITED(*status) || WEXITSTATUS(*status) != 0) {
            state.SkipWithError("vestrelc --version failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    if (devNull >= 0) ::close(devNull);
}
BENCHMARK(BM_VestrelcStartAndExit)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(15)
    ->ReportAggregatesOnly(true);

// The file system's share of the full run: the 17 files of the largest program written
// through the project writer (each staged, synced, then renamed over the last run's).
void BM_WriteProjectOfLargestProgram(benchmark::State& state) {
    const LargestProgram& program = largestProgram();
    if (!program.error.empty()) return state.SkipWithError(program.error.c_str());
    const TranslationResult result = runTranslation(program.text, TranslationOptions{});
    const fs::path output = fs::temp_directory_path() / ("vestrel-largest-project-" + std::to_string(::getpid()));
    std::error_code ignored;
    fs::create_directories(output, ignored);
    for (auto _ : state) {
        const project::SaveResult saved = project::writeProject(output.string(), result.slotLines, result.slotReceivedText);
        if (!saved.ok()) {
            state.SkipWithError("the project could not be written");
            break;
        }
    }
    fs::remove_all(output, ignored);
}
BENCHMARK(BM_WriteProjectOfLargestProgram)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(15)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace vestrel
