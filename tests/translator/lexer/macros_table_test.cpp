// Macro definition lines and the replacement of words by their values.
#include <gtest/gtest.h>

#include <string>

#include "listing_cases.h"
#include "translator/lexer/macros_table.h"

namespace vestrel {
namespace {
using testing::checkListing;
using testing::cp;
using testing::CitedMessage;
using testing::ListingCase;
using testing::runPassOne;

TEST(TMacrosTable, RedefinitionKeepsItsPlaceAndAFullTableRefusesEverything) {
    TMacrosTable table;
    EXPECT_TRUE(table.AddMacro("a", "1"));
    EXPECT_TRUE(table.AddMacro("b", "2"));
    EXPECT_TRUE(table.AddMacro("a", "3"));
    EXPECT_EQ(table.count(), 2);
    EXPECT_EQ(table.ExpandMacro("a"), "3");
    EXPECT_EQ(table.ExpandMacro("c"), "c");
    for (int i = 2; i < TMacrosTable::kCapacity; ++i) EXPECT_TRUE(table.AddMacro("m" + std::to_string(i), "x"));
    EXPECT_EQ(table.count(), 100);
    EXPECT_FALSE(table.AddMacro("new", "x"));
    EXPECT_FALSE(table.AddMacro("a", "4"));
    EXPECT_EQ(table.ExpandMacro("a"), "3");
    EXPECT_EQ(table.ExpandMacro("m99"), "x");

    table.clear();  // a new run starts empty
    EXPECT_EQ(table.ExpandMacro("a"), "a");
    EXPECT_TRUE(table.AddMacro("a", "5"));
    EXPECT_EQ(table.ExpandMacro("a"), "5");
}

TEST(TMacrosTable, DefinitionLines) {
    const ListingCase cases[] = {
        {"a name for a variable",
         {"/клапан дв001", "000.", "00 в клапан"},
         {"D200 /клапан дв001", "F200 000.", "F300 00 в клапан", "A001 в", "3001 клапан"},
         {}},
        {"a redefinition replaces the value",
         {"/клапан дв001", "/клапан дв002", "000.", "00 в клапан"},
         {"D200 /клапан дв001", "D200 /клапан дв002", "F200 000.", "F300 00 в клапан", "A001 в", "3002 клапан"},
         {}},
        {"only a slash and a blank", {"/ "}, {}, {{1, 2, 1}}},
        {"only a slash", {"/"}, {}, {{1, 2, 1}}},
        {"a name beginning with a digit", {"/1x вд001"}, {}, {{1, 2, 1}}},
        {"a name without a value", {"/клапан"}, {}, {{1, 8, 2}}},
        {"a name followed only by blanks", {"/клапан   "}, {}, {{1, 11, 2}}},
        {"a name followed by something else than a blank", {"/кл.1 дв001"}, {}, {{1, 4, 2}}},
        {"a one-character value at the end of the line",
         {"/х в", "000.", "00 х дв001"},
         {"D200 /х в", "F200 000.", "F300 00 х дв001", "A001 х", "3001 дв001"},
         {}},
        {"the rest of a definition line is ignored",
         {"/клапан   дв001 комментарий", "000.", "00 в клапан"},
         {"D200 /клапан   дв001 комментарий", "F200 000.", "F300 00 в клапан", "A001 в", "3001 клапан"},
         {}},
        {"a macro overrides a keyword",
         {"/в о", "000.", "00 в дв001"},
         {"D200 /в о", "F200 000.", "F300 00 в дв001", "A002 в", "3001 дв001"},
         {}},
        {"names are compared after lower-casing",
         {"/КЛАПАН ДВ001", "000.", "00 в Клапан"},
         {"D200 /клапан дв001", "F200 000.", "F300 00 в клапан", "A001 в", "3001 клапан"},
         {}},
        {"a definition takes effect from the next line",
         {"000.", "00 в клапан", "/клапан дв001"},
         {"F200 000.", "F300 00 в клапан", "A001 в", "D200 /клапан дв001"},
         {{2, 6, 6}}},
        {"a value is classified as one word, never as a number",
         {"/ноль 5", "000.", "00 ав001 = ноль"},
         {"D200 /ноль 5", "F200 000.", "F300 00 ав001 = ноль", "4001 ав001", "B03D ="},
         {{3, 12, 6}}},
        {"a command behind a macro starts its parameter count",
         {"/пуск алг171", "000.", "00 пуск", "1 = 7"},
         {"D200 /пуск алг171", "F200 000.", "F300 00 пуск", "C079 пуск", "C101 1 = 7", "B03D =",
          "E000 7.000000"},
         {}},
        {"a whole word is looked up, points included",
         {"/кл дв001", "000.", "00 в кл.1"},
         {"D200 /кл дв001", "F200 000.", "F300 00 в кл.1", "A001 в"},
         {{3, 6, 6}}},
    };
    for (const ListingCase& c : cases) checkListing(c);
}

TEST(TMacrosTable, TheHundredAndFirstNameIsRefused) {
    std::vector<std::string> source;
    for (int i = 0; i < 100; ++i) source.push_back("/м" + std::to_string(i) + " вд001");
    source.push_back("/м100 вд002");  // a new name
    source.push_back("/м0 вд003");    // a redefinition, refused as well
    source.push_back("000.");
    source.push_back("00 в м0");
    const auto pass = runPassOne(source);
    EXPECT_EQ(pass.messages, (std::vector<CitedMessage>{{101, 7, 3}, {102, 5, 3}}));
    ASSERT_EQ(pass.records.size(), 104u);  // 100 definitions, no record for the refused ones
    EXPECT_EQ(pass.records[99], "D200 /м99 вд001");
    EXPECT_EQ(pass.records[100], "F200 000.");
    EXPECT_EQ(pass.records[103], "1001 м0");
}

}  // namespace
}  // namespace vestrel
