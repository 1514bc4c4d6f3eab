// Message composition and the line a message cites.
#include <gtest/gtest.h>

#include "translator/run/diagnostics.h"
#include "translator/text/cp1251.h"
#include "translator/text/literal.h"

namespace vestrel {
namespace {
using namespace text::literals;

TEST(DiagnosticList, LexicalErrorsGoUnderOneGroupEntry) {
    DiagnosticList list;
    list.AddLexicalError(2, 1, 0);  // code 0 adds nothing
    EXPECT_TRUE(list.empty());
    list.AddLexicalError(12, 4, 4);
    list.AddLexicalError(13, 7, 19);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].text, "Лексические ошибки"_cp);
    EXPECT_EQ(list[0].level, 0);
    EXPECT_EQ(list[0].icon, 1);
    EXPECT_EQ(list[1].text, "Ошибка!!! (12,4).Неизвестная переменная"_cp);
    EXPECT_EQ(list[1].level, 1);
    EXPECT_EQ(list[1].icon, -1);
    EXPECT_EQ(list[2].text, "Ошибка!!! (13,7).Фрагмент содержит несколько команд"_cp);
}

TEST(DiagnosticList, SyntaxErrorCitesLineCounterPlusOneAnd255IsMessage1) {
    DiagnosticList a, b;
    a.AddSyntaxError(6, 3, 255);
    b.AddSyntaxError(6, 3, 1);
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0].text, "Ошибка!!! (7, слово №3).Синтаксическая ошибка!"_cp);
    EXPECT_EQ(a[0].text, b[0].text);
    EXPECT_EQ(a[0].level, 0);
    a.AddSyntaxError(0, 1, 21);
    EXPECT_EQ(a[1].text,
              "Ошибка!!! (1, слово №1).4-й параметр алгоритма должен быть: константа от -1000 до +1000 (Ограничение Orvenix) "_cp);
    a.AddSyntaxError(0, 1, 0);
    EXPECT_EQ(a.size(), 2u);
}

TEST(DiagnosticList, LineOfEntryOnTheThreeKinds) {
    DiagnosticList list;
    list.AddLexicalError(12, 4, 4);
    list.AddSyntaxError(6, 3, 255);
    EXPECT_EQ(DiagnosticList::LineOfEntry(list[0]), std::nullopt);  // the group entry
    EXPECT_EQ(DiagnosticList::LineOfEntry(list[1]), 12);
    EXPECT_EQ(DiagnosticList::LineOfEntry(list[2]), 7);
    EXPECT_EQ(DiagnosticList::LineOfEntry("Ошибка!!! (,1).x"_cp), std::nullopt);
    EXPECT_EQ(DiagnosticList::LineOfEntry("Ошибка"_cp), std::nullopt);
}

}  // namespace
}  // namespace vestrel
