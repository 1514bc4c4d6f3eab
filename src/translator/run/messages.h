// The fixed message tables of both passes, indexed by message code (0 = no message).
#pragma once

#include <array>
#include <string_view>

namespace vestrel {

inline constexpr int kLexicalMessageCount = 19;
inline constexpr int kSyntaxMessageCount = 21;

// The nineteen messages of pass 1 (cp1251); entry 0 is empty.
extern const std::array<std::string_view, kLexicalMessageCount + 1> kLexicalMessages;
// The twenty-one messages of pass 2 (cp1251); entry 0 is empty. Code 255 is reported as 1.
extern const std::array<std::string_view, kSyntaxMessageCount + 1> kSyntaxMessages;

// Codes with a name where the code refers to them by meaning.
namespace lexical {
enum : int {
    MacroMustBeginWithLetter = 1,
    MacroGivenWrongly = 2,
    TooManyMacros = 3,
    UnknownVariable = 4,
    WrongVariableIndex = 5,
    UnknownIdentifier = 6,
    WrongConstant = 7,
    LineOutOfOrder = 8,
    LineNumberExists = 9,
    LineNumberNotOctal = 10,
    SectionOutOfOrder = 11,
    SectionExists = 12,
    SectionNumberMissing = 13,
    UnknownCommand = 14,
    WrongAlgorithmIndex = 15,
    AlgorithmNotImplemented = 16,
    ParametersNotInSequence = 17,
    ParameterNumberExists = 18,
    SeveralCommands = 19,
};
}  // namespace lexical

namespace syntax {
enum : int {
    SyntaxError = 1,
    EngineError = 255,  // what a failing row carries; reported as SyntaxError
};
}  // namespace syntax

}  // namespace vestrel
