// Word classification: keywords, the eight variable families, "тс" and "алг".
#include <gtest/gtest.h>

#include "lexer_support.h"
#include "translator/lexer/classify_word.h"

namespace vestrel {
namespace {
using testing::cp;

TEST(ClassifyWord, KeywordsFamiliesMarkersAndCommands) {
    struct Case {
        const char* word;
        int message;
        TokenCode code;
    };
    const Case cases[] = {
        {"если", 0, 0x9001}, {"тогда", 0, 0x9002}, {"или", 0, 0x9101}, {"иначе", 0, 0x9003},
        {"о", 0, 0xA002}, {"в", 0, 0xA001}, {"б", 0, 0xA003}, {"вск", 0, 0xA004},
        {"вкл", 0, 0xA104}, {"откл", 0, 0xA105},
        // families: lowest and highest index, wrong length (4), digit out of range (5)
        {"вд000", 0, 0x1000}, {"вд777", 0, 0x11FF}, {"вд01", 4, 0}, {"вд0001", 4, 0}, {"вд", 4, 0},
        {"вд008", 5, 0}, {"вд0.1", 5, 0}, {"вдабв", 5, 0},
        {"ва177", 0, 0x207F}, {"ва200", 5, 0}, {"ав001", 0, 0x4001}, {"ав200", 5, 0},
        {"дв777", 0, 0x31FF}, {"дв78", 4, 0},
        {"кб0", 0, 0x5000}, {"кб7", 0, 0x5007}, {"кб8", 5, 0}, {"кб10", 4, 0},
        {"кс000", 0, 0x6000}, {"кс037", 0, 0x601F}, {"кс737", 0, 0x60FF}, {"кс040", 5, 0}, {"кс800", 5, 0},
        {"тм00", 0, 0x7000}, {"тм77", 0, 0x703F}, {"тм78", 5, 0}, {"тм1", 4, 0},
        {"ив00", 0, 0x8000}, {"ив37", 0, 0x801F}, {"ив40", 5, 0}, {"ив038", 4, 0},
        {"тс0.0.0", 0, 0xD000}, {"тс1.0.1", 0, 0xD005}, {"тс1.1.1", 0, 0xD007}, {"тс1.0.2", 5, 0},
        {"тс1.0", 4, 0}, {"тс101..", 4, 0}, {"тс1.0.1.", 4, 0},
        {"алг001", 0, 0xC001}, {"алг177", 16, 0}, {"алг200", 15, 0}, {"алг00а", 15, 0}, {"алг170", 0, 0xC078}, {"алг01", 14, 0},
        {"алг0010", 14, 0}, {"алг201", 15, 0}, {"алг018", 15, 0}, {"алг005", 16, 0}, {"алг175", 16, 0},
        // everything else
        {"х", 6, 0}, {"ы", 6, 0}, {"a", 6, 0}, {"ал", 6, 0}, {"abc", 6, 0}, {"клапан", 6, 0}, {"всклад", 6, 0},
    };
    for (const Case& c : cases) {
        NumberingState numbering;
        const WordClass found = ClassifyWord(cp(c.word), numbering);
        EXPECT_EQ(codeOf(found.message), c.message) << c.word;
        if (c.message == 0) {
            EXPECT_EQ(found.code, c.code) << c.word;
        }
    }
}

TEST(ClassifyWord, AnAcceptedCommandStartsTheParameterCount) {
    struct Case {
        const char* word;
        int remaining;
        int lastParameter;
    };
    // The state before each word: 2 parameters still expected, the last one was 5.
    const Case cases[] = {{"алг003", 14, 0}, {"алг130", 3, 0}, {"алг170", 0, 0}, {"алг005", 2, 5}, {"вд001", 2, 5}};
    for (const Case& c : cases) {
        NumberingState numbering;
        numbering.parametersRemaining = 2;
        numbering.lastParameter = 5;
        ClassifyWord(cp(c.word), numbering);
        EXPECT_EQ(numbering.parametersRemaining, c.remaining) << c.word;
        EXPECT_EQ(numbering.lastParameter, c.lastParameter) << c.word;
    }
}

}  // namespace
}  // namespace vestrel
