// Pieces of generated lines: numbers must print exactly as printf would print them.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>

#include "translator/text/append.h"

namespace vestrel {
namespace {
using text::append;
using text::concat;
using text::Octal;

TEST(Append, WholeNumbersAsPercentD) {
    for (long long value : {0LL, 7LL, 9LL, 10LL, 42LL, 99LL, 100LL, 255LL, 86400LL, -1LL, -9LL, -10LL, -100LL,
                            static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX), LLONG_MIN, LLONG_MAX}) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "%lld", value);
        EXPECT_EQ(concat(value), expected);
        if (value >= INT_MIN && value <= INT_MAX) {
            EXPECT_EQ(concat(static_cast<int>(value)), expected);
        }
    }
    EXPECT_EQ(concat(4294967295u), "4294967295");
}

TEST(Append, OctalWithLeadingZerosAsPercent0No) {
    struct Case { unsigned value; int digits; const char* text; };
    const Case cases[] = {{0, 1, "0"}, {0, 3, "000"}, {5, 2, "05"}, {8, 2, "10"}, {0777, 3, "777"},
                          {01000, 3, "1000"}, {0xFFFFFFFFu, 3, "37777777777"}};
    for (const Case& c : cases) EXPECT_EQ(concat(Octal{c.value, c.digits}), c.text) << c.value;
}

TEST(Append, PiecesFollowEachOtherOnTheLine) {
    std::string line = "  ";
    append(line, 'F', 1, " = ", std::string("Q12"), std::string_view("; "), -3);
    EXPECT_EQ(line, "  F1 = Q12; -3");
}

}  // namespace
}  // namespace vestrel
