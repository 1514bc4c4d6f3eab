// What the editor tells a user about the words of a program: the variable families in
// words, the names of the library algorithms and what each parameter kind accepts.
// Texts are UTF-8, ready for the protocol.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "translator/lexer/algorithm_table.h"
#include "translator/diagnostics/messages.h"

namespace vestrel::lsp {

// A variable family as a user writes and reads it.
struct FamilyWords {
    std::string_view prefix;   // "вд"
    std::string_view name;     // "дискретный вход"
    std::string_view first;    // the lowest variable, "вд000"
    std::string_view last;     // the highest, "вд777"
};

// Indexed by family (the top hexadecimal digit of the variable's code), 1..8; entry 0 is empty.
extern const std::array<FamilyWords, 9> kFamilyWords;

// The name of algorithm `index` (0..127), or nothing when it has no IL template.
std::string_view algorithmName(int index);
// What a parameter of this kind must be, from the message that rejects it.
std::string parameterKindText(ParameterKind kind);

// "алг" and the index in three octal digits.
std::string algorithmWord(int index);

}  // namespace vestrel::lsp
