// The token vocabulary of both passes: the code of every record, the family (top
// hexadecimal digit) and kind (top byte) a code belongs to, and the small tests the
// scanner, the grammar, the generator and the front ends ask of a code. No other file
// looks at the bits of a code.
//
// The registers of the conversion table are keyed in the same 16-bit space: a variable's
// key is derived from its code, and three kinds of key stand for no token (an algorithm's
// state word, its flag pair, a timer's value word); they are named here as well.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "translator/text/literal.h"

namespace vestrel {

using TokenCode = std::uint32_t;

// The family of a code: its top hexadecimal digit. 1..8 are the variable families.
enum class TokenFamily : std::uint8_t {
    StateWord = 0x0,       // no token: the register key of an algorithm's state word
    DiscreteInput = 0x1,   // вд000..вд777
    AnalogInput = 0x2,     // ва000..ва177
    DiscreteOutput = 0x3,  // дв000..дв777
    AnalogOutput = 0x4,    // ав000..ав177
    BlockKey = 0x5,        // кб0..кб7
    SectionKey = 0x6,      // кс000..кс737, index block * 32 + section
    Timer = 0x7,           // тм00..тм77; also the key of a timer's value word
    IvVariable = 0x8,      // ив00..ив37
    ConditionWord = 0x9,   // если, тогда, иначе, или
    OperationWord = 0xA,   // в, о, б, вск, and the parameter values вкл, откл
    SignOrTime = 0xB,      // the operators ( ) + - < = > and the two time literals
    Command = 0xC,         // алгNNN, a parameter line; as a register key, a flag pair
    FreeText = 0xD,        // тс, the rest of its line, a text line
    Number = 0xE,          // a numeric constant
    Frame = 0xF,           // a section header, a statement line, the end of input
};

namespace token {
// Codes of the records. A family's first code stands, in the grammar's token sets, for
// every variable of the family; a kind's first code (a zero low byte) for every code of
// the kind.
enum : TokenCode {
    DiscreteInput = 0x1000, AnalogInput = 0x2000, DiscreteOutput = 0x3000, AnalogOutput = 0x4000,
    BlockKey = 0x5000, SectionKey = 0x6000, Timer = 0x7000, IvVariable = 0x8000,
    If = 0x9001, Then = 0x9002, Else = 0x9003, Or = 0x9101,
    On = 0xA001, Off = 0xA002, Bit = 0xA003, ExitSection = 0xA004,
    ValueOn = 0xA104, ValueOff = 0xA105,
    // An operator is B000 + its character.
    OpenParen = 0xB028, CloseParen = 0xB029, Plus = 0xB02B, Minus = 0xB02D,
    Less = 0xB03C, Equal = 0xB03D, Greater = 0xB03E,
    TimeLiteral = 0xB100, TimeOfDay = 0xB101, TimeTenths = 0xB102,
    Algorithm = 0xC000, ParameterLine = 0xC100,
    Marker = 0xD000, RestOfLine = 0xD100, TextLine = 0xD200,
    Constant = 0xE000,
    EndOfInput = 0xF000, Section = 0xF200, StatementLine = 0xF300,
    // What the reader hands on after a code line it cannot read: no row accepts it.
    Unreadable = 0xFFFF,
};
}  // namespace token

constexpr TokenFamily familyOf(TokenCode code) { return static_cast<TokenFamily>((code >> 12) & 0xF); }
// The first code of a family.
constexpr TokenCode familyBase(TokenFamily family) { return static_cast<TokenCode>(family) << 12; }
// The kind of a code: its top byte, as the kind's first code (B100 any time literal,
// C000 any algorithm command, F200 any section header, 7000 any timer, ...).
constexpr TokenCode kindOf(TokenCode code) { return code & 0xFF00; }

// --- Variables ---------------------------------------------------------------------

constexpr bool isVariableFamily(TokenFamily family) {
    return family >= TokenFamily::DiscreteInput && family <= TokenFamily::IvVariable;
}
constexpr bool isVariable(TokenCode code) { return isVariableFamily(familyOf(code)); }

// The families whose variables are single bits: вд, дв, кб, кс.
constexpr bool isDiscreteFamily(TokenFamily family) {
    return family == TokenFamily::DiscreteInput || family == TokenFamily::DiscreteOutput ||
           family == TokenFamily::BlockKey || family == TokenFamily::SectionKey;
}
constexpr bool isDiscreteVariable(TokenCode code) { return isDiscreteFamily(familyOf(code)); }
// The discrete variables a program may set: дв, кб, кс (not the inputs вд).
constexpr bool isOutputBit(TokenCode code) { return isDiscreteVariable(code) && familyOf(code) != TokenFamily::DiscreteInput; }

// The analog families: ва, ав.
constexpr bool isAnalogFamily(TokenFamily family) {
    return family == TokenFamily::AnalogInput || family == TokenFamily::AnalogOutput;
}
constexpr bool isAnalogVariable(TokenCode code) { return isAnalogFamily(familyOf(code)); }
constexpr bool isAnalogOutput(TokenCode code) { return familyOf(code) == TokenFamily::AnalogOutput; }
// The variables an arithmetic expression sums: ва, ав, ив.
constexpr bool isNumericVariable(TokenCode code) {
    return isAnalogVariable(code) || familyOf(code) == TokenFamily::IvVariable;
}
// A timer тм00..тм77 (not the key of its value word).
constexpr bool isTimer(TokenCode code) { return kindOf(code) == token::Timer; }

// The index of a variable within its family (a кс index is block * 32 + section).
constexpr unsigned variableIndex(TokenCode code) { return code & 0xFFF; }

// The prefix that names a variable family in the source; empty for any other family.
constexpr std::string_view familyPrefix(TokenFamily family) {
    using namespace text::literals;
    switch (family) {
        case TokenFamily::DiscreteInput: return "вд"_cp;
        case TokenFamily::AnalogInput: return "ва"_cp;
        case TokenFamily::DiscreteOutput: return "дв"_cp;
        case TokenFamily::AnalogOutput: return "ав"_cp;
        case TokenFamily::BlockKey: return "кб"_cp;
        case TokenFamily::SectionKey: return "кс"_cp;
        case TokenFamily::Timer: return "тм"_cp;
        case TokenFamily::IvVariable: return "ив"_cp;
        case TokenFamily::StateWord: case TokenFamily::ConditionWord: case TokenFamily::OperationWord:
        case TokenFamily::SignOrTime: case TokenFamily::Command: case TokenFamily::FreeText:
        case TokenFamily::Number: case TokenFamily::Frame:
            return {};
    }
    return {};
}

inline constexpr std::array<TokenFamily, 8> kVariableFamilies = {
    TokenFamily::DiscreteInput, TokenFamily::AnalogInput, TokenFamily::DiscreteOutput, TokenFamily::AnalogOutput,
    TokenFamily::BlockKey, TokenFamily::SectionKey, TokenFamily::Timer, TokenFamily::IvVariable,
};

// --- Keywords, operators, literals --------------------------------------------------

// "если", "тогда", "иначе", "или": at most one of them on a line.
constexpr bool isConditionWord(TokenCode code) { return familyOf(code) == TokenFamily::ConditionWord; }
// "в", "о", "б", "вск", "вкл", "откл": at most one of them on a line.
constexpr bool isOperationWord(TokenCode code) { return familyOf(code) == TokenFamily::OperationWord; }
// The parameter values "вкл" and "откл" (the kind of both).
constexpr bool isSwitchValue(TokenCode code) { return kindOf(code) == kindOf(token::ValueOn); }

// The operator of a character of "()+-<=>".
constexpr TokenCode operatorCode(char c) { return 0xB000u + static_cast<unsigned char>(c); }
// The character of an operator code ("+" of B02B).
constexpr char operatorChar(TokenCode code) { return static_cast<char>(code & 0xFF); }

constexpr bool isTimeLiteral(TokenCode code) { return kindOf(code) == token::TimeLiteral; }
constexpr bool isConstant(TokenCode code) { return kindOf(code) == token::Constant; }
constexpr bool isAlgorithmCommand(TokenCode code) { return kindOf(code) == token::Algorithm; }
// The index 0..127 of an алг command.
constexpr int algorithmIndexOf(TokenCode code) { return static_cast<int>(code & 0xFF); }
// A "тс" marker (its code's low bits are the marker's three digits).
constexpr bool isMarker(TokenCode code) { return kindOf(code) == token::Marker; }

// --- Line records ------------------------------------------------------------------

constexpr bool isSectionHeader(TokenCode code) { return kindOf(code) == token::Section; }
constexpr bool isTextLine(TokenCode code) { return kindOf(code) == token::TextLine; }
// The record that opens a numbered line: a section header, a statement or a parameter line.
constexpr bool isLineOpener(TokenCode code) {
    return isSectionHeader(code) || kindOf(code) == token::StatementLine || kindOf(code) == token::ParameterLine;
}
// The SectionCode (block * 32 + section) of a section header or a кс variable.
constexpr unsigned sectionCodeOf(TokenCode code) { return code & 0xFF; }

// --- Register keys -----------------------------------------------------------------

// The key of a timer's value word: the timer's code in the kind after it.
constexpr TokenCode timerValueKey(TokenCode timer) { return timer + 0x100; }
constexpr bool isTimerValueKey(TokenCode key) { return kindOf(key) == timerValueKey(token::Timer); }
// The key of an algorithm's flag pair register and of its state words (by algorithm kind).
constexpr TokenCode flagPairKey(std::uint32_t algorithmKind) { return algorithmKind | 0xC000u; }
constexpr bool isFlagPairKey(TokenCode key) { return kindOf(key) == flagPairKey(0); }

}  // namespace vestrel
