// The record text of the tokens (what --tokens writes) and the "%f" text of constants.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "translator/lexer/token_sequence.h"

namespace vestrel {
namespace {

std::string exactFixed6(double value) {
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    EXPECT_EQ(error, std::errc{});
    return std::string(buffer, end);
}

TEST(TokenFile, RecordsAreCodeAndTextLines) {
    TokenSequence file;
    const std::string line = "00 abc = 12.5";
    file.startLine(line, 1);
    file.add(0xF300, line, 1);
    file.add(0x1001, std::string_view(line).substr(3, 3), 4);
    file.add(0xB03D, std::string_view(line).substr(7, 1), 8);
    file.add(0xE000, formatFixed6(12.5), 9);
    file.startLine("", 2);
    file.add(0xD200, "", 1);
    const std::string longText(300, 'x');
    file.startLine(longText, 3);
    file.add(0xF300, longText, 1);
    EXPECT_EQ(renderTokenRecords(file),
              "F300\n00 abc = 12.5\n1001\nabc\nB03D\n=\nE000\n12.500000\nD200\n\nF300\n" + longText + "\n");
    // Texts inside the line are kept as places in it, the line once.
    EXPECT_EQ(file.text(file[1]), "abc");
    EXPECT_EQ(file[1].line, 1u);
    EXPECT_EQ(file[1].column, 4u);
    EXPECT_EQ(file[5].line, 3u);
    EXPECT_FALSE(file.needsRecordReading());
    file.clear();
    EXPECT_EQ(renderTokenRecords(file), "");

    // Codes of other lengths, a long text, and records rendered as they are added.
    std::string rendered;
    file.renderRecordsTo(&rendered);
    const std::string huge(20000, 'y');
    file.add(0x5, "a", 0);
    file.add(0x12345, "b", 0);
    EXPECT_EQ(rendered, "5\na\n12345\nb\n");
    file.add(0xD100, huge, 0);
    std::string expected = "5\na\n12345\nb\nD100\n" + huge + "\n";
    for (int i = 0; i < 5000; ++i) {
        const std::string text(static_cast<std::size_t>(i % 40), static_cast<char>('a' + i % 26));
        file.add(0x1000 + static_cast<TokenCode>(i % 512), text, 0);
        char code[8];
        std::snprintf(code, sizeof code, "%X", 0x1000 + i % 512);
        expected += std::string(code) + "\n" + text + "\n";
    }
    EXPECT_EQ(rendered, expected);
    EXPECT_EQ(renderTokenRecords(file), expected);
}

TEST(TokenFile, TokensThatRecordTextWouldChangeAreMarked) {
    struct Case {
        TokenCode code;
        std::string text;
        bool marked;
    };
    const Case cases[] = {{0x1001, "abc", false}, {0x5, "a", false},        {0xFFFF, "x", false},
                          {0x10000, "x", true},  {0x1001, "a\nb", true}, {0xD200, "a\rb", false}};
    for (const Case& c : cases) {
        TokenSequence file;
        file.add(c.code, c.text, 0);
        EXPECT_EQ(file.needsRecordReading(), c.marked) << c.code << " " << c.text;
    }
}

TEST(TokenFile, DroppedTokensAreStillRendered) {
    TokenSequence file;
    std::string rendered;
    file.renderRecordsTo(&rendered);
    file.reserve(1000, 1000);
    file.add(0x1001, "a", 1);
    const std::size_t kept = file.memoryBytes();
    file.dropStorage();
    file.add(0x1002, "b", 1);
    EXPECT_TRUE(file.dropped());
    EXPECT_EQ(file.size(), 0u);
    EXPECT_LT(file.memoryBytes(), kept / 100);
    EXPECT_EQ(rendered, "1001\na\n1002\nb\n");
}

TEST(TokenFile, ConstantsAreWrittenAsPrintfFixedWouldWriteThem) {
    const double cases[] = {0.0, -0.0, 7.0, 12.5, 0.05, 0.1, 1.99, 100.0, 1000.0, 72.1456, 0.0000005, 0.0000015,
                            0.0000025, 2.5e-7, 4.9999999e-7, 1e-9, -1e-9, 123456789.0000005, 999999999.9999995,
                            999999999.5, 1e9, 1e15, 9007199254740993.0, 1e300, 0.3, 2.675, 1.0000005};
    for (const double value : cases) EXPECT_EQ(formatFixed6(value), exactFixed6(value)) << value;
    EXPECT_EQ(formatFixed6(12.5), "12.500000");
    EXPECT_EQ(formatFixed6(7), "7.000000");

    // Decimal constants as a listing writes them, and arbitrary doubles.
    std::mt19937_64 random(20240601);
    for (int i = 0; i < 200000; ++i) {
        const auto whole = static_cast<std::int64_t>(random() % 2000000000);
        const auto fraction = static_cast<std::int64_t>(random() % 100000000);
        const int fractionDigits = static_cast<int>(random() % 9);
        std::string text = std::to_string(whole % (i % 2 ? 1000 : 2000000000));
        if (fractionDigits > 0) {
            std::string digits = std::to_string(fraction);
            digits.resize(static_cast<std::size_t>(fractionDigits), '0');
            text += "." + digits;
        }
        double decimal = 0;
        std::from_chars(text.data(), text.data() + text.size(), decimal);
        ASSERT_EQ(formatFixed6(decimal), exactFixed6(decimal)) << text;
        double bits = 0;
        const std::uint64_t raw = random() % 0x41D0000000000000ull;  // below 2^30
        static_assert(sizeof bits == sizeof raw);
        std::memcpy(&bits, &raw, sizeof bits);
        ASSERT_EQ(formatFixed6(bits), exactFixed6(bits)) << raw;
    }
}

}  // namespace
}  // namespace vestrel
