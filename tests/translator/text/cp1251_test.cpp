// The code page module: case mapping, letters and the UTF-8 edge.
#include <gtest/gtest.h>

#include "translator/text/cp1251.h"
#include "translator/text/literal.h"

namespace vestrel::text {
namespace {
using namespace literals;

TEST(Cp1251, LiteralsAreCp1251Bytes) {
    EXPECT_EQ("если"_cp, std::string_view("\xE5\xF1\xEB\xE8"));
    EXPECT_EQ("ЁЖ№"_cp, std::string_view("\xA8\xC6\xB9"));
}

TEST(Cp1251, LowerCasingCoversTheWholeCodePage) {
    struct Case { unsigned char upper, lower; };
    const Case cases[] = {{'A', 'a'}, {'Z', 'z'}, {0xC0, 0xE0}, {0xDF, 0xFF}, {0x80, 0x90}, {0x81, 0x83},
                          {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2},
                          {0xA3, 0xBC}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3},
                          {0xBD, 0xBE}, {'a', 'a'}, {'1', '1'}, {0xE0, 0xE0}, {0xB9, 0xB9}};
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<unsigned char>(toLower(static_cast<char>(c.upper))), c.lower) << int(c.upper);
    EXPECT_EQ(toLower("ВД001 ЕСЛИ"_cp), "вд001 если"_cp);
}

TEST(Cp1251, OnlyLatinAndCyrillicSmallLettersAreLetters) {
    EXPECT_TRUE(isLetter('a'));
    EXPECT_TRUE(isLetter('\xE0'));
    EXPECT_TRUE(isLetter('\xFF'));
    EXPECT_FALSE(isLetter('\xB8'));  // ё
    EXPECT_FALSE(isLetter('A'));
    EXPECT_FALSE(isLetter('\xC0'));
    EXPECT_FALSE(isLetter('1'));
}

TEST(Cp1251, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int i = 1; i < 256; ++i) all.push_back(static_cast<char>(i));
    const std::string utf8 = toUtf8(all);
    EXPECT_TRUE(isValidUtf8(utf8));
    const auto back = fromUtf8(utf8);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(Cp1251, CharacterWithoutCp1251FormIsReportedWithItsPosition) {
    ConversionError error;
    EXPECT_FALSE(fromUtf8("ab\xE4\xB8\xAD", &error).has_value());  // U+4E2D
    EXPECT_EQ(error.byteOffset, 2u);
    EXPECT_EQ(error.characterIndex, 2u);
    EXPECT_EQ(error.codePoint, U'\u4E2D');
    EXPECT_FALSE(fromUtf8("\xC3", &error).has_value());  // truncated sequence
    EXPECT_EQ(error.codePoint, 0u);
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));  // overlong
}

}  // namespace
}  // namespace vestrel::text
