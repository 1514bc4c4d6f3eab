// The scan of one statement line: words, operators, time literals, constants, the
// per-line keyword marks and the column a message points at.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "lexer_support.h"

namespace vestrel {
namespace {
using testing::CitedMessage;
using testing::runPassOne;

struct StatementCase {
    std::string statement;                // follows "00 " on the second line, after "000."
    std::vector<std::string> tokens;      // the records after the line opener
    int message = 0;                      // expected message on line 2, 0 for none
    int column = 0;                       // counted in the whole line "00 ..."
};

void checkStatement(const StatementCase& c) {
    SCOPED_TRACE(c.statement);
    const auto pass = runPassOne({"000.", "00 " + c.statement});
    ASSERT_GE(pass.records.size(), 2u);
    EXPECT_EQ(pass.records[0], "F200 000.");
    EXPECT_EQ(pass.records[1].substr(0, 8), "F300 00 ");
    const std::vector<std::string> tokens(pass.records.begin() + 2, pass.records.end());
    EXPECT_EQ(tokens, c.tokens);
    if (c.message == 0) {
        EXPECT_TRUE(pass.messages.empty());
    } else {
        EXPECT_EQ(pass.messages, std::vector<CitedMessage>({{2, c.column, c.message}}));
    }
}

TEST(ScanNumberedLine, Words) {
    const StatementCase cases[] = {
        {"в ВД001", {"A001 в", "1001 вд001"}},
        {"в вд001", {"A001 в", "1001 вд001"}},
        {"в вд01", {"A001 в"}, 4, 6},
        {"б ва200", {"A003 б"}, 5, 6},
        {"б вд", {"A003 б"}, 4, 6},
        {"б х", {"A003 б"}, 6, 6},
        {"абв", {}, 6, 4},
        {"алг01", {}, 14, 4},
        {"алг201", {}, 15, 4},
        {"алг018", {}, 15, 4},
        {"алг005", {}, 16, 4},
        {"алг170", {"C078 алг170"}},
        {"вск", {"A004 вск"}},
        {"б кс737", {"A003 б", "60FF кс737"}},
        // a word runs over letters, digits and "."; ё is no letter and is skipped like a tab
        {"в вд001.", {"A001 в"}, 4, 6},
        {"Ёв дв001", {"A001 в", "3001 дв001"}},
        {"в дв0ё01", {"A001 в"}, 4, 6},
        // тс takes the rest of the line
        {"тс1.0.1 Пуск насоса (в дв001)", {"D005 тс1.0.1", "D100 тс1.0.1 пуск насоса (в дв001)"}},
        {"тс1.0.2 x", {}, 5, 4},
        {"тс1,0,1", {}, 4, 4},
    };
    for (const StatementCase& c : cases) checkStatement(c);
}

TEST(ScanNumberedLine, OneWordOfEachKeywordClassPerLine) {
    const StatementCase cases[] = {
        {"если в вд001", {"9001 если", "A001 в", "1001 вд001"}},
        {"если ав001 > 5 если", {"9001 если", "4001 ав001", "B03E >", "E000 5.000000"}, 19, 19},
        {"если в вд001 тогда", {"9001 если", "A001 в", "1001 вд001"}, 19, 17},
        {"в о дв001", {"A001 в"}, 19, 6},
        {"б вкл", {"A003 б"}, 19, 6},
        {"тогда в дв001", {"9002 тогда", "A001 в", "3001 дв001"}},
    };
    for (const StatementCase& c : cases) checkStatement(c);
}

TEST(ScanNumberedLine, OperatorsTimesAndConstants) {
    const std::string longRun(400, '9');
    const StatementCase cases[] = {
        {"ав001=ва001+(ав002-3)",
         {"4001 ав001", "B03D =", "2001 ва001", "B02B +", "B028 (", "4002 ав002", "B02D -", "E000 3.000000",
          "B029 )"}},
        {"если ав001 < ва001", {"9001 если", "4001 ав001", "B03C <", "2001 ва001"}},
        {"тм01 = 12.30.00", {"7001 тм01", "B03D =", "B101 12.30.00"}},
        {"тм01 = 23.59.59", {"7001 тм01", "B03D =", "B101 23.59.59"}},
        {"тм01 = 24.00.00", {"7001 тм01", "B03D ="}, 7, 11},
        {"тм01 = 12.60.00", {"7001 тм01", "B03D ="}, 7, 11},
        {"тм01 = 12.30.001", {"7001 тм01", "B03D ="}, 7, 11},
        {"если тм01 > .05.30.1", {"9001 если", "7001 тм01", "B03E >", "B102 .05.30.1"}},
        {"тм01 = .05.60.1", {"7001 тм01", "B03D ="}, 7, 11},
        {"тм01 = .5", {"7001 тм01", "B03D ="}, 7, 11},
        {"ав001 = 12.5", {"4001 ав001", "B03D =", "E000 12.500000"}},
        {"ав001 = 7", {"4001 ав001", "B03D =", "E000 7.000000"}},
        {"ав001 = 0.05", {"4001 ав001", "B03D =", "E000 0.050000"}},
        {"ав001 = 5.", {"4001 ав001", "B03D =", "E000 5.000000"}},
        {"ав001 = -5", {"4001 ав001", "B03D =", "B02D -", "E000 5.000000"}},
        // whole numbers: leading zeros dropped, up to 15 digits and beyond
        {"ав001 = 0", {"4001 ав001", "B03D =", "E000 0.000000"}},
        {"ав001 = 000", {"4001 ав001", "B03D =", "E000 0.000000"}},
        {"ав001 = 0070", {"4001 ав001", "B03D =", "E000 70.000000"}},
        {"ав001 = 999999999999999", {"4001 ав001", "B03D =", "E000 999999999999999.000000"}},
        {"ав001 = 0000000000000001", {"4001 ав001", "B03D =", "E000 1.000000"}},
        {"ав001 = 1000000000000001", {"4001 ав001", "B03D =", "E000 1000000000000001.000000"}},
        {"ав001 = 1.2.3", {"4001 ав001", "B03D ="}, 7, 12},
        {"ав001 = " + longRun, {"4001 ав001", "B03D ="}, 7, 12},
        // tabs, commas and other characters separate items without a record of their own
        {"в,\tдв001", {"A001 в", "3001 дв001"}},
        {"ав001\t=\t5,5;", {"4001 ав001", "B03D =", "E000 5.000000", "E000 5.000000"}},
        {"ав001 = ва001 . 2", {"4001 ав001", "B03D =", "2001 ва001", "E000 2.000000"}},
    };
    for (const StatementCase& c : cases) checkStatement(c);
}

TEST(ScanNumberedLine, RecordsBeforeTheErrorStayAndCount) {
    const auto pass = runPassOne({"000.", "00 ав001 = ва001 + х"});
    EXPECT_EQ(pass.records, (std::vector<std::string>{"F200 000.", "F300 00 ав001 = ва001 + х", "4001 ав001",
                                                      "B03D =", "2001 ва001", "B02B +"}));
    EXPECT_EQ(pass.result, 6);
    EXPECT_EQ(pass.messages, (std::vector<CitedMessage>{{2, 20, 6}}));
}

}  // namespace
}  // namespace vestrel
