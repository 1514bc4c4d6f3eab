// Double-length and mantissa/exponent arithmetic: the exact line of each template and what
// the line computes.
#include <gtest/gtest.h>

#include "translator/algorithms/algorithm_line_harness.h"

namespace vestrel {
namespace {
using namespace testing;

struct LineCase {
    const char* what;
    int index;
    std::vector<ParameterValue> parameters;
    std::string expected;
};

void expectLines(const std::vector<LineCase>& cases) {
    for (const LineCase& c : cases) {
        const CommandOutcome outcome = runCommand(c.index, c.parameters);
        EXPECT_EQ(outcome.pass2.status, 0) << c.what;
        EXPECT_TRUE(outcome.pass2.diagnostics.empty()) << c.what;
        ASSERT_EQ(outcome.lines.size(), 1u) << c.what;
        EXPECT_EQ(outcome.lines.front(), c.expected) << c.what;
    }
}

const std::string kNormaliseTail =
    "; ELSE; F2 ABS F0; F3 = F2; F3 - 501; SIGN F3; WHILE F3; F0 * 2; F1 - 1; F2 * 2; F3 = F2; F3 - 501; SIGN F3; "
    "END_WHILE; F3 = 1000; F3 - F2; SIGN F3; WHILE F3; F0 / 2; F1 + 1; F2 / 2; F3 = 1000; F3 - F2; SIGN F3; "
    "END_WHILE";

std::string storeNormalised(const std::string& m, const std::string& e) {
    return "; IF; F0 == 0; THEN; " + m + " = 0; " + e + " = 0" + kNormaliseTail + "; " + m + " = F0; " + e +
           " = F1; END_IF";
}

const std::string kScaleByExponent =
    "; WHILE F1; IF; F1 < 0; THEN; F1 + 1; F0 / 2; ELSE; F1 - 1; F0 * 2; END_IF; END_WHILE";

TEST(DoubleLength, WritesTheLinesOfAdditionComparisonAndScaling) {
    expectLines({
        {"0o40 with a negative low part", 040, {va(1), negative(va(2)), va(3), number(5), av(4), av(5)},
         "  F0 = I2; F1 = I3; F0 + F1; F1 CHGSIGN I4; F2 = 5; F1 + F2"
         "; IF; F1 > 1000; THEN; F0 + 1; F1 - 1000; END_IF; IF; F1 < -1000; THEN; F0 - 1; F1 + 1000; END_IF"
         "; Q5 = F0; Q6 = F1"},
        {"0o41 with the weight of дв013", 041, {va(1), va(2), number(-100), va(3), dv(013)},
         "  F0 = I2; F1 = I3; F0 * 1000; F0 + F1; F1 CHGSIGN 100; F2 = I4; F1 * 1000; F1 + F2"
         "; F0 - F1; SIGN F0; F0 * 8; Q5 | F0"},
        {"0o42 with p2 negative and a negative constant factor", 042,
         {va(1), negative(va(2)), number(-3), av(3), av(4)},
         "  F0 = I2; F0 * 1000; F0 - I3; F0 * -3; F0 / 1000; F1 = F0; F1 % 1000; Q4 = F1; F0 - F1; F0 / 1000; Q5 = F0"},
        {"0o42 with a negative variable factor", 042, {number(-2), va(1), negative(va(2)), av(3), av(4)},
         "  F0 CHGSIGN 2; F0 * 1000; F0 + I2; F1 CHGSIGN I3; F0 * F1; F0 / 1000; F1 = F0; F1 % 1000"
         "; Q4 = F1; F0 - F1; F0 / 1000; Q5 = F0"},
    });
}

TEST(MantissaExponent, WritesTheLinesOfTheFourOperations) {
    expectLines({
        {"0o50", 050, {va(1), va(2), negative(va(3)), number(-4), av(4), av(5)},
         "  F0 = I2; F1 = I3; F2 CHGSIGN I4; F3 CHGSIGN 4; F4 = F1; F4 - F3; WHILE F4; IF; F4 < 0; THEN; F2 * 2"
         "; F3 - 1; ELSE; F0 * 2; F1 - 1; END_IF; F4 = F1; F4 - F3; END_WHILE; F0 + F2" +
             storeNormalised("Q5", "Q6")},
        {"0o51 negative variables", 051, {va(1), va(2), negative(va(3)), negative(va(4)), av(5), av(6)},
         "  F0 = I2; F1 CHGSIGN I3; F0 * F1; F1 = I4; F1 - I5" + storeNormalised("Q6", "Q7")},
        {"0o51 constants", 051, {number(600), number(3), number(-700), number(2), av(1), av(2)},
         "  F0 = 600; F1 CHGSIGN 700; F0 * F1; F1 = 3; F1 + 2" + storeNormalised("Q2", "Q3")},
        {"0o52 negative variables", 052, {va(1), va(2), negative(va(3)), negative(va(4)), av(5), av(6)},
         "  F0 = I2; F1 CHGSIGN I3; F0 / F1; F1 = I4; F1 + I5" + storeNormalised("Q6", "Q7")},
        {"0o52 constants", 052, {number(600), number(3), number(700), number(2), av(1), av(2)},
         "  F0 = 600; F0 / 700; F1 = 3; F1 - 2" + storeNormalised("Q2", "Q3")},
        {"0o53", 053, {va(1), negative(va(2)), av(3), av(4)},
         "  F0 = I2; F1 CHGSIGN I3; F2 ABS F1; F2 % 2; IF; F2 == 1; THEN; F0 / 2; F1 + 1; END_IF; F2 SIGN F0; ! F2"
         "; ABS F0; SQRT F0; F2 * 2; F2 - 1; F0 * F2; F1 / 2" +
             storeNormalised("Q4", "Q5")},
    });
}

TEST(MantissaExponent, WritesTheLinesOfTheConversions) {
    expectLines({
        {"0o60", 060, {negative(va(1)), av(2), av(3)}, "  F0 CHGSIGN I2; F1 = 0" + storeNormalised("Q3", "Q4")},
        {"0o61 with p2 negative", 061, {va(1), negative(va(2)), av(3), av(4)},
         "  F0 = I2; F1 = 0; F0 * 1000; F0 - I3" + storeNormalised("Q4", "Q5")},
        // The result is named in the zero test, before the exponent is loaded.
        {"0o62", 062, {va(1), negative(va(2)), av(3)},
         "  IF; I2 == 0; THEN; Q3 = 0; ELSE; F0 = I2; F1 CHGSIGN I4" + kScaleByExponent + "; Q3 = F0; END_IF"},
        {"0o62 with a constant mantissa", 062, {number(-600), number(2), av(1)},
         "  IF; 600 == 0; THEN; Q2 = 0; ELSE; F0 CHGSIGN 600; F1 = 2" + kScaleByExponent + "; Q2 = F0; END_IF"},
        {"0o63", 063, {va(1), va(2), av(3), av(4)},
         "  IF; I2 == 0; THEN; Q3 = 0; Q4 = 0; ELSE; F0 = I2; F1 = I5" + kScaleByExponent +
             "; F1 = F0; F1 % 1000; Q4 = F1; F0 / 1000; F0 % 1000; Q3 = F0; END_IF"},
        {"0o63 with a constant mantissa", 063, {number(0), va(1), av(2), av(3)},
         "  IF; 0 == 0; THEN; Q2 = 0; Q3 = 0; ELSE; F0 = 0; F1 = I4" + kScaleByExponent +
             "; F1 = F0; F1 % 1000; Q3 = F1; F0 / 1000; F0 % 1000; Q2 = F0; END_IF"},
    });
}

// Runs a command whose inputs are constants and whose results are its last parameters,
// named Q2, Q3, ... in that order; returns the results.
std::vector<double> resultsOf(int index, std::vector<ParameterValue> parameters, int results,
                              std::map<std::string, double> registers = {}) {
    for (int r = 0; r < results; ++r) parameters.push_back(av(r + 1));
    const std::string line = commandLine(index, parameters);
    for (int r = 0; r < results; ++r) registers.emplace("Q" + std::to_string(r + 2), 77);  // not yet written
    const auto after = evaluateLine(line, registers);
    if (!after) return {};
    std::vector<double> out;
    for (int r = 0; r < results; ++r) out.push_back(after->at("Q" + std::to_string(r + 2)));
    return out;
}

using Values = std::vector<double>;

TEST(DoubleLength, CarriesOnlyPastPlusOrMinusOneThousand) {
    struct Case { int aHigh, aLow, bHigh, bLow; Values sum; };
    const Case cases[] = {
        {1, 500, 2, 500, {3, 1000}},     // exactly 1000 stays in the low part
        {1, 501, 2, 500, {4, 1}},
        {-1, -500, -2, -500, {-3, -1000}},
        {-1, -501, -2, -500, {-4, -1}},
        {5, -300, 0, 100, {5, -200}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(resultsOf(040, {number(c.aHigh), number(c.aLow), number(c.bHigh), number(c.bLow)}, 2), c.sum)
            << c.aHigh << "," << c.aLow << " + " << c.bHigh << "," << c.bLow;
}

TEST(DoubleLength, SetsTheBitOnlyWhenAIsBelowB) {
    struct Case { int aHigh, aLow, bHigh, bLow; double before, after; };
    const Case cases[] = {
        {1, 999, 2, 0, 0, 8},     // 1999 < 2000
        {2, 0, 2, 0, 0, 0},       // equal: unchanged
        {2, 0, 2, 0, 8, 8},
        {-1, 0, -1, 1, 1, 9},     // other bits are kept
        {3, 0, 2, 999, 0, 0},
    };
    for (const Case& c : cases) {
        const std::string line = commandLine(041, {number(c.aHigh), number(c.aLow), number(c.bHigh), number(c.bLow), dv(013)});
        const auto after = evaluateLine(line, {{"Q2", c.before}});
        ASSERT_TRUE(after) << line;
        EXPECT_EQ(after->at("Q2"), c.after) << c.aHigh << "," << c.aLow << " < " << c.bHigh << "," << c.bLow;
    }
}

TEST(DoubleLength, ScalesByAFactorPerThousand) {
    struct Case { int high, low, factor; Values lowAndHigh; };
    const Case cases[] = {
        {4, 0, 250, {0, 1}},          // 4000 × 250 / 1000 = 1000
        {3, 200, -5, {-16, 0}},       // 3200 × -5 / 1000 = -16
        {2, -500, 1000, {500, 1}},    // a negative low part is subtracted: 1500
    };
    for (const Case& c : cases)
        EXPECT_EQ(resultsOf(042, {number(c.high), number(c.low), number(c.factor)}, 2), c.lowAndHigh)
            << c.high << "," << c.low << " x " << c.factor;
}

TEST(MantissaExponent, NormalisesConvertedValues) {
    struct Case { int index; std::vector<int> inputs; Values me; };
    const Case cases[] = {
        {060, {0}, {0, 0}},
        {060, {3}, {768, -8}},
        {060, {500}, {1000, -1}},
        {060, {501}, {501, 0}},
        {060, {-1000}, {-1000, 0}},
        {061, {0, 0}, {0, 0}},        // zero test after the scaling
        {061, {0, 5}, {640, -7}},
        {061, {2, 0}, {1000, 1}},
        {061, {1, -500}, {1000, -1}},
    };
    for (const Case& c : cases) {
        std::vector<ParameterValue> inputs;
        for (int v : c.inputs) inputs.push_back(number(v));
        EXPECT_EQ(resultsOf(c.index, inputs, 2), c.me) << std::oct << c.index << std::dec << " " << c.inputs.front();
    }
}

TEST(MantissaExponent, ComputesSumsProductsQuotientsAndRoots) {
    struct Case { const char* what; int index; std::vector<int> inputs; Values me; };
    const Case cases[] = {
        {"600·2 + 600·2", 050, {600, 1, 600, 1}, {600, 2}},
        {"600·4 + 600", 050, {600, 2, 600, 0}, {750, 2}},
        {"600 + 600·4", 050, {600, 0, 600, 2}, {750, 2}},
        {"600 - 600", 050, {600, 0, -600, 0}, {0, 0}},
        {"512 × 512", 051, {512, 0, 512, 0}, {512, 9}},
        {"512 × -512·2", 051, {512, 0, -512, 2}, {-512, 11}},
        {"512·8 / 512·2", 052, {512, 3, 512, 1}, {512, -7}},
        {"512·8 / -512·2^-1", 052, {512, 3, -512, -1}, {-512, -5}},
        {"sqrt 512·8", 053, {512, 3}, {512, -3}},
        {"sqrt of a negative mantissa keeps its sign", 053, {-576, 4}, {-768, -3}},
    };
    for (const Case& c : cases) {
        std::vector<ParameterValue> inputs;
        for (int v : c.inputs) inputs.push_back(number(v));
        EXPECT_EQ(resultsOf(c.index, inputs, 2), c.me) << c.what;
    }
}

TEST(MantissaExponent, ConvertsBackToValuesAndDoubleLengthValues) {
    EXPECT_EQ(resultsOf(062, {number(600), number(2)}, 1), Values{2400});
    EXPECT_EQ(resultsOf(062, {number(600), number(-3)}, 1), Values{75});
    EXPECT_EQ(resultsOf(062, {number(0), number(5)}, 1), Values{0});
    EXPECT_EQ(resultsOf(063, {number(625), number(3)}, 2), (Values{5, 0}));
    EXPECT_EQ(resultsOf(063, {number(-625), number(4)}, 2), (Values{-10, 0}));
    EXPECT_EQ(resultsOf(063, {number(0), number(4)}, 2), (Values{0, 0}));
}

}  // namespace
}  // namespace vestrel
