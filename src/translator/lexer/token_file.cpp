// The "%f" text of constants.
#include "translator/lexer/token_file.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace vestrel {

std::size_t formatFixed6Into(char* buffer, double value) {
    // The usual constant (below 1e9 in size) is rounded to millionths with one
    // multiplication: its rounding error is at most 0.11 of a millionth (and adding a
    // half before truncating at most 0.07 more), so when the product lies within 0.3 of
    // a whole number, that number is the correctly rounded result. Near a tie, and for
    // large values, the exact conversion decides.
    const double magnitude = std::fabs(value);
    if (magnitude < 1e9) {
        const double millionths = magnitude * 1e6;
        auto whole = static_cast<std::uint64_t>(millionths + 0.5);
        if (std::fabs(millionths - static_cast<double>(whole)) < 0.3) {
            char digits[24];
            char* first = digits + sizeof digits;
            for (int digit = 0; digit < 6; ++digit, whole /= 10) *--first = static_cast<char>('0' + whole % 10);
            *--first = '.';
            do {
                *--first = static_cast<char>('0' + whole % 10);
                whole /= 10;
            } while (whole != 0);
            if (std::signbit(value)) *--first = '-';
            const auto length = static_cast<std::size_t>(digits + sizeof digits - first);
            std::memcpy(buffer, first, length);
            return length;
        }
    }
    const auto [end, error] = std::to_chars(buffer, buffer + kFixedTextCapacity, value, std::chars_format::fixed, 6);
    if (error != std::errc{}) {
        std::memcpy(buffer, "0.000000", 8);
        return 8;
    }
    return static_cast<std::size_t>(end - buffer);
}

std::string formatFixed6(double value) {
    char buffer[kFixedTextCapacity];
    return std::string(buffer, formatFixed6Into(buffer, value));
}

}  // namespace vestrel
