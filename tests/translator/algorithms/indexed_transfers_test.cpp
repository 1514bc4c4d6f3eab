// Indexed transfers 0o100..0o103 and the selector 0o104: constant and variable indexes,
// the chunked bit copies, messages 16 and 17.
#include <gtest/gtest.h>

#include "translator/algorithms/algorithm_command_records.h"
#include "translator/text/literal.h"

namespace vestrel {
namespace {
using namespace text::literals;
using testing::CommandResult;
using testing::negated;
using testing::number;
using testing::off;
using testing::on;
using testing::ParameterValue;
using testing::translateCommand;
using testing::variable;

struct LineCase {
    const char* name;
    int index;  // octal
    std::vector<ParameterValue> values;
    std::string line;
};

void expectLines(const std::vector<LineCase>& cases) {
    for (const LineCase& c : cases) {
        const CommandResult result = translateCommand(c.index, c.values);
        EXPECT_TRUE(result.diagnostics.empty()) << c.name;
        EXPECT_EQ(result.lines, std::vector<std::string>{c.line}) << c.name;
    }
}

// Q0 and Q1 are the block and section keys; the command's registers follow in the order
// their names are written.
TEST(Template100And102, CopyTheIndexedGroupWithAConstantIndex) {
    expectLines({
        {"aligned, g 8, index 2: the register of the bits 8..15 after p1", 0100,
         {variable(0x3040), variable(0x3008), number(8), number(4), number(2), off()},
         "  F2 = 0; F2 * 255; F0 = Q2; F0 ^ F2; F0 & 255; F0 * 1; Q3 & 0; Q3 | F0"},
        {"into the array, inverted, g 5, index 3", 0102,
         {variable(0x3003), variable(0x3040), number(5), number(3), number(3), on()},
         "  F2 = 1; F2 * 255; F0 = Q2; F0 ^ F2; F0 & 248; F0 / 2; Q3 & 131; Q3 | F0"},
        {"two chunks, inversion by a bit", 0100,
         {variable(0x1000), variable(0x3016), number(4), number(2), number(2), variable(0x100B)},
         "  F2 = I2; F2 & 8; F2 / 8; F2 * 255; F0 = I3; F0 ^ F2; F0 & 48; F0 * 4; Q4 & 63; Q4 | F0; "
         "F0 = I3; F0 ^ F2; F0 & 192; F0 / 64; Q5 & 252; Q5 | F0"},
    });
}

TEST(Template100And102, OneIfBlockPerIndexValueWithAVariableIndex) {
    expectLines({
        {"g 3, m 2, chunks differ per group", 0100,
         {variable(0x3006), variable(0x3011), number(3), number(2), variable(0x2001), variable(0x100B)},
         "  F2 = I2; F2 & 8; F2 / 8; F2 * 255"
         "; IF; I3 == 1; THEN; F0 = Q4; F0 ^ F2; F0 & 192; F0 / 32; Q5 & 249; Q5 | F0"
         "; F0 = Q6; F0 ^ F2; F0 & 1; F0 * 8; Q5 & 247; Q5 | F0; END_IF"
         "; IF; I3 == 2; THEN; F0 = Q6; F0 ^ F2; F0 & 14; F0 * 1; Q5 & 241; Q5 | F0; END_IF"},
        {"into the array, g 4, m 2", 0102,
         {variable(0x3000), variable(0x3008), number(4), number(2), variable(0x4003), off()},
         "  F2 = 0; F2 * 255"
         "; IF; Q2 == 1; THEN; F0 = Q3; F0 ^ F2; F0 & 15; F0 * 1; Q4 & 240; Q4 | F0; END_IF"
         "; IF; Q2 == 2; THEN; F0 = Q3; F0 ^ F2; F0 & 15; F0 * 16; Q4 & 15; Q4 | F0; END_IF"},
    });
}

// The bit address of a group is the array's first code plus the bits before it, so it may
// run past the family's variables. An address past кб7 (here 0x5318) is no register key:
// it is named by nothing and, unlike a block key, raises no "Не хватает переменных IQ".
TEST(Template100And102, AnArrayAddressPastTheBlockKeysRaisesNoNotice) {
    const CommandResult result =
        translateCommand(0100, {variable(0x5000), variable(0x3000), number(8), number(100), number(100), off()});
    EXPECT_TRUE(result.diagnostics.empty());
    EXPECT_EQ(result.notices, std::vector<std::string>{});
}

TEST(Template100And102, ConstantIndexOutsideTheArrayGivesMessage17AfterTheInversionMask) {
    struct Case {
        int index;
        double groupIndex;
    };
    for (const Case& c : {Case{0100, 5}, Case{0102, 0}, Case{0100, 1000}}) {
        const CommandResult result =
            translateCommand(c.index, {variable(0x3000), variable(0x3010), number(8), number(4), number(c.groupIndex), on()});
        EXPECT_EQ(result.lines, std::vector<std::string>{"  F2 = 1; F2 * 255"}) << c.groupIndex;
        // The command's six parameter lines end on source line 8; like every template
        // check the message cites the line after the command's last line counted.
        EXPECT_EQ(result.diagnostics,
                  std::vector<std::string>{std::string("Ошибка!!! (9, слово №2).5-й параметр алгоритма превышает "
                                                       "допустимое значение (>4-го параметра или <1)"_cp)})
            << c.groupIndex;
    }
}

TEST(Template101And103, CopyAnalogElementsWithTheSignOfP1) {
    expectLines({
        {"0o101, g 3, m 2, variable index: two IF blocks of three copies", 0101,
         {variable(0x2008), variable(0x4010), number(3), number(2), variable(0x2005)},
         "  IF; I2 == 1; THEN; Q3 = I4; Q5 = I6; Q7 = I8; END_IF; IF; I2 == 2; THEN; Q9 = I4; Q10 = I6; Q11 = I8; "
         "END_IF; "},
        {"0o101, negated source, constant index 2", 0101,
         {negated(variable(0x2008)), variable(0x4010), number(2), number(3), number(2)},
         "  Q2 CHGSIGN I3; Q4 CHGSIGN I5; "},
        {"0o103, constant index 2 reads the second group", 0103,
         {variable(0x2008), variable(0x4000), number(2), number(2), number(2)}, "  Q2 = I3; Q4 = I5; "},
        {"0o103, negated, variable index", 0103,
         {negated(variable(0x4020)), variable(0x4000), number(1), number(2), variable(0x4007)},
         "  IF; Q2 == 1; THEN; Q3 CHGSIGN Q4; END_IF; IF; Q2 == 2; THEN; Q3 CHGSIGN Q5; END_IF; "},
        {"0o101, index above m: the opening blanks only", 0101,
         {variable(0x2008), variable(0x4010), number(2), number(3), number(4)}, "  "},
        {"0o103, index 0: the opening blanks only", 0103,
         {variable(0x2008), variable(0x4010), number(2), number(3), number(0)}, "  "},
    });
}

TEST(Template101And103, ConstantSourceGivesMessage16AndNoLine) {
    for (int index : {0101, 0103}) {
        const CommandResult result = translateCommand(index, {number(5), variable(0x4010), number(2), number(3), number(1)});
        EXPECT_TRUE(result.lines.empty()) << index;
        EXPECT_EQ(result.diagnostics, std::vector<std::string>{std::string(
                                          "Ошибка!!! (8, слово №2).Параметр алгоритма должен быть: Аналоговая переменная"_cp)})
            << index;
    }
}

TEST(Template104, SelectsOneOfEightValues) {
    const std::vector<ParameterValue> values = {variable(0x2001), negated(number(7)), number(500),      variable(0x4002),
                                                negated(variable(0x2003)), number(0), variable(0x2001), number(12)};
    auto withResultAndIndex = [&](ParameterValue index) {
        std::vector<ParameterValue> all = values;
        all.push_back(variable(0x4010));
        all.push_back(index);
        return all;
    };
    expectLines({
        {"index 9: the opening blanks only", 0104, withResultAndIndex(number(9)), "  "},
        {"index 0: the opening blanks only", 0104, withResultAndIndex(number(0)), "  "},
        {"index 2: a negated constant", 0104, withResultAndIndex(number(2)), "  Q2 CHGSIGN 7"},
        {"index 5: a negated variable", 0104, withResultAndIndex(number(5)), "  Q2 CHGSIGN I3"},
        {"index 8: a constant", 0104, withResultAndIndex(number(8)), "  Q2 = 12"},
        {"the sign of a constant index is not part of it", 0104, withResultAndIndex(negated(number(2))),
         "  Q2 CHGSIGN 7"},
        {"variable index", 0104, withResultAndIndex(variable(0x2006)),
         "  IF; I2 == 1; THEN; Q3 = I4; END_IF; IF; I2 == 2; THEN; Q3 CHGSIGN 7; END_IF; "
         "IF; I2 == 3; THEN; Q3 = 500; END_IF; IF; I2 == 4; THEN; Q3 = Q5; END_IF; "
         "IF; I2 == 5; THEN; Q3 CHGSIGN I6; END_IF; IF; I2 == 6; THEN; Q3 = 0; END_IF; "
         "IF; I2 == 7; THEN; Q3 = I4; END_IF; IF; I2 == 8; THEN; Q3 = 12; END_IF; "},
    });
}

}  // namespace
}  // namespace vestrel
