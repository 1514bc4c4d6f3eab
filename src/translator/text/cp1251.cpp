// Code page 1251 tables: the Unicode characters of the upper half and the case mapping.
#include "translator/text/cp1251.h"
#include "translator/text/cp1251_table.h"

#include <array>
#include <cstdint>

namespace vestrel::text {
namespace {


// Capitals of the upper half that are not in 0xC0..0xDF, with their small letters.
constexpr std::array<std::pair<std::uint8_t, std::uint8_t>, 15> kOtherCapitals = {{
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
    {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
    {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
}};

constexpr std::array<char, 256> makeLowerTable() {
    std::array<char, 256> table{};
    for (int i = 0; i < 256; ++i) {
        int lower = i;
        if (i >= 'A' && i <= 'Z') lower = i + 32;
        if (i >= 0xC0 && i <= 0xDF) lower = i + 32;
        table[static_cast<std::size_t>(i)] = static_cast<char>(lower);
    }
    for (const auto& [upper, lower] : kOtherCapitals) table[upper] = static_cast<char>(lower);
    return table;
}
constexpr std::array<char, 256> kLower = makeLowerTable();

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes one UTF-8 character at s[i]; returns its length, or 0 when malformed.
std::size_t decodeUtf8(std::string_view s, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) { cp = b0; return 1; }
    std::size_t length = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) { length = 2; cp = b0 & 0x1F; minimum = 0x80; }
    else if ((b0 & 0xF0) == 0xE0) { length = 3; cp = b0 & 0x0F; minimum = 0x800; }
    else if ((b0 & 0xF8) == 0xF0) { length = 4; cp = b0 & 0x07; minimum = 0x10000; }
    else return 0;
    if (i + length > s.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

char toLower(char c) { return kLower[static_cast<unsigned char>(c)]; }

std::string toLower(std::string_view s) {
    std::string out(s);
    toLowerInPlace(out);
    return out;
}

void toLowerInPlace(std::string& s) {
    for (char& c : s) c = kLower[static_cast<unsigned char>(c)];
}

std::string toUtf8(std::string_view cp1251) {
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (char c : cp1251) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80) out.push_back(c);
        else if (u >= 0xC0) appendUtf8(out, static_cast<char32_t>(0x0410 + (u - 0xC0)));
        else appendUtf8(out, kUpperHalfCodePoints[u - 0x80]);
    }
    return out;
}

bool hasNonAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        char32_t cp = 0;
        const std::size_t length = decodeUtf8(s, i, cp);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::optional<char> fromCodePoint(char32_t cp) {
    const int byte = byteOfCodePoint(cp);
    if (byte < 0) return std::nullopt;
    return static_cast<char>(byte);
}

std::optional<std::string> fromUtf8(std::string_view utf8, ConversionError* error) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t characterIndex = 0;
    for (std::size_t i = 0; i < utf8.size(); ++characterIndex) {
        char32_t cp = 0;
        const std::size_t length = decodeUtf8(utf8, i, cp);
        const std::optional<char> byte = length == 0 ? std::nullopt : fromCodePoint(cp);
        if (!byte) {
            if (error) *error = {i, characterIndex, length == 0 ? char32_t{0} : cp};
            return std::nullopt;
        }
        out.push_back(*byte);
        i += length;
    }
    return out;
}

}  // namespace vestrel::text
