// Code page 1251, the single-byte encoding of every file and of all text inside the core:
// case mapping, letter classes, and conversion to and from UTF-8 at the edges.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vestrel::text {

// The lower-case form of a cp1251 byte (A-Z, the Cyrillic capitals and the other
// capitals of the code page); every other byte maps to itself.
char toLower(char c);
std::string toLower(std::string_view s);
void toLowerInPlace(std::string& s);

// A letter of the Korvel source: "a".."z" and the bytes 0xE0..0xFF ("а".."я").
// Only lower-case bytes count, because every line is lower-cased before it is scanned;
// "ё" (0xB8) is not a letter.
inline bool isLetter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || u >= 0xE0;
}
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline bool isOctalDigit(char c) { return c >= '0' && c <= '7'; }

// cp1251 -> UTF-8. Every byte has a form (0x98, unassigned in the code page, maps to U+0098).
std::string toUtf8(std::string_view cp1251);

// True when s is well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(std::string_view s);
// True when s holds a byte above 0x7F.
bool hasNonAscii(std::string_view s);

// Where a UTF-8 text could not be converted: the byte offset of the offending
// character and its number among the characters of the text (0-based).
struct ConversionError {
    std::size_t byteOffset = 0;
    std::size_t characterIndex = 0;
    char32_t codePoint = 0;  // 0 when the bytes are not well-formed UTF-8
};

// UTF-8 -> cp1251. Fails on malformed UTF-8 and on characters that have no cp1251 form.
std::optional<std::string> fromUtf8(std::string_view utf8, ConversionError* error = nullptr);

// The cp1251 byte of a Unicode character, or nothing.
std::optional<char> fromCodePoint(char32_t cp);

}  // namespace vestrel::text
