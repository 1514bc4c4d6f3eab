// publishDiagnostics: each message of the run at the place it cites, with its severity,
// code and the system's text in UTF-8; and cleared once the text is fixed.
#include <gtest/gtest.h>

#include "protocol_harness.h"
#include "program_fixture.h"

namespace vestrel::lsp::testing {
namespace {

// The fixture with line `line` replaced.
std::string pumpWith(int line, const std::string& text) {
    std::string program;
    int index = 0;
    std::size_t start = 0;
    while (start < kPump.size()) {
        const std::size_t end = kPump.find('\n', start);
        program += index == line ? text : kPump.substr(start, end - start);
        program += '\n';
        start = end + 1;
        ++index;
    }
    return program;
}

Json published(const std::string& program) {
    ProtocolHarness h;
    h.initialize();
    h.open(program);
    EXPECT_EQ(h.runDue(), 1);
    const Json message = h.takeOne();
    EXPECT_EQ(message["method"], "textDocument/publishDiagnostics");
    EXPECT_EQ(message["params"]["uri"], kUri);
    EXPECT_EQ(message["params"]["version"], 1);
    return message["params"]["diagnostics"];
}

TEST(PublishDiagnostics, EachMessageAtThePlaceItCites) {
    struct Case {
        const char* name;
        std::string program;
        const char* diagnostics;
    };
    const Case cases[] = {
        {"a lexical message covers the item at its column", pumpWith(5, "01 тогда в вд01"), R"([
            {"range":{"start":{"line":5,"character":11},"end":{"line":5,"character":15}},"severity":1,"source":"vestrel",
             "code":"L4","message":"Ошибка!!! (6,12).Неизвестная переменная",
             "data":{"pass":"lexical","code":4,"name":"UnknownVariable"}}])"},
        {"a second keyword of its class", pumpWith(5, "01 тогда тогда"), R"([
            {"range":{"start":{"line":5,"character":9},"end":{"line":5,"character":14}},"severity":1,"source":"vestrel",
             "code":"L19","message":"Ошибка!!! (6,10).Фрагмент содержит несколько команд",
             "data":{"pass":"lexical","code":19,"name":"SeveralCommands"}}])"},
        {"a message at the end of its line is empty there", "Программа\n/насос\n", R"([
            {"range":{"start":{"line":1,"character":6},"end":{"line":1,"character":6}},"severity":1,"source":"vestrel",
             "code":"L2","message":"Ошибка!!! (2,7).Макрос задан неверно",
             "data":{"pass":"lexical","code":2,"name":"MacroGivenWrongly"}}])"},
        {"every line with a lexical message, in order", pumpWith(4, "00 если в пуск1") + "01 ив40 = 1\n", R"([
            {"range":{"start":{"line":4,"character":10},"end":{"line":4,"character":15}},"severity":1,"source":"vestrel",
             "code":"L6","message":"Ошибка!!! (5,11).Неизвестный идентификатор",
             "data":{"pass":"lexical","code":6,"name":"UnknownIdentifier"}},
            {"range":{"start":{"line":11,"character":3},"end":{"line":11,"character":7}},"severity":1,"source":"vestrel",
             "code":"L5","message":"Ошибка!!! (12,4).Неправильный индекс переменной",
             "data":{"pass":"lexical","code":5,"name":"WrongVariableIndex"}}])"},
        // A syntax error at a later word of a line cites the following line, as the
        // message text says; the range follows the text.
        {"a syntax message covers the word of its number", pumpWith(5, "01 тогда в насос насос"), R"([
            {"range":{"start":{"line":6,"character":11},"end":{"line":6,"character":16}},"severity":1,"source":"vestrel",
             "code":"S1","message":"Ошибка!!! (7, слово №4).Синтаксическая ошибка!",
             "data":{"pass":"syntax","code":1,"name":"SyntaxError"}}])"},
        {"a parameter message", "000.\n00 алг130\n1 = ва001\n2 = 3\n3 = вкл\n", R"([
            {"range":{"start":{"line":3,"character":2},"end":{"line":3,"character":3}},"severity":1,"source":"vestrel",
             "code":"S7","message":"Ошибка!!! (4, слово №2).Параметр алгоритма должен быть: ДВ, КБ, КС, ТМ",
             "data":{"pass":"syntax","code":7,"name":"ParameterNotOutputBit"}}])"},
        {"a message past the last line covers the last line", "000.\n00 в\n", R"([
            {"range":{"start":{"line":1,"character":0},"end":{"line":1,"character":4}},"severity":1,"source":"vestrel",
             "code":"S1","message":"Ошибка!!! (3, слово №1).Синтаксическая ошибка!",
             "data":{"pass":"syntax","code":1,"name":"SyntaxError"}}])"},
        {"the program translates", kPump, "[]"},
    };
    for (const Case& c : cases) {
        const Json diagnostics = published(c.program);
        EXPECT_EQ(diagnostics, J(c.diagnostics)) << c.name << ": " << diagnostics.dump();
    }
}

TEST(PublishDiagnostics, FixingTheTextClearsThem) {
    ProtocolHarness h;
    h.initialize({{"debounceMs", 30}});
    h.open(pumpWith(5, "01 тогда в вд01"));
    h.runDue();
    EXPECT_EQ(h.takeOne()["params"]["diagnostics"].size(), 1u);
    h.change(2, J(R"([{"range":{"start":{"line":5,"character":11},"end":{"line":5,"character":15}},"text":"насос"}])"));
    h.now += 30ms;
    EXPECT_EQ(h.runDue(), 1);
    EXPECT_EQ(h.takeOne(), J(R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics",
                                 "params":{"uri":"file:///work/program.prg","version":2,"diagnostics":[]}})"));
}

}  // namespace
}  // namespace vestrel::lsp::testing
