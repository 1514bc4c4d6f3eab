// The messages as values and as the texts the user sees.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "translator/diagnostics/diagnostics.h"
#include "translator/text/cp1251.h"
#include "translator/text/literal.h"

namespace vestrel {
namespace {
using namespace text::literals;

// Every message of both passes, typed here a second time on purpose: a misspelt text in
// the message list fails this table.
struct MessageCase {
    TranslationPass pass;
    int code;
    const char* name;
    int line;
    int columnOrWord;
    const char* shown;  // UTF-8
};
const MessageCase kEveryMessage[] = {
    {TranslationPass::Lexical, 1, "MacroMustBeginWithLetter", 3, 2, "Ошибка!!! (3,2).Макрос должен начинаться с буквы"},
    {TranslationPass::Lexical, 2, "MacroGivenWrongly", 4, 8, "Ошибка!!! (4,8).Макрос задан неверно"},
    {TranslationPass::Lexical, 3, "TooManyMacros", 101, 7, "Ошибка!!! (101,7).Слишком много макроопределений (>100)"},
    {TranslationPass::Lexical, 4, "UnknownVariable", 12, 4, "Ошибка!!! (12,4).Неизвестная переменная"},
    {TranslationPass::Lexical, 5, "WrongVariableIndex", 5, 6, "Ошибка!!! (5,6).Неправильный индекс переменной"},
    {TranslationPass::Lexical, 6, "UnknownIdentifier", 6, 20, "Ошибка!!! (6,20).Неизвестный идентификатор"},
    {TranslationPass::Lexical, 7, "WrongConstant", 7, 11, "Ошибка!!! (7,11).Неверная константа"},
    {TranslationPass::Lexical, 8, "LineOutOfOrder", 8, 1, "Ошибка!!! (8,1).Строка расположена не по порядку"},
    {TranslationPass::Lexical, 9, "LineNumberExists", 9, 1, "Ошибка!!! (9,1).Строка с таким номером уже существует"},
    {TranslationPass::Lexical, 10, "LineNumberNotOctal", 10, 1,
     "Ошибка!!! (10,1).Номер строки должен быть восмеричным, в диапазоне от 00 до 77"},
    {TranslationPass::Lexical, 11, "SectionOutOfOrder", 11, 1, "Ошибка!!! (11,1).Секция расположена не по порядку"},
    {TranslationPass::Lexical, 12, "SectionExists", 12, 1, "Ошибка!!! (12,1).Секция с таким номером уже существует"},
    {TranslationPass::Lexical, 13, "SectionNumberMissing", 13, 1, "Ошибка!!! (13,1).Пропущен номер секции"},
    {TranslationPass::Lexical, 14, "UnknownCommand", 14, 4, "Ошибка!!! (14,4).Неизвестная команда"},
    {TranslationPass::Lexical, 15, "WrongAlgorithmIndex", 15, 4, "Ошибка!!! (15,4).Индекс алгоритма задан неверно"},
    {TranslationPass::Lexical, 16, "AlgorithmNotImplemented", 16, 4,
     "Ошибка!!! (16,4).Алгоритм с таким индексом не реализован"},
    {TranslationPass::Lexical, 17, "ParametersNotInSequence", 17, 1,
     "Ошибка!!! (17,1).Параметры алгоритма заданы не последовательно"},
    {TranslationPass::Lexical, 18, "ParameterNumberExists", 18, 1,
     "Ошибка!!! (18,1).Параметр с таким номером уже существует"},
    {TranslationPass::Lexical, 19, "SeveralCommands", 13, 7, "Ошибка!!! (13,7).Фрагмент содержит несколько команд"},
    {TranslationPass::Syntax, 1, "SyntaxError", 7, 3, "Ошибка!!! (7, слово №3).Синтаксическая ошибка!"},
    {TranslationPass::Syntax, 2, "TooManyOperands", 2, 10,
     "Ошибка!!! (2, слово №10).Выражение содержит более восьми операндов"},
    {TranslationPass::Syntax, 3, "WrongParameterCount", 3, 2,
     "Ошибка!!! (3, слово №2).Неверное количество параметров алгоритма или алгоритм с таким номером не реализован"},
    {TranslationPass::Syntax, 4, "ParameterNotSwitch", 4, 2, "Ошибка!!! (4, слово №2).Параметр алгоритма должен быть: ОТКЛ, ВКЛ"},
    {TranslationPass::Syntax, 5, "ParameterNotBitOrSwitch", 5, 2,
     "Ошибка!!! (5, слово №2).Параметр алгоритма должен быть: ВД, ДВ, КБ, КС, ТМ, а также константа ВКЛ или ОТКЛ"},
    {TranslationPass::Syntax, 6, "ParameterNotBit", 6, 2,
     "Ошибка!!! (6, слово №2).Параметр алгоритма должен быть: ВД, ДВ, КБ, КС, ТМ"},
    {TranslationPass::Syntax, 7, "ParameterNotOutputBit", 7, 2,
     "Ошибка!!! (7, слово №2).Параметр алгоритма должен быть: ДВ, КБ, КС, ТМ"},
    {TranslationPass::Syntax, 8, "ParameterNotSignedAnalog", 8, 2,
     "Ошибка!!! (8, слово №2).Параметр алгоритма должен быть: +ВА, -ВА, +АВ, -АВ, а также константа со знаком от -1000 "
     "до +1000"},
    {TranslationPass::Syntax, 9, "ParameterNotAnalogOutput", 9, 2, "Ошибка!!! (9, слово №2).Параметр алгоритма должен быть: АВ"},
    {TranslationPass::Syntax, 10, "ParameterNotTimer", 10, 2, "Ошибка!!! (10, слово №2).Параметр алгоритма должен быть: ТМ"},
    {TranslationPass::Syntax, 11, "ParameterNotCount1To128", 11, 2,
     "Ошибка!!! (11, слово №2).Параметр алгоритма должен быть: Константа от 1 до 128"},
    {TranslationPass::Syntax, 12, "ParameterNotCount0To7", 12, 2,
     "Ошибка!!! (12, слово №2).Параметр алгоритма должен быть: Константа от 0 до 7"},
    {TranslationPass::Syntax, 13, "ParameterNotTime", 13, 2,
     "Ошибка!!! (13, слово №2).Параметр алгоритма должен быть: Время в диапазоне от 00.00.01 до 72.14.56"},
    {TranslationPass::Syntax, 14, "ParameterNotProportional", 14, 2,
     "Ошибка!!! (14, слово №2).Параметр алгоритма должен быть: Коэффициент пропорциональности от 00.0 до 100.0"},
    {TranslationPass::Syntax, 15, "ParameterNotScale", 15, 2,
     "Ошибка!!! (15, слово №2).Параметр алгоритма должен быть: Масштабный коэффициент от 0.00 до 1.99"},
    {TranslationPass::Syntax, 16, "ParameterNotAnalogVariable", 16, 2,
     "Ошибка!!! (16, слово №2).Параметр алгоритма должен быть: Аналоговая переменная"},
    {TranslationPass::Syntax, 17, "FifthParameterOutOfRange", 17, 2,
     "Ошибка!!! (17, слово №2).5-й параметр алгоритма превышает допустимое значение (>4-го параметра или <1)"},
    {TranslationPass::Syntax, 18, "ParameterNotSignedAnalogVariable", 18, 2,
     "Ошибка!!! (18, слово №2).Параметр алгоритма должен быть: +ВА, -ВА, +АВ, -АВ"},
    {TranslationPass::Syntax, 19, "EighthParameterNotConstant", 19, 2,
     "Ошибка!!! (19, слово №2).8-й параметр алгоритма должен быть: константа от -1000 до +1000 (Ограничение Orvenix) "},
    {TranslationPass::Syntax, 20, "SeventhParameterNotConstant", 20, 2,
     "Ошибка!!! (20, слово №2).7-й параметр алгоритма должен быть: константа от -1000 до +1000 (Ограничение Orvenix) "},
    {TranslationPass::Syntax, 21, "FourthParameterNotConstant", 1, 1,
     "Ошибка!!! (1, слово №1).4-й параметр алгоритма должен быть: константа от -1000 до +1000 (Ограничение Orvenix) "},
};

TEST(Diagnostic, EveryMessageIsRenderedAtItsCitedLine) {
    std::set<std::pair<TranslationPass, int>> seen;
    for (const MessageCase& c : kEveryMessage) {
        DiagnosticList list;
        if (c.pass == TranslationPass::Lexical)
            list.AddLexicalError(c.line, c.columnOrWord, lexicalMessageOfCode(c.code));
        else
            list.AddSyntaxError(c.line, c.columnOrWord, syntaxMessageOfCode(c.code));
        ASSERT_EQ(list.size(), 1u) << c.name;
        const Diagnostic& d = list[0];
        EXPECT_EQ(text::toUtf8(d.text()), c.shown) << c.name;
        EXPECT_EQ(d.messageName(), c.name);
        EXPECT_EQ(d.code, c.code) << c.name;
        EXPECT_EQ(d.pass, c.pass) << c.name;
        EXPECT_EQ(d.severity, Severity::Error) << c.name;
        EXPECT_EQ(d.line, c.line) << c.name;
        EXPECT_EQ(d.column, c.pass == TranslationPass::Lexical ? c.columnOrWord : 0) << c.name;
        EXPECT_EQ(d.word, c.pass == TranslationPass::Syntax ? c.columnOrWord : 0) << c.name;
        seen.insert({c.pass, c.code});
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kLexicalMessageCount + kSyntaxMessageCount));
}

TEST(Diagnostic, TheMessageOfEachPassIsReadOnlyFromItsOwnList) {
    const Diagnostic lexical = Diagnostic::lexical(2, 5, LexicalMessage::UnknownVariable);
    const Diagnostic syntax = Diagnostic::syntax(2, 5, SyntaxMessage::ParameterNotSwitch);
    EXPECT_EQ(lexical.code, syntax.code);  // both are code 4 of their pass
    EXPECT_EQ(lexical.lexicalMessage(), LexicalMessage::UnknownVariable);
    EXPECT_EQ(lexical.syntaxMessage(), SyntaxMessage::None);
    EXPECT_EQ(syntax.syntaxMessage(), SyntaxMessage::ParameterNotSwitch);
    EXPECT_EQ(syntax.lexicalMessage(), LexicalMessage::None);
    EXPECT_EQ(lexicalMessageOfCode(0), LexicalMessage::None);
    EXPECT_EQ(lexicalMessageOfCode(20), LexicalMessage::None);
    EXPECT_EQ(syntaxMessageOfCode(22), SyntaxMessage::None);
    EXPECT_EQ(syntaxMessageOfCode(255), SyntaxMessage::None);
}

// The listing as the message tree and vestrelc show it.
std::vector<std::string> shown(const DiagnosticList& list) {
    std::vector<std::string> lines;
    list.forEachShown([&](const ShownEntry& entry) {
        lines.push_back(std::to_string(entry.level) + (entry.message ? " L" + std::to_string(entry.message->line) : "") +
                        " " + text::toUtf8(entry.text));
    });
    return lines;
}

TEST(DiagnosticList, LexicalMessagesAreShownUnderOneHeading) {
    DiagnosticList list;
    list.AddLexicalError(2, 1, LexicalMessage::None);  // adds nothing
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(list.opensWithLexicalGroup());
    list.AddLexicalError(12, 4, LexicalMessage::UnknownVariable);
    list.AddLexicalError(13, 7, LexicalMessage::SeveralCommands);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list.opensWithLexicalGroup());
    EXPECT_EQ(shown(list), (std::vector<std::string>{"0 Лексические ошибки",
                                                     "1 L12 Ошибка!!! (12,4).Неизвестная переменная",
                                                     "1 L13 Ошибка!!! (13,7).Фрагмент содержит несколько команд"}));
}

TEST(DiagnosticList, SyntaxMessagesAreShownAtTheTopLevel) {
    DiagnosticList list;
    list.AddSyntaxError(7, 3, SyntaxMessage::SyntaxError);
    list.AddSyntaxError(1, 1, SyntaxMessage::None);  // adds nothing
    list.AddSyntaxError(4, 2, SyntaxMessage::ParameterNotCount0To7);
    EXPECT_FALSE(list.opensWithLexicalGroup());
    EXPECT_EQ(shown(list),
              (std::vector<std::string>{"0 L7 Ошибка!!! (7, слово №3).Синтаксическая ошибка!",
                                        "0 L4 Ошибка!!! (4, слово №2).Параметр алгоритма должен быть: Константа от 0 до 7"}));
    list.Clear();
    EXPECT_TRUE(shown(list).empty());
}

}  // namespace
}  // namespace vestrel
