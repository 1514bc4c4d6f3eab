// Hover, go to definition, completion, document symbols, settings and programs read
// from disk.
#include <gtest/gtest.h>

#include "lsp/editor_features.h"
#include "lsp/korvel_words.h"
#include "lsp/language_server.h"
#include "protocol_harness.h"
#include "program_fixture.h"
#include "support/scratch_dir.h"
#include "translator/lexer/classify_word.h"
#include "translator/text/cp1251.h"

namespace vestrel::lsp::testing {
namespace {

// The fixture with a redefinition of "насос" in the second section.
const std::string kRedefined = kPump + "/насос дв017\n01 о насос\n02 кс105 = 0\n";

TEST(Hover, VariablesMacrosAndAlgorithmCommands) {
    struct Case {
        const char* name;
        int line, character;
        const char* value;  // nullptr: no hover
        int start = 0, end = 0;
    };
    const Case cases[] = {
        {"macro name in a statement", 5, 12, "**насос** — макрос, обозначает **дв001**\n\n**дв001** — дискретный выход № 001 (1)", 11, 16},
        {"caret just behind the word", 5, 16, "**насос** — макрос, обозначает **дв001**\n\n**дв001** — дискретный выход № 001 (1)", 11, 16},
        {"the later definition is in force", 12, 5, "**насос** — макрос, обозначает **дв017**\n\n**дв017** — дискретный выход № 017 (15)", 5, 10},
        {"timer", 7, 4, "**тм01** — таймер № 01 (1)", 3, 7},
        {"analog input", 10, 11, "**ва001** — аналоговый вход № 001 (1)", 10, 15},
        {"ив variable", 10, 3, "**ив01** — переменная ив № 01 (1)", 3, 7},
        {"section key", 13, 3, "**кс105** — ключ секции блок 1, секция 05", 3, 8},
        {"macro name in its definition", 1, 2, "**насос** — макрос, обозначает **дв001**\n\n**дв001** — дискретный выход № 001 (1)", 1, 6},
        {"macro value in its definition", 2, 8, "**вд001** — дискретный вход № 001 (1)", 6, 11},
        {"algorithm without parameters", 8, 5,
         "**алг170** — алгоритм без шаблона IL: параметры проверяются, текст IL не создаётся\n\nБез параметров.", 3, 9},
        {"keyword", 4, 4, nullptr},
        {"constant", 10, 18, nullptr},
        {"comment line", 0, 2, nullptr},
        {"section header text", 3, 8, nullptr},
        {"blank between words", 5, 2, nullptr},
        {"line past the end", 40, 0, nullptr},
    };
    ProtocolHarness h;
    h.initialize();
    h.open(kRedefined);
    int id = 10;
    for (const Case& c : cases) {
        const Json hover = h.askAt(++id, "textDocument/hover", c.line, c.character);
        if (!c.value) {
            EXPECT_EQ(hover, Json(nullptr)) << c.name << ": " << hover.dump();
            continue;
        }
        EXPECT_EQ(hover["contents"], (Json{{"kind", "markdown"}, {"value", c.value}})) << c.name;
        EXPECT_EQ(hover["range"], rangeJson(c.line, static_cast<std::size_t>(c.start), c.line, static_cast<std::size_t>(c.end)))
            << c.name;
    }
}

TEST(Hover, AnAlgorithmShowsItsNameAndTheKindOfEachParameter) {
    EXPECT_EQ(describeAlgorithm(0130),
              "**алг130** — установка или сброс группы битов\n\nПараметры:\n"
              "\n1. ДВ, КБ, КС, ТМ"
              "\n2. Константа от 1 до 128"
              "\n3. ОТКЛ, ВКЛ");
    EXPECT_EQ(describeAlgorithm(01).substr(0, describeAlgorithm(01).find('\n')),
              "**алг001** — регулятор с зоной нечувствительности, интегральной составляющей, слежением и ограничением выхода");
    const std::string alg001 = describeAlgorithm(01);
    EXPECT_NE(alg001.find("\n13. +ВА, -ВА, +АВ, -АВ, а также константа со знаком от -1000 до +1000"), std::string::npos);
    EXPECT_NE(alg001.find("\n6. Время в диапазоне от 00.00.01 до 72.14.56"), std::string::npos);
    EXPECT_EQ(describeAlgorithm(0140),
              "**алг140** — алгоритм без шаблона IL: трансляция сообщает о неверных параметрах\n\nПараметры:\n\n1. не принимается");
}

TEST(KorvelWords, TheFamilyTableAgreesWithTheClassifier) {
    for (std::size_t family = 1; family < kFamilyWords.size(); ++family) {
        const FamilyWords& words = kFamilyWords[family];
        NumberingState numbering;
        const auto first = text::fromUtf8(words.first), last = text::fromUtf8(words.last), prefix = text::fromUtf8(words.prefix);
        const WordClass low = ClassifyWord(*first, numbering), high = ClassifyWord(*last, numbering);
        EXPECT_EQ(low.message, LexicalMessage::None) << words.first;
        EXPECT_EQ(low.code, familyBase(static_cast<TokenFamily>(family))) << words.first;
        EXPECT_EQ(high.message, LexicalMessage::None) << words.last;
        EXPECT_EQ(familyOf(high.code), static_cast<TokenFamily>(family)) << words.last;
        EXPECT_EQ(ClassifyWord(*prefix, numbering).message, LexicalMessage::UnknownVariable) << words.prefix;
    }
}

TEST(Definition, AMacroUseLeadsToTheDefinitionInForce) {
    ProtocolHarness h;
    h.initialize();
    h.open(kRedefined);
    EXPECT_EQ(h.askAt(1, "textDocument/definition", 4, 11),
              J(R"({"uri":"file:///work/program.prg","range":{"start":{"line":2,"character":1},"end":{"line":2,"character":5}}})"));
    EXPECT_EQ(h.askAt(2, "textDocument/definition", 6, 11),
              J(R"({"uri":"file:///work/program.prg","range":{"start":{"line":1,"character":1},"end":{"line":1,"character":6}}})"));
    EXPECT_EQ(h.askAt(3, "textDocument/definition", 12, 6),
              J(R"({"uri":"file:///work/program.prg","range":{"start":{"line":11,"character":1},"end":{"line":11,"character":6}}})"));
    EXPECT_EQ(h.askAt(4, "textDocument/definition", 7, 4), Json(nullptr));
    EXPECT_EQ(h.askAt(5, "textDocument/definition", 0, 1), Json(nullptr));
}

TEST(Completion, MacrosInForceFamiliesAndAlgorithmCommandsWithTheirParameterLines) {
    ProtocolHarness h;
    h.initialize();
    h.open(kRedefined);
    const Json list = h.askAt(1, "textDocument/completion", 2, 0);
    EXPECT_EQ(list["isIncomplete"], false);
    const Json& items = list["items"];
    ASSERT_EQ(items.size(), 1u + 8u + 52u);  // "насос" only: "пуск" is defined on this line
    EXPECT_EQ(items[0], J(R"({"label":"насос","kind":21,"detail":"макрос: дв001"})"));
    EXPECT_EQ(items[1], J(R"({"label":"вд","kind":6,"detail":"дискретный вход, вд000..вд777"})"));
    EXPECT_EQ(items[6], J(R"({"label":"кс","kind":6,"detail":"ключ секции, кс000..кс737"})"));
    const Json& alg130 = items[9 + 31];
    EXPECT_EQ(alg130["label"], "алг130");
    EXPECT_EQ(alg130["kind"], 3);
    EXPECT_EQ(alg130["detail"], "установка или сброс группы битов");
    EXPECT_EQ(alg130["insertTextFormat"], 2);
    EXPECT_EQ(alg130["insertText"], "алг130\n1 = ${1}\n2 = ${2}\n3 = ${3}");
    EXPECT_EQ(alg130["documentation"]["value"], describeAlgorithm(0130));
    EXPECT_EQ(items.back()["label"], "алг174");

    const Json later = h.askAt(2, "textDocument/completion", 14, 0)["items"];
    EXPECT_EQ(later[0], J(R"({"label":"насос","kind":21,"detail":"макрос: дв017"})"));
    EXPECT_EQ(later[1], J(R"({"label":"пуск","kind":21,"detail":"макрос: вд001"})"));
    EXPECT_EQ(later[2]["label"], "вд");
}

TEST(DocumentSymbols, SectionsWithTheirHeadersAndMacroDefinitions) {
    ProtocolHarness h;
    h.initialize();
    h.open(kRedefined);
    EXPECT_EQ(h.ask(1, "textDocument/documentSymbol", {{"textDocument", {{"uri", kUri}}}}), J(R"([
        {"name":"насос","detail":"дв001","kind":14,
         "range":{"start":{"line":1,"character":0},"end":{"line":1,"character":12}},
         "selectionRange":{"start":{"line":1,"character":1},"end":{"line":1,"character":6}}},
        {"name":"пуск","detail":"вд001","kind":14,
         "range":{"start":{"line":2,"character":0},"end":{"line":2,"character":11}},
         "selectionRange":{"start":{"line":2,"character":1},"end":{"line":2,"character":5}}},
        {"name":"000. Управление насосом","detail":"блок 0, секция 00","kind":3,
         "range":{"start":{"line":3,"character":0},"end":{"line":8,"character":9}},
         "selectionRange":{"start":{"line":3,"character":0},"end":{"line":3,"character":3}},"children":[]},
        {"name":"001. Вторая секция","detail":"блок 0, секция 01","kind":3,
         "range":{"start":{"line":9,"character":0},"end":{"line":13,"character":12}},
         "selectionRange":{"start":{"line":9,"character":0},"end":{"line":9,"character":3}},
         "children":[{"name":"насос","detail":"дв017","kind":14,
                      "range":{"start":{"line":11,"character":0},"end":{"line":11,"character":12}},
                      "selectionRange":{"start":{"line":11,"character":1},"end":{"line":11,"character":6}}}]}])"));
}

TEST(DocumentSymbols, OnlyWhatPass1AcceptsCounts) {
    ProtocolHarness h;
    h.initialize();
    // A malformed header, a time at the start of a line, a header with a digit after its
    // point, a rejected definition, a section with the block digit 8.
    h.open("1.2.\n12.30.00\n000.5\n/1x вд001\n/а\n800.\n137. последняя\n");
    EXPECT_EQ(h.ask(1, "textDocument/documentSymbol", {{"textDocument", {{"uri", kUri}}}}), J(R"([
        {"name":"137. последняя","detail":"блок 1, секция 37","kind":3,
         "range":{"start":{"line":6,"character":0},"end":{"line":6,"character":14}},
         "selectionRange":{"start":{"line":6,"character":0},"end":{"line":6,"character":3}},"children":[]}])"));
}

class DiskPrograms : public vestrel::testing::ScratchDir {};

TEST_F(DiskPrograms, ADocumentNotOpenIsReadFromItsFileAsVestrelcReadsIt) {
    const std::string cp1251File = path("cp1251 program.prg"), utf8File = path("utf8.prg");
    writeBytes(cp1251File, *text::fromUtf8("/клапан дв001\r\n000. Главная\r\n"));
    writeBytes(utf8File, "\xEF\xBB\xBF/клапан дв001\n000. Главная\n");
    ProtocolHarness h;
    h.initialize();
    for (const std::string& file : {cp1251File, utf8File}) {
        std::string uri = "file://" + file;
        const std::size_t blank = uri.find(' ');
        if (blank != std::string::npos) uri.replace(blank, 1, "%20");
        const Json symbols = h.ask(1, "textDocument/documentSymbol", {{"textDocument", {{"uri", uri}}}});
        ASSERT_EQ(symbols.size(), 2u) << file;
        EXPECT_EQ(symbols[0]["name"], "клапан") << file;
        EXPECT_EQ(symbols[1]["name"], "000. Главная") << file;
    }
    EXPECT_EQ(h.ask(2, "textDocument/documentSymbol", {{"textDocument", {{"uri", "file://" + path("missing.prg")}}}}),
              Json::array());
    EXPECT_EQ(h.askAt(3, "textDocument/hover", 0, 0, "untitled:Untitled-1"), Json(nullptr));
}

TEST(Uris, FileUrisNameLocalFiles) {
    struct Case {
        const char* uri;
        std::optional<std::string> path;
    };
    const Case cases[] = {
        {"file:///home/a/b.prg", "/home/a/b.prg"},
        {"file://localhost/x.prg", "/x.prg"},
        {"file:///a%20b/%D0%B6.prg", "/a b/ж.prg"},
        {"file:///a%2", "/a%2"},
        {"file:///a.prg?query#frag", "/a.prg"},
        {"file://server/share/x.prg", std::nullopt},
        {"file:///a%00b", std::nullopt},
        {"untitled:1", std::nullopt},
        {"file:", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(pathOfUri(c.uri), c.path) << c.uri;
}

class Settings : public vestrel::testing::ScratchDir {};

TEST_F(Settings, TheIniGivesTheDefaultsAndInitializationOptionsOverrideThem) {
    const std::string ini = path("Vestrel.ini");
    writeBytes(ini, *text::fromUtf8("[Параметры трансляции]\r\nДобавлять комментарий=0\r\n"
                                    "[Параметры времени]\r\nРазрешение=70\r\nПериод пересчета=20\r\n"));
    {
        ProtocolHarness h(ini);
        h.initialize();
        const TranslationOptions& o = h.server.settings().options;
        EXPECT_FALSE(o.AddComment);
        EXPECT_TRUE(o.AddProgramText);
        EXPECT_EQ(o.TickResolution, 70);
        EXPECT_EQ(o.RecalcPeriod, 20);
    }
    ProtocolHarness h;
    h.send(requestMessage(1, "initialize",
                          {{"initializationOptions", {{"ini", ini}, {"addComment", true}, {"recalcPeriod", 5},
                                                      {"tickResolution", 200}, {"addProgramText", "no"}, {"debounceMs", 0}}}}));
    const std::vector<Json> out = h.take();
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], J(R"({"jsonrpc":"2.0","method":"window/logMessage","params":{"type":2,
                           "message":"initializationOptions.addProgramText must be true or false; ignored"}})"));
    EXPECT_EQ(out[1]["params"]["message"], "initializationOptions.tickResolution must be a whole number from 55 to 100; ignored");
    const TranslationOptions& o = h.server.settings().options;
    EXPECT_TRUE(o.AddComment);
    EXPECT_TRUE(o.AddProgramText);
    EXPECT_EQ(o.TickResolution, 70);
    EXPECT_EQ(o.RecalcPeriod, 5);
    h.send(notificationMessage("initialized", Json::object()));
    h.open(kPump);
    const std::vector<AnalysisRequest> due = h.server.takeDue(h.now);
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].options.RecalcPeriod, 5);

    ProtocolHarness missing;
    missing.send(requestMessage(1, "initialize", {{"initializationOptions", {{"ini", path("none.ini")}}}}));
    EXPECT_EQ(missing.take()[0]["params"]["message"],
              "cannot read the ini file " + path("none.ini") + "; the built-in defaults apply");
    EXPECT_EQ(missing.server.settings().options.TickResolution, 55);
}

}  // namespace
}  // namespace vestrel::lsp::testing
