// Building generated lines piece by piece into one string: texts, single characters,
// whole numbers in decimal and octal. A line is assembled in place, without the
// temporaries that chains of operator+ and std::to_string leave behind.
#pragma once

#include <charconv>
#include <concepts>
#include <string>
#include <string_view>

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

template <std::integral Number>
    requires(!std::same_as<Number, char> && !std::same_as<Number, bool>)
void appendPart(std::string& out, Number value) {
    // Register numbers, masks and depths are mostly one or two digits.
    if (value >= 0 && value < 100) {
        if (value >= 10) out.push_back(static_cast<char>('0' + value / 10));
        out.push_back(static_cast<char>('0' + value % 10));
        return;
    }
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, static_cast<std::size_t>(end - digits));
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
