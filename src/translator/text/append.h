// Building generated lines piece by piece into one string: texts, single characters,
// whole numbers in decimal and octal. A line is assembled in place, without the
// temporaries that chains of operator+ and std::to_string leave behind.
#pragma once

#include <charconv>
#include <concepts>
#include <string>
#include <string_view>
#include <type_traits>

namespace vestrel::text {

// A number printed in octal with at least `digits` digits ("%03o" is Octal{v, 3}).
struct Octal {
    unsigned value;
    int digits = 1;
};

inline void appendPart(std::string& out, std::string_view piece) { out.append(piece); }
inline void appendPart(std::string& out, const std::string& piece) { out.append(piece); }
template <class Pointer>
    requires std::same_as<Pointer, const char*> || std::same_as<Pointer, char*>
void appendPart(std::string& out, Pointer piece) {
    out.append(piece);
}
// A literal's length is known without counting.
template <std::size_t N>
void appendPart(std::string& out, const char (&literal)[N]) {
    out.append(literal, N - 1);
}
inline void appendPart(std::string& out, char c) { out.push_back(c); }

// Any whole number in decimal: the long way, kept out of line.
void appendDecimal(std::string& out, long long value);
void appendDecimal(std::string& out, unsigned long long value);

template <std::integral Number>
    requires(!std::same_as<Number, char> && !std::same_as<Number, bool>)
void appendPart(std::string& out, Number value) {
    // Register numbers (up to 255), masks and depths are below a thousand: their digits
    // are written here.
    if (value >= 0 && value < 1000) {
        const auto v = static_cast<unsigned>(value);
        if (v >= 100) out.push_back(static_cast<char>('0' + v / 100));
        if (v >= 10) out.push_back(static_cast<char>('0' + v / 10 % 10));
        out.push_back(static_cast<char>('0' + v % 10));
        return;
    }
    if constexpr (std::is_signed_v<Number>) appendDecimal(out, static_cast<long long>(value));
    else appendDecimal(out, static_cast<unsigned long long>(value));
}

inline void appendPart(std::string& out, Octal number) {
    char digits[16];
    int n = 0;
    unsigned value = number.value;
    do {
        digits[n++] = static_cast<char>('0' + (value & 7));
        value >>= 3;
    } while (value != 0 && n < 16);
    for (int pad = number.digits - n; pad > 0; --pad) out.push_back('0');
    while (n > 0) out.push_back(digits[--n]);
}

// Appends every piece in order.
template <class... Pieces>
void append(std::string& out, const Pieces&... pieces) {
    (appendPart(out, pieces), ...);
}

// The pieces as one new string (a short one stays inside the string object).
template <class... Pieces>
std::string concat(const Pieces&... pieces) {
    std::string out;
    (appendPart(out, pieces), ...);
    return out;
}

}  // namespace vestrel::text
