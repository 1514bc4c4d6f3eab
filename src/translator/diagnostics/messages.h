// Every message of the two passes, named once with its text. Each list below gives the
// enum of its pass, the texts (cp1251, exactly as the user sees them) and the names
// (stable identifiers for machine-readable reports). A message's code is its place in
// the list, counted from 1; 0 is "no message".
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "translator/text/literal.h"

// X(Name, "text"_cp) for each message of pass 1, in code order.
#define VESTREL_LEXICAL_MESSAGES(X)                                                          \
    X(MacroMustBeginWithLetter, "Макрос должен начинаться с буквы"_cp)                       \
    X(MacroGivenWrongly, "Макрос задан неверно"_cp)                                          \
    X(TooManyMacros, "Слишком много макроопределений (>100)"_cp)                             \
    X(UnknownVariable, "Неизвестная переменная"_cp)                                          \
    X(WrongVariableIndex, "Неправильный индекс переменной"_cp)                               \
    X(UnknownIdentifier, "Неизвестный идентификатор"_cp)                                     \
    X(WrongConstant, "Неверная константа"_cp)                                                \
    X(LineOutOfOrder, "Строка расположена не по порядку"_cp)                                 \
    X(LineNumberExists, "Строка с таким номером уже существует"_cp)                          \
    X(LineNumberNotOctal, "Номер строки должен быть восмеричным, в диапазоне от 00 до 77"_cp) \
    X(SectionOutOfOrder, "Секция расположена не по порядку"_cp)                              \
    X(SectionExists, "Секция с таким номером уже существует"_cp)                             \
    X(SectionNumberMissing, "Пропущен номер секции"_cp)                                      \
    X(UnknownCommand, "Неизвестная команда"_cp)                                              \
    X(WrongAlgorithmIndex, "Индекс алгоритма задан неверно"_cp)                              \
    X(AlgorithmNotImplemented, "Алгоритм с таким индексом не реализован"_cp)                 \
    X(ParametersNotInSequence, "Параметры алгоритма заданы не последовательно"_cp)           \
    X(ParameterNumberExists, "Параметр с таким номером уже существует"_cp)                   \
    X(SeveralCommands, "Фрагмент содержит несколько команд"_cp)

// X(Name, "text"_cp) for each message of pass 2, in code order. Messages 4..15 name what
// a parameter of an algorithm command must be; 16..21 are the templates' own checks.
#define VESTREL_SYNTAX_MESSAGES(X)                                                                           \
    X(SyntaxError, "Синтаксическая ошибка!"_cp)                                                              \
    X(TooManyOperands, "Выражение содержит более восьми операндов"_cp)                                       \
    X(WrongParameterCount,                                                                                   \
      "Неверное количество параметров алгоритма или алгоритм с таким номером не реализован"_cp)             \
    X(ParameterNotSwitch, "Параметр алгоритма должен быть: ОТКЛ, ВКЛ"_cp)                                    \
    X(ParameterNotBitOrSwitch, "Параметр алгоритма должен быть: ВД, ДВ, КБ, КС, ТМ, а также константа ВКЛ или ОТКЛ"_cp) \
    X(ParameterNotBit, "Параметр алгоритма должен быть: ВД, ДВ, КБ, КС, ТМ"_cp)                              \
    X(ParameterNotOutputBit, "Параметр алгоритма должен быть: ДВ, КБ, КС, ТМ"_cp)                            \
    X(ParameterNotSignedAnalog,                                                                              \
      "Параметр алгоритма должен быть: +ВА, -ВА, +АВ, -АВ, а также константа со знаком от -1000 до +1000"_cp) \
    X(ParameterNotAnalogOutput, "Параметр алгоритма должен быть: АВ"_cp)                                     \
    X(ParameterNotTimer, "Параметр алгоритма должен быть: ТМ"_cp)                                            \
    X(ParameterNotCount1To128, "Параметр алгоритма должен быть: Константа от 1 до 128"_cp)                   \
    X(ParameterNotCount0To7, "Параметр алгоритма должен быть: Константа от 0 до 7"_cp)                       \
    X(ParameterNotTime, "Параметр алгоритма должен быть: Время в диапазоне от 00.00.01 до 72.14.56"_cp)      \
    X(ParameterNotProportional,                                                                              \
      "Параметр алгоритма должен быть: Коэффициент пропорциональности от 00.0 до 100.0"_cp)                  \
    X(ParameterNotScale, "Параметр алгоритма должен быть: Масштабный коэффициент от 0.00 до 1.99"_cp)        \
    X(ParameterNotAnalogVariable, "Параметр алгоритма должен быть: Аналоговая переменная"_cp)                \
    X(FifthParameterOutOfRange, "5-й параметр алгоритма превышает допустимое значение (>4-го параметра или <1)"_cp) \
    X(ParameterNotSignedAnalogVariable, "Параметр алгоритма должен быть: +ВА, -ВА, +АВ, -АВ"_cp)             \
    X(EighthParameterNotConstant,                                                                            \
      "8-й параметр алгоритма должен быть: константа от -1000 до +1000 (Ограничение Orvenix) "_cp)           \
    X(SeventhParameterNotConstant,                                                                           \
      "7-й параметр алгоритма должен быть: константа от -1000 до +1000 (Ограничение Orvenix) "_cp)           \
    X(FourthParameterNotConstant,                                                                            \
      "4-й параметр алгоритма должен быть: константа от -1000 до +1000 (Ограничение Orvenix) "_cp)

namespace vestrel {

#define VESTREL_MESSAGE_ENUMERATOR(name, text) name,
#define VESTREL_MESSAGE_TEXT(name, text) text,
#define VESTREL_MESSAGE_NAME(name, text) std::string_view(#name),
#define VESTREL_MESSAGE_ONE(name, text) +1

// The messages of pass 1.
enum class LexicalMessage : std::uint8_t { None = 0, VESTREL_LEXICAL_MESSAGES(VESTREL_MESSAGE_ENUMERATOR) };
// The messages of pass 2.
enum class SyntaxMessage : std::uint8_t { None = 0, VESTREL_SYNTAX_MESSAGES(VESTREL_MESSAGE_ENUMERATOR) };

inline constexpr int kLexicalMessageCount = 0 VESTREL_LEXICAL_MESSAGES(VESTREL_MESSAGE_ONE);
inline constexpr int kSyntaxMessageCount = 0 VESTREL_SYNTAX_MESSAGES(VESTREL_MESSAGE_ONE);
static_assert(kLexicalMessageCount == 19, "pass 1 has nineteen messages");
static_assert(kSyntaxMessageCount == 21, "pass 2 has twenty-one messages");

namespace detail {
using namespace text::literals;
inline constexpr std::array<std::string_view, kLexicalMessageCount + 1> kLexicalTexts = {
    std::string_view{}, VESTREL_LEXICAL_MESSAGES(VESTREL_MESSAGE_TEXT)};
inline constexpr std::array<std::string_view, kSyntaxMessageCount + 1> kSyntaxTexts = {
    std::string_view{}, VESTREL_SYNTAX_MESSAGES(VESTREL_MESSAGE_TEXT)};
inline constexpr std::array<std::string_view, kLexicalMessageCount + 1> kLexicalNames = {
    std::string_view("None"), VESTREL_LEXICAL_MESSAGES(VESTREL_MESSAGE_NAME)};
inline constexpr std::array<std::string_view, kSyntaxMessageCount + 1> kSyntaxNames = {
    std::string_view("None"), VESTREL_SYNTAX_MESSAGES(VESTREL_MESSAGE_NAME)};
}  // namespace detail

#undef VESTREL_MESSAGE_ENUMERATOR
#undef VESTREL_MESSAGE_TEXT
#undef VESTREL_MESSAGE_NAME
#undef VESTREL_MESSAGE_ONE

constexpr int codeOf(LexicalMessage message) { return static_cast<int>(message); }
constexpr int codeOf(SyntaxMessage message) { return static_cast<int>(message); }

// The text of a message (cp1251); empty for None.
constexpr std::string_view textOf(LexicalMessage message) {
    return detail::kLexicalTexts[static_cast<std::size_t>(message)];
}
constexpr std::string_view textOf(SyntaxMessage message) {
    return detail::kSyntaxTexts[static_cast<std::size_t>(message)];
}

// The name of a message as written in the lists above ("UnknownVariable").
constexpr std::string_view nameOf(LexicalMessage message) {
    return detail::kLexicalNames[static_cast<std::size_t>(message)];
}
constexpr std::string_view nameOf(SyntaxMessage message) {
    return detail::kSyntaxNames[static_cast<std::size_t>(message)];
}

// The message of a code, or None for a code outside 1..count.
constexpr LexicalMessage lexicalMessageOfCode(int code) {
    return code >= 1 && code <= kLexicalMessageCount ? static_cast<LexicalMessage>(code) : LexicalMessage::None;
}
constexpr SyntaxMessage syntaxMessageOfCode(int code) {
    return code >= 1 && code <= kSyntaxMessageCount ? static_cast<SyntaxMessage>(code) : SyntaxMessage::None;
}

}  // namespace vestrel
