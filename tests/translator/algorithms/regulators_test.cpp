// Regulator templates (алг001..алг004): their own checks, the fragments that depend on
// the form of a parameter, state registers of several commands, and the cycle time.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "command_program.h"

namespace vestrel {
namespace {
using testing::AlgorithmCommand;
using testing::diagnosticTexts;
using testing::onlyLine;
using testing::programLines;
using testing::statementLines;
using testing::translate;

const AlgorithmCommand kRegulator001{
    "001", {"ва001", "ав001", "12.5", "0", "1", "00.01.00", "0", "1", "откл", "00.00.10", "7", "100", "900"}};
const AlgorithmCommand kRegulator002{
    "002", {"ва001", "ав001", "12.5", "0", "1", "00.01.00", "0", "1", "00.00.20", "откл", "00.00.10", "7"}};
const AlgorithmCommand kRegulator003{"003",
                                     {"ва001", "ав001", "12.5", "0", "1", "00.01.00", "00.00.10", "0", "1", "откл",
                                      "00.00.10", "7", "100", "900"}};
const AlgorithmCommand kRegulator004{"004",
                                     {"ва001", "ав001", "12.5", "0", "1", "00.01.00", "00.00.10", "0", "1", "00.00.20",
                                      "откл", "00.00.10", "7"}};

const std::string kMessage18 = "Параметр алгоритма должен быть: +ВА, -ВА, +АВ, -АВ";
const std::string kMessage19 =
    "8-й параметр алгоритма должен быть: константа от -1000 до +1000 (Ограничение Orvenix) ";

// The message of a command on line 2 whose n parameters fill lines 3 .. n + 2.
std::string messageAfterParameters(const AlgorithmCommand& command, const std::string& text) {
    return "Ошибка!!! (" + std::to_string(command.values.size() + 3) + ", слово №2)." + text;
}

TEST(Regulators, OwnChecksGiveTheirMessageAndNoTextNorRegisters) {
    struct Case {
        const char* what;
        AlgorithmCommand command;
        const std::string* message;  // nullptr: accepted
    };
    const Case cases[] = {
        {"001 p1 constant", kRegulator001.with({{1, "500"}}), &kMessage18},
        {"001 p1 constant with sign", kRegulator001.with({{1, "-500"}}), &kMessage18},
        {"001 p1 analog input", kRegulator001, nullptr},
        {"002 p1 constant", kRegulator002.with({{1, "500"}}), &kMessage18},
        {"003 p1 constant", kRegulator003.with({{1, "500"}}), &kMessage18},
        {"003 p8 variable", kRegulator003.with({{8, "ва002"}}), &kMessage19},
        {"003 p8 variable with sign", kRegulator003.with({{8, "-ав002"}}), &kMessage19},
        {"003 both: p1 is checked first", kRegulator003.with({{1, "500"}, {8, "ва002"}}), &kMessage18},
        {"004 p8 variable", kRegulator004.with({{8, "ва002"}}), &kMessage19},
        {"004 p1 constant is accepted", kRegulator004.with({{1, "500"}}), nullptr},
    };
    for (const Case& c : cases) {
        // A valid command after it shows that the refused one took no state registers.
        const auto result = translate(programLines({c.command, kRegulator001}));
        const auto lines = statementLines(result);
        if (c.message) {
            EXPECT_EQ(diagnosticTexts(result), std::vector<std::string>{messageAfterParameters(c.command, *c.message)})
                << c.what;
            ASSERT_EQ(lines.size(), 1u) << c.what;
            EXPECT_EQ(lines[0].rfind("  W3 | 1; F0 = W3; F0 & 2; ", 0), 0u) << c.what << ": " << lines[0];
        } else {
            EXPECT_EQ(diagnosticTexts(result), std::vector<std::string>{}) << c.what;
            EXPECT_EQ(lines.size(), 2u) << c.what;
        }
    }
}

TEST(Regulator001, FragmentsFollowTheFormOfEachParameter) {
    struct Case {
        const char* what;
        AlgorithmCommand command;
        const char* fragment;
    };
    const Case cases[] = {
        {"p4 = 0: the gain alone", kRegulator001,
         "  W3 | 1; F0 = W3; F0 & 2; F1 = 12.5; F2 = F1; F2 / 60; F5 = I2; "},
        {"constant gain correction", kRegulator001.with({{4, "100"}, {5, "2.5"}}), "; F1 = 18.603515625; F2 = F1; "},
        {"constant gain correction with sign", kRegulator001.with({{4, "-100"}, {5, "2.5"}, {3, "2"}}),
         "; F1 = 1.0234375; F2 = F1; "},
        {"constant time correction", kRegulator001.with({{7, "50"}, {8, "10"}}), "; F2 = F1; F2 / 118.59375; F5 = "},
        {"dead zone 7", kRegulator001, "; F5 = I2; F6 = 3; CALL DZONE 0 ( F5, F6, F3); "},
        {"dead zone -7", kRegulator001.with({{11, "-7"}}), "; F5 = I2; F6 CHGSIGN 7; F6 / 2; CALL DZONE 0 "},
        {"dead zone variable", kRegulator001.with({{11, "ва002"}}), "; F5 = I2; F6 = I3; F6 / 2; CALL DZONE 0 "},
        {"dead zone variable with sign", kRegulator001.with({{11, "-ва002"}}), "; F6 CHGSIGN I3; F6 / 2; CALL"},
        {"deviation with sign", kRegulator001.with({{1, "-ва001"}}), "; F2 / 60; F5 CHGSIGN I2; F6 = 3; "},
        {"deviation with the sign \"+\"", kRegulator001.with({{1, "+ва001"}}), "; F2 / 60; F5 = I2; F6 = 3; "},
        {"limits 100 .. 900", kRegulator001,
         "; F11 = 100; F12 = 900; CALL MAX 0 ( F3, F11, F4); CALL MIN 0 ( F4, F12, Q3); END_IF"},
        {"equal limits", kRegulator001.with({{12, "500"}, {13, "500"}}),
         "; F11 = 500; F12 = 500; CALL MAX 0 ( F3, F11, F4); CALL MIN 0 ( F4, F12, Q3); END_IF"},
        {"signed limits -100 .. 50", kRegulator001.with({{12, "-100"}, {13, "50"}}),
         "; F11 CHGSIGN 100; F12 = 50; CALL MAX 0 ( F3, F11, F4); CALL MIN 0 ( F4, F12, Q3); END_IF"},
        {"limits 900 .. 100", kRegulator001.with({{12, "900"}, {13, "100"}}),
         "; F11 = 900; F12 = 100; IF; Q3 < F12; THEN; IF; Q3 < F3; THEN; CALL MIN 0 ( F3, F12, Q3); END_IF; "
         "ELSE; IF; Q3 > F11; THEN; IF; Q3 > F3; THEN; CALL MAX 0 ( F3, F11, Q3); END_IF; END_IF; END_IF; END_IF"},
        {"limits 100 .. -50", kRegulator001.with({{12, "100"}, {13, "-50"}}),
         "; F11 = 100; F12 CHGSIGN 50; IF; Q3 < F12; THEN; IF; Q3 < F3; THEN; CALL MIN 0 ( F3, F12, Q3); END_IF; "
         "ELSE; IF; Q3 > F11; THEN; IF; Q3 > F3; THEN; CALL MAX 0 ( F3, F11, Q3); END_IF; END_IF; END_IF; END_IF"},
        {"a variable limit", kRegulator001.with({{12, "ав002"}}),
         "; F11 = Q4; F12 = 900; IF; F11 < F12; THEN; CALL MAX ( F3, F11, F4); CALL MIN ( F4, F12, Q3); ELSE; "
         "IF; Q3 < F12; THEN; IF; Q3 < F3; THEN; CALL MIN 0 ( F3, F12, Q3); END_IF; ELSE; IF; Q3 > F11; THEN; "
         "IF; Q3 > F3; THEN; CALL MAX 0 ( F3, F11, Q3); END_IF; END_IF; END_IF; END_IF; END_IF"},
        {"tracking over 10 s", kRegulator001.with({{9, "вкл"}}),
         "; ELSE; F3 - W2; F4 = 100; F4 * I254; W2 - F4; F4 SIGN W2; ! F4; W2 * F4; F4 = W0; "},
        {"tracking over 1000 s", kRegulator001.with({{9, "вкл"}, {10, "00.16.40"}}), "; F4 = 1; F4 * I254; "},
        {"tracking over more than 1000 s", kRegulator001.with({{9, "вкл"}, {10, "00.16.41"}}),
         "; F4 = 0; F4 * I254; "},
    };
    for (const Case& c : cases) {
        const std::string line = onlyLine({c.command});
        EXPECT_NE(line.find(c.fragment), std::string::npos) << c.what << "\n" << line;
    }
}

TEST(Regulator001, TwoCommandsKeepTheirOwnRegistersAndSigns) {
    // The first command's p1 carries the sign "-"; the second's, written without a sign, is positive.
    const auto result = translate(programLines({kRegulator001.with({{1, "-ва001"}}), kRegulator001}));
    EXPECT_EQ(diagnosticTexts(result), std::vector<std::string>{});
    const auto lines = statementLines(result);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("  W3 | 1; F0 = W3; F0 & 2; ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("; F5 CHGSIGN I2; "), std::string::npos);
    EXPECT_NE(lines[0].find("; THEN; W0 = F3; W1 CHGSIGN Q3; F4 = F3; F4 * F1; W1 - F4; W1 / F1; ELSE; F4 = W0; "),
              std::string::npos);
    EXPECT_EQ(lines[1].rfind("  W3 | 4; F0 = W3; F0 & 8; ", 0), 0u) << lines[1];
    EXPECT_NE(lines[1].find("; F5 = I2; "), std::string::npos);
    EXPECT_NE(lines[1].find("; THEN; W4 = F3; W5 CHGSIGN Q3; F4 = F3; F4 * F1; W5 - F4; W5 / F1; ELSE; F4 = W4; "),
              std::string::npos);
    const auto slot = testing::slotLines(result, 1);
    EXPECT_EQ(std::vector<std::string>(slot.end() - 4, slot.end()),
              (std::vector<std::string>{"M0:", "M39:", "  W3 * 2; W3 & 170", "EXIT"}));
}

// The flag register K of a command's line "  K | 2^b; ...".
std::string flagRegisterOf(const std::string& line) { return line.substr(2, line.find(' ', 2) - 2); }

// The shift lines between "M39:" and "EXIT" of a block program.
std::vector<std::string> shiftLinesOf(const std::vector<std::string>& slot) {
    std::vector<std::string> shifts;
    bool inside = false;
    for (const std::string& line : slot) {
        if (line == "EXIT") break;
        if (inside) shifts.push_back(line);
        if (line == "M39:") inside = true;
    }
    return shifts;
}

TEST(Regulator001, FlagPairsAreShiftedByTheirBlockProgramAndWPairsByTheLast) {
    // Ninety commands fill the W list; the later ones keep their state and flag pairs in
    // the I list of the first block program. A second block program follows.
    const std::vector<AlgorithmCommand> half(45, kRegulator001);
    std::vector<std::string> source = testing::sectionLines("000.", half);
    const std::vector<std::string> second = testing::sectionLines("001.", half);
    source.insert(source.end(), second.begin(), second.end());
    source.insert(source.end(), {"020.", "00 ав003 = ва003"});
    const auto result = translate(source);
    EXPECT_EQ(diagnosticTexts(result), std::vector<std::string>{});
    EXPECT_EQ(result.notices, std::vector<std::string>{});

    std::set<std::string> pairs, wFlags, iFlags;
    std::size_t commands = 0;
    for (const std::string& line : testing::slotLines(result, 1)) {
        if (line.find("; F0 & ") == std::string::npos) continue;
        ++commands;
        pairs.insert(line.substr(0, line.find(';')));  // "  K | 2^b"
        const std::string k = flagRegisterOf(line);
        (k[0] == 'W' ? wFlags : iFlags).insert(k);
    }
    EXPECT_EQ(commands, 90u);
    EXPECT_EQ(pairs.size(), 90u);  // no two commands share a flag pair
    EXPECT_EQ(wFlags.size() + iFlags.size(), 23u);  // four pairs to a register
    ASSERT_FALSE(iFlags.empty());

    auto shiftsOf = [](const std::set<std::string>& flags) {
        std::vector<std::string> lines;
        for (const std::string& k : flags) lines.push_back("  " + k + " * 2; " + k + " & 170");
        return lines;
    };
    auto sorted = [](std::vector<std::string> v) {
        std::sort(v.begin(), v.end());
        return v;
    };
    EXPECT_EQ(sorted(shiftLinesOf(testing::slotLines(result, 1))), shiftsOf(iFlags));
    EXPECT_EQ(sorted(shiftLinesOf(testing::slotLines(result, 2))), shiftsOf(wFlags));
}

TEST(Regulator004, RatioOfTheTimeConstantsUsesTheirPrintedValues) {
    // Tx and Td share the correction factor, so their exact ratio is 3; printed with
    // fifteen digits they give a ratio just above it.
    const std::string line = onlyLine({kRegulator004.with({{6, "23.59.57"}, {7, "07.59.59"}, {8, "999"}, {9, "99.9"}})});
    EXPECT_NE(line.find("; F2 = 16927079.1087891; "), std::string::npos) << line;
    EXPECT_NE(line.find("; F3 = 5642359.70292969; F4 = 3.00000000000001; "), std::string::npos) << line;
}

TEST(Regulators, ZeroCorrectedTimeConstantsWriteZeroCoefficients) {
    // A correction of 1 − 512·1/512 makes every corrected time constant 0.
    EXPECT_NE(onlyLine({kRegulator003.with({{8, "-512"}})}).find("; F1 = 12.5; F2 = 0; F3 = 0; F4 = 0; F6 = I2; "),
              std::string::npos);
    EXPECT_NE(onlyLine({kRegulator004.with({{8, "-512"}})}).find("; F2 = 0; F1 = 0; F3 = 0; F4 = 0; F5 = 0; F7 = 7; "),
              std::string::npos);
}

TEST(Regulators, TickAndPeriodChangeExactlyTheDecayFactors) {
    struct Case {
        const char* what;
        AlgorithmCommand command;
        std::vector<std::pair<std::string, std::string>> differences;  // 55 ms × 10, then 100 ms × 1
    };
    const Case cases[] = {
        {"001", kRegulator001.with({{9, "дв001"}}), {}},
        {"002", kRegulator002.with({{10, "вкл"}}), {}},
        {"003", kRegulator003.with({{10, "вд001"}}), {{"F4 = 0.644036421083141", "F4 = 0.923116346386636"}}},
        {"004", kRegulator004.with({{11, "вкл"}}), {{"F5 = 0.644036421083141", "F5 = 0.923116346386636"}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(testing::cycleDependentStatements(c.command, 55, 10, 100, 1), c.differences) << c.what;
        // Only the nominal cycle time tick × period counts.
        EXPECT_EQ(testing::cycleDependentStatements(c.command, 55, 20, 100, 11),
                  (std::vector<std::pair<std::string, std::string>>{}))
            << c.what;
    }
}

}  // namespace
}  // namespace vestrel
