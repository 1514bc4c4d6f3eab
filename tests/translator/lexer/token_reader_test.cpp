// Reading the tokens in pass 2: what reaches the engine, the counters, the notices. The
// tokens are read back from record text here, so every shape that text can take is met.
#include <gtest/gtest.h>

#include "translator/lexer/token_reader.h"
#include "translator/text/literal.h"

namespace vestrel {
namespace {
using namespace text::literals;

struct Host final : TokenReaderHost {
    std::vector<std::string> comments, notices;
    int progress = 0;
    void commentLine(std::string_view text) override { comments.emplace_back(text); }
    void advanceProgress() override { ++progress; }
    void notice(std::string_view text) override { notices.emplace_back(text); }
};

struct Reader {
    explicit Reader(std::string bytes, bool addComment = true)
        : file(readTokenRecords(bytes)), reader({&file, nullptr}, state, host, trace, addComment) {}
    TokenSequence file;
    ReaderState state;
    Host host;
    TraceLog trace{true};
    TokenReader reader;
};

TEST(TokenReader, EmptyFileGivesEndOfInput) {
    Reader r("");
    EXPECT_EQ(r.reader.ReadToken(), 0xF000u);
    EXPECT_EQ(r.reader.ReadToken(), 0xF000u);
    EXPECT_EQ(r.trace.text(), "\n[F000]\n \n[F000]\n ");
    EXPECT_TRUE(r.host.notices.empty());
}

TEST(TokenReader, TextLinesAreSkippedAndCopiedAsComments) {
    Reader r("D200\n" + std::string("программа"_cp) + "\nF200\n000.\n");
    EXPECT_EQ(r.reader.ReadToken(), 0xF200u);
    EXPECT_EQ(r.host.comments, std::vector<std::string>{std::string("программа"_cp)});
    EXPECT_EQ(r.state.LineCounter, 1);
    EXPECT_EQ(r.state.WordCounter, 1);
    EXPECT_EQ(r.state.currentSourceLine, "000.");
    EXPECT_EQ(r.host.progress, 1);

    Reader off("D200\nx\nF000\n", false);
    EXPECT_EQ(off.reader.ReadToken(), 0xF000u);
    EXPECT_TRUE(off.host.comments.empty());
    EXPECT_EQ(off.state.LineCounter, 1);
}

TEST(TokenReader, OpenersAreSkippedAndWordsCounted) {
    Reader r("F300\n00 a b\nA001\na\n3001\nb\nE000\n12.500000\n");
    EXPECT_EQ(r.reader.ReadToken(), 0xA001u);
    EXPECT_EQ(r.state.WordCounter, 2);
    EXPECT_EQ(r.state.currentSourceLine, "00 a b");
    EXPECT_EQ(r.reader.ReadToken(), 0x3001u);
    EXPECT_EQ(r.state.WordCounter, 3);
    EXPECT_EQ(r.reader.ReadToken(), 0xE000u);
    EXPECT_EQ(r.state.currentTokenText, "12.500000");
    EXPECT_EQ(r.state.LineCounter, 0);  // only line-opening actions count statement lines
}

TEST(TokenReader, MalformedRecordsRaiseTheirNotices) {
    Reader unreadable("zz\nx\n");
    EXPECT_EQ(unreadable.reader.ReadToken(), 0xFFFFu);
    EXPECT_EQ(unreadable.host.notices, std::vector<std::string>{std::string("Неверное число !!!"_cp)});

    Reader tooLarge("123456\nx\n");
    EXPECT_EQ(tooLarge.reader.ReadToken(), 0xFFFFu);

    Reader noText("1001");
    EXPECT_EQ(noText.reader.ReadToken(), 0xF000u);
    EXPECT_EQ(noText.host.notices, std::vector<std::string>{std::string("Ошибка чтения файла !!!"_cp)});
}

TEST(TokenReader, CodeLinesInEveryShapeAndUnterminatedLastLines) {
    struct Case {
        std::string bytes;
        TokenCode code;
        std::string text;  // currentTokenText after the read
    };
    const Case cases[] = {
        {"A001\na\n", 0xA001, "a"},
        {"a001\na\n", 0xA001, "a"},                  // lower-case digits
        {" \t1001\nb\n", 0x1001, "b"},               // leading blanks
        {"E0\nc\n", 0xE0, "c"},                       // fewer digits
        {"3001\n0123456789abcdef", 0x3001, "0123456789abcdef"},    // 16 bytes, no line feed
        {"3001\n0123456789abcdefg", 0x3001, "0123456789abcdefg"},  // 17 bytes, no line feed
        {"3001\n0123456789abcdefg\n", 0x3001, "0123456789abcdefg"},
        {"3001\n\n", 0x3001, ""},
    };
    for (const Case& c : cases) {
        Reader r(c.bytes);
        EXPECT_EQ(r.reader.ReadToken(), c.code) << c.bytes;
        EXPECT_EQ(r.state.currentTokenText, c.text) << c.bytes;
        EXPECT_EQ(r.reader.ReadToken(), 0xF000u) << c.bytes;
        EXPECT_TRUE(r.host.notices.empty()) << c.bytes;
    }
    for (const char* bad : {"G001\nx\n", "\nx\n", "+1\nx\n"}) {
        Reader r(bad);
        EXPECT_EQ(r.reader.ReadToken(), 0xFFFFu) << bad;
    }
}

TEST(TokenReader, LongRecordLinesAreReadWhole) {
    const std::string longLine(100000, 'x');
    Reader r("D200\n" + longLine + "\nF000\n");
    r.reader.ReadToken();
    ASSERT_EQ(r.host.comments.size(), 1u);
    EXPECT_EQ(r.host.comments[0].size(), longLine.size());
}

}  // namespace
}  // namespace vestrel
