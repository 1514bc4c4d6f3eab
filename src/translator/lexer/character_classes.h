// The character classes of a lower-cased Korvel line: letters, digits, the point and the
// seven operator characters. The scanner and the editor's line splitter read this one table.
#pragma once

#include <array>
#include <string_view>

#include "translator/text/cp1251.h"

namespace vestrel::lexer {

enum CharacterClass : unsigned char {
    Other = 0,
    Letter = 1,
    Digit = 2,
    Point = 4,
    Operator = 8,
};

inline constexpr std::string_view kOperators = "()+-<=>";

inline const std::array<unsigned char, 256> kCharacterClasses = [] {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i) {
        const char c = static_cast<char>(i);
        unsigned char characterClass = Other;
        if (text::isLetter(c)) characterClass = Letter;
        else if (text::isDigit(c)) characterClass = Digit;
        else if (c == '.') characterClass = Point;
        else if (kOperators.find(c) != std::string_view::npos) characterClass = Operator;
        table[static_cast<std::size_t>(i)] = characterClass;
    }
    return table;
}();

inline unsigned classOf(char c) { return kCharacterClasses[static_cast<unsigned char>(c)]; }

// The end of the run of characters, from `from` on, whose class is among `members`.
inline std::size_t endOfRun(std::string_view line, std::size_t from, unsigned members) {
    while (from < line.size() && (classOf(line[from]) & members) != 0) ++from;
    return from;
}

}  // namespace vestrel::lexer
