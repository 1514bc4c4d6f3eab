// Any bytes as the input of the language server: read as framed messages (or, without a
// header, as one message body), against an initialized server with a program open. The
// server must answer without crashing, and everything it writes must be a JSON-RPC
// message that can be framed.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "lsp/language_server.h"
#include "lsp/message_framing.h"
#include "lsp/server_loop.h"

namespace {

using vestrel::lsp::Json;

class CheckingSink final : public vestrel::lsp::MessageSink {
public:
    void send(const Json& message) override {
        if (!message.is_object() || message.value("jsonrpc", "") != "2.0") __builtin_trap();
        if (message.contains("id") == message.contains("method")) __builtin_trap();
        if (vestrel::lsp::frameJson(message).empty()) __builtin_trap();
    }
};

const std::string kProgram =
    "Программа\n/клапан дв001\n000. Секция\n00 в клапан\n01 алг130\n1 = дв002\n2 = 3\n3 = вкл\n";

void serve(vestrel::lsp::LanguageServer& server, std::string_view body, vestrel::lsp::Clock::time_point now) {
    server.handle(body, now);
    for (const vestrel::lsp::AnalysisRequest& request : server.takeDue(now))
        server.deliver(vestrel::lsp::analyse(request));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckingSink sink;
    vestrel::lsp::LanguageServer server(sink, "/nonexistent/Vestrel.ini");
    const auto now = vestrel::lsp::Clock::now();
    serve(server, R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{"initializationOptions":{"debounceMs":0}}})", now);
    const Json open = {{"jsonrpc", "2.0"},
                       {"method", "textDocument/didOpen"},
                       {"params", {{"textDocument", {{"uri", "file:///fuzz.prg"}, {"version", 1}, {"text", kProgram}}}}}};
    serve(server, open.dump(), now);

    if (input.find("Content-Length") == std::string_view::npos) {
        serve(server, input, now);
        return 0;
    }
    std::istringstream in{std::string(input)};
    vestrel::lsp::FrameReader reader(in);
    for (vestrel::lsp::Frame frame = reader.next(); frame.kind != vestrel::lsp::Frame::Kind::End; frame = reader.next()) {
        if (frame.kind == vestrel::lsp::Frame::Kind::Broken)
            server.handleBrokenFrame(frame.body);
        else
            serve(server, frame.body, now);
    }
    return 0;
}
