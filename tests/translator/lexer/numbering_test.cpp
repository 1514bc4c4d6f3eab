// Section headers, line numbers and parameter lines, and the order pass 1 demands of them.
#include <gtest/gtest.h>

#include "listing_cases.h"

namespace vestrel {
namespace {
using testing::checkListing;
using testing::ListingCase;

TEST(Numbering, SectionHeaders) {
    const ListingCase cases[] = {
        {"line before any section", {"00 в дв001"}, {}, {{1, 1, 13}}},
        {"same section twice", {"000.", "000."}, {"F200 000."}, {{2, 1, 12}}},
        {"section out of order", {"017.", "010."}, {"F20F 017."}, {{2, 1, 11}}},
        {"gaps allowed, text after the point is free",
         {"001.", "005. Секция 5 (в дв001)"},
         {"F201 001.", "F205 005. секция 5 (в дв001)"},
         {}},
        {"highest section", {"737."}, {"F2FF 737."}, {}},
        {"second digit above 3", {"080."}, {}, {{1, 1, 7}}},
        {"one digit before the point", {"1.2."}, {}, {{1, 1, 7}}},
        {"four digits are a line number", {"000.", "1234."}, {"F200 000."}, {{2, 1, 10}}},
        {"a digit after the point makes a line number", {"000.", "000.5"}, {"F200 000."}, {{2, 1, 10}}},
        {"a header resets the line numbers",
         {"000.", "00 вск", "001.", "00 вск"},
         {"F200 000.", "F300 00 вск", "A004 вск", "F201 001.", "F300 00 вск", "A004 вск"},
         {}},
        // A header is recognised wherever the scanner stands, even after a statement.
        {"three digits and a final point inside a statement",
         {"000.", "00 ав001 = 100."},
         {"F200 000.", "F300 00 ав001 = 100.", "4001 ав001", "B03D =", "F220 00 ав001 = 100."},
         {}},
    };
    for (const ListingCase& c : cases) checkListing(c);
}

TEST(Numbering, LineNumbers) {
    const ListingCase cases[] = {
        {"line skipped",
         {"000.", "00 вск", "01 вск", "03 вск"},
         {"F200 000.", "F300 00 вск", "A004 вск", "F301 01 вск", "A004 вск"},
         {{4, 1, 8}}},
        {"line repeated",
         {"000.", "00 вск", "01 вск", "01 вск"},
         {"F200 000.", "F300 00 вск", "A004 вск", "F301 01 вск", "A004 вск"},
         {{4, 1, 9}}},
        {"one digit", {"000.", "8 вск"}, {"F200 000."}, {{2, 1, 10}}},
        {"not octal", {"000.", "08 вск"}, {"F200 000."}, {{2, 1, 10}}},
        {"highest line", {"000.", "77 вск"}, {"F200 000."}, {{2, 1, 8}}},
        {"a rejected line leaves the numbering where it was",
         {"000.", "00 вск", "02 вск", "01 вск"},
         {"F200 000.", "F300 00 вск", "A004 вск", "F301 01 вск", "A004 вск"},
         {{3, 1, 8}}},
        {"each line may hold one word of each keyword class",
         {"000.", "00 если в вд001", "01 тогда о дв001", "02 иначе в дв001"},
         {"F200 000.", "F300 00 если в вд001", "9001 если", "A001 в", "1001 вд001", "F301 01 тогда о дв001",
          "9002 тогда", "A002 о", "3001 дв001", "F302 02 иначе в дв001", "9003 иначе", "A001 в", "3001 дв001"},
         {}},
        {"a line number is only the first number of a line",
         {"000.", "00 ав001 = 01"},
         {"F200 000.", "F300 00 ав001 = 01", "4001 ав001", "B03D =", "E000 1.000000"},
         {}},
    };
    for (const ListingCase& c : cases) checkListing(c);
}

TEST(Numbering, ParameterLines) {
    // алг130 expects three parameters.
    const ListingCase cases[] = {
        {"three parameters, then a fourth number is a line number",
         {"000.", "00 алг130", "1 = дв001", "2 = 5", "3 = вкл", "4 = 1"},
         {"F200 000.", "F300 00 алг130", "C058 алг130", "C101 1 = дв001", "B03D =", "3001 дв001", "C102 2 = 5",
          "B03D =", "E000 5.000000", "C103 3 = вкл", "B03D =", "A104 вкл"},
         {{6, 1, 10}}},
        {"parameter skipped",
         {"000.", "00 алг130", "1 = дв001", "3 = 5"},
         {"F200 000.", "F300 00 алг130", "C058 алг130", "C101 1 = дв001", "B03D =", "3001 дв001"},
         {{4, 1, 17}}},
        {"parameter repeated",
         {"000.", "00 алг130", "1 = дв001", "1 = 5"},
         {"F200 000.", "F300 00 алг130", "C058 алг130", "C101 1 = дв001", "B03D =", "3001 дв001"},
         {{4, 1, 18}}},
        {"a parameter number of any length",
         {"000.", "00 алг130", "99999999999999999999 = 5", "01 = 5"},
         {"F200 000.", "F300 00 алг130", "C058 алг130", "C101 01 = 5", "B03D =", "E000 5.000000"},
         {{3, 1, 17}}},
        {"the next line after a command without parameters is a statement",
         {"000.", "00 алг170", "01 вск"},
         {"F200 000.", "F300 00 алг170", "C078 алг170", "F301 01 вск", "A004 вск"},
         {}},
        {"a section header among the parameters stays a header",
         {"000.", "00 алг130", "1 = дв001", "001.", "2 = 5", "3 = откл", "00 вск"},
         {"F200 000.", "F300 00 алг130", "C058 алг130", "C101 1 = дв001", "B03D =", "3001 дв001", "F201 001.",
          "C102 2 = 5", "B03D =", "E000 5.000000", "C103 3 = откл", "B03D =", "A105 откл", "F300 00 вск",
          "A004 вск"},
         {}},
        {"comment lines between parameters are text lines",
         {"000.", "00 алг171", "Число каналов", "1 = 3"},
         {"F200 000.", "F300 00 алг171", "C079 алг171", "D200 число каналов", "C101 1 = 3", "B03D =",
          "E000 3.000000"},
         {}},
    };
    for (const ListingCase& c : cases) checkListing(c);
}

}  // namespace
}  // namespace vestrel
