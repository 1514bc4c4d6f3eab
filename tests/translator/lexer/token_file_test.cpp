// The writer side of the token file: record bytes and the "%f" text of constants.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "translator/lexer/token_file.h"

namespace vestrel {
namespace {

std::string exactFixed6(double value) {
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    EXPECT_EQ(error, std::errc{});
    return std::string(buffer, end);
}

TEST(TokenFile, RecordsAreCodeAndTextLines) {
    TokenFile file;
    file.writeRecord(0x1001, "abc");
    file.writeRecord(0xD200, "");
    file.writeRecord(0xB03D, "=");
    file.writeConstant(12.5);
    const std::string longText(300, 'x');
    file.writeRecord(0xF300, longText);
    EXPECT_EQ(file.bytes(), "1001\nabc\nD200\n\nB03D\n=\nE000\n12.500000\nF300\n" + longText + "\n");
    file.clear();
    EXPECT_EQ(file.bytes(), "");

    // Codes of other lengths, a text longer than any buffer, reading between writes,
    // and enough records to fill the buffer many times over.
    const std::string huge(20000, 'y');
    file.writeRecord(0x5, "a");
    file.writeRecord(0x12345, "b");
    EXPECT_EQ(file.bytes(), "5\na\n12345\nb\n");
    file.writeRecord(0xD100, huge);
    std::string expected = "5\na\n12345\nb\nD100\n" + huge + "\n";
    for (int i = 0; i < 5000; ++i) {
        const std::string text(static_cast<std::size_t>(i % 40), static_cast<char>('a' + i % 26));
        file.writeRecord(0x1000 + static_cast<TokenCode>(i % 512), text);
        char code[8];
        std::snprintf(code, sizeof code, "%X", 0x1000 + i % 512);
        expected += std::string(code) + "\n" + text + "\n";
    }
    EXPECT_EQ(file.release(), expected);
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
