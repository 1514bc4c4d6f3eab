// Parameter messages cite the line of the failing parameter and leave the line count of
// the rest of the run as it would be without them.
#include <gtest/gtest.h>

#include "translator/run/translation.h"
#include "translator/text/literal.h"

namespace vestrel {
namespace {
using namespace text::literals;

std::vector<std::string> lines(std::initializer_list<std::string_view> items) {
    return {items.begin(), items.end()};
}

TEST(ParameterMessages, ALaterSyntaxErrorCitesTheSameLineAsWithoutTheFaultyCommand) {
    const auto faulty = runTranslation(lines({"000.", "00 алг171"_cp, "1 = 9", "01 алг173"_cp, "1 = 2", "2 = ва001"_cp,
                                              "3 = ав001"_cp, "02 в ив01"_cp}),
                                       {});
    const auto valid = runTranslation(lines({"000.", "00 алг171"_cp, "1 = 3", "01 алг173"_cp, "1 = 2", "2 = ав001"_cp,
                                             "3 = ав001"_cp, "02 в ив01"_cp}),
                                      {});
    ASSERT_EQ(faulty.diagnostics.size(), 3u);
    ASSERT_EQ(valid.diagnostics.size(), 1u);
    EXPECT_EQ(faulty.diagnostics[0].text(), "Ошибка!!! (4, слово №2).Параметр алгоритма должен быть: Константа от 0 до 7"_cp);
    EXPECT_EQ(faulty.diagnostics[1].text(), "Ошибка!!! (7, слово №2).Параметр алгоритма должен быть: АВ"_cp);
    EXPECT_EQ(faulty.diagnostics[2].text(), valid.diagnostics[0].text());
    EXPECT_EQ(valid.diagnostics[0].text(), "Ошибка!!! (9, слово №2).Синтаксическая ошибка!"_cp);
    EXPECT_EQ(faulty.syntaxStatus, 0x8001);
}

TEST(ParameterMessages, DoNotStopThePassAndTheTextsAreDelivered) {
    const auto result = runTranslation(lines({"000.", "00 алг171"_cp, "1 = 9", "01 в дв001"_cp}), {});
    EXPECT_EQ(result.syntaxStatus, 0);
    EXPECT_EQ(result.diagnostics.size(), 1u);
    EXPECT_FALSE(result.outputShown());
    EXPECT_TRUE(result.slotReceivedText[1]);
    EXPECT_EQ(result.slotLines[1][result.slotLines[1].size() - 4], "  Q2 | 2");
}

}  // namespace
}  // namespace vestrel
