// The protocol itself: framing, the lifecycle, and error answers on malformed input.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "lsp/message_framing.h"
#include "lsp/server_loop.h"
#include "protocol_harness.h"
#include "program_fixture.h"

namespace vestrel::lsp::testing {
namespace {

TEST(MessageFraming, ReadsHeaderBlocksAsClientsWriteThem) {
    struct Case {
        const char* name;
        std::string input;
        std::vector<std::pair<Frame::Kind, std::string>> frames;
    };
    const Case cases[] = {
        {"CR LF", "Content-Length: 2\r\n\r\n{}", {{Frame::Kind::Message, "{}"}}},
        {"lone LF", "Content-Length: 2\n\n{}", {{Frame::Kind::Message, "{}"}}},
        {"other headers, any case", "content-type: application/vscode-jsonrpc; charset=utf-8\r\nCONTENT-LENGTH:  3 \r\n\r\n[1]",
         {{Frame::Kind::Message, "[1]"}}},
        {"two frames back to back", "Content-Length: 1\r\n\r\n1Content-Length: 1\r\n\r\n2",
         {{Frame::Kind::Message, "1"}, {Frame::Kind::Message, "2"}}},
        {"no length", "Content-Type: x\r\n\r\nContent-Length: 1\r\n\r\n7",
         {{Frame::Kind::Broken, "header block without Content-Length"}, {Frame::Kind::Message, "7"}}},
        {"length not a number", "Content-Length: 1x\r\n\r\nContent-Length: 1\r\n\r\n7",
         {{Frame::Kind::Broken, "malformed header block"}, {Frame::Kind::Message, "7"}}},
        {"negative length", "Content-Length: -1\r\n\r\n", {{Frame::Kind::Broken, "malformed header block"}}},
        {"body too large is read past", "Content-Length: 999999999999\r\n\r\nabc",
         {{Frame::Kind::Broken, "message body of 999999999999 bytes is too large"}}},
        {"body cut short", "Content-Length: 10\r\n\r\nabc", {}},
        {"nothing", "", {}},
    };
    for (const Case& c : cases) {
        std::istringstream in(c.input);
        FrameReader reader(in);
        std::vector<std::pair<Frame::Kind, std::string>> frames;
        for (Frame f = reader.next(); f.kind != Frame::Kind::End; f = reader.next()) frames.emplace_back(f.kind, f.body);
        EXPECT_EQ(frames, c.frames) << c.name;
    }
    EXPECT_EQ(frameMessage("{}"), "Content-Length: 2\r\n\r\n{}");
}

TEST(Lifecycle, InitializeAnswersTheCapabilitiesAndShutdownThenExitEndsWithZero) {
    ProtocolHarness h;
    EXPECT_EQ(h.ask(7, "textDocument/hover", Json::object()),
              J(R"({"jsonrpc":"2.0","id":7,"error":{"code":-32002,"message":"the server is not initialized"}})"));
    EXPECT_EQ(h.ask(1, "initialize", {{"capabilities", Json::object()}}),
              J(R"({"capabilities":{"positionEncoding":"utf-16",
                    "textDocumentSync":{"openClose":true,"change":2},
                    "hoverProvider":true,"definitionProvider":true,"documentSymbolProvider":true,
                    "completionProvider":{"resolveProvider":false}},
                   "serverInfo":{"name":"vestrel-lsp","version":"1.0.0.772"}})"));
    EXPECT_EQ(h.ask(2, "initialize", Json::object()),
              J(R"({"jsonrpc":"2.0","id":2,"error":{"code":-32600,"message":"the server is already initialized"}})"));
    h.send(notificationMessage("initialized", Json::object()));
    EXPECT_TRUE(h.take().empty());
    EXPECT_EQ(h.ask(3, "shutdown", nullptr), Json(nullptr));
    EXPECT_EQ(h.ask(4, "textDocument/documentSymbol", {{"textDocument", {{"uri", kUri}}}}),
              J(R"({"jsonrpc":"2.0","id":4,"error":{"code":-32600,"message":"the server is shutting down"}})"));
    EXPECT_FALSE(h.server.exitRequested());
    h.send(notificationMessage("exit", nullptr));
    EXPECT_TRUE(h.server.exitRequested());
    EXPECT_EQ(h.server.exitCode(), 0);
}

TEST(Lifecycle, ExitWithoutShutdownEndsWithOne) {
    ProtocolHarness h;
    h.initialize();
    h.send(notificationMessage("exit", nullptr));
    EXPECT_TRUE(h.server.exitRequested());
    EXPECT_EQ(h.server.exitCode(), 1);
}

TEST(MalformedInput, EachGetsAnErrorAnswerAndTheServerGoesOnAnswering) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* answer;  // nullptr: nothing is answered
    };
    const Case cases[] = {
        {"not JSON", "Content-Length: 5\r\n\r\n{\"a\":",
         R"({"jsonrpc":"2.0","id":null,"error":{"code":-32700,"message":"the message is not valid JSON"}})"},
        {"invalid UTF-8 in a string", "Content-Length: 7\r\n\r\n[\"\xff\xfe\"] ",
         R"({"jsonrpc":"2.0","id":null,"error":{"code":-32700,"message":"the message is not valid JSON"}})"},
        {"no header", "{\"jsonrpc\":\"2.0\"}\r\n\r\n",
         R"({"jsonrpc":"2.0","id":null,"error":{"code":-32700,"message":"header block without Content-Length"}})"},
        {"garbage line", "garbage\r\n\r\n",
         R"({"jsonrpc":"2.0","id":null,"error":{"code":-32700,"message":"malformed header block"}})"},
        {"an array", frame(J("[1,2]")),
         R"({"jsonrpc":"2.0","id":null,"error":{"code":-32600,"message":"a message must be a JSON object"}})"},
        {"no method", frame(J(R"({"jsonrpc":"2.0","id":5})")),
         R"({"jsonrpc":"2.0","id":5,"error":{"code":-32600,"message":"a message must name its method"}})"},
        {"method a number", frame(J(R"({"jsonrpc":"2.0","id":6,"method":12})")),
         R"({"jsonrpc":"2.0","id":6,"error":{"code":-32600,"message":"the method must be a string and the id a string or an integer"}})"},
        {"id an object", frame(J(R"({"jsonrpc":"2.0","id":{},"method":"shutdown"})")),
         R"({"jsonrpc":"2.0","id":null,"error":{"code":-32600,"message":"the method must be a string and the id a string or an integer"}})"},
        {"unknown request", frame(requestMessage(8, "textDocument/rename", Json::object())),
         R"({"jsonrpc":"2.0","id":8,"error":{"code":-32601,"message":"unknown method textDocument/rename"}})"},
        {"params of the wrong type", frame(requestMessage(9, "textDocument/hover", J(R"({"textDocument":{"uri":"x"},"position":{"line":"0","character":0}})"))),
         R"({"jsonrpc":"2.0","id":9,"error":{"code":-32602,"message":"textDocument/hover: \"line\" must be an integer"}})"},
        {"params missing", frame(requestMessage(10, "textDocument/definition", nullptr)),
         R"({"jsonrpc":"2.0","id":10,"error":{"code":-32602,"message":"textDocument/definition: expected an object holding \"textDocument\""}})"},
        {"line beyond int", frame(requestMessage(11, "textDocument/hover", J(R"({"textDocument":{"uri":"x"},"position":{"line":99999999999,"character":0}})"))),
         R"({"jsonrpc":"2.0","id":11,"error":{"code":-32602,"message":"textDocument/hover: \"line\" is out of range"}})"},
        {"string id is kept", frame(J(R"({"jsonrpc":"2.0","id":"abc","method":"nothing/here"})")),
         R"({"jsonrpc":"2.0","id":"abc","error":{"code":-32601,"message":"unknown method nothing/here"}})"},
        {"a bad notification is logged", frame(notificationMessage("textDocument/didOpen", J(R"({"textDocument":{"uri":1}})"))),
         R"({"jsonrpc":"2.0","method":"window/logMessage","params":{"type":1,"message":"textDocument/didOpen: \"uri\" must be a string"}})"},
        {"a change of a document never opened", frame(notificationMessage("textDocument/didChange", J(R"({"textDocument":{"uri":"file:///x","version":2},"contentChanges":[]})"))),
         R"({"jsonrpc":"2.0","method":"window/logMessage","params":{"type":1,"message":"textDocument/didChange: the document file:///x is not open"}})"},
        {"unknown notification", frame(notificationMessage("$/setTrace", {{"value", "off"}})), nullptr},
        {"an answer to nothing", frame(J(R"({"jsonrpc":"2.0","id":3,"result":null})")), nullptr},
    };
    ProtocolHarness h;
    h.initialize();
    h.open(kPump);
    for (const Case& c : cases) {
        h.feed(c.bytes);
        const std::vector<Json> answers = h.take();
        if (c.answer == nullptr) {
            EXPECT_TRUE(answers.empty()) << c.name;
        } else {
            ASSERT_EQ(answers.size(), 1u) << c.name;
            EXPECT_EQ(answers[0], J(c.answer)) << c.name << ": " << answers[0].dump();
        }
        // Still answering, on the text as it was.
        EXPECT_EQ(h.askAt(100, "textDocument/definition", 5, 12), J(R"({"uri":"file:///work/program.prg",
                  "range":{"start":{"line":1,"character":1},"end":{"line":1,"character":6}}})")) << c.name;
    }
}

TEST(MalformedInput, ABadChangeAmongGoodOnesLeavesTheTextWhole) {
    ProtocolHarness h;
    h.initialize();
    h.open("000.\n");
    h.change(2, J(R"([{"range":{"start":{"line":0,"character":0},"end":{"line":0,"character":0}},"text":"/а вд001\n"},
                     {"range":{"start":{"line":0}},"text":"x"}])"));
    ASSERT_EQ(h.take().size(), 1u);  // the log message
    EXPECT_EQ(h.ask(2, "textDocument/documentSymbol", {{"textDocument", {{"uri", kUri}}}}).size(), 1u);
}

// The loop on a stream: answers in order, exit code after shutdown and exit.
TEST(ServerLoop, AnswersAFramedStreamAndEndsWithTheExitCode) {
    const std::string input = frame(requestMessage(1, "initialize", Json::object())) +
                              frame(notificationMessage("initialized", Json::object())) +
                              frame(requestMessage(2, "textDocument/documentSymbol", {{"textDocument", {{"uri", "untitled:1"}}}})) +
                              "Content-Length: 1\r\n\r\n}" + frame(requestMessage(3, "shutdown", nullptr)) +
                              frame(notificationMessage("exit", nullptr));
    std::istringstream in(input);
    std::ostringstream out;
    EXPECT_EQ(runServer(in, out, "/nonexistent/Vestrel.ini"), 0);
    std::istringstream written(out.str());
    FrameReader reader(written);
    std::vector<Json> answers;
    for (Frame f = reader.next(); f.kind == Frame::Kind::Message; f = reader.next()) answers.push_back(Json::parse(f.body));
    ASSERT_EQ(answers.size(), 4u);
    EXPECT_EQ(answers[0]["id"], 1);
    EXPECT_EQ(answers[1], J(R"({"jsonrpc":"2.0","id":2,"result":[]})"));
    EXPECT_EQ(answers[2]["error"]["code"], -32700);
    EXPECT_EQ(answers[3], J(R"({"jsonrpc":"2.0","id":3,"result":null})"));

    std::istringstream cut(frame(requestMessage(1, "initialize", Json::object())));
    std::ostringstream ignored;
    EXPECT_EQ(runServer(cut, ignored, "/nonexistent/Vestrel.ini"), 1);
}

// The inputs kept from fuzzing: each is answered with well-formed messages only.
TEST(FuzzRegressions, EachInputIsAnsweredWithWellFormedMessages) {
    const std::filesystem::path folder = std::filesystem::path(VESTREL_SOURCE_DIR) / "tests/lsp/fuzz/regressions";
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ProtocolHarness h;
        h.initialize({{"debounceMs", 0}});
        h.open(kPump, 1, "file:///fuzz.prg");
        h.feed(bytes);
        h.runDue();
        for (const Json& message : h.take()) {
            EXPECT_EQ(message.value("jsonrpc", ""), "2.0") << entry.path();
            EXPECT_NE(message.contains("id"), message.contains("method")) << entry.path();
        }
        ++inputs;
    }
    EXPECT_GE(inputs, 1);
}

}  // namespace
}  // namespace vestrel::lsp::testing
