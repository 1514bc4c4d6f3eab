// Analog functions: the exact line of each template and what the line computes.
#include <gtest/gtest.h>

#include <cmath>

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

const ParameterValue kHalf = decimal("0.500000");

TEST(WeightedSum030, WritesFourCharacterCoefficientsWithTheirSigns) {
    expectLines({
        {"0.5 and -0.5", 030,
         {va(1), kHalf, va(2), negative(kHalf), number(-7), decimal("1.250000"), av(3)},
         "  F0 = I2; F0 * 0.50; F1 = I3; F1 * -0.50; F0 + F1; F1 CHGSIGN 7; F1 * 1.25; F0 + F1; Q4 = F0"},
        {"negative first value and coefficient, bounds of the coefficient", 030,
         {negative(va(1)), negative(kHalf), number(1000), decimal("1.990000"), av(5), decimal("0.000000"), av(6)},
         "  F0 CHGSIGN I2; F0 * -0.50; F1 = 1000; F1 * 1.99; F0 + F1; F1 = Q3; F1 * 0.00; F0 + F1; Q4 = F0"},
    });
}

TEST(MultiplyDivide031, WritesNegativeConstantsAsNumbersAndNegativeVariablesThroughF1) {
    expectLines({
        {"divides by -5", 031, {va(1), va(2), number(-5), av(3)}, "  F0 = I2; F0 * I3; F0 / -5; Q4 = F0"},
        {"negative constant factor", 031, {va(1), number(-3), number(7), av(2)}, "  F0 = I2; F0 * -3; F0 / 7; Q3 = F0"},
        {"negative variables", 031, {number(-12), negative(va(1)), negative(va(2)), av(3)},
         "  F0 CHGSIGN 12; F1 CHGSIGN I2; F0 * F1; F1 CHGSIGN I3; F0 / F1; Q4 = F0"},
    });
}

TEST(SignedRoot032, PutsTheSignOfTheProductOnTheFirstFactor) {
    const std::string tail = "; F1 SIGN F0; ! F1; ABS F0; SQRT F0; F1 * 2; F1 - 1; F0 * F1; Q4 = F0";
    expectLines({
        {"no signs", 032, {va(1), va(2), av(3)}, "  F0 = I2; F0 * I3" + tail},
        {"first negative", 032, {negative(va(1)), va(2), av(3)}, "  F0 CHGSIGN I2; F0 * I3" + tail},
        {"second negative", 032, {va(1), negative(va(2)), av(3)}, "  F0 CHGSIGN I2; F0 * I3" + tail},
        {"both negative", 032, {negative(va(1)), negative(va(2)), av(3)}, "  F0 = I2; F0 * I3" + tail},
        {"negative constant", 032, {va(1), number(-4), av(2)},
         "  F0 CHGSIGN I2; F0 * 4; F1 SIGN F0; ! F1; ABS F0; SQRT F0; F1 * 2; F1 - 1; F0 * F1; Q3 = F0"},
    });
}

TEST(SignedRoot032, GivesTheRootTheSignOfTheProduct) {
    struct Case { double a, b, root; };
    for (const Case& c : {Case{4, 9, 6}, Case{-4, 9, -6}, Case{4, -9, -6}, Case{-4, -9, 6}, Case{0, 9, 0}}) {
        const auto with = [](ParameterValue v, double x) { return x < 0 ? negative(v) : v; };
        const std::string line = commandLine(032, {with(va(1), c.a), with(va(2), c.b), av(3)});
        const auto result = evaluateLine(line, {{"I2", std::fabs(c.a)}, {"I3", std::fabs(c.b)}});
        ASSERT_TRUE(result) << line;
        EXPECT_EQ(result->at("Q4"), c.root) << c.a << " " << c.b;
    }
}

// Points (100, 0), (200, Y2 = ва003), (300, 500), (400, 1000).
const std::vector<ParameterValue> kPositivePoints{va(1),       av(2),      number(100), number(0),   number(200),
                                                  va(3),       number(300), number(500), number(400), number(1000)};
// Points (-800, -1000), (-ва003, -500), (-400, ва004), (-200, -ва005), input -ва001.
const std::vector<ParameterValue> kNegativePoints{
    negative(va(1)), av(2),         number(-800), number(-1000), negative(va(3)),
    number(-500),    number(-400),  va(4),        number(-200),  negative(va(5))};

TEST(Characteristic033, WritesFourNestedTestsAndThreeSegments) {
    expectLines({
        {"positive points", 033, kPositivePoints,
         "  F5 = I2; IF; F0 = 100; F5 < F0; THEN; Q3 = 0; ELSE; IF; F5 > 400; THEN; Q3 = 1000; ELSE; IF; F5 < 200; THEN"
         "; F1 = I4; F1 - 0; F0 = 200; F0 - 100; F1 / F0; F0 = F5; F0 - 100; F0 * F1; F0 + 0; Q3 = F0; ELSE; IF"
         "; F5 < 300; THEN"
         "; F1 = 500; F1 - I4; F0 = 300; F0 - 200; F1 / F0; F0 = F5; F0 - 200; F0 * F1; F0 + I4; Q3 = F0; ELSE"
         "; F1 = 1000; F1 - 500; F0 = 400; F0 - 300; F1 / F0; F0 = F5; F0 - 300; F0 * F1; F0 + 500; Q3 = F0"
         "; END_IF; END_IF; END_IF; END_IF"},
        {"negative points", 033, kNegativePoints,
         "  F5 CHGSIGN I2; IF; F0 CHGSIGN 800; F5 < F0; THEN; Q3 CHGSIGN 1000; ELSE; IF"
         "; F0 CHGSIGN 200; F5 > F0; THEN; Q3 CHGSIGN I4; ELSE; IF; F0 CHGSIGN I5; F5 < F0; THEN"
         "; F1 CHGSIGN 500; F1 + 1000; F0 CHGSIGN I5; F0 + 800; F1 / F0; F0 = F5; F0 + 800; F0 * F1; F0 - 1000"
         "; Q3 = F0; ELSE; IF; F0 CHGSIGN 400; F5 < F0; THEN"
         "; F1 = I6; F1 + 500; F0 CHGSIGN 400; F0 + I5; F1 / F0; F0 = F5; F0 + I5; F0 * F1; F0 - 500; Q3 = F0; ELSE"
         "; F1 CHGSIGN I4; F1 - I6; F0 CHGSIGN 200; F0 + 400; F1 / F0; F0 = F5; F0 + 400; F0 * F1; F0 + I6; Q3 = F0"
         "; END_IF; END_IF; END_IF; END_IF"},
    });
}

TEST(Characteristic033, HoldsTheEndValuesOutsideAndInterpolatesBetweenThePoints) {
    const std::string positive = commandLine(033, kPositivePoints);
    const std::string negativeLine = commandLine(033, kNegativePoints);
    struct Case { double x, y; };
    for (const Case& c : {Case{0, 0}, Case{100, 0}, Case{150, 125}, Case{200, 250}, Case{250, 375}, Case{300, 500},
                          Case{350, 750}, Case{400, 1000}, Case{1000, 1000}}) {
        const auto result = evaluateLine(positive, {{"I2", c.x}, {"I4", 250}});
        ASSERT_TRUE(result) << positive;
        EXPECT_EQ(result->at("Q3"), c.y) << "x = " << c.x;
    }
    for (const Case& c : {Case{-1000, -1000}, Case{-800, -1000}, Case{-700, -750}, Case{-600, -500},
                          Case{-500, -375}, Case{-300, -175}, Case{-200, -100}, Case{0, -100}}) {
        const auto result = evaluateLine(negativeLine, {{"I2", -c.x}, {"I5", 600}, {"I6", -250}, {"I4", 100}});
        ASSERT_TRUE(result) << negativeLine;
        EXPECT_EQ(result->at("Q3"), c.y) << "x = " << c.x;
    }
}

TEST(Characteristic033, TakesX1IntoTheFirstSegmentAndX4IntoTheThird) {
    // Only a segment leaves its slope in F1; the branches below X1 and above X4 leave it alone.
    const std::string line = commandLine(033, kPositivePoints);
    struct Case { double x, y, slope; };
    for (const Case& c : {Case{99, 0, -1}, Case{100, 0, 2.5}, Case{400, 1000, 5}, Case{401, 1000, -1}}) {
        const auto result = evaluateLine(line, {{"I2", c.x}, {"I4", 250}, {"F1", -1}});
        ASSERT_TRUE(result) << line;
        EXPECT_EQ(result->at("Q3"), c.y) << "x = " << c.x;
        EXPECT_EQ(result->at("F1"), c.slope) << "x = " << c.x;
    }
}

// The scan of p2..p8 with the comparison op: what 0o34 writes for ва001, -ва002, 5, -6, ва003..ва006.
std::string scanOf(const std::string& op) {
    return "; IF; F2 CHGSIGN  I3; F0 " + op + " F2; THEN; F1 = 2; F0 CHGSIGN I3; END_IF"
           "; IF; F0 " + op + " 5; THEN; F1 = 3; F0 = 5; END_IF"
           "; IF; F2 CHGSIGN 6; F0 " + op + " F2; THEN; F1 = 4; F0 CHGSIGN 6; END_IF"
           "; IF; F0 " + op + " I4; THEN; F1 = 5; F0 = I4; END_IF"
           "; IF; F0 " + op + " I5; THEN; F1 = 6; F0 = I5; END_IF"
           "; IF; F0 " + op + " I6; THEN; F1 = 7; F0 = I6; END_IF"
           "; IF; F0 " + op + " I7; THEN; F1 = 8; F0 = I7; END_IF";
}

TEST(MinMax034, WritesTheModeAndBothScans) {
    const std::vector<ParameterValue> values{va(1), negative(va(2)), number(5), number(-6), va(3), va(4), va(5), va(6)};
    auto with = [&](ParameterValue mode) {
        std::vector<ParameterValue> p = values;
        p.insert(p.end(), {av(7), av(010), mode});
        return p;
    };
    const std::string body = "; F0 = I2; F1 = 1; IF; F2 > 0; THEN" + scanOf("<") + "; ELSE" + scanOf(">") + "; END_IF";
    expectLines({
        {"вкл", 034, with(switchOn()), "  F2 = 1" + body + "; Q8 = F0; Q9 = F1"},
        {"откл", 034, with(switchOff()), "  F2 = 0" + body + "; Q8 = F0; Q9 = F1"},
    });
    // A bit variable as the mode is registered first and read through its mask.
    const std::string line = commandLine(034, {number(1), number(2), number(3), number(4), number(5), number(6),
                                               number(7), number(8), av(1), av(2), dv(013)});
    EXPECT_EQ(line.substr(0, 36), "  F2 = Q2; F2 & 8; F0 = 1; F1 = 1; I");
    EXPECT_TRUE(line.ends_with("; F0 > 8; THEN; F1 = 8; F0 = 8; END_IF; END_IF; Q3 = F0; Q4 = F1")) << line;
}

TEST(MinMax034, FindsTheLargestOrSmallestAndTheFirstOfEqualValues) {
    struct Case {
        const char* what;
        std::vector<int> values;
        ParameterValue mode;
        double value, position;
    };
    const Case cases[] = {
        {"eight equal, largest", {7, 7, 7, 7, 7, 7, 7, 7}, switchOn(), 7, 1},
        {"eight equal, smallest", {7, 7, 7, 7, 7, 7, 7, 7}, switchOff(), 7, 1},
        {"largest", {3, -9, 40, 2, 40, -1, 0, 12}, switchOn(), 40, 3},
        {"smallest", {3, -9, 40, 2, 40, -9, 0, 12}, switchOff(), -9, 2},
        {"last is largest", {-5, -4, -3, -2, -1, 0, 1, 2}, switchOn(), 2, 8},
    };
    for (const Case& c : cases) {
        std::vector<ParameterValue> p;
        for (int v : c.values) p.push_back(number(v));
        p.insert(p.end(), {av(1), av(2), c.mode});
        const std::string line = commandLine(034, p);
        const auto result = evaluateLine(line);
        ASSERT_TRUE(result) << line;
        EXPECT_EQ(result->at("Q2"), c.value) << c.what;
        EXPECT_EQ(result->at("Q3"), c.position) << c.what;
    }
    // The mode bit of a variable is read through its mask.
    const std::string line = commandLine(034, {number(1), number(2), number(3), number(4), number(5), number(6),
                                               number(7), number(8), av(1), av(2), dv(013)});
    EXPECT_EQ(evaluateLine(line, {{"Q2", 8}})->at("Q4"), 8);
    EXPECT_EQ(evaluateLine(line, {{"Q2", 7}})->at("Q4"), 1);
}

}  // namespace
}  // namespace vestrel
