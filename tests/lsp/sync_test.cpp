// Text synchronisation: edits by UTF-16 ranges, the cp1251 view of the text, and the
// schedule of diagnostics (debounced, stale reports dropped).
#include <gtest/gtest.h>

#include "lsp/source_snapshot.h"
#include "lsp/text_document.h"
#include "protocol_harness.h"
#include "program_fixture.h"

namespace vestrel::lsp::testing {
namespace {

TEST(TextDocument, RangesCountUtf16CodeUnits) {
    struct Case {
        const char* name;
        std::string before;
        Range range;
        std::string text;
        std::string after;
    };
    // "ж" is two bytes and one unit, "€" three bytes and one unit, "😀" four bytes and two units.
    const Case cases[] = {
        {"Cyrillic before the range", "жжж abc", {{0, 4}, {0, 5}}, "X", "жжж Xbc"},
        {"past a surrogate pair", "😀ab", {{0, 2}, {0, 3}}, "", "😀b"},
        {"a column inside the pair stands after the character", "😀ab", {{0, 1}, {0, 3}}, "!", "😀!b"},
        {"three-byte character", "€1", {{0, 1}, {0, 2}}, "2", "€2"},
        {"across CR LF lines", "00 а\r\n01 б\r\n", {{0, 4}, {1, 2}}, "", "00 а б\r\n"},
        {"a lone CR ends a line", "a\rb", {{1, 0}, {1, 1}}, "c", "a\rc"},
        {"column past the end of the line", "ab\ncd", {{0, 99}, {1, 0}}, "", "abcd"},
        {"line past the end of the text", "ab", {{5, 0}, {6, 0}}, "!", "ab!"},
        {"ends swapped", "abcd", {{0, 3}, {0, 1}}, "", "ad"},
        {"insertion into an empty text", "", {{0, 0}, {0, 0}}, "000.\n", "000.\n"},
    };
    for (const Case& c : cases) {
        TextDocument document("u", 1, c.before);
        document.replaceRange(c.range, c.text);
        EXPECT_EQ(document.text(), c.after) << c.name;
    }
}

TEST(TextDocument, LinesAndPositions) {
    const TextDocument document("u", 1, "жa\r\n😀b\rc\n");
    EXPECT_EQ(document.lineCount(), 4);
    EXPECT_EQ(document.line(0), "жa");
    EXPECT_EQ(document.line(1), "😀b");
    EXPECT_EQ(document.line(2), "c");
    EXPECT_EQ(document.line(3), "");
    EXPECT_EQ(document.positionOf(document.text().find('b')), (Position{1, 2}));
    EXPECT_EQ(document.offsetOf({1, 2}), document.text().find('b'));
    EXPECT_EQ(utf16Length("ж😀€a"), 5u);
    EXPECT_EQ(byteOffsetOfColumn("ж😀€a", 3), 6u);
}

TEST(SourceSnapshot, ForeignCharactersStandAsOneQuestionMarkPerCodeUnit) {
    const SourceSnapshot snapshot = snapshotOf("000.\r\n00 в дв001 ☃\n01 😀 x\n");
    ASSERT_EQ(snapshot.lines.size(), 3u);
    EXPECT_EQ(snapshot.lines[0], "000.");
    EXPECT_EQ(snapshot.lines[1], "00 \xE2 \xE4\xE2" "001 ?");
    EXPECT_EQ(snapshot.lines[2], "01 ?? x");
    ASSERT_EQ(snapshot.foreign.size(), 2u);
    EXPECT_EQ(snapshot.foreign[0].line, 1);
    EXPECT_EQ(snapshot.foreign[0].character, 11);
    EXPECT_EQ(snapshot.foreign[0].units, 1);
    EXPECT_EQ(snapshot.foreign[0].codePoint, U'☃');
    EXPECT_EQ(snapshot.foreign[1].line, 2);
    EXPECT_EQ(snapshot.foreign[1].character, 3);
    EXPECT_EQ(snapshot.foreign[1].units, 2);
}

TEST(DiagnosticsSchedule, OpenAndALoneChangeAreAnalysedAtOnceABurstOfChangesOnceAfterThePause) {
    ProtocolHarness h;
    h.initialize({{"debounceMs", 100}});
    h.open(kPump);
    EXPECT_EQ(h.runDue(), 1);
    ASSERT_EQ(h.take().size(), 1u);

    for (int version = 2; version <= 4; ++version) {
        h.change(version, J(R"([{"range":{"start":{"line":10,"character":18},"end":{"line":10,"character":19}},"text":"6"}])"));
        h.now += 40ms;
        EXPECT_EQ(h.runDue(), 0) << version;
    }
    h.now += 59ms;
    EXPECT_EQ(h.runDue(), 0);
    h.now += 1ms;
    const std::vector<AnalysisRequest> due = h.server.takeDue(h.now);
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].version, 4);
    EXPECT_EQ(due[0].uri, kUri);
    EXPECT_NE(due[0].text.find("ва001 + 6\n"), std::string::npos);
    EXPECT_TRUE(h.server.takeDue(h.now + 1h).empty());

    // A change after a quiet pause is analysed at once.
    h.now += 100ms;
    h.change(5, J(R"([{"text":"000.\n"}])"));
    EXPECT_EQ(h.runDue(), 1);
}

TEST(DiagnosticsSchedule, AReportOfAnOlderVersionOrAClosedDocumentIsDropped) {
    ProtocolHarness h;
    h.initialize({{"debounceMs", 0}});
    h.open(kPump);
    const std::vector<AnalysisRequest> first = h.server.takeDue(h.now);
    ASSERT_EQ(first.size(), 1u);
    h.change(2, J(R"([{"text":"000.\n00 в вд01\n"}])"));
    EXPECT_FALSE(h.server.deliver(analyse(first[0])));
    EXPECT_TRUE(h.take().empty());

    const std::vector<AnalysisRequest> second = h.server.takeDue(h.now);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_TRUE(h.server.deliver(analyse(second[0])));
    const Json published = h.takeOne();
    EXPECT_EQ(published["method"], "textDocument/publishDiagnostics");
    EXPECT_EQ(published["params"]["version"], 2);
    EXPECT_EQ(published["params"]["diagnostics"].size(), 1u);

    h.change(3, J(R"([{"text":"000.\n"}])"));
    const std::vector<AnalysisRequest> third = h.server.takeDue(h.now);
    h.send(notificationMessage("textDocument/didClose", {{"textDocument", {{"uri", kUri}}}}));
    EXPECT_EQ(h.takeOne(), J(R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics",
                                 "params":{"uri":"file:///work/program.prg","diagnostics":[]}})"));
    ASSERT_EQ(third.size(), 1u);
    EXPECT_FALSE(h.server.deliver(analyse(third[0])));
    EXPECT_TRUE(h.take().empty());
}

TEST(DiagnosticsSchedule, CharactersOutsideCodePage1251AreReportedInsteadOfTranslating) {
    ProtocolHarness h;
    h.initialize();
    h.open("000.\n00 в дв001 😀 ☃\n");
    EXPECT_EQ(h.runDue(), 1);
    EXPECT_EQ(h.takeOne()["params"]["diagnostics"], J(R"([
        {"range":{"start":{"line":1,"character":11},"end":{"line":1,"character":13}},
         "severity":1,"source":"vestrel","code":"cp1251","message":"Символ U+1F600 не входит в кодовую страницу 1251."},
        {"range":{"start":{"line":1,"character":14},"end":{"line":1,"character":15}},
         "severity":1,"source":"vestrel","code":"cp1251","message":"Символ U+2603 не входит в кодовую страницу 1251."}])"));
}

}  // namespace
}  // namespace vestrel::lsp::testing
