// The conversion table: register keys, lists, names, state registers and declarations.
#include <gtest/gtest.h>

#include "translator/generator/convert_table.h"
#include "translator/text/cp1251.h"
#include "translator/text/literal.h"

namespace vestrel {
namespace {
using namespace text::literals;

class Notices final : public NoticeSink {
public:
    void notice(std::string_view text) override { texts.emplace_back(text); }
    std::vector<std::string> texts;
};

struct TableFixture : ::testing::Test {
    Notices notices;
    TConvertTable table{notices};
    OperandNameSet names(TokenCode code) {
        OperandNameSet n;
        EXPECT_EQ(table.OperandNames(code, n), 0) << std::hex << code;
        return n;
    }
    std::vector<std::string> declare(bool addComment) {
        IlText slot;
        slot.push_back("PROGRAM");
        slot.push_back("rest");
        table.DeclareSlot(slot, addComment);
        return slot.lines();
    }
};

TEST(OctalFormatting, OctalDigitsAndSectionName) {
    EXPECT_EQ(TConvertTable::OctalDigits(5, 2), "05");
    EXPECT_EQ(TConvertTable::OctalDigits(0777, 3), "777");
    EXPECT_EQ(TConvertTable::OctalDigits(0xFFFF, 1), "7");
    EXPECT_EQ(TConvertTable::SectionName(0x25), "105");
    EXPECT_EQ(TConvertTable::SectionName(0xFF), "737");
}

TEST_F(TableFixture, DiscreteVariablesOfOneOctalTenShareARegister) {
    table.RegisterVariable(0x1050);  // вд120
    table.RegisterVariable(0x1057);  // вд127
    table.RegisterVariable(0x1058);  // вд130
    table.RegisterVariable(0x5000);  // кб0
    table.RegisterVariable(0x5005);  // кб5
    EXPECT_EQ(table.iLastIndex(), 2);
    EXPECT_EQ(table.iEntry(0).key, 0x1050u);
    EXPECT_EQ(table.iEntry(1).key, 0x1058u);
    EXPECT_EQ(table.iEntry(2).key, 0x5000u);
    EXPECT_EQ(names(0x5005).name(), "Q2");
    EXPECT_EQ(names(0x5003).mask(), "8");
}

TEST_F(TableFixture, OperandNamesOfTheFamilies) {
    table.RegisterVariable(0x5000);
    table.RegisterVariable(0xF225);  // section 105
    table.RegisterVariable(0x4004);  // ав004
    table.RegisterVariable(0x1050);  // вд120, the fourth I entry
    const OperandNameSet vd125 = names(0x1055);
    EXPECT_EQ(vd125.name(), "I3");
    EXPECT_EQ(vd125.mask(), "32");
    const OperandNameSet av004 = names(0x4004);
    EXPECT_EQ(av004.name(), "Q2");
    EXPECT_EQ(av004.mask(), "");
    EXPECT_EQ(names(0xF225).mask(), "32");
    EXPECT_EQ(names(0x6025).name(), "Q1");  // кс105 shares the key register of sections 100..107
    table.RegisterVariable(0x300F);       // дв017
    EXPECT_EQ(names(0x300F).mask(), "128");
    EXPECT_TRUE(notices.texts.empty());
}

TEST_F(TableFixture, EveryFamilyNamesItsRegisterWithItsLetterAndMask) {
    for (TokenCode code : {0x5000u, 0xF225u, 0x4004u, 0x1050u, 0x2005u, 0x300Fu, 0x7008u, 0x710Au, 0x8003u, 0x6025u})
        ASSERT_EQ(table.RegisterVariable(code), 0) << std::hex << code;
    EXPECT_EQ(table.iLastIndex(), 8);  // кс105 shares the register of its section header
    struct Case { TokenCode code; const char* name; const char* mask; };
    const Case cases[] = {
        {0x5003, "Q0", "8"},   {0xF225, "Q1", "32"}, {0x6025, "Q1", "32"}, {0x4004, "Q2", ""},
        {0x1055, "I3", "32"},  {0x2005, "I4", ""},   {0x300F, "Q5", "128"}, {0x700A, "Q6", "4"},
        {0x710A, "Q7", ""},    {0x8003, "Q8", ""},
    };
    for (const Case& c : cases) {
        const OperandNameSet n = names(c.code);
        EXPECT_EQ(n.name(), c.name) << std::hex << c.code;
        EXPECT_EQ(n.mask(), c.mask) << std::hex << c.code;
    }
    EXPECT_TRUE(notices.texts.empty());
}

TEST_F(TableFixture, CodesOfNoFamilyAreNeitherKeptNorNamed) {
    OperandNameSet n;
    n.set({'W', 9, 4});
    for (TokenCode code : {0x0005u, 0x5100u, 0x9001u, 0xC000u, 0xE000u, 0xF300u}) {
        EXPECT_EQ(table.RegisterVariable(code), -1) << std::hex << code;
        EXPECT_EQ(table.MarkVariable(code, 1), -1) << std::hex << code;
        EXPECT_EQ(table.OperandNames(code, n), -1) << std::hex << code;
    }
    EXPECT_EQ(table.iLastIndex(), -1);
    EXPECT_EQ(n.name(), "W9");
    EXPECT_EQ(n.mask(), "4");
    EXPECT_TRUE(notices.texts.empty());
}

TEST_F(TableFixture, UnregisteredOperandShowsTheShortageOnlyForVariables) {
    OperandNameSet n;
    n.set({'W', 9, 4});
    EXPECT_EQ(table.OperandNames(0x1001, n), -1);
    EXPECT_EQ(n.name(), "W9");
    EXPECT_EQ(n.mask(), "4");
    ASSERT_EQ(notices.texts.size(), 1u);
    EXPECT_EQ(notices.texts[0], "Не хватает переменных W"_cp);
    EXPECT_EQ(table.OperandNames(0x6001, n), -1);  // кс: no message
    EXPECT_EQ(notices.texts.size(), 1u);
    EXPECT_EQ(table.OperandNames(0x7101, n), -1);  // a timer value: both messages
    ASSERT_EQ(notices.texts.size(), 3u);
    EXPECT_EQ(notices.texts[1], "Не хватает переменных IQ"_cp);
    EXPECT_EQ(notices.texts[2], "Не хватает переменных W"_cp);
}

TEST_F(TableFixture, The255thIKeyGoesToTheWListOrIsRejected) {
    for (unsigned k = 0; k < 254; ++k) ASSERT_EQ(table.RegisterVariable(0x2000 + (k % 128) + (k / 128) * 0x2000), 0);
    EXPECT_EQ(table.iLastIndex(), 253);
    struct Case { TokenCode code; int result; };
    const Case cases[] = {{0x1100, 0}, {0x2100, 0}, {0x3100, 0}, {0x4100, 0}, {0x8011, 0},
                          {0x5000, -1}, {0x6001, -1}, {0x7001, -1}, {0x7101, -1}};
    for (const Case& c : cases) EXPECT_EQ(table.RegisterVariable(c.code), c.result) << std::hex << c.code;
    EXPECT_EQ(table.iLastIndex(), 254);  // stands at the capacity after the overflow
    EXPECT_EQ(table.wLastIndex(), 4);
    EXPECT_EQ(names(0x3100).name(), "W2");
    // Once overflowed, the I list is no longer searched: a known key gets a W register too.
    EXPECT_EQ(table.RegisterVariable(0x2000), 0);
    EXPECT_EQ(names(0x2000).name(), "W5");
}

TEST_F(TableFixture, FlagPairsFillARegisterFourTimes) {
    const std::pair<char, int> expected[] = {{'W', 0}, {'W', 2}, {'W', 4}, {'W', 6}, {'W', 1}};
    int call = 0;
    for (const auto& [letter, value] : expected) {
        RegisterAllocation a;
        ASSERT_EQ(table.AllocFlagPair(1, a), 0);
        EXPECT_EQ(a.letter, letter);
        if (call < 4) {
            EXPECT_EQ(a.number, 0);
            EXPECT_EQ(a.bit, value);
        } else {
            EXPECT_EQ(a.number, 1);
            EXPECT_EQ(a.bit, 0);
        }
        ++call;
    }
    EXPECT_EQ(table.wEntry(0).key, 0xC001u);
}

TEST_F(TableFixture, StateWordsPreferWThenIThenShowTheShortage) {
    RegisterAllocation a;
    for (int j = 0; j < 256; ++j) ASSERT_EQ(table.AllocStateWord(3, a), 0);
    EXPECT_EQ(a.letter, 'W');
    EXPECT_EQ(a.number, 255);
    ASSERT_EQ(table.AllocStateWord(3, a), 0);
    EXPECT_EQ(a.letter, 'I');
    EXPECT_EQ(a.number, 0);
    for (int i = 1; i < 254; ++i) ASSERT_EQ(table.AllocStateWord(3, a), 0);
    EXPECT_EQ(table.AllocStateWord(3, a), -1);
    ASSERT_EQ(notices.texts.size(), 1u);
    EXPECT_EQ(notices.texts[0], "Не хватает переменных"_cp);
}

TEST_F(TableFixture, DeclarationLinesOfEveryKind) {
    table.RegisterVariable(0x5000);  // Q0
    table.RegisterVariable(0xF225);  // Q1 кс100..107
    table.RegisterVariable(0x4004);  // Q2 ав004
    table.RegisterVariable(0x1053);  // I3 вд123
    table.RegisterVariable(0x7008);  // Q4 тм10..17 key
    table.RegisterVariable(0x710A);  // Q5 value of тм12
    table.RegisterVariable(0x2005);  // I6 ва005
    table.RegisterVariable(0x8003);  // Q7 ив03
    table.RegisterVariable(0x300A);  // Q8 дв012
    table.MarkVariable(0x300A, 1);
    RegisterAllocation a;
    table.AllocStateWord(1, a);  // W0
    table.AllocFlagPair(1, a);   // W1
    const auto slot = declare(true);
    const std::vector<std::string> expected = {
        "PROGRAM",
        "VAR_IN_OUT",
        std::string(" (* W0  = зарезервировано для алг001 *)"_cp),
        std::string(" (* W1  = ключи алгоритмов *)"_cp),
        std::string("Q0 KB_-lm00-0000 In  (* кб000 - кб007 *)"_cp),
        std::string("Q1 KS_-lm01-0000 In  (* кс100 - кс107 *)"_cp),
        std::string("Q2 AO_-lm00-0004 In  (* ав004 *)"_cp),
        std::string("I3 DI_-lm01-0002 R  (* вд120 - вд127 *)"_cp),
        std::string("Q4 TK_-lm00-0001 In  (* Q4  = тм010 + тм017 *)"_cp),
        std::string("Q5 TV_-lm01-0002 In  (* Q5  = зарезервировано для тм012 *)"_cp),
        std::string("I6 AI_-lm00-0005 R  (* ва005 *)"_cp),
        std::string("Q7 IO_-lm00-0000 In  (* ив003 - ив007 *)"_cp),
        std::string("Q8 DO_-lm00-0001 C  (* дв010 - дв017 *)"_cp),
        "I254 CYCLE_TIME R",
        "END_VAR",
        "rest",
    };
    EXPECT_EQ(slot, expected);
}

TEST_F(TableFixture, WithoutCommentsLinesEndInTheModeAndNoWLines) {
    table.RegisterVariable(0x1001);
    table.RegisterVariable(0x2001);
    table.MarkVariable(0x2001, 1);
    RegisterAllocation a;
    table.AllocStateWord(2, a);
    const auto slot = declare(false);
    EXPECT_EQ(slot, (std::vector<std::string>{"PROGRAM", "VAR_IN_OUT", "I0 DI_-lm00-0000 R ", "I1 AI_-lm00-0001 C ",
                                              "I254 CYCLE_TIME R", "END_VAR", "rest"}));
}

TEST_F(TableFixture, WListFamiliesHaveTheirCommentLines) {
    for (unsigned k = 0; k < 254; ++k) table.RegisterVariable(0x2000 + (k % 128) + (k / 128) * 0x2000);
    for (TokenCode c : {0x1053u, 0x2011u, 0x3008u, 0x4012u, 0x8011u}) table.RegisterVariable(c);
    IlText declared;
    declared.push_back("PROGRAM");
    table.DeclareSlot(declared, true);
    const std::vector<std::string> slot = declared.lines();
    const std::vector<std::string> wLines(slot.begin() + 2, slot.begin() + 7);
    EXPECT_EQ(wLines, (std::vector<std::string>{
                          std::string(" (* W0  = вд120 - вд127 *)"_cp), std::string(" (* W1  = ва021 *)"_cp),
                          std::string(" (* W2  = дв010 - дв017 *)"_cp), std::string(" (* W3  = ав022 *)"_cp),
                          std::string(" (* W4  = ив021 - ив027 *)"_cp)}));
}

TEST_F(TableFixture, AKeyIsDeclaredByItsFamilyWhateverItsKind) {
    RegisterAllocation a;
    for (int j = 0; j < 256; ++j) ASSERT_EQ(table.AllocStateWord(1, a), 0);
    // With the W list full these keys go to the I list as they are.
    for (std::uint32_t key : {0x5108u, 0x7208u, 0xF300u, 0x9001u}) ASSERT_EQ(table.AllocStateWord(key, a), 0);
    const auto slot = declare(true);
    ASSERT_EQ(slot.size(), 2u + 256u + 2u + 3u);
    EXPECT_EQ(slot[2], std::string(" (* W0  = зарезервировано для алг001 *)"_cp));
    const std::vector<std::string> iLines(slot.begin() + 258, slot.end());
    EXPECT_EQ(iLines, (std::vector<std::string>{
                          std::string("Q0 KB_-lm00-0001 In  (* кб010 - кб017 *)"_cp),
                          std::string("Q1 TK_-lm00-0001 In  (* Q1  = тм010 + тм017 *)"_cp),
                          "I254 CYCLE_TIME R", "END_VAR", "rest"}));
}

TEST_F(TableFixture, SectionKeyLinesForTheInitialisationProgram) {
    table.RegisterVariable(0xF200);  // k = 0
    table.RegisterVariable(0xF225);  // k = 4
    table.RegisterVariable(0x608C);  // кс414: k = 17
    std::vector<std::string> declarations, resets;
    table.InsertSectionKeyDeclarations(declarations);
    table.InsertSectionKeyResets(resets);
    EXPECT_EQ(declarations, (std::vector<std::string>{" Q3 KS_-lm00-0000 In", " Q4 KS_-lm01-0000 In",
                                                      " Q5 KS_-lm04-0001 In"}));
    EXPECT_EQ(resets, (std::vector<std::string>{" Q3 =0", " Q4 =0", " Q5 =0"}));
}

}  // namespace
}  // namespace vestrel
