// Time literal shapes and the reading of constants.
#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <string>

#include "translator/lexer/numeric_literals.h"

namespace vestrel {
namespace {

TEST(NumericLiterals, TimeShapes) {
    struct Case {
        const char* run;
        bool timeOfDay;
        bool timeTenths;
    };
    const Case cases[] = {
        {"00.00.00", true, false}, {"23.59.59", true, false}, {"24.00.00", false, false},
        {"19.59.59", true, false}, {"30.00.00", false, false}, {"12.60.00", false, false},
        {"12.00.60", false, false}, {"12.30.0", false, false}, {"12.30.000", false, false},
        {".05.30.1", false, true}, {".59.59.9", false, true}, {".60.00.0", false, false},
        {".05.30.", false, false}, {".05.30.12", false, false}, {".5", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isTimeOfDay(c.run), c.timeOfDay) << c.run;
        EXPECT_EQ(isTimeTenths(c.run), c.timeTenths) << c.run;
    }
}

TEST(NumericLiterals, ConstantsReadAsTheFullDecimalConversionReadsThem) {
    EXPECT_EQ(readConstant("12.5"), 12.5);
    EXPECT_EQ(readConstant("007"), 7.0);
    EXPECT_EQ(readConstant("5."), 5.0);
    EXPECT_EQ(readConstant("1.2.3"), std::nullopt);
    EXPECT_EQ(readConstant("1..2"), std::nullopt);
    EXPECT_EQ(readConstant(std::string(308, '9')), 1e308);
    EXPECT_EQ(readConstant(std::string(309, '9')), std::nullopt);
    EXPECT_EQ(readConstant(std::string(400, '9')), std::nullopt);
    EXPECT_EQ(readConstant("0." + std::string(400, '0') + "1"), 0.0);

    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        std::string run = std::to_string(random() % 100000000000ull);
        const std::size_t point = random() % (run.size() + 2);
        if (point < run.size()) run.insert(point, 1, '.');
        if (random() % 4 == 0) run += std::to_string(random() % 10000000000ull);
        double expected = 0;
        std::from_chars(run.data(), run.data() + run.size(), expected, std::chars_format::fixed);
        ASSERT_EQ(readConstant(run), expected) << run;
    }
}

}  // namespace
}  // namespace vestrel
