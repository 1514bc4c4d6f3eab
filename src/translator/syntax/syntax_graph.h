// The Korvel grammar as the table of rows that the pass-2 engine walks.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "translator/diagnostics/messages.h"
#include "translator/syntax/syntax_actions.h"
#include "translator/lexer/token_vocabulary.h"

namespace vestrel {

inline constexpr int kTokenSetSize = 21;
inline constexpr int kSyntaxRowCount = 183;

using TokenSet = std::array<std::uint16_t, kTokenSetSize>;

struct SyntaxRow {
    int next = 0;          // row after a successful test (ignored when pop is set)
    bool consume = false;  // the token is used up
    bool push = false;     // push this row + 1, then go to next (a sub-graph call)
    bool pop = false;      // go to the popped row (a sub-graph return)
    SyntaxMessage error = SyntaxMessage::None;  // None: a failed test tries the following row
    SyntaxAction action = SyntaxAction::None;  // called on entering the row, before the test
    std::string_view actionName;               // the routine's name, for traces and tests
    TokenSet tokens{};                    // 0 marks an empty entry
};

// Whether a token belongs to a row's set: a family's first code takes every variable of
// the family, a kind's first code every code of the kind, any other entry only itself.
bool MatchTokenSet(TokenCode token, const TokenSet& set);

extern const std::array<SyntaxRow, kSyntaxRowCount> SyntaxGraph;

// The same test in compiled form, for the engine's inner loop: a token belongs to at
// most one class (a family, one exact keyword or operator, or one FF00 class), and each
// row keeps the set of classes it accepts as bits. MatchTokenSet stays the definition;
// a test checks that both agree for every token and row.
// Every 16-bit code's class, looked up once per token read; a longer code is of class 0.
extern const std::array<std::uint8_t, 0x10000> TokenClasses;
inline int TokenClassOf(TokenCode token) { return token > 0xFFFF ? 0 : TokenClasses[token]; }
extern const std::array<std::uint64_t, kSyntaxRowCount> SyntaxRowClasses;
inline bool rowAccepts(int row, int tokenClass) {
    return ((SyntaxRowClasses[static_cast<std::size_t>(row)] >> tokenClass) & 1u) != 0;
}

// Class 0 holds every token no row names; the others are families, keywords and bytes.
inline constexpr int kTokenClassCount = 33;

// The walk of a token of one class from one row, compiled: the actions of the rows it
// passes, the return rows it pushes, and how it ends. The engine uses it when nobody
// traces rows; the trace shows every row, so a traced run walks row by row. A segment
// holds the actions themselves, not their rows, and is kept small: the engine reads one
// for every token, and the whole table then stays in the cache. A longer walk (none in
// the grammar today takes more than three actions or two pushes) is left row by row.
struct EngineSegment {
    static constexpr int kMaxActions = 4;
    static constexpr int kMaxPushes = 3;
    enum class End : std::uint8_t {
        RowByRow,  // not compiled: walk row by row from the start row
        Next,      // go to `next`, the token used up
        Return,    // pop the row to go to (the token used up when `consume`)
        AtRow,     // continue row by row at `next`, which rejects the token with an error
    };
    End end = End::RowByRow;
    bool consume = false;
    std::uint8_t next = 0;
    std::uint8_t actionCount = 0;
    std::uint8_t pushCount = 0;
    std::array<SyntaxAction, kMaxActions> actions{};
    std::array<std::uint8_t, kMaxPushes> pushRows{};
};
static_assert(sizeof(EngineSegment) == 12, "a segment of 12 bytes");
extern const std::array<std::array<EngineSegment, kTokenClassCount>, kSyntaxRowCount> SyntaxSegments;

}  // namespace vestrel
