// The source map of a run: every IL line records the Korvel line it was generated from.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "translator/run/translation.h"
#include "translator/text/literal.h"

namespace vestrel {
namespace {
using namespace text::literals;
using Map = std::vector<std::uint32_t>;

// Comments, a conditional over three lines, an algorithm whose parameter lines hold a
// comment, and a section header that closes one block half and opens the next.
const std::vector<std::string> kListing = {
    std::string("комментарий"_cp),       // 1
    std::string("000."_cp),              // 2
    std::string("00 в дв001"_cp),        // 3
    std::string("01 если в вд001"_cp),   // 4
    std::string("02 тогда в дв002"_cp),  // 5
    std::string("03 иначе о дв002"_cp),  // 6
    std::string("04 алг032"_cp),         // 7
    std::string("1 = ва001"_cp),         // 8
    std::string("между"_cp),             // 9
    std::string("2 = ва002"_cp),         // 10
    std::string("3 = ав003"_cp),         // 11
    std::string("020."_cp),              // 12
    std::string("00 в дв003"_cp),        // 13
};

std::string mapText(const TranslationResult& result, int slot) {
    const IlText& text = result.slotLines[static_cast<std::size_t>(slot)];
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::uint32_t line = text.sourceLine(i);
        shown += (line == IlText::kNoSourceLine ? std::string("-") : std::to_string(line)) + " " +
                 std::string(text[i]) + "\n";
    }
    return shown;
}

TEST(SourceMap, EveryIlLineRecordsItsKorvelLine) {
    TranslationOptions options;
    options.AddComment = false;
    const TranslationResult result = runTranslation(kListing, options);
    ASSERT_TRUE(result.outputShown());
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const IlText& text = result.slotLines[static_cast<std::size_t>(slot)];
        EXPECT_EQ(text.sourceLines().size(), text.size()) << slot;
    }
    // The initialisation program: fixed lines record none.
    for (std::uint32_t line : result.slotLines[0].sourceLines()) EXPECT_EQ(line, IlText::kNoSourceLine);

    const std::string half0 = mapText(result, 1);
    EXPECT_EQ(half0.substr(0, half0.find("VAR_IN_OUT")), "2 PROGRAM\n12 ");
    const std::string body = half0.substr(half0.find("12 END_VAR\n") + 11);
    EXPECT_EQ(body, std::string("2   Q0 TEST 1; JMPN M39\n"
                                "2   Q1 TEST 1; JMPN M0\n"
                                "2 (* 000. *)\n"
                                "3 (* 00 в дв001 *)\n"
                                "3   Q2 | 2\n"
                                "4 (* 01 если в вд001 *)\n"
                                "4  IF\n"
                                "4   F0 = 1\n"
                                "4   F1 = I3; F1 & 2; F1 / 2; F0 & F1\n"
                                "4   F0 > 0\n"
                                "4  THEN\n"
                                "5 (* 02 тогда в дв002 *)\n"
                                "5   Q2 | 4\n"
                                "4  ELSE\n"
                                "6 (* 03 иначе о дв002 *)\n"
                                "6   Q2 & 251\n"
                                "4  END_IF\n"
                                "7 (* 04 алг032 *)\n"
                                "8 (* 1 = ва001 *)\n"
                                "10 (* 2 = ва002 *)\n"
                                "11 (* 3 = ав003 *)\n"
                                "7   F0 = I4; F0 * I5; F1 SIGN F0; ! F1; ABS F0; SQRT F0; F1 * 2; F1 - 1; F0 * F1; Q6 = F0\n"
                                "12 M0:\n"
                                "12 M39:\n"
                                "12 EXIT\n"_cp));
    const std::string half1 = mapText(result, 2);
    EXPECT_EQ(half1.substr(0, 10), "12 PROGRAM");
    EXPECT_EQ(half1.substr(half1.rfind("13 (*")), std::string("13 (* 00 в дв003 *)\n13   Q2 | 8\n12 M16:\n12 M39:\n12 EXIT\n"_cp));
}

// Comment lines echoed into the IL record their own line, also between parameter lines.
TEST(SourceMap, CommentLinesRecordTheirOwnLine) {
    const TranslationResult result = runTranslation(kListing, TranslationOptions{});
    ASSERT_TRUE(result.outputShown());
    const std::string init = mapText(result, 0);
    EXPECT_NE(init.find(std::string("1 (* комментарий *)\n-  Q4 =0\n- EXIT\n"_cp)), std::string::npos) << init;
    const std::string half0 = mapText(result, 1);
    EXPECT_NE(half0.find(std::string("8 (* 1 = ва001 *)\n9 (* между *)\n10 (* 2 = ва002 *)\n"_cp)), std::string::npos)
        << half0;
}

// The map never changes the IL: the same texts with and without anyone reading it, and
// every recorded line lies in the source.
TEST(SourceMap, RecordedLinesLieInTheSourceForEveryGoldenListing) {
    int listings = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(VESTREL_SOURCE_DIR) + "/tests/golden")) {
        if (entry.path().extension() != ".prg") continue;
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        const std::vector<std::string> lines = splitSourceLines(bytes);
        const TranslationResult result = runTranslation(lines, TranslationOptions{});
        ++listings;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const IlText& text = result.slotLines[static_cast<std::size_t>(slot)];
            ASSERT_EQ(text.sourceLines().size(), text.size()) << entry.path();
            for (std::size_t i = 0; i < text.size(); ++i) {
                const std::uint32_t line = text.sourceLine(i);
                EXPECT_LE(line, lines.size()) << entry.path() << " slot " << slot << " line " << i;
                // A slot's first line (PROGRAM) comes from the header that opened it.
                if (slot > 0 && i == 0) {
                    EXPECT_NE(line, IlText::kNoSourceLine) << entry.path();
                }
            }
        }
    }
    EXPECT_GT(listings, 50);
}

}  // namespace
}  // namespace vestrel
