// The codes of the tokens pass 1 hands pass 2, and the "%f" text of constants. A token
// file record is two lines, the code as "%X" and the text (or a constant's "%f" value);
// token_sequence.h keeps the tokens as values and makes that text on request.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vestrel {

using TokenCode = std::uint32_t;

namespace token {
// Codes and classes of the records (the class is the top hexadecimal digit or byte).
enum : TokenCode {
    If = 0x9001, Then = 0x9002, Else = 0x9003, Or = 0x9101,
    On = 0xA001, Off = 0xA002, Bit = 0xA003, ExitSection = 0xA004,
    ValueOn = 0xA104, ValueOff = 0xA105,
    OpenParen = 0xB028, CloseParen = 0xB029, Plus = 0xB02B, Minus = 0xB02D,
    Less = 0xB03C, Equal = 0xB03D, Greater = 0xB03E,
    TimeOfDay = 0xB101, TimeTenths = 0xB102,
    Algorithm = 0xC000, ParameterLine = 0xC100,
    Marker = 0xD000, RestOfLine = 0xD100, TextLine = 0xD200,
    Constant = 0xE000,
    EndOfInput = 0xF000, Section = 0xF200, StatementLine = 0xF300,
    // What the reader hands on after a code line it cannot read: no row accepts it.
    Unreadable = 0xFFFF,
};
}  // namespace token

// "%f" of a value (six decimals, a point), independent of the process locale.
std::string formatFixed6(double value);
// The same into a buffer of kFixedTextCapacity bytes; returns the length.
inline constexpr std::size_t kFixedTextCapacity = 400;  // "%f" of the largest double needs 316
std::size_t formatFixed6Into(char* buffer, double value);

}  // namespace vestrel
