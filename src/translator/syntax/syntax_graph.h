// The Korvel grammar as the table of rows that the pass-2 engine walks.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "translator/generator/actions.h"
#include "translator/lexer/token_file.h"

namespace vestrel {

inline constexpr int kTokenSetSize = 21;
inline constexpr int kSyntaxRowCount = 183;
inline constexpr int kRowErrorCode = 255;

using TokenSet = std::array<std::uint16_t, kTokenSetSize>;

struct SyntaxRow {
    int next = 0;          // row after a successful test (ignored when pop is set)
    bool consume = false;  // the token is used up
    bool push = false;     // push this row + 1, then go to next (a sub-graph call)
    bool pop = false;      // go to the popped row (a sub-graph return)
    int error = 0;         // 0: a failed test tries the following row; else the message code
    Action action = nullptr;              // called on entering the row, before the test
    std::string_view actionName;          // the routine's name, for traces and tests
    TokenSet tokens{};                    // 0 marks an empty entry
};

// Whether a token belongs to a row's set: each entry is tested by its top byte.
bool MatchTokenSet(TokenCode token, const TokenSet& set);

extern const std::array<SyntaxRow, kSyntaxRowCount> SyntaxGraph;

// The same test in compiled form, for the engine's inner loop: a token belongs to at
// most one class (a family, one exact keyword or operator, or one FF00 class), and each
// row keeps the set of classes it accepts as bits. MatchTokenSet stays the definition;
// a test checks that both agree for every token and row.
int TokenClassOf(TokenCode token);
extern const std::array<std::uint64_t, kSyntaxRowCount> SyntaxRowClasses;
inline bool rowAccepts(int row, int tokenClass) {
    return ((SyntaxRowClasses[static_cast<std::size_t>(row)] >> tokenClass) & 1u) != 0;
}

// Class 0 holds every token no row names; the others are families, keywords and bytes.
inline constexpr int kTokenClassCount = 33;
// For each row and class, the first row from there on that calls an action, reports an
// error or takes the token: the rows before it would only pass the token down.
extern const std::array<std::array<std::uint8_t, kTokenClassCount>, kSyntaxRowCount> SyntaxRowSkips;
inline int rowActingOn(int row, int tokenClass) {
    return SyntaxRowSkips[static_cast<std::size_t>(row)][static_cast<std::size_t>(tokenClass)];
}

}  // namespace vestrel
