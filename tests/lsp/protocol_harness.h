// Drives a LanguageServer as the loop does, on a clock of its own: framed bytes in,
// the server's messages out, analyses run in place when they fall due.
#pragma once

#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "lsp/diagnostics_report.h"
#include "lsp/language_server.h"
#include "lsp/message_framing.h"
#include "lsp/server_loop.h"

namespace vestrel::lsp::testing {

using Json = nlohmann::json;
using namespace std::chrono_literals;

class CollectingSink final : public MessageSink {
public:
    void send(const Json& message) override { messages.push_back(message); }
    std::vector<Json> messages;
};

inline std::string frame(const Json& message) { return frameJson(message); }

inline Json requestMessage(int id, const std::string& method, Json params) {
    return {{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", std::move(params)}};
}
inline Json notificationMessage(const std::string& method, Json params) {
    return {{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}};
}

inline constexpr const char* kUri = "file:///work/program.prg";

class ProtocolHarness {
public:
    explicit ProtocolHarness(std::string defaultIni = "/nonexistent/Vestrel.ini")
        : server(sink, std::move(defaultIni)) {}

    // Every frame of the bytes, as the loop reads them.
    void feed(const std::string& bytes) {
        std::istringstream in(bytes);
        FrameReader reader(in);
        for (Frame f = reader.next(); f.kind != Frame::Kind::End; f = reader.next()) {
            if (f.kind == Frame::Kind::Broken)
                server.handleBrokenFrame(f.body);
            else
                server.handle(f.body, now);
        }
    }
    void send(const Json& message) { feed(frame(message)); }

    // The server's messages since the last call.
    std::vector<Json> take() {
        std::vector<Json> out = std::move(sink.messages);
        sink.messages.clear();
        return out;
    }
    Json takeOne() {
        std::vector<Json> out = take();
        EXPECT_EQ(out.size(), 1u);
        return out.empty() ? Json() : out.front();
    }

    void initialize(Json options = Json::object()) {
        send(requestMessage(1, "initialize", {{"processId", nullptr}, {"capabilities", Json::object()},
                                              {"initializationOptions", std::move(options)}}));
        send(notificationMessage("initialized", Json::object()));
        take();
    }
    void open(const std::string& text, int version = 1, const std::string& uri = kUri) {
        send(notificationMessage("textDocument/didOpen",
                                 {{"textDocument", {{"uri", uri}, {"languageId", "korvel"}, {"version", version}, {"text", text}}}}));
    }
    void change(int version, Json changes, const std::string& uri = kUri) {
        send(notificationMessage("textDocument/didChange",
                                 {{"textDocument", {{"uri", uri}, {"version", version}}}, {"contentChanges", std::move(changes)}}));
    }
    // Runs and delivers every analysis due now; returns how many there were.
    int runDue() {
        int count = 0;
        for (const AnalysisRequest& request : server.takeDue(now)) {
            server.deliver(analyse(request));
            ++count;
        }
        return count;
    }
    Json ask(int id, const std::string& method, Json params) {
        send(requestMessage(id, method, std::move(params)));
        const Json answer = takeOne();
        EXPECT_EQ(answer.value("id", Json()), Json(id)) << answer.dump();
        return answer.contains("result") ? answer["result"] : answer;
    }
    Json askAt(int id, const std::string& method, int line, int character, const std::string& uri = kUri) {
        return ask(id, method, {{"textDocument", {{"uri", uri}}}, {"position", {{"line", line}, {"character", character}}}});
    }

    CollectingSink sink;
    LanguageServer server;
    Clock::time_point now = Clock::time_point{} + 1h;
};

// A parsed JSON literal, for exact comparisons.
inline Json J(const char* text) { return Json::parse(text); }

}  // namespace vestrel::lsp::testing
