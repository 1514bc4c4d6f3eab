// The lines of a program kept end to end: every edit must leave each line where it was.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "translator/text/il_spill.h"
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

// A store in memory with so much room (a disk that fills up).
class MemoryStore final : public IlSpillStore {
public:
    explicit MemoryStore(std::size_t room = SIZE_MAX) : m_room(room) {}
    bool append(std::string_view more, int& reason) override {
        if (m_bytes.size() + more.size() > m_room) {
            reason = ENOSPC;
            return false;
        }
        m_bytes += more;
        return true;
    }
    std::uint64_t size() const override { return m_bytes.size(); }
    bool read(std::uint64_t offset, char* into, std::size_t size, int& reason) const override {
        if (offset + size > m_bytes.size()) {
            reason = EIO;
            return false;
        }
        std::memcpy(into, m_bytes.data() + offset, size);
        return true;
    }

private:
    std::string m_bytes;
    std::size_t m_room;
};

constexpr std::string_view kFileLineEnd = "\r\r\n";

IlSpillPolicy smallPolicy(std::size_t heldLimit, std::size_t room = SIZE_MAX) {
    IlSpillPolicy policy;
    policy.heldLimit = heldLimit;
    policy.lineEnd = kFileLineEnd;
    policy.open = [room](int&) { return std::make_shared<MemoryStore>(room); };
    return policy;
}

std::string fileFormOf(const IlText& text) {
    std::string file;
    int reason = 0;
    EXPECT_TRUE(text.writeFileForm(
        kFileLineEnd, [&](std::string_view piece, int&) { file += piece; return true; }, reason));
    return file;
}

std::vector<std::uint32_t> sourceLinesOf(const IlText& text) {
    std::vector<std::uint32_t> lines;
    int reason = 0;
    EXPECT_TRUE(text.readSourceLines([&](std::span<const std::uint32_t> piece) {
        lines.insert(lines.end(), piece.begin(), piece.end());
    }, reason));
    return lines;
}

// The edits the generator makes, on a text that keeps every line and on one that sets
// its settled lines aside at a tiny limit: both must come out as the same file with the
// same source map.
TEST(IlTextSpill, ASpilledTextWritesTheSameFileAndSourceLinesAsAWholeOne) {
    struct Case {
        const char* what;
        void (*edit)(IlText& text, std::uint32_t& current);
        bool spills = true;
    };
    const Case cases[] = {
        {"many short lines", [](IlText& t, std::uint32_t& current) {
             for (int i = 0; i < 500; ++i) {
                 current = static_cast<std::uint32_t>(i / 3);
                 t.addLine("  F", i, " = 1");
             }
         }},
        {"a block closes: declarations at line 1, then more lines", [](IlText& t, std::uint32_t& current) {
             t.push_back("PROGRAM");
             for (int i = 0; i < 300; ++i) {
                 current = static_cast<std::uint32_t>(i + 1);
                 t.addLine("(* line ", i, " *)");
             }
             t.push_back("EXIT");
             IlText block;
             block.followSourceLine(&current);
             for (int i = 0; i < 40; ++i) block.addLine(" I", i, " KA_-lm00-0000 In");
             t.insert(1, block);
             t.push_back("PROGRAM");
         }},
        {"section keys: declarations one after another from line 6, resets before the last",
         [](IlText& t, std::uint32_t& current) {
             for (int i = 0; i < 20; ++i) t.addLine("head ", i);
             for (int i = 0; i < 400; ++i) {
                 current = static_cast<std::uint32_t>(i);
                 t.addLine("(* comment ", i, " *)");
             }
             t.push_back("EXIT");
             current = 0;
             for (std::size_t l = 1; l < 32; ++l) t.insert(l + 5, "Q" + std::to_string(l));
             for (int m = 1; m < 32; ++m) t.insert(t.size() - 1, "R" + std::to_string(m));
         }},
        {"the last line extended, branches appended", [](IlText& t, std::uint32_t& current) {
             for (int i = 0; i < 200; ++i) {
                 current = static_cast<std::uint32_t>(2 * i);
                 t.addLine("  F", i, " = 1");
                 t.extendLastLine("; F0 & ", i);
                 IlText branch;
                 branch.followSourceLine(&current);
                 branch.push_back(" IF");
                 branch.push_back(" END_IF");
                 t.append(branch);
             }
         }},
        {"lines longer than a file piece", [](IlText& t, std::uint32_t& current) {
             for (int i = 0; i < 12; ++i) {
                 current = static_cast<std::uint32_t>(i + 1);
                 t.push_back(std::string(i % 3 == 0 ? IlText::kFilePiece + 7 : 50, static_cast<char>('a' + i)));
             }
         }},
        {"fewer lines than are kept", [](IlText& t, std::uint32_t&) {
             t.push_back(std::string(4000, 'x'));
             t.push_back(std::string(4000, 'y'));
             t.push_back("");
         }, false},
    };
    for (const Case& c : cases) {
        std::uint32_t current = 0;
        IlText whole;
        whole.followSourceLine(&current);
        c.edit(whole, current);

        const IlSpillPolicy policy = smallPolicy(256);
        current = 0;
        IlText spilling;
        spilling.followSourceLine(&current);
        spilling.spillWith(&policy);
        c.edit(spilling, current);

        EXPECT_EQ(spilling.spilled(), c.spills) << c.what;
        EXPECT_EQ(spilling.size(), whole.size()) << c.what;
        EXPECT_EQ(spilling.spillFailure(), 0) << c.what;
        EXPECT_EQ(fileFormOf(spilling), fileFormOf(whole)) << c.what;
        EXPECT_EQ(sourceLinesOf(spilling), whole.sourceLines()) << c.what;
        EXPECT_EQ(spilling.back(), whole.back()) << c.what;
        // A moved text (the run hands its slots out so) is still the same file.
        const IlText moved = std::move(spilling);
        EXPECT_EQ(fileFormOf(moved), fileFormOf(whole)) << c.what;
    }
}

TEST(IlTextSpill, ASpillingTextHoldsLittleAndIsWrittenInBoundedPieces) {
    const IlSpillPolicy policy = smallPolicy(std::size_t{64} << 10);
    IlText text;
    text.spillWith(&policy);
    for (int i = 0; i < 200000; ++i) text.addLine("(* an empty source line ", i, " *)");
    EXPECT_TRUE(text.spilled());
    EXPECT_LT(text.bytes().size(), std::size_t{64} << 10);

    std::size_t largest = 0, total = 0;
    int reason = 0;
    ASSERT_TRUE(text.writeFileForm(kFileLineEnd, [&](std::string_view piece, int&) {
        largest = std::max(largest, piece.size());
        total += piece.size();
        return true;
    }, reason));
    EXPECT_LE(largest, IlText::kFilePiece);
    EXPECT_GT(total, 20 * IlText::kFilePiece);

    // A text without a policy keeps everything, as the workbench and the server have it.
    IlText whole;
    for (int i = 0; i < 20000; ++i) whole.addLine("(* line ", i, " *)");
    EXPECT_FALSE(whole.spilled());
}

TEST(IlTextSpill, AFailedSpillLosesTheLinesButNotTheirCountAndSaysWhy) {
    struct Case {
        const char* what;
        IlSpillPolicy policy;
        int reason;
    };
    IlSpillPolicy noStore = smallPolicy(256);
    noStore.open = [](int& reason) -> std::shared_ptr<IlSpillStore> {
        reason = EACCES;
        return nullptr;
    };
    const Case cases[] = {
        {"the store cannot be opened", noStore, EACCES},
        {"the disk fills up at a later spill", smallPolicy(256, 300), ENOSPC},
    };
    for (const Case& c : cases) {
        IlText text;
        text.spillWith(&c.policy);
        for (int i = 0; i < 100; ++i) text.addLine("  F", i, " = 1");
        EXPECT_EQ(text.spillFailure(), c.reason) << c.what;
        EXPECT_EQ(text.size(), 100u) << c.what;
        EXPECT_TRUE(text.bytes().empty()) << c.what;
        text.clear();  // a new pass starts afresh
        EXPECT_EQ(text.spillFailure(), 0) << c.what;
    }
}

TEST(IlTextSpill, NoLineGoesAmongTheLinesSetAside) {
    const IlSpillPolicy policy = smallPolicy(256);
    IlText text;
    text.spillWith(&policy);
    for (int i = 0; i < 100; ++i) text.addLine("  F", i, " = 1");
    ASSERT_TRUE(text.spilled());
    EXPECT_THROW(text.insert(50, std::string_view("lost")), std::logic_error);
    EXPECT_NO_THROW(text.insert(1, std::string_view("head")));
    EXPECT_NO_THROW(text.insert(text.size() - 1, std::string_view("tail")));
    EXPECT_EQ(text.size(), 102u);
}

}  // namespace
}  // namespace vestrel
