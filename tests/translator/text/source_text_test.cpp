// Cutting a program's buffer into lines: the same lines splitSourceLines cuts, counted
// before they are cut.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "translator/run/translation.h"
#include "translator/text/source_text.h"

namespace vestrel {
namespace {

std::vector<std::string> cutLines(const SourceText& text) {
    std::vector<std::string> lines;
    SourceText::Cursor cursor(text);
    std::string_view line;
    while (cursor.next(line)) lines.emplace_back(line);
    EXPECT_EQ(cursor.index(), lines.size());
    return lines;
}

TEST(SourceText, CutsAndCountsTheLinesSplitSourceLinesCuts) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"\n", {""}},
        {"\r\n", {""}},
        {"\r", {""}},
        {"\n\r", {"", ""}},
        {"a", {"a"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"0123456\r\n89abcdef\r", {"0123456", "89abcdef"}},  // a CR LF across eight bytes
        {std::string("x\0y\n\xFF", 5), {std::string("x\0y", 3), "\xFF"}},
    };
    for (const Case& c : cases) {
        const SourceText text(c.bytes);
        EXPECT_EQ(text.lineCount(), c.lines.size()) << c.bytes;
        EXPECT_EQ(cutLines(text), c.lines) << c.bytes;
    }
    // Random texts of letters and breaks, every length up to 80.
    std::mt19937 random(7);
    for (int round = 0; round < 4000; ++round) {
        std::string bytes;
        const int length = round % 81;
        for (int i = 0; i < length; ++i) bytes += "ab\r\n\r\n"[random() % 6];
        const SourceText text(bytes);
        const std::vector<std::string> expected = splitSourceLines(bytes);
        ASSERT_EQ(text.lineCount(), expected.size()) << bytes;
        ASSERT_EQ(cutLines(text), expected) << bytes;
    }
}

TEST(SourceText, LinesGivenOneByOneKeepEveryByte) {
    const std::vector<std::string> lines = {"a\rb", "", "c\nd", "e"};
    const SourceText text(lines);
    EXPECT_EQ(text.lineCount(), 4u);
    EXPECT_EQ(cutLines(text), lines);
    EXPECT_TRUE(text.linesHoldLineFeeds());
    EXPECT_FALSE(SourceText(std::vector<std::string>{"a\rb"}).linesHoldLineFeeds());
}

}  // namespace
}  // namespace vestrel
