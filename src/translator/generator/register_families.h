// The families of register keys the conversion table keeps, one row each: how a code is
// recognised and turned into its key, the lists that hold it, how its operands are named,
// and how its register is declared and commented in a block program.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

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
    // A code or key belongs to the family when its bits under `matchMask` equal `matchValue`.
    std::uint32_t matchMask;
    std::uint32_t matchValue;
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
    std::string_view mode;  // when the register is not marked; " C " when it is

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
inline constexpr std::uint32_t kHighByte = 0xFF00;
inline constexpr std::uint32_t kFamilyDigit = 0xF000;
inline constexpr std::uint32_t kWholeCode = 0xFFFFFFFF;
inline constexpr std::uint32_t kGroupOfEight = 0xFFF8;

// The first row that matches decides, so the rows that match a whole high byte come first.
// clang-format off
inline constexpr std::array<RegisterFamily, 12> kRows{{
    // kind           match mask     value   key mask       key base   register  search  sect.  let. mask   shortage  then
    //                prefix       work   number  module digit  dmask  mode     names  word                                 number        join
    {TimerValue,      kHighByte,    0x7100, kWholeCode,    0,         IOnly,    IOnly,  false, 'Q', false, kNoIQ,    Timer,
                      " TV_-lm",   false, 0xFF,   3,     0,     7,     " In ",  true,  "зарезервировано для тм"_cp,   LowByte,      ""},
    {BlockKey,        kHighByte,    0x5000, kGroupOfEight, 0,         IOnly,    IOnly,  false, 'Q', true,  {},       {},
                      " KB_-lm",   false, 0xFF,   6,     3,     7,     " In ",  false, "кб"_cp,                       LowByte,      " - "},
    {SectionHeader,   kHighByte,    0xF200, 0xF8,          0x6000,    IOnly,    IOnly,  true,  'Q', true,  {},       {},
                      {},          false, 0,      0,     0,     0,     {},      false, {},                            NoNumber,     {}},
    {StateWord,       kFamilyDigit, 0x0000, kWholeCode,    0,         None,     None,   false, 'I', false, {},       {},
                      " Work",     true,  0,      0,     0,     0,     " R ",   true,  "зарезервировано для алг"_cp,  Key,          ""},
    {DiscreteInput,   kFamilyDigit, 0x1000, kGroupOfEight, 0,         IThenW,   IThenW, false, 'I', true,  kNoW,     {},
                      " DI_-lm",   false, 0xFFF,  6,     3,     7,     " R ",   false, "вд"_cp,                       Low12,        " - "},
    {AnalogInput,     kFamilyDigit, 0x2000, kWholeCode,    0,         IThenW,   IThenW, false, 'I', false, kNoW,     {},
                      " AI_-lm",   false, 0xFFF,  3,     0,     7,     " R ",   false, "ва"_cp,                       Low12,        ""},
    {DiscreteOutput,  kFamilyDigit, 0x3000, kGroupOfEight, 0,         IThenW,   IThenW, false, 'Q', true,  kNoW,     {},
                      " DO_-lm",   false, 0xFFF,  6,     3,     7,     " In ",  false, "дв"_cp,                       Low12,        " - "},
    {AnalogOutput,    kFamilyDigit, 0x4000, kWholeCode,    0,         IThenW,   IThenW, false, 'Q', false, kNoW,     {},
                      " AO_-lm",   false, 0xFFF,  3,     0,     7,     " In ",  false, "ав"_cp,                       Low12,        ""},
    // The module field of a section key is "0" and the block digit.
    {SectionKey,      kFamilyDigit, 0x6000, 0xF8,          0x6000,    IOnly,    IOnly,  true,  'Q', true,  {},       {},
                      " KS_-lm",   false, 0xFF,   5,     3,     3,     " In ",  false, "кс"_cp,                       SectionGroup, " - "},
    // A timer key is kept in the I list only, yet its name is looked for in the W list too.
    // Its module field is always "00" and its digit the decimal number of its group.
    {Timer,           kFamilyDigit, 0x7000, kGroupOfEight, 0,         IOnly,    IThenW, false, 'Q', true,  kNoW,     {},
                      " TK_-lm",   false, 0xFF,   8,     3,     0x1F,  " In ",  true,  "тм"_cp,                       LowByte,      " + "},
    {Io,              kFamilyDigit, 0x8000, kWholeCode,    0,         IThenW,   IThenW, false, 'Q', false, kNoW,     {},
                      " IO_-lm",   false, 0xFFF,  6,     3,     7,     " In ",  false, "ив"_cp,                       Low12,        " - "},
    {FlagPair,        kFamilyDigit, 0xC000, kWholeCode,    0,         None,     None,   false, 'I', false, {},       {},
                      " Work",     true,  0,      0,     0,     0,     " R ",   true,  "ключи алгоритмов"_cp,         NoNumber,     ""},
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

// The row of a code or of a register key; nullptr for a code the table does not keep.
constexpr const RegisterFamily* findRegisterFamily(std::uint32_t codeOrKey) {
    for (const RegisterFamily& family : kRegisterFamilies)
        if ((codeOrKey & family.matchMask) == family.matchValue) return &family;
    return nullptr;
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
