// The lines of a program kept end to end: every edit must leave each line where it was.
#include <gtest/gtest.h>

#include "translator/text/il_text.h"

namespace vestrel {
namespace {

IlText textOf(std::initializer_list<std::string_view> lines) {
    IlText text;
    for (std::string_view line : lines) text.push_back(line);
    return text;
}
using Lines = std::vector<std::string>;

TEST(IlText, InsertingAndAppendingKeepEveryLine) {
    struct Case {
        const char* what;
        IlText (*edit)();
        Lines expected;
    };
    const Case cases[] = {
        {"insert after the first line", [] { IlText t = textOf({"PROGRAM", "EXIT"}); t.insert(1, textOf({"A", "", "B"})); return t; },
         {"PROGRAM", "A", "", "B", "EXIT"}},
        {"insert at the front", [] { IlText t = textOf({"x"}); t.insert(0, textOf({"a", "b"})); return t; }, {"a", "b", "x"}},
        {"insert past the end appends", [] { IlText t = textOf({"x"}); t.insert(9, std::string_view("y")); return t; }, {"x", "y"}},
        {"insert into an empty text", [] { IlText t; t.insert(1, textOf({"VAR_IN_OUT"})); return t; }, {"VAR_IN_OUT"}},
        {"append another text", [] { IlText t = textOf({"IF"}); t.append(textOf({"a", "b"})); t.push_back("END_IF"); return t; },
         {"IF", "a", "b", "END_IF"}},
        {"extend the last line", [] { IlText t = textOf({"a", "  F1 = 1"}); t.extendLastLine("; F0 & ", 2); return t; },
         {"a", "  F1 = 1; F0 & 2"}},
        {"extend an empty text", [] { IlText t; t.extendLastLine("; F0 | Q3"); return t; }, {"; F0 | Q3"}},
        {"pieces of a line", [] { IlText t; t.addLine("  I", 7, " * 2"); t.addLine(); return t; }, {"  I7 * 2", ""}},
    };
    for (const Case& c : cases) {
        const IlText text = c.edit();
        EXPECT_EQ(text.lines(), c.expected) << c.what;
        ASSERT_EQ(text.size(), c.expected.size()) << c.what;
        if (!c.expected.empty()) {
            EXPECT_EQ(text.back(), c.expected.back()) << c.what;
        }
        std::string joined;
        for (const std::string& line : c.expected) joined += line + "\n";
        EXPECT_EQ(text.bytes(), joined) << c.what;
        if (!joined.empty()) joined.pop_back();
        EXPECT_EQ(text.joined(), joined) << c.what;
    }
}

TEST(IlText, EqualTextsHaveEqualLinesNotJustEqualBytes) {
    EXPECT_EQ(textOf({"a", "b"}), textOf({"a", "b"}));
    EXPECT_NE(textOf({"a", "b"}), textOf({"a"}));
    EXPECT_NE(textOf({"a\nb"}), textOf({"a", "b"}));  // the same bytes, other lines
    IlText cleared = textOf({"a"});
    cleared.clear();
    EXPECT_TRUE(cleared.empty());
    EXPECT_EQ(cleared.joined(), "");
}

// Each line keeps the source line that was current when it was written, through every edit.
TEST(IlText, EveryLineKeepsTheSourceLineItWasWrittenFrom) {
    std::uint32_t current = 0;
    IlText block;
    block.followSourceLine(&current);
    block.push_back("PROGRAM");  // before any source line
    current = 3;
    block.addLine("  Q1 | 2");
    block.extendLastLine("; F0 & 4");  // a line keeps its source when it grows
    current = 4;
    IlText branch;
    branch.followSourceLine(&current);
    branch.push_back(" IF");
    current = 7;
    branch.push_back(" END_IF");
    block.append(branch);
    IlText declarations;  // follows nothing: its lines have no source line
    declarations.push_back("VAR_IN_OUT");
    declarations.push_back("END_VAR");
    block.insert(1, declarations);
    current = 9;
    block.insert(0, std::string_view("(* head *)"));
    block.push_back("EXIT");

    EXPECT_EQ(block.lines(),
              (Lines{"(* head *)", "PROGRAM", "VAR_IN_OUT", "END_VAR", "  Q1 | 2; F0 & 4", " IF", " END_IF", "EXIT"}));
    EXPECT_EQ(block.sourceLines(), (std::vector<std::uint32_t>{9, 0, 0, 0, 3, 4, 7, 9}));
    EXPECT_EQ(block.sourceLine(4), 3u);

    // A copy or a moved text keeps the map and follows nothing: a text handed out of the
    // run never reads the generator's cell again.
    IlText copy = block;
    IlText moved = std::move(copy);
    current = 11;
    moved.push_back("after");
    EXPECT_EQ(moved.sourceLines().back(), IlText::kNoSourceLine);
    EXPECT_EQ(moved.size(), 9u);
    block.clear();
    EXPECT_TRUE(block.sourceLines().empty());
    block.push_back("again");  // the original still follows its cell
    EXPECT_EQ(block.sourceLines(), (std::vector<std::uint32_t>{11}));
}

}  // namespace
}  // namespace vestrel
