// Dynamic-element templates (алг010..алг015): their own checks, the fragments that
// depend on the form of a parameter, the cases the texts leave open, and the cycle time.
#include <gtest/gtest.h>

#include <algorithm>

#include "command_program.h"

namespace vestrel {
namespace {
using testing::AlgorithmCommand;
using testing::diagnosticTexts;
using testing::onlyLine;
using testing::programLines;
using testing::statementLines;
using testing::statementsOf;
using testing::translate;

const AlgorithmCommand kDifferentiator{"010", {"ва001", "ав001", "12.5", "0", "1", "00.01.00", "0", "1"}};
const AlgorithmCommand kLag{"011", {"ва001", "ав001", "00.01.00", "0", "1"}};
const AlgorithmCommand kIntegrator{"012",
                                   {"ва001", "ав001", "00.01.00", "100", "2.5", "-100", "900", "откл", "откл"}};
const AlgorithmCommand kRateLimiter{"013", {"ва001", "ав001", "00.16.40", "100", "12.5"}};
const AlgorithmCommand kTimeProgram{
    "014", {"тм01", "ав001", "01.00.00", "100", "02.00.00", "500", "03.00.00", "-200", "04.00.00", "0"}};
const AlgorithmCommand kRamp{"015", {"ва001", "ав001", "00.00.10", "100", "2.5"}};

const std::string kMessage18 = "Параметр алгоритма должен быть: +ВА, -ВА, +АВ, -АВ";
const std::string kMessage20 =
    "7-й параметр алгоритма должен быть: константа от -1000 до +1000 (Ограничение Orvenix) ";
const std::string kMessage21 =
    "4-й параметр алгоритма должен быть: константа от -1000 до +1000 (Ограничение Orvenix) ";

bool contains(const std::string& line, const std::string& fragment) {
    return line.find(fragment) != std::string::npos;
}

TEST(DynamicElements, OwnChecksGiveTheirMessageAndNoTextNorRegisters) {
    struct Case {
        const char* what;
        AlgorithmCommand command;
        const std::string* message;  // nullptr: accepted
    };
    const Case cases[] = {
        {"010 p1 constant", kDifferentiator.with({{1, "100"}}), &kMessage18},
        {"010 p7 variable", kDifferentiator.with({{7, "ва002"}}), &kMessage20},
        {"010 p7 variable with sign", kDifferentiator.with({{7, "-ав002"}}), &kMessage20},
        {"011 p1 constant", kLag.with({{1, "100"}}), &kMessage18},
        {"011 p4 variable", kLag.with({{4, "ва002"}}), &kMessage21},
        {"012 p1 constant is accepted", kIntegrator.with({{1, "100"}}), nullptr},
        {"013 p1 constant is accepted", kRateLimiter.with({{1, "100"}}), nullptr},
        {"015 p1 constant is accepted", kRamp.with({{1, "100"}}), nullptr},
    };
    for (const Case& c : cases) {
        // A differentiator after it shows that the refused command took no state registers.
        const auto result = translate(programLines({c.command, kDifferentiator}));
        const auto lines = statementLines(result);
        if (c.message) {
            const std::string expected =
                "Ошибка!!! (" + std::to_string(c.command.values.size() + 3) + ", слово №2)." + *c.message;
            EXPECT_EQ(diagnosticTexts(result), std::vector<std::string>{expected}) << c.what;
            ASSERT_EQ(lines.size(), 1u) << c.what;
            EXPECT_EQ(lines[0].rfind("  W2 | 1; F0 = W2; F0 & 2; ", 0), 0u) << c.what << ": " << lines[0];
        } else {
            EXPECT_EQ(diagnosticTexts(result), std::vector<std::string>{}) << c.what;
            EXPECT_EQ(lines.size(), 2u) << c.what;
        }
    }
}

TEST(Differentiator, SignedInputAndZeroFilterTime) {
    const std::string line = onlyLine({kDifferentiator.with({{1, "-ва001"}})});
    EXPECT_TRUE(contains(line, "; IF; F0 == 0; THEN; F3 CHGSIGN I2; F3 * F1; W0 = F3; Q3= 0; ELSE; F2 CHGSIGN I2; "
                               "F2 - W0; F2 / I254; W0 CHGSIGN I2; W1 * 0.990875219140107; F2 * I254; W1 + F2; "
                               "F1 * W1; Q3 = F1; END_IF"))
        << line;
    // A correction that makes the filter time 0 keeps nothing of the previous derivative.
    EXPECT_TRUE(contains(onlyLine({kDifferentiator.with({{7, "-512"}})}), "; W1 * 0; F2 * I254; "));
}

TEST(Lag, DecayDividesByTheWholeSecondsOfTheCorrectedTimeConstant) {
    struct Case {
        const char* what;
        AlgorithmCommand command;
        const char* line;
    };
    const Case cases[] = {
        {"60 s", kLag, "  F1 = 60; Q2 * 0.990875219140107; F0 = I3; F0 / F1; F0 * I254; Q2 + F0"},
        {"the sign of the input is not applied", kLag.with({{1, "-ва001"}}),
         "  F1 = 60; Q2 * 0.990875219140107; F0 = I3; F0 / F1; F0 * I254; Q2 + F0"},
        {"1.5 s decays as 1 s", kLag.with({{3, "00.00.03"}, {4, "-256"}}),
         "  F1 = 1.5; Q2 * 0.576949810380487; F0 = I3; F0 / F1; F0 * I254; Q2 + F0"},
        {"0.5 s: no whole second, factor 0", kLag.with({{3, "00.00.01"}, {4, "-256"}}),
         "  F1 = 0.5; Q2 * 0; F0 = I3; F0 / F1; F0 * I254; Q2 + F0"},
        {"0 s", kLag.with({{3, "00.00.01"}, {4, "-512"}}), "  F1 = 0; Q2 * 0; F0 = I3; F0 / F1; F0 * I254; Q2 + F0"},
    };
    for (const Case& c : cases) EXPECT_EQ(onlyLine({c.command}), c.line) << c.what;
}

TEST(Integrator, HoldInputsAndLimits) {
    struct Case {
        const char* what;
        AlgorithmCommand command;
        const char* fragment;
    };
    const Case cases[] = {
        {"constant rate factor", kIntegrator, "  W2 | 1; F0 = W2; F0 & 2; F1 = 0.00559930008748906; IF; F0 == 0; "},
        {"run-time rate factor with sign", kIntegrator.with({{4, "-ва002"}}),
         "; F2 CHGSIGN 0.0048828125; F2 * I2; F2 + 1; F2 * 60; F1 = 0.05; F1 / F2; IF; F0 == 0; THEN; W0 = I3; "},
        {"no hold inputs", kIntegrator, "; F2 / 2; W0 = I2; W1 + F2; F3 = -100; "},
        {"no decrease", kIntegrator.with({{8, "вкл"}}), "; W0 = I2; CALL MAX (F2, 0); W1 + F2; "},
        {"no increase", kIntegrator.with({{9, "вкл"}}), "; W0 = I2; CALL MIN (F2, 0); W1 + F2; "},
        {"hold bits", kIntegrator.with({{8, "дв017"}, {9, "тм01"}}),
         "; W0 = I2; F0 = Q4; F0 & 128; IF; F0 > 0; THEN; CALL MAX 0 ( F2, 0); END_IF; F0 = Q5; F0 & 2; IF; "
         "F0 > 0; THEN; CALL MIN 0 ( F2, 0); END_IF; W1 + F2; "},
        {"limits -100 .. 900", kIntegrator,
         "; W1 + F2; F3 = -100; CALL MAX 0 ( W1, F3, F1); F3 = 900; CALL MIN 0 ( F1, F3, Q3); END_IF"},
        {"equal limits", kIntegrator.with({{6, "500"}, {7, "500"}}),
         "; W1 + F2; F3 = 500; CALL MAX 0 ( W1, F3, F1); F3 = 500; CALL MIN 0 ( F1, F3, Q3); END_IF"},
        {"limits 900 .. -100", kIntegrator.with({{6, "900"}, {7, "-100"}}),
         "; W1 + F2; F1 = W1; IF; Q3 < -100; THEN; IF; Q3 < F1; THEN; F3 = -100; CALL MIN 0 ( F1, F3, W1); END_IF; "
         "ELSE; IF; Q3 > 900; THEN; IF; Q3 > F1; THEN; F3 = 900; CALL MAX 0 ( F1, F3, W1); END_IF; END_IF; END_IF; "
         "END_IF"},
        {"a variable limit", kIntegrator.with({{6, "ав002"}}),
         "; W1 + F2; F11 = Q4; F12 = 900; IF; F11 > F12; THEN; F1 = W1; IF; Q3 < F12; THEN; IF; Q3 < F1; THEN; "
         "CALL MIN 0 ( F1, F12, W1); END_IF; ELSE; IF; Q3 > F11; THEN; IF; Q3 > F1; THEN; CALL MAX 0 ( F1, F11, W1); "
         "END_IF; END_IF; END_IF; ELSE; CALL MAX 0 ( W1, F11, F1); CALL MIN 0 ( F1, F12, Q3); END_IF; END_IF"},
    };
    for (const Case& c : cases) {
        const std::string line = onlyLine({c.command});
        EXPECT_TRUE(contains(line, c.fragment)) << c.what << "\n" << line;
    }
    // With both hold inputs "откл" the step is not bounded by 0 at all.
    const std::string line = onlyLine({kIntegrator});
    EXPECT_FALSE(contains(line, "(F2, 0)") || contains(line, "( F2, 0)")) << line;
}

TEST(RateLimiter, SignsRateAndFactor) {
    struct Case {
        const char* what;
        AlgorithmCommand command;
        const char* line;
    };
    const Case cases[] = {
        {"1000 s: rate 1", kRateLimiter,
         "  F0 = 0.0244140625; F1 = 100; F0 * F1; F0 + 1; F0 * 1; F1 = I2; CALL LRATE 0 ( I3, F1, F0, 0, Q3)"},
        {"1001 s: rate 0", kRateLimiter.with({{3, "00.16.41"}}),
         "  F0 = 0.0244140625; F1 = 100; F0 * F1; F0 + 1; F0 * 0; F1 = I2; CALL LRATE 0 ( I3, F1, F0, 0, Q3)"},
        {"correction negative", kRateLimiter.with({{4, "-100"}}),
         "  F0 CHGSIGN 0.0244140625; F1 = 100; F0 * F1; F0 + 1; F0 * 1; F1 = I2; CALL LRATE 0 ( I3, F1, F0, 0, Q3)"},
        {"factor negative", kRateLimiter.with({{5, "-12.5"}}),
         "  F0 CHGSIGN 0.0244140625; F1 = 100; F0 * F1; F0 + 1; F0 * 1; F1 = I2; CALL LRATE 0 ( I3, F1, F0, 0, Q3)"},
        {"both negative", kRateLimiter.with({{4, "-ва002"}, {5, "-12.5"}}),
         "  F0 = 0.0244140625; F1 = I2; F0 * F1; F0 + 1; F0 * 1; F1 = I3; CALL LRATE 0 ( I4, F1, F0, 0, Q4)"},
        {"factor 100 read from its first four characters", kRateLimiter.with({{5, "100"}, {1, "-ав002"}}),
         "  F0 = 0.1953125; F1 = 100; F0 * F1; F0 + 1; F0 * 1; F1 CHGSIGN Q2; CALL LRATE 0 ( I3, F1, F0, 0, Q3)"},
        {"factor 0.05", kRateLimiter.with({{5, "0.05"}, {3, "00.00.10"}}),
         "  F0 = 9.765625E-5; F1 = 100; F0 * F1; F0 + 1; F0 * 100; F1 = I2; CALL LRATE 0 ( I3, F1, F0, 0, Q3)"},
        // 10.05 and 0.005 pass the check as 10.5 and 0.5; their first four characters read 10 and 0.
        {"factor 10.05", kRateLimiter.with({{5, "10.05"}}),
         "  F0 = 0.01953125; F1 = 100; F0 * F1; F0 + 1; F0 * 1; F1 = I2; CALL LRATE 0 ( I3, F1, F0, 0, Q3)"},
        {"factor 0.005", kRateLimiter.with({{5, "0.005"}}),
         "  F0 = 0; F1 = 100; F0 * F1; F0 + 1; F0 * 1; F1 = I2; CALL LRATE 0 ( I3, F1, F0, 0, Q3)"},
    };
    for (const Case& c : cases) EXPECT_EQ(onlyLine({c.command}), c.line) << c.what;
}

TEST(TimeProgram, SegmentsBetweenHourlyPoints) {
    const std::vector<std::string> statements = statementsOf(onlyLine({kTimeProgram}));
    EXPECT_EQ(std::count(statements.begin(), statements.end(), "F0 = 3600"), 3);
    for (const char* s : {"F5 < 3600", "F5 > 14400", "F5 < 7200", "F5 < 10800", "F0 - 3600", "F0 - 7200", "F0 - 10800"})
        EXPECT_EQ(std::count(statements.begin(), statements.end(), s), 1) << s;
    const std::vector<std::string> tail(statements.end() - 14, statements.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"ELSE", "F0 = 3600", "F1 = 0", "F1 + 200", "F1 / F0", "F0 = F5",
                                              "F0 - 10800", "F0 * F1", "F0 - 200", "Q4 = F0", "END_IF", "END_IF",
                                              "END_IF", "END_IF"}));
}

TEST(Ramp, OutputIsTheInputPlusTheRemainingOffset) {
    EXPECT_EQ(onlyLine({kRamp}),
              "  W1 | 1; F0 = W1; F0 & 2; IF; F0 == 0; THEN; W0 = Q2; W0 - I3; ELSE; IF; W0 > 0; THEN; F0 = 100; "
              "F0 * 0.0048828125; F0 + 1; F1 = 100; F1 / F0; F1 * I254; W0 - F1; F0 SIGN W0; ! F0; W0 * F0; "
              "F1 = W0; F1 + I3; Q2 = F1; END_IF; END_IF");
    EXPECT_TRUE(contains(onlyLine({kRamp.with({{1, "-ва001"}})}),
                         "; THEN; W0 = Q2; W0 + I3; ELSE; IF; W0 > 0; THEN; F0 = 100; "));
    EXPECT_TRUE(contains(onlyLine({kRamp.with({{1, "-ва001"}})}), "; F1 = W0; F1 - I3; Q2 = F1; END_IF; END_IF"));
    EXPECT_TRUE(contains(onlyLine({kRamp.with({{1, "300"}})}), "; F1 = W0; F1 + 300; Q2 = F1; END_IF; END_IF"));
}

TEST(DynamicElements, TickAndPeriodChangeExactlyTheDecayFactors) {
    struct Case {
        const char* what;
        AlgorithmCommand command;
        std::vector<std::pair<std::string, std::string>> differences;  // 55 ms × 10, then 100 ms × 1
    };
    const Case cases[] = {
        {"010", kDifferentiator, {{"W1 * 0.990875219140107", "W1 * 0.998334721450939"}}},
        {"011", kLag, {{"Q2 * 0.990875219140107", "Q2 * 0.998334721450939"}}},
        {"012", kIntegrator.with({{8, "вд001"}}), {}},
        {"013", kRateLimiter, {}},
        {"014", kTimeProgram, {}},
        {"015", kRamp, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(testing::cycleDependentStatements(c.command, 55, 10, 100, 1), c.differences) << c.what;
        EXPECT_EQ(testing::cycleDependentStatements(c.command, 55, 20, 100, 11),
                  (std::vector<std::pair<std::string, std::string>>{}))
            << c.what;
    }
}

}  // namespace
}  // namespace vestrel
