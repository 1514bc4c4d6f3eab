// The pass-2 engine over hand-made records: row walks, rejections and their messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/pass2_runner.h"
#include "translator/syntax/syntax_graph.h"
#include "translator/syntax/table_stack.h"
#include "translator/text/literal.h"

namespace vestrel {
namespace {
using namespace text::literals;
using testing::Record;
using testing::runPass2;
using testing::visitedRows;

std::string cp(std::string_view s) { return std::string(s); }

// The routines the visited rows called, in order.
std::vector<std::string> routinesOf(const std::vector<int>& rows) {
    std::vector<std::string> names;
    for (int row : rows)
        if (row > 0 && SyntaxGraph[static_cast<std::size_t>(row)].action != SyntaxAction::None)
            names.emplace_back(SyntaxGraph[static_cast<std::size_t>(row)].actionName);
    return names;
}

std::vector<int> rowsBetween(const std::vector<int>& rows, std::size_t from, std::size_t count) {
    return {rows.begin() + static_cast<std::ptrdiff_t>(from), rows.begin() + static_cast<std::ptrdiff_t>(from + count)};
}

const Record kSection000{0xF200, "000."};

TEST(TableStack, DropsPushesBeyondCapacityAndPopsMaxFromEmpty) {
    TableStack stack(2);
    stack.Push(7);
    stack.Push(8);
    stack.Push(9);
    EXPECT_EQ(stack.Count(), 2);
    EXPECT_EQ(stack.Status(), -1);
    EXPECT_EQ(stack.Pop(), 8);
    EXPECT_EQ(stack.Pop(), 7);
    EXPECT_EQ(stack.Pop(), 2147483647);
    EXPECT_EQ(stack.Status(), -2);
}

TEST(MatchTokenSet, TestsEachEntryByItsTopByte) {
    struct Case { TokenCode token; std::uint16_t entry; bool match; };
    const Case cases[] = {
        {0x3001, 0x3000, true},  {0x31FF, 0x3000, true}, {0x4001, 0x3000, false},  // a family
        {0x9001, 0x9001, true},  {0x9002, 0x9001, false},                            // a keyword
        {0xB03D, 0xB03D, true},  {0xB03C, 0xB03D, false},                            // an operator
        {0xF000, 0xF000, true},  {0xF201, 0xF000, false},                            // end of input
        {0xB101, 0xB100, true},  {0xB102, 0xB100, true},                             // time literals
        {0xC078, 0xC000, true},  {0xD005, 0xD000, true}, {0xD100, 0xD100, true},
        {0xE000, 0xE000, true},  {0xF225, 0xF200, true}, {0xFFFF, 0xF200, false},
    };
    for (const Case& c : cases) {
        TokenSet set{};
        set[3] = c.entry;  // entries are found wherever they stand
        EXPECT_EQ(MatchTokenSet(c.token, set), c.match) << std::hex << c.token << " in " << c.entry;
    }
    EXPECT_FALSE(MatchTokenSet(0x0000, TokenSet{}));
}

TEST(SyntaxGraph, CompiledSetsAgreeWithMatchTokenSetForEveryTokenAndRow) {
    for (TokenCode token = 0; token <= 0xFFFF; ++token) {
        const int tokenClass = TokenClassOf(token);
        for (int row = 0; row < kSyntaxRowCount; ++row)
            ASSERT_EQ(rowAccepts(row, tokenClass), MatchTokenSet(token, SyntaxGraph[static_cast<std::size_t>(row)].tokens))
                << std::hex << token << " row " << std::dec << row;
    }
}

TEST(SyntaxGraph, EveryCallRowReturnsToTheRowAfterIt) {
    for (int row = 1; row < kSyntaxRowCount; ++row) {
        const SyntaxRow& r = SyntaxGraph[static_cast<std::size_t>(row)];
        EXPECT_TRUE(r.error == SyntaxMessage::None || r.error == SyntaxMessage::SyntaxError) << row;
        EXPECT_FALSE(r.push && r.pop) << row;
        if (!r.pop) {
            EXPECT_GT(r.next, 0) << row;
            EXPECT_LT(r.next, kSyntaxRowCount) << row;
        }
    }
}

TEST(Engine, EmptyInputIsAcceptedThroughRows125WithoutAnyAction) {
    const auto outcome = runPass2({});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(visitedRows(outcome.trace), (std::vector<int>{1, 2, 5, 0}));
    EXPECT_EQ(outcome.slots[0].size(), 20u);  // the head of the initialisation program only
    for (int k = 1; k < kSlotCount; ++k) EXPECT_TRUE(outcome.slots[static_cast<std::size_t>(k)].empty());
    EXPECT_TRUE(outcome.diagnostics.empty());
}

TEST(Engine, SmallestProgramWalksTheSectionRows) {
    const auto outcome = runPass2({kSection000});
    EXPECT_EQ(outcome.status, 0);
    const auto rows = visitedRows(outcome.trace);
    EXPECT_EQ(rows, (std::vector<int>{1, 3, 11, 12, 13, 14, 15, 18, 4, 6, 7, 10, 0}));
    EXPECT_EQ(routinesOf(rows), (std::vector<std::string>{"BeginSection", "EndProgram"}));
}

TEST(Engine, DiscreteStatementWalk) {
    const auto outcome = runPass2({kSection000, {0xF300, "00 в дв001"}, {0xA001, "в"}, {0x3001, "дв001"}});
    ASSERT_EQ(outcome.status, 0);
    const auto rows = visitedRows(outcome.trace);
    const std::vector<int> statement{14, 16, 19, 21, 28, 29, 39, 40, 57, 58, 60, 165, 169, 17};
    EXPECT_EQ(rowsBetween(rows, 5, statement.size()), statement);
}

TEST(Engine, ThreeLineConditionalWalk) {
    const auto outcome = runPass2({kSection000,
                                   {0xF300, "00 если в вд001"}, {0x9001, "если"}, {0xA001, "в"}, {0x1001, "вд001"},
                                   {0xF301, "01 тогда в дв001"}, {0x9002, "тогда"}, {0xA001, "в"}, {0x3001, "дв001"},
                                   {0xF302, "02 иначе о дв001"}, {0x9003, "иначе"}, {0xA002, "о"}, {0x3001, "дв001"}});
    ASSERT_EQ(outcome.status, 0);
    const auto rows = visitedRows(outcome.trace);
    const std::vector<int> walk{14, 16, 19, 20, 22, 85, 86, 91, 92, 136, 137, 143, 144, 57, 58, 60, 165, 166, 170,
                                93, 94, 95, 96, 100, 23, 24, 26, 101, 102, 103,
                                28, 29, 39, 40, 57, 58, 60, 165, 169,  // тогда в дв001
                                104, 105, 107, 24, 25, 27, 109, 110, 111,
                                28, 37, 38, 57, 58, 60, 165, 169,      // иначе о дв001
                                112, 113, 114, 116, 17};
    EXPECT_EQ(rowsBetween(rows, 5, walk.size()), walk);
}

TEST(Engine, CompleteProgramRunsItsRoutinesInOrder) {
    const std::vector<Record> records = {
        {0xD200, cp("насосная станция"_cp)}, {0xD200, cp("/насос дв001"_cp)}, {0xD200, cp("/пуск вд001"_cp)},
        {0xF200, cp("000. управление насосом"_cp)},
        {0xF300, cp("00 если в пуск"_cp)}, {0x9001, cp("если"_cp)}, {0xA001, cp("в"_cp)}, {0x1001, cp("пуск"_cp)},
        {0xF301, cp("01 тогда в насос"_cp)}, {0x9002, cp("тогда"_cp)}, {0xA001, cp("в"_cp)}, {0x3001, cp("насос"_cp)},
        {0xF302, cp("02 иначе о насос"_cp)}, {0x9003, cp("иначе"_cp)}, {0xA002, cp("о"_cp)}, {0x3001, cp("насос"_cp)},
        {0xF303, cp("03 тм01 = 00.00.10"_cp)}, {0x7001, cp("тм01"_cp)}, {0xB03D, "="}, {0xB101, "00.00.10"},
        {0xF304, cp("04 алг170"_cp)}, {0xC078, cp("алг170"_cp)},
        {0xF201, cp("001. вторая секция"_cp)},
        {0xF300, cp("00 ив01 = ва001 + 5"_cp)}, {0x8001, cp("ив01"_cp)}, {0xB03D, "="}, {0x2001, cp("ва001"_cp)},
        {0xB02B, "+"}, {0xE000, "5.000000"},
    };
    const auto outcome = runPass2(records);
    ASSERT_EQ(outcome.status, 0);
    EXPECT_TRUE(outcome.diagnostics.empty());
    const std::vector<std::string> expected = {
        "BeginSection",
        "StartConditional", "BeginConditionItem", "SetStatementContext", "DiscreteOperand", "EndConditionItem",
        "BeginThen", "SetStatementContext", "DiscreteOperand", "BeginElse", "SetStatementContext", "DiscreteOperand",
        "EndConditional",
        "BeginStatement", "StartTimeExpression", "ComparisonOperator", "EndTimeExpression",
        "BeginStatement", "BeginAlgorithm", "EndAlgorithm",
        "BeginSection",
        "BeginStatement", "IvTarget", "ComparisonOperator", "AnalogOperand", "InfixOperator", "NumericConstant",
        "EndExpression",
        "EndProgram"};
    EXPECT_EQ(routinesOf(visitedRows(outcome.trace)), expected);
}

struct Rejection {
    const char* name;
    std::vector<Record> records;
    int failingRow;
    TokenCode status;
    std::string_view message;
};

TEST(Engine, RejectionsReportMessage1AtTheLineAndWordTheyStandAt) {
    const std::vector<Rejection> cases = {
        {"в ив01", {kSection000, {0xF300, "00 x"}, {0xA001, "x"}, {0x8001, "x"}}, 40, 0x8001,
         "Ошибка!!! (3, слово №2).Синтаксическая ошибка!"_cp},
        {"a line starting with тогда",
         {kSection000, {0xF300, "00 x"}, {0xA001, "x"}, {0x3001, "x"}, {0xF301, "01 x"}, {0x9002, "x"}}, 17, 0x9002,
         "Ошибка!!! (3, слово №2).Синтаксическая ошибка!"_cp},
        {"expression then дв", {kSection000, {0xF300, "00 x"}, {0x4001, "x"}, {0xB03D, "="}, {0x2001, "x"}, {0x3001, "x"}},
         64, 0x3001, "Ошибка!!! (3, слово №4).Синтаксическая ошибка!"_cp},
        {"second operand then дв",
         {kSection000, {0xF300, "00 x"}, {0x4001, "x"}, {0xB03D, "="}, {0x2001, "x"}, {0xB02B, "+"}, {0x2002, "x"},
          {0x3001, "x"}},
         79, 0x3001, "Ошибка!!! (3, слово №6).Синтаксическая ошибка!"_cp},
        {"first record not a section", {{0xA001, "x"}}, 2, 0xA001, "Ошибка!!! (1, слово №2).Синтаксическая ошибка!"_cp},
    };
    for (const Rejection& c : cases) {
        const auto outcome = runPass2(c.records);
        EXPECT_EQ(outcome.status, static_cast<int>(c.status)) << c.name;
        ASSERT_EQ(outcome.diagnostics.size(), 1u) << c.name;
        EXPECT_EQ(outcome.diagnostics[0].text(), c.message) << c.name;
        const auto rows = visitedRows(outcome.trace);
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows.back(), c.failingRow) << c.name;
        EXPECT_NE(outcome.trace.find("\nError: ["), std::string::npos) << c.name;
        for (const auto& slot : outcome.slots) EXPECT_TRUE(slot.empty()) << c.name;
    }
}

TEST(Engine, AcceptsWithoutAnyOperandRoutine) {
    for (TokenCode operand : {TokenCode{0x8001}, TokenCode{0x7001}}) {
        const auto outcome = runPass2({kSection000, {0xF300, "00 x"}, {0xA003, "x"}, {operand, "x"}});
        EXPECT_EQ(outcome.status, 0);
        const auto routines = routinesOf(visitedRows(outcome.trace));
        EXPECT_EQ(routines, (std::vector<std::string>{"BeginSection", "BeginStatement", "SetStatementContext", "EndProgram"}));
    }
}

TEST(Engine, AlgorithmCommandWithoutParameterLinesEndsThroughRow118) {
    const auto outcome = runPass2({kSection000, {0xF300, "00 x"}, {0xC078, "x"}});
    EXPECT_EQ(outcome.status, 0);
    const auto rows = visitedRows(outcome.trace);
    const std::vector<int> tail{44, 45, 117, 118, 122, 17};
    const auto at = std::find(rows.begin(), rows.end(), 44) - rows.begin();
    EXPECT_EQ(rowsBetween(rows, static_cast<std::size_t>(at), tail.size()), tail);
}

TEST(Engine, TwoPassesShareNothing) {
    const std::vector<Record> records = {kSection000, {0xF300, "00 x"}, {0xA001, "x"}, {0x3011, "x"}};
    const auto first = runPass2(records);
    const auto second = runPass2(records);
    EXPECT_EQ(first.slots, second.slots);
    EXPECT_EQ(first.trace, second.trace);
}

TEST(Engine, NestingDeeperThanTheStackReportsMessage1) {
    std::vector<Record> records = {kSection000, {0xF300, "00 x"}};
    for (int i = 0; i < 1200; ++i) records.push_back({0xB028, "("});
    for (const bool traced : {true, false}) {
        const auto outcome = runPass2(records, {}, traced);
        EXPECT_NE(outcome.status, 0);
        ASSERT_EQ(outcome.diagnostics.size(), 1u);
        EXPECT_NE(outcome.diagnostics[0].text().find("Синтаксическая ошибка!"_cp), std::string::npos);
    }
}

// Random sequences of tokens in numbered lines: the engine accepts, or stops with
// exactly one message 1, and it never reads past the end of the records.
TEST(Engine, RandomListingsAreAcceptedOrGiveExactlyOneMessage) {
    const TokenCode vocabulary[] = {0x1001, 0x2001, 0x3001, 0x4001, 0x5001, 0x6001, 0x7001, 0x8001, 0x9001,
                                    0x9002, 0x9003, 0x9101, 0xA001, 0xA002, 0xA003, 0xA004, 0xA104, 0xA105,
                                    0xB028, 0xB029, 0xB02B, 0xB02D, 0xB03C, 0xB03D, 0xB03E, 0xB101, 0xB102,
                                    0xC078, 0xD001, 0xD100, 0xE000};
    std::mt19937 random(12345);
    int accepted = 0;
    for (int run = 0; run < 3000; ++run) {
        std::vector<Record> records;
        int section = 0;
        const int lines = 1 + static_cast<int>(random() % 8);
        records.push_back({0xF200u + static_cast<unsigned>(section), "s"});
        for (int line = 0; line < lines; ++line) {
            if (random() % 6 == 0) records.push_back({0xF200u + static_cast<unsigned>(++section), "s"});
            records.push_back({0xF300u + static_cast<unsigned>(line), "l"});
            const int words = 1 + static_cast<int>(random() % 5);
            for (int w = 0; w < words; ++w) {
                const TokenCode t = vocabulary[random() % std::size(vocabulary)];
                records.push_back({t, t == 0xE000 ? "5.000000" : "w"});
            }
        }
        const auto outcome = runPass2(records);
        // Without a trace the engine jumps over rows that pass the token on; nothing else changes.
        const auto untraced = runPass2(records, {}, false);
        EXPECT_EQ(untraced.status, outcome.status);
        EXPECT_EQ(untraced.slots, outcome.slots);
        EXPECT_EQ(untraced.diagnostics.entries().size(), outcome.diagnostics.entries().size());
        if (!outcome.diagnostics.empty()) {
            EXPECT_EQ(untraced.diagnostics.entries().back().text(), outcome.diagnostics.entries().back().text());
        }
        int syntaxErrors = 0;
        for (const auto& d : outcome.diagnostics.entries())
            if (d.syntaxMessage() == SyntaxMessage::SyntaxError) ++syntaxErrors;
        if (outcome.status == 0) {
            ++accepted;
            EXPECT_EQ(syntaxErrors, 0);
        } else {
            EXPECT_EQ(syntaxErrors, 1);
        }
        std::size_t ends = 0;
        for (std::size_t p = outcome.trace.find("[F000]"); p != std::string::npos; p = outcome.trace.find("[F000]", p + 1))
            ++ends;
        EXPECT_LE(ends, 2u);
    }
    EXPECT_GT(accepted, 0);
}

}  // namespace
}  // namespace vestrel
