// Parameter checks and the renderings every template relies on.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "translator/algorithms/algorithm_framework.h"
#include "translator/algorithms/scan_text.h"

namespace vestrel {
namespace {

TEST(FormatReal, PlainOrExponentFormWithFifteenSignificantDigits) {
    struct Case { double value; const char* text; };
    const Case cases[] = {
        {0.05, "0.05"}, {12.5, "12.5"}, {1000, "1000"}, {9e-5, "9E-5"}, {1.5e20, "1.5E20"}, {-12.5, "-12.5"},
        {-9e-5, "-9E-5"}, {0, "0"}, {0.0001, "0.0001"}, {999999999999999.0, "999999999999999"},
        {1e15, "1E15"}, {0.1 + 0.2, "0.3"}, {1.0 / 3.0, "0.333333333333333"}, {2.0 / 3.0, "0.666666666666667"},
        {123456789.123456789, "123456789.123457"}, {0.99999999999999999, "1"}, {0.000099999999999999999, "0.0001"},
        {1234567, "1234567"}, {1e-10, "1E-10"}, {1.25e-7, "1.25E-7"},
    };
    for (const Case& c : cases) EXPECT_EQ(formatReal(c.value), c.text) << c.value;
}

TEST(Renderings, ConstantTextSecondsOfAndScanning) {
    EXPECT_EQ(ConstantText("12.500000"), "13");
    EXPECT_EQ(ConstantText("12.000000"), "12");
    EXPECT_EQ(ConstantText("0.000000"), "0");
    EXPECT_EQ(SecondsOf("01.02.03"), 3723);
    EXPECT_EQ(SecondsOf("72.14.56"), 260096);
    EXPECT_EQ(leadingInteger("12.500000"), 12);
    EXPECT_EQ(leadingInteger("x"), 0);
    std::int32_t a = 7, b = 7, c = 7;
    EXPECT_EQ(scanIntegers(".05.30.1", "%d.%d.%d", {&a, &b, &c}), 0);
    EXPECT_EQ(a, 7);
    EXPECT_EQ(scanIntegers(".05.30.1", ".%d.%d.%d", {&a, &b, &c}), 3);
    EXPECT_EQ(c, 1);
}

TEST(AlgorithmRecords, TemplatesStateWordsAndCountsOfEveryIndex) {
    const std::set<int> templated = {01,   02,   03,   04,   010,  011,  012,  013,  014,  015,  030,  031,  032,
                                     033,  034,  040,  041,  042,  050,  051,  052,  053,  060,  061,  062,  063,
                                     0100, 0101, 0102, 0103, 0104, 0130, 0131, 0132, 0133, 0134, 0135};
    const std::map<int, int> stateWords = {{01, 3}, {02, 2}, {03, 4}, {04, 4}, {010, 2}, {011, 3}, {012, 2}, {015, 1}};
    std::set<AlgorithmTemplate> distinct;
    for (int index = 0; index < kAlgorithmCount; ++index) {
        const AlgorithmInfoEntry& info = AlgorithmInfo[static_cast<std::size_t>(index)];
        const bool expected = templated.contains(index);
        EXPECT_EQ(templateOf(index) != nullptr, expected) << std::oct << index;
        EXPECT_EQ(info.hasTemplate, expected) << std::oct << index;
        if (expected) distinct.insert(templateOf(index));
        const auto words = stateWords.find(index);
        EXPECT_EQ(info.stateWords, words == stateWords.end() ? 0 : words->second) << std::oct << index;
    }
    EXPECT_EQ(distinct.size(), templated.size());  // no template stands for two indexes
    EXPECT_EQ(templateOf(-1), nullptr);
    EXPECT_EQ(templateOf(kAlgorithmCount), nullptr);
    struct Count { int index; int parameters; bool accepted; };
    const Count counts[] = {{01, 13, true}, {03, 14, true}, {0130, 3, true}, {0140, 1, true}, {0170, 0, true},
                            {0175, 2, false}, {0176, 0, false}, {0, 0, false}};
    for (const Count& c : counts) {
        EXPECT_EQ(ExpectedParameterCount(c.index), c.parameters) << std::oct << c.index;
        EXPECT_EQ(AlgorithmInfo[static_cast<std::size_t>(c.index)].implemented, c.accepted) << std::oct << c.index;
    }
    EXPECT_EQ(ExpectedParameterCount(-1), 0);
    EXPECT_EQ(ExpectedParameterCount(kAlgorithmCount), 0);
}

TEST(ParameterKinds, EachKindCarriesTheMessageThatRejectsIt) {
    // Kinds 1..12 give messages 4..15 in their order; None gives message 3.
    ASSERT_EQ(kParameterKindCount, 13);
    for (int kind = 0; kind < kParameterKindCount; ++kind)
        EXPECT_EQ(codeOf(messageOf(static_cast<ParameterKind>(kind))), kind == 0 ? 3 : kind + 3) << kind;
}

// A command of one index with a single parameter value.
int checkOne(int index, TokenCode code, const std::string& text, int position = 0) {
    TKorvelAlgorithm algorithm;
    algorithm.index = index;
    algorithm.parameters[static_cast<std::size_t>(position)] = {text, code, 0};
    return codeOf(CheckParameter(algorithm, position));
}

TEST(CheckParameter, KindsAcceptWhatTheyNameAndGiveTheirMessage) {
    struct Case { const char* what; int index; int position; TokenCode code; const char* text; int expected; };
    const Case cases[] = {
        // kind 5 (0o1 p1): signed analog or a constant 0..1000 without a fraction
        {"5: 1000", 01, 0, 0xE000, "1000.000000", 0},
        {"5: 1001", 01, 0, 0xE000, "1001.000000", 8},
        {"5: 500.5", 01, 0, 0xE000, "500.500000", 8},
        {"5: ва", 01, 0, 0x2001, "ва", 0},
        {"5: дв", 01, 0, 0x3001, "дв", 8},
        {"5: missing", 01, 0, 0, "", 8},
        // kind 6 (0o1 p2): ав only
        {"6: ав", 01, 1, 0x4001, "", 0},
        {"6: ва", 01, 1, 0x2001, "", 9},
        // kind 10 (0o1 p6): a time up to 72.14.56
        {"10: 72.14.56", 01, 5, 0xB101, "72.14.56", 0},
        {"10: 72.14.57", 01, 5, 0xB101, "72.14.57", 13},
        {"10: 00.00.00", 01, 5, 0xB101, "00.00.00", 13},
        {"10: 00.00.01", 01, 5, 0xB101, "00.00.01", 0},
        {"10: tenths form", 01, 5, 0xB102, ".05.30.1", 13},
        // kind 11 (0o1 p3): 0.0 .. 100.0 in tenths
        {"11: 100", 01, 2, 0xE000, "100.000000", 0},
        {"11: 12.5", 01, 2, 0xE000, "12.500000", 0},
        {"11: 12.25", 01, 2, 0xE000, "12.250000", 14},
        {"11: 100.1", 01, 2, 0xE000, "100.100000", 14},
        // kind 12 (0o30 p2): 0.00 .. 1.99 in hundredths; 0.05 reads as 0.50 and passes
        {"12: 1.99", 030, 1, 0xE000, "1.990000", 0},
        {"12: 2", 030, 1, 0xE000, "2.000000", 15},
        {"12: 0.05", 030, 1, 0xE000, "0.050000", 0},
        // kind 2 (0o1 p9), 1, 3, 4, 7, 8, 9
        {"2: вкл", 01, 8, 0xA104, "", 0},
        {"2: тм", 01, 8, 0x7001, "", 0},
        {"2: ав", 01, 8, 0x4001, "", 5},
        {"1: откл", 0130, 2, 0xA105, "", 0},
        {"1: дв", 0130, 2, 0x3001, "", 4},
        {"3: вд", 0131, 0, 0x1001, "", 0},
        {"3: вкл", 0131, 0, 0xA104, "", 6},
        {"4: тм", 0131, 1, 0x7001, "", 0},
        {"4: вд", 0131, 1, 0x1001, "", 7},
        {"7: тм", 014, 0, 0x7001, "", 0},
        {"7: дв", 014, 0, 0x3001, "", 10},
        {"8: 128", 0130, 1, 0xE000, "128.000000", 0},
        {"8: 12.5 passes as 12", 0130, 1, 0xE000, "12.500000", 0},
        {"8: 0", 0130, 1, 0xE000, "0.000000", 11},
        {"9: 7", 0171, 0, 0xE000, "7.000000", 0},
        {"9: 8", 0171, 0, 0xE000, "8.000000", 12},
        // kind 0: nothing is accepted
        {"0: 0o140", 0140, 0, 0xE000, "1.000000", 3},
        {"past the table", 01, 14, 0xE000, "1.000000", 3},
    };
    for (const Case& c : cases) EXPECT_EQ(checkOne(c.index, c.code, c.text, c.position), c.expected) << c.what;
}

}  // namespace
}  // namespace vestrel
