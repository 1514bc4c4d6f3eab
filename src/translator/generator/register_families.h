// The families of register keys the conversion table keeps, one row each: how a code is
// recognised and turned into its key, the lists that hold it, how its operands are named,
// and how its register is declared and commented in a block program.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "translator/lexer/token_vocabulary.h"
#include "translator/text/literal.h"

namespace vestrel {

// The lists of the conversion table that hold a family's keys, in the order they are tried.
enum class RegisterLists : std::uint8_t { None, IOnly, IThenW };

// The number a comment cites, taken from the register key k.
enum class CommentNumber : std::uint8_t {
    NoNumber,
    Key,           // %03o of k (an algorithm index)
    Low12,         // %03o of k & 0xFFF
    LowByte,       // %03o of k & 0xFF
    SectionGroup,  // the Korvel three-digit form of section k & 0xF8
};

// The rows of `kRegisterFamilies`, in table order.
enum class KeyKind : std::uint8_t {
    TimerValue,     // the value word of a timer: its code + 0x100
    BlockKey,       // кбN
    SectionHeader,  // the header of section N: stands for the key register of кс N
    StateWord,      // a state word of an algorithm: the algorithm's index
    DiscreteInput,  // вдNNN
    AnalogInput,    // ваNNN
    DiscreteOutput, // двNNN
    AnalogOutput,   // авNNN
    SectionKey,     // ксBSS
    Timer,          // тмNN
    Io,             // ивNN
    FlagPair,       // flag pairs of algorithms: 0xC000 | the algorithm's index
};

struct RegisterFamily {
    KeyKind kind;
    // The codes of the row: every code of the token family, or only those of one token
    // kind (a kind's first code; 0 for the whole family).
    TokenFamily family;
    TokenCode tokenKind;
    // The register key of a code: (code & keyMask) + keyBase.
    std::uint32_t keyMask;
    std::uint32_t keyBase;
    RegisterLists registerIn;  // where RegisterVariable enters and MarkVariable marks the key
    RegisterLists searchIn;    // where OperandNames looks for it
    bool sectionKey;           // a newly entered key sets the flag of its group of sections
    char letter;               // the name of its I-list register: "I" or "Q" + index
    bool hasMask;              // its operands are bits: the mask is the weight 1 << (code & 7)
    std::string_view shortage; // shown when OperandNames does not find it; empty: nothing
    std::optional<KeyKind> thenLookUpAs;  // looked up once more as this family when not found

    // The declaration line: letter + index, the external name, the mode, the comment.
    // The external name is the prefix, a two-digit octal module field, "-000" and one
    // digit, both taken from the key's bits under `numberMask`; work registers are named
    // by their index instead (" Work" + index). No prefix: the family is never declared.
    std::string_view externalPrefix;
    bool workRegister;
    std::uint32_t numberMask;
    std::uint8_t moduleShift;
    std::uint8_t digitShift;
    std::uint8_t digitMask;
    std::string_view mode;        // when the register is not marked
    std::string_view markedMode;  // when it is: " C ", except for work registers

    // The comment: " (* " [+ register "  = "] + word + number [+ join + word + the first two
    // digits of the number + "7"] + " *)". The joined form spans the eight numbers of a group.
    bool commentNamesRegister;
    std::string_view word;
    CommentNumber number;
    std::string_view rangeJoin;
};

namespace register_families {
using namespace text::literals;
using enum KeyKind;
using enum RegisterLists;
using enum CommentNumber;
inline constexpr std::string_view kNoW = "Не хватает переменных W"_cp;
inline constexpr std::string_view kNoIQ = "Не хватает переменных IQ"_cp;
using F = TokenFamily;
inline constexpr TokenCode kWholeFamily = 0;
inline constexpr std::uint32_t kWholeCode = 0xFFFFFFFF;
inline constexpr std::uint32_t kGroupOfEight = 0xFFF8;
inline constexpr std::uint32_t kGroupOfEightSections = 0xF8;

// Rows are found by token kind first, then by family (registerFamilyOfCode, ...OfKey).
// clang-format off
inline constexpr std::array<RegisterFamily, 12> kRows{{
    // kind, family, token kind, key mask, key base, registered in, searched in, section key, letter, mask,
    //   shortage, then looked up as;
    //   prefix, work register, number mask, module shift, digit shift, digit mask, mode, marked mode;
    //   comment names the register, word, number, range join
    {TimerValue, F::Timer, timerValueKey(token::Timer), kWholeCode, 0, IOnly, IOnly, false, 'Q', false,
        kNoIQ, Timer,
        " TV_-lm", false, 0xFF, 3, 0, 7, " In ", " C ",
        true, "зарезервировано для тм"_cp, LowByte, ""},
    {BlockKey, F::BlockKey, token::BlockKey, kGroupOfEight, 0, IOnly, IOnly, false, 'Q', true,
        {}, {},
        " KB_-lm", false, 0xFF, 6, 3, 7, " In ", " C ",
        false, "кб"_cp, LowByte, " - "},
    // A section header stands for the key register of its group of sections.
    {SectionHeader, F::Frame, token::Section, kGroupOfEightSections, token::SectionKey, IOnly, IOnly, true, 'Q', true,
        {}, {},
        {}, false, 0, 0, 0, 0, {}, {},
        false, {}, NoNumber, ""},
    {StateWord, F::StateWord, kWholeFamily, kWholeCode, 0, None, None, false, 'I', false,
        {}, {},
        " Work", true, 0, 0, 0, 0, " R ", " R ",
        true, "зарезервировано для алг"_cp, Key, ""},
    {DiscreteInput, F::DiscreteInput, kWholeFamily, kGroupOfEight, 0, IThenW, IThenW, false, 'I', true,
        kNoW, {},
        " DI_-lm", false, 0xFFF, 6, 3, 7, " R ", " C ",
        false, "вд"_cp, Low12, " - "},
    {AnalogInput, F::AnalogInput, kWholeFamily, kWholeCode, 0, IThenW, IThenW, false, 'I', false,
        kNoW, {},
        " AI_-lm", false, 0xFFF, 3, 0, 7, " R ", " C ",
        false, "ва"_cp, Low12, ""},
    {DiscreteOutput, F::DiscreteOutput, kWholeFamily, kGroupOfEight, 0, IThenW, IThenW, false, 'Q', true,
        kNoW, {},
        " DO_-lm", false, 0xFFF, 6, 3, 7, " In ", " C ",
        false, "дв"_cp, Low12, " - "},
    {AnalogOutput, F::AnalogOutput, kWholeFamily, kWholeCode, 0, IThenW, IThenW, false, 'Q', false,
        kNoW, {},
        " AO_-lm", false, 0xFFF, 3, 0, 7, " In ", " C ",
        false, "ав"_cp, Low12, ""},
    // The module field of a section key is "0" and the block digit.
    {SectionKey, F::SectionKey, kWholeFamily, kGroupOfEightSections, token::SectionKey, IOnly, IOnly, true, 'Q', true,
        {}, {},
        " KS_-lm", false, 0xFF, 5, 3, 3, " In ", " C ",
        false, "кс"_cp, SectionGroup, " - "},
    // A timer key is kept in the I list only, yet its name is looked for in the W list too.
    // Its module field is always "00" and its digit the decimal number of its group.
    {Timer, F::Timer, kWholeFamily, kGroupOfEight, 0, IOnly, IThenW, false, 'Q', true,
        kNoW, {},
        " TK_-lm", false, 0xFF, 8, 3, 0x1F, " In ", " C ",
        true, "тм"_cp, LowByte, " + "},
    {Io, F::IvVariable, kWholeFamily, kWholeCode, 0, IThenW, IThenW, false, 'Q', false,
        kNoW, {},
        " IO_-lm", false, 0xFFF, 6, 3, 7, " In ", " C ",
        false, "ив"_cp, Low12, " - "},
    {FlagPair, F::Command, kWholeFamily, kWholeCode, 0, None, None, false, 'I', false,
        {}, {},
        " Work", true, 0, 0, 0, 0, " R ", " R ",
        true, "ключи алгоритмов"_cp, NoNumber, ""},
}};
// clang-format on

constexpr bool rowsInKindOrder() {
    for (std::size_t i = 0; i < kRows.size(); ++i)
        if (static_cast<std::size_t>(kRows[i].kind) != i) return false;
    return true;
}
static_assert(rowsInKindOrder(), "a row stands at the index of its kind");
}  // namespace register_families

inline constexpr const std::array<RegisterFamily, 12>& kRegisterFamilies = register_families::kRows;

namespace register_families {
// Row indexes (-1: none), so that the search can run at compile time on any compiler.
constexpr int rowOfTokenKind(TokenCode code) {
    for (std::size_t i = 0; i < kRows.size(); ++i)
        if (kRows[i].tokenKind != kWholeFamily && kindOf(code) == kRows[i].tokenKind) return static_cast<int>(i);
    return -1;
}
constexpr int rowOfFamily(TokenCode code, bool anyRow) {
    for (std::size_t i = 0; i < kRows.size(); ++i)
        if (kRows[i].family == familyOf(code) && (anyRow || kRows[i].tokenKind == kWholeFamily))
            return static_cast<int>(i);
    return -1;
}
constexpr int rowOfCode(TokenCode code) {
    const int row = rowOfTokenKind(code);
    return row >= 0 ? row : rowOfFamily(code, false);
}
constexpr int rowOfKey(std::uint32_t key) {
    if (const int row = rowOfCode(key); row >= 0) return row;
    return rowOfFamily(key, true);
}

// The row of every 16-bit code and key depends on its top byte alone: worked out once, so
// that a lookup, made for every operand, costs one index.
struct RowsByTopByte {
    std::array<std::int8_t, 256> ofCode{};
    std::array<std::int8_t, 256> ofKey{};
};
constexpr RowsByTopByte makeRowsByTopByte() {
    RowsByTopByte rows;
    for (std::size_t top = 0; top < 256; ++top) {
        rows.ofCode[top] = static_cast<std::int8_t>(rowOfCode(static_cast<TokenCode>(top << 8)));
        rows.ofKey[top] = static_cast<std::int8_t>(rowOfKey(static_cast<std::uint32_t>(top << 8)));
    }
    return rows;
}
inline constexpr RowsByTopByte kRowsByTopByte = makeRowsByTopByte();

inline const RegisterFamily* rowAt(int index) {
    return index < 0 ? nullptr : &kRows[static_cast<std::size_t>(index)];
}
}  // namespace register_families

// The row of a code that RegisterVariable, MarkVariable or OperandNames is given: the row
// of its token kind, else of its whole family; nullptr for a code the table does not keep.
inline const RegisterFamily* registerFamilyOfCode(TokenCode code) {
    if (code > 0xFFFF) return register_families::rowAt(register_families::rowOfCode(code));
    return register_families::rowAt(register_families::kRowsByTopByte.ofCode[kindOf(code) >> 8]);
}

// The row of a register key, which decides its declaration and comment: as for a code,
// else any row of its family (so every key of the кб family is declared as a block key).
inline const RegisterFamily* registerFamilyOfKey(std::uint32_t key) {
    if (key > 0xFFFF) return register_families::rowAt(register_families::rowOfKey(key));
    return register_families::rowAt(register_families::kRowsByTopByte.ofKey[kindOf(key) >> 8]);
}

constexpr const RegisterFamily& registerFamily(KeyKind kind) {
    return kRegisterFamilies[static_cast<std::size_t>(kind)];
}

// The register key a code is kept under.
constexpr std::uint32_t registerKey(const RegisterFamily& family, std::uint32_t code) {
    return (code & family.keyMask) + family.keyBase;
}

// W registers hold variables that may overflow into the W list and work registers.
constexpr bool mayBeInWList(const RegisterFamily& family) {
    return family.registerIn == RegisterLists::IThenW || family.workRegister;
}

}  // namespace vestrel
