// vestrel-lsp on the largest legal program (bench/make_largest_program.py): the
// diagnostics after a one-character change, in process (the change, the translation and
// the published message), and through a running vestrel-lsp with its default pause.
#include <benchmark/benchmark.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "lsp/language_server.h"
#include "lsp/server_loop.h"
#include "translator/text/cp1251.h"

extern char** environ;

namespace vestrel::lsp {
namespace {
namespace fs = std::filesystem;

// The program in UTF-8, as a client holds it, and a comment line to edit.
struct Program {
    std::string text;
    int commentLine = -1;
    std::string error;
};

const Program& largestProgram() {
    static const Program program = [] {
        Program p;
        const fs::path file = fs::temp_directory_path() / ("vestrel-lsp-largest-" + std::to_string(::getpid()) + ".prg");
        const std::string command = "python3 " + (fs::path(VESTREL_SOURCE_DIR) / "bench" / "make_largest_program.py").string() +
                                    " " + file.string() + " > /dev/null";
        if (std::system(command.c_str()) != 0) {
            p.error = "make_largest_program.py failed";
            return p;
        }
        std::ifstream in(file, std::ios::binary);
        const std::string cp1251((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        fs::remove(file);
        p.text = text::toUtf8(cp1251);
        // The first line of the program is its title, a comment: editing its first letter
        // keeps the program legal.
        p.commentLine = 0;
        return p;
    }();
    return program;
}

Json changeMessage(int version, const char* letter) {
    return {{"jsonrpc", "2.0"},
            {"method", "textDocument/didChange"},
            {"params",
             {{"textDocument", {{"uri", "file:///largest.prg"}, {"version", version}}},
              {"contentChanges",
               Json::array({{{"range", {{"start", {{"line", 0}, {"character", 0}}}, {"end", {{"line", 0}, {"character", 1}}}}},
                             {"text", letter}}})}}}};
}

Json openMessage(const std::string& text) {
    return {{"jsonrpc", "2.0"},
            {"method", "textDocument/didOpen"},
            {"params", {{"textDocument", {{"uri", "file:///largest.prg"}, {"languageId", "korvel"}, {"version", 1}, {"text", text}}}}}};
}

class FramingSink final : public MessageSink {
public:
    void send(const Json& message) override {
        lastFrame = frameJson(message);
        if (message.value("method", "") == "textDocument/publishDiagnostics")
            lastDiagnostics = message["params"]["diagnostics"].size();
    }
    std::string lastFrame;
    std::size_t lastDiagnostics = 0;
};

// The change, the analysis of the new version and its published message, without the pause.
void BM_LspDiagnosticsAfterChange(benchmark::State& state) {
    const Program& program = largestProgram();
    if (!program.error.empty()) return state.SkipWithError(program.error.c_str());
    FramingSink sink;
    LanguageServer server(sink, "/nonexistent/Vestrel.ini");
    const Clock::time_point now = Clock::now();
    server.handle(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"initializationOptions":{"debounceMs":0}}})", now);
    server.handle(openMessage(program.text).dump(), now);
    for (const AnalysisRequest& request : server.takeDue(now)) server.deliver(analyse(request));
    int version = 1;
    for (auto _ : state) {
        ++version;
        server.handle(changeMessage(version, version % 2 ? "A" : "B").dump(), now);
        for (const AnalysisRequest& request : server.takeDue(now))
            if (!server.deliver(analyse(request))) return state.SkipWithError("the report was dropped");
    }
    if (sink.lastDiagnostics != 0) return state.SkipWithError("the largest program reported messages");
    state.counters["source_KB"] = static_cast<double>(program.text.size()) / 1024.0;
}
BENCHMARK(BM_LspDiagnosticsAfterChange)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// A running vestrel-lsp with its default settings: from writing the change to reading the
// diagnostics of that version, the pause before the analysis included.
class ServerProcess {
public:
    bool start() {
        int toServer[2], fromServer[2];
        if (::pipe(toServer) != 0 || ::pipe(fromServer) != 0) return false;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, toServer[0], 0);
        posix_spawn_file_actions_adddup2(&actions, fromServer[1], 1);
        posix_spawn_file_actions_addclose(&actions, toServer[1]);
        posix_spawn_file_actions_addclose(&actions, fromServer[0]);
        const std::string path = VESTREL_LSP_PATH;
        char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
        const bool started = posix_spawn(&m_pid, path.c_str(), &actions, nullptr, argv, environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
        ::close(toServer[0]);
        ::close(fromServer[1]);
        m_in = toServer[1];
        m_out = fromServer[0];
        return started;
    }
    ~ServerProcess() {
        if (m_in >= 0) ::close(m_in);
        if (m_out >= 0) ::close(m_out);
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    bool send(const Json& message) {
        const std::string frame = frameJson(message);
        std::size_t written = 0;
        while (written < frame.size()) {
            const ssize_t n = ::write(m_in, frame.data() + written, frame.size() - written);
            if (n <= 0) return false;
            written += static_cast<std::size_t>(n);
        }
        return true;
    }
    // Reads messages until the diagnostics of `version`; false on a closed pipe or after 10 s.
    bool awaitDiagnostics(int version, std::size_t& count) {
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        for (;;) {
            while (const std::optional<Json> message = nextBuffered()) {
                if (message->value("method", "") == "textDocument/publishDiagnostics" &&
                    (*message)["params"].value("version", -1) == version) {
                    count = (*message)["params"]["diagnostics"].size();
                    return true;
                }
            }
            if (Clock::now() > deadline) return false;
            pollfd fd{m_out, POLLIN, 0};
            if (::poll(&fd, 1, 1000) < 0) return false;
            char buffer[65536];
            const ssize_t n = ::read(m_out, buffer, sizeof buffer);
            if (n <= 0) return false;
            m_buffer.append(buffer, static_cast<std::size_t>(n));
        }
    }

private:
    std::optional<Json> nextBuffered() {
        const std::size_t headerEnd = m_buffer.find("\r\n\r\n");
        if (headerEnd == std::string::npos) return std::nullopt;
        const std::size_t length = std::stoul(m_buffer.substr(m_buffer.find(':') + 1, headerEnd));
        if (m_buffer.size() < headerEnd + 4 + length) return std::nullopt;
        Json message = Json::parse(m_buffer.substr(headerEnd + 4, length), nullptr, false);
        m_buffer.erase(0, headerEnd + 4 + length);
        return message;
    }

    pid_t m_pid = -1;
    int m_in = -1, m_out = -1;
    std::string m_buffer;
};

void BM_LspServerChangeToDiagnostics(benchmark::State& state) {
    const Program& program = largestProgram();
    if (!program.error.empty()) return state.SkipWithError(program.error.c_str());
    ServerProcess server;
    if (!server.start()) return state.SkipWithError("cannot start vestrel-lsp");
    std::size_t count = 0;
    server.send(Json::parse(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})"));
    server.send(Json::parse(R"({"jsonrpc":"2.0","method":"initialized","params":{}})"));
    server.send(openMessage(program.text));
    if (!server.awaitDiagnostics(1, count)) return state.SkipWithError("no diagnostics after open");
    int version = 1;
    for (auto _ : state) {
        ++version;
        server.send(changeMessage(version, version % 2 ? "A" : "B"));
        if (!server.awaitDiagnostics(version, count)) return state.SkipWithError("no diagnostics after a change");
    }
    if (count != 0) return state.SkipWithError("the largest program reported messages");
    server.send(Json::parse(R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})"));
    server.send(Json::parse(R"({"jsonrpc":"2.0","method":"exit"})"));
}
BENCHMARK(BM_LspServerChangeToDiagnostics)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace vestrel::lsp
