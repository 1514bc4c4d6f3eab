// What pass 2 reads: the tokens pass 1 kept, the same tokens made again a few lines at a
// time when they were too many to keep, and the record text where a token cannot travel
// as a value. Every route must give the same translation byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "translator/run/translation.h"
#include "translator/text/cp1251.h"
#include "translator/text/literal.h"

namespace vestrel {
namespace {
using namespace text::literals;
namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Everything a run hands back, as one text.
std::string everything(const TranslationResult& result) {
    std::string shown = std::to_string(result.lexicalErrorCount) + " " + std::to_string(result.tokenCount) + " " +
                        (result.syntaxStatus ? std::to_string(*result.syntaxStatus) : "-") + "\n";
    for (const IlText& slot : result.slotLines) {
        for (std::size_t i = 0; i < slot.size(); ++i)
            shown += std::to_string(slot.sourceLine(i)) + " " + std::string(slot[i]) + "\n";
        shown += "--\n";
    }
    for (const Diagnostic& entry : result.diagnostics.entries()) shown += entry.text() + "\n";
    for (std::size_t i = 0; i < result.notices.size(); ++i)
        shown += result.notices[i] + " x" + std::to_string(result.noticeCounts[i]) + "\n";
    return shown + result.tokenFile + "\n==\n" + result.trace;
}

std::vector<fs::path> listings() {
    std::vector<fs::path> found;
    for (const char* folder : {"examples", "tests/golden", "tests/fuzz/regressions"}) {
        const fs::path dir = fs::path(VESTREL_SOURCE_DIR) / folder;
        if (!fs::exists(dir)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(dir))
            if (entry.path().extension() == ".prg") found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

TEST(TokenInput, TokensMadeAgainAsPassTwoReadsGiveTheSameTranslation) {
    const std::vector<fs::path> programs = listings();
    ASSERT_GT(programs.size(), 30u);
    for (const fs::path& path : programs) {
        const std::string bytes = readBytes(path);
        for (const bool traced : {false, true}) {
            RunHooks kept;
            kept.keepTokenFile = traced;
            kept.keepTrace = traced;
            RunHooks remade = kept;
            remade.tokenStorageLimit = 0;  // nothing kept: every token is made again
            const std::string expected = everything(runTranslation(bytes, TranslationOptions{}, kept));
            ASSERT_EQ(everything(runTranslation(bytes, TranslationOptions{}, remade)), expected) << path;
            // Lines given one by one are the same program.
            ASSERT_EQ(everything(runTranslation(splitSourceLines(bytes), TranslationOptions{}, kept)), expected)
                << path;
        }
    }
}

TEST(TokenInput, ALineOfManyTokensIsMadeAgainInPieces) {
    // Far more tokens on one line than a refill makes at a time, before and after a
    // long line of other text.
    std::string listing = "000.\n";
    listing += std::string(9000, 'x') + "\n";
    listing += "00 ав001 = ва001";
    for (int i = 0; i < 6000; ++i) listing += i % 2 ? " + ва002" : " - 12.5";
    listing += "\n01 в дв001\n";
    const std::string cpListing = *text::fromUtf8(listing);
    for (const bool traced : {false, true}) {
        RunHooks kept;
        kept.keepTokenFile = traced;
        kept.keepTrace = traced;
        RunHooks remade = kept;
        remade.tokenStorageLimit = 0;
        const TranslationResult expected = runTranslation(cpListing, TranslationOptions{}, kept);
        EXPECT_EQ(expected.tokenCount, 12008);  // 000., 00, ав001 =, ва001, 6000 pairs, 01 в дв001
        EXPECT_EQ(everything(runTranslation(cpListing, TranslationOptions{}, remade)), everything(expected));
    }
}

// The storage may run out in the middle of a line, short or long: the tokens after that
// point are made again like all others, and the translation is the same.
TEST(TokenInput, StorageThatRunsOutInsideALineGivesTheSameTranslation) {
    struct Listing {
        const char* what;
        int operands;  // "+ ва002" pairs on the statement line (8 bytes each)
    };
    for (const Listing& listing : {Listing{"a short line", 200}, Listing{"a long line", 3000}}) {
        std::string source = "000.\n00 ав001 = ва001";
        for (int i = 0; i < listing.operands; ++i) source += " + ва002";
        source += "\n01 в дв001\n";
        const std::string cpSource = *text::fromUtf8(source);
        const std::string expected = everything(runTranslation(cpSource, TranslationOptions{}));
        for (const std::size_t limit : {std::size_t{200}, std::size_t{1000}, std::size_t{5000}, std::size_t{20000}}) {
            RunHooks limited;
            limited.tokenStorageLimit = limit;
            EXPECT_EQ(everything(runTranslation(cpSource, TranslationOptions{}, limited)), expected)
                << listing.what << ", limit " << limit;
        }
    }
}

TEST(TokenInput, ARunThatKeepsNoTextStillCountsWhatEachSlotReceived) {
    const std::string bytes = readBytes(fs::path(VESTREL_SOURCE_DIR) / "examples" / "boiler_house.prg");
    RunHooks counting;
    counting.keepSlotTexts = false;
    const TranslationResult kept = runTranslation(bytes, TranslationOptions{});
    const TranslationResult counted = runTranslation(bytes, TranslationOptions{}, counting);
    ASSERT_TRUE(kept.outputShown());
    EXPECT_TRUE(counted.outputShown());
    EXPECT_EQ(counted.slotReceivedText, kept.slotReceivedText);
    for (int k = 0; k < kSlotCount; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        EXPECT_EQ(counted.slotLines[slot].size(), kept.slotLines[slot].size()) << k;
        EXPECT_TRUE(counted.slotLines[slot].bytes().empty()) << k;
    }
}

TEST(TokenInput, LineBreaksOfEveryKindCutTheSameLines) {
    const std::string lf("000.\n00 в дв001\n\n01 вск"_cp);
    const std::string expected = everything(runTranslation(lf, TranslationOptions{}));
    for (const std::string& other : {std::string("000.\r\n00 в дв001\r\n\r\n01 вск\r\n"_cp),
                                     std::string("000.\r00 в дв001\r\r01 вск\r"_cp),
                                     std::string("000.\n00 в дв001\r\n\r01 вск\n"_cp)})
        EXPECT_EQ(everything(runTranslation(other, TranslationOptions{})), expected);
    EXPECT_EQ(runTranslation(std::string_view(), TranslationOptions{}).tokenCount, 0);
}

TEST(TokenInput, ALineHoldingALineFeedIsReadAsItsRecordTextSays) {
    // Given one by one, a line may hold a line feed; its records then read back as other
    // records, as they always have: the text after the feed is taken for the next code.
    RunHooks hooks;
    hooks.keepTokenFile = true;
    hooks.keepTrace = true;
    const TranslationResult result =
        runTranslation(std::vector<std::string>{"000.", std::string("00 в дв001\n1001"_cp)}, TranslationOptions{}, hooks);
    EXPECT_EQ(result.lexicalErrorCount, 0);
    EXPECT_EQ(result.tokenFile, std::string_view("F200\n000.\nF300\n00 в дв001\n1001\nA001\nв\n3001\nдв001\nE000\n1001.000000\n"_cp));
    // F300 reads "00 в дв001" as its text, then "1001" as the code of a record whose
    // text is "A001": a вд variable where a statement must begin.
    ASSERT_EQ(result.syntaxStatus, std::optional<int>(0x1001));
    EXPECT_NE(result.trace.find("\n[1001]\n A001\n "), std::string::npos);
    ASSERT_EQ(result.diagnostics.size(), 1u);
    EXPECT_TRUE(result.notices.empty());

    // Further on, code lines that are no number raise their notices, and a code line
    // without its text line ends the input.
    const TranslationResult notices = runTranslation(
        std::vector<std::string>{"000.", std::string("00 в дв001"_cp), std::string("/а дв002\nб\nA001\nx"_cp), std::string("01 в дв002"_cp)}, TranslationOptions{});
    EXPECT_EQ(notices.lexicalErrorCount, 0);
    EXPECT_EQ(notices.notices, (std::vector<std::string>{std::string("Неверное число !!!"_cp)}));
}

}  // namespace
}  // namespace vestrel
