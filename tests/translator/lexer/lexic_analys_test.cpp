// The pass-1 driver: line dispatch, text records, messages, the error count, the
// progress display, and the pass inside a whole translation run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listing_cases.h"
#include "translator/lexer/lexic_analys.h"
#include "translator/run/translation.h"
#include "translator/text/literal.h"

namespace vestrel {
namespace {
using namespace text::literals;
using testing::checkListing;
using testing::cp;
using testing::CitedMessage;
using testing::ListingCase;
using testing::runPassOne;

TEST(TLexicAnalys, ThePumpExampleGivesTenRecordsAndEightTokens) {
    const auto pass = runPassOne(
        {"Программа насоса", "/насос дв001", "000. Секция пуска", "00 в насос", "01 тм01 = 00.00.10"});
    const std::string expected = cp(
        "D200\nпрограмма насоса\n"
        "D200\n/насос дв001\n"
        "F200\n000. секция пуска\n"
        "F300\n00 в насос\n"
        "A001\nв\n"
        "3001\nнасос\n"
        "F301\n01 тм01 = 00.00.10\n"
        "7001\nтм01\n"
        "B03D\n=\n"
        "B101\n00.00.10\n");
    EXPECT_EQ(pass.bytes, expected);
    EXPECT_EQ(pass.result, 8);
    EXPECT_TRUE(pass.messages.empty());
    EXPECT_EQ(pass.errorCount, 0);
}

TEST(TLexicAnalys, LineDispatch) {
    const ListingCase cases[] = {
        {"empty source", {}, {}, {}},
        {"an empty line between two lines",
         {"Заголовок", "", "000."},
         {"D200 заголовок", "D200 ", "F200 000."},
         {}},
        {"a line beginning with a blank is a comment, digits or not",
         {" 00 в дв001", "\t000."},
         {"D200  00 в дв001", "D200 \t000."},
         {}},
        {"comments keep every character, lower-cased",
         {"Ё Ђ Ў (* вд999 *) ЯЩИК"},
         {"D200 ё ђ ў (* вд999 *) ящик"},
         {}},
    };
    for (const ListingCase& c : cases) checkListing(c);
}

TEST(TLexicAnalys, UpperCaseSourceGivesTheSameRecordsAsLowerCase) {
    const std::vector<std::string> upper = {"ПРОГРАММА", "/НАСОС ДВ001", "000. СЕКЦИЯ", "00 ЕСЛИ В ВД001",
                                            "01 ТОГДА О НАСОС", "02 АЛГ130", "1 = ДВ002", "2 = 5", "3 = ВКЛ",
                                            "03 ТС1.0.1 ТЕКСТ"};
    std::vector<std::string> lower;
    for (const std::string& line : upper) lower.push_back(text::toUtf8(text::toLower(cp(line))));
    const auto upperPass = runPassOne(upper);
    const auto lowerPass = runPassOne(lower);
    EXPECT_EQ(upperPass.bytes, lowerPass.bytes);
    EXPECT_TRUE(upperPass.messages.empty());
    EXPECT_EQ(upperPass.records[3], "F300 00 если в вд001");
}

TEST(TLexicAnalys, EveryCyrillicCapitalLowerCases) {
    std::string capitals;
    std::string smalls;
    for (int c = 0xC0; c <= 0xDF; ++c) {
        capitals.push_back(static_cast<char>(c));
        smalls.push_back(static_cast<char>(c + 0x20));
    }
    TokenFile file;
    const std::vector<std::string> source = {capitals, "000.", cp("00 в ") + capitals.substr(2, 2) + "001"};
    DiagnosticList messages;
    TLexicAnalys analyser;
    analyser.Analyse({&file, &source, &messages, nullptr});
    // "ВГ" is no family; the word is read in lower case and rejected as an identifier.
    EXPECT_EQ(file.bytes(), "D200\n" + smalls + "\nF200\n000.\nF300\n00 \xE2 \xE2\xE3" "001\nA001\n\xE2\n");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text(), "Ошибка!!! (3,6).Неизвестный идентификатор"_cp);
}

TEST(TLexicAnalys, TextLinesAreLowerCasedByteForByte) {
    // Lines of every length up to 40 over all bytes, and over the bytes outside
    // 0x80..0xBF only, each shifted along the line.
    std::vector<std::string> source;
    for (int length = 1; length <= 40; ++length) {
        for (int start = 0; start < 256; start += 7) {
            std::string all = "x";
            std::string withoutMiddle = "x";
            for (int k = 0; k < length; ++k) {
                all.push_back(static_cast<char>((start + k * 13) % 256));
                const int b = (start + k * 11) % 192;
                withoutMiddle.push_back(static_cast<char>(b < 128 ? b : b + 64));
            }
            source.push_back(all);
            source.push_back(withoutMiddle);
        }
    }
    for (std::string& line : source)
        for (char& c : line)
            if (c == '\n' || c == '\r') c = ' ';  // a record holds one line
    TokenFile file;
    DiagnosticList messages;
    TLexicAnalys analyser;
    analyser.Analyse({&file, &source, &messages, nullptr});
    TokenFileLines lines(file.bytes());
    for (const std::string& line : source) {
        ASSERT_EQ(lines.next(), std::optional<std::string_view>("D200"));
        ASSERT_EQ(lines.next(), std::optional<std::string_view>(text::toLower(line)));
    }
    EXPECT_EQ(lines.next(), std::nullopt);
}

TEST(TLexicAnalys, EveryLineIsScannedAndGivesAtMostOneMessage) {
    const auto pass = runPassOne({"000.", "00 в дв001", "01 х у", "02 вск", "03 в о", "", "04 тм01 = 25.00.00 х",
                                  "/ 1", "05 вск"});
    EXPECT_EQ(pass.messages, (std::vector<CitedMessage>{{3, 4, 6}, {5, 6, 19}, {7, 11, 7}, {8, 2, 1}}));
    EXPECT_EQ(pass.errorCount, 4);
    // Records up to each error stay; lines after an error go on from the last accepted number.
    EXPECT_EQ(pass.records,
              (std::vector<std::string>{"F200 000.", "F300 00 в дв001", "A001 в", "3001 дв001", "F301 01 х у",
                                        "F302 02 вск", "A004 вск", "F303 03 в о", "A001 в", "D200 ",
                                        "F304 04 тм01 = 25.00.00 х", "7001 тм01", "B03D =",
                                        "F305 05 вск", "A004 вск"}));
    EXPECT_EQ(pass.result, 14);
}

TEST(TLexicAnalys, MessagesGoUnderTheGroupHeadingWithTheirExactTexts) {
    const std::vector<std::string> source = {cp("000."), cp("00 в вд01"), cp("/клапан")};
    TokenFile file;
    DiagnosticList messages;
    messages.AddSyntaxError(1, 1, SyntaxMessage::SyntaxError);  // left over from an earlier run
    TLexicAnalys analyser;
    EXPECT_EQ(analyser.Analyse({&file, &source, &messages, nullptr}), 3);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages.opensWithLexicalGroup());
    EXPECT_EQ(messages[0].text(), "Ошибка!!! (2,6).Неизвестная переменная"_cp);
    EXPECT_EQ(messages[1].text(), "Ошибка!!! (3,8).Макрос задан неверно"_cp);
    EXPECT_EQ(analyser.errorCount(), 2);
}

class RecordingProgress final : public ProgressSink {
public:
    void setCaption(std::string_view caption) override { captions.emplace_back(caption); }
    void setMaximum(int maximum) override { maximums.push_back(maximum); }
    void setPosition(int position) override { positions.push_back(position); }
    void advance() override { ++advances; }

    std::vector<std::string> captions;
    std::vector<int> maximums;
    std::vector<int> positions;
    int advances = 0;
};

TEST(TLexicAnalys, ReportsProgressLineByLine) {
    const std::vector<std::string> source = {"a", "000.", "00 x"};
    TokenFile file;
    DiagnosticList messages;
    RecordingProgress progress;
    TLexicAnalys analyser;
    analyser.Analyse({&file, &source, &messages, &progress});
    EXPECT_EQ(progress.captions, std::vector<std::string>{std::string("Лексический анализ"_cp)});
    EXPECT_EQ(progress.maximums, std::vector<int>{3});
    EXPECT_EQ(progress.positions, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(progress.advances, 0);
}

TEST(TLexicAnalys, ANewPassStartsFromNothing) {
    const std::vector<std::string> first = {cp("/клапан дв001"), cp("000."), cp("00 алг130"), cp("1 = 1")};
    const std::vector<std::string> second = {cp("000."), cp("00 в клапан"), cp("01 вск")};
    TokenFile file;
    DiagnosticList messages;
    TLexicAnalys analyser;
    analyser.Analyse({&file, &first, &messages, nullptr});
    EXPECT_EQ(analyser.errorCount(), 0);
    // No macro, no section, no pending parameters survive into the second pass.
    EXPECT_EQ(analyser.Analyse({&file, &second, &messages, nullptr}), 5);
    EXPECT_EQ(file.bytes(), cp("F200\n000.\nF300\n00 в клапан\nA001\nв\nF301\n01 вск\nA004\nвск\n"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text(), "Ошибка!!! (2,6).Неизвестный идентификатор"_cp);
    EXPECT_EQ(analyser.errorCount(), 1);
}

TEST(TLexicAnalys, WithoutATokenFileOrSourceNothingChanges) {
    const std::vector<std::string> source = {"x"};
    const std::vector<std::string> faulty = {"000.", "00 x"};  // message 6 at "x"
    TokenFile file;
    DiagnosticList messages;
    TLexicAnalys analyser;
    analyser.Analyse({&file, &faulty, &messages, nullptr});
    ASSERT_EQ(analyser.errorCount(), 1);
    file.clear();
    EXPECT_EQ(analyser.Analyse({nullptr, &source, &messages, nullptr}), -1);
    EXPECT_EQ(analyser.Analyse({&file, nullptr, &messages, nullptr}), -1);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(analyser.errorCount(), 1);
    EXPECT_TRUE(file.bytes().empty());
}

TEST(TranslationRunPassOne, LexicalErrorsStopTheRunBeforePassTwo) {
    std::vector<std::string> source;
    for (const char* line : {"Насос", "000.", "00 в х", "01 вск", "02 вск", "03 вск", "05 вск", "04 вск"})
        source.push_back(cp(line));
    RunHooks hooks;
    hooks.keepTokenFile = true;
    const TranslationResult result = runTranslation(source, TranslationOptions{}, hooks);
    EXPECT_EQ(result.lexicalErrorCount, 2);
    EXPECT_FALSE(result.syntaxStatus.has_value());
    ASSERT_EQ(result.diagnostics.size(), 2u);
    EXPECT_TRUE(result.diagnostics.opensWithLexicalGroup());
    EXPECT_EQ(result.diagnostics[0].text(), "Ошибка!!! (3,6).Неизвестный идентификатор"_cp);
    EXPECT_EQ(result.diagnostics[1].text(), "Ошибка!!! (7,1).Строка расположена не по порядку"_cp);
    EXPECT_EQ(result.diagnostics[1].line, 7);
    EXPECT_EQ(result.diagnostics[1].column, 1);
    // F200, F300 A001, then 01 02 03 with their words, then 04 after the rejected 05.
    EXPECT_EQ(result.tokenCount, 11);
    EXPECT_EQ(testing::decodeRecords(result.tokenFile).size(), 12u);
    for (const auto& lines : result.slotLines) EXPECT_TRUE(lines.empty());
}

TEST(TranslationRunPassOne, ACleanListingGoesOnToPassTwo) {
    const std::vector<std::string> source = {cp("000."), cp("00 в дв001")};
    RunHooks hooks;
    hooks.keepTokenFile = true;
    const TranslationResult result = runTranslation(source, TranslationOptions{}, hooks);
    EXPECT_EQ(result.lexicalErrorCount, 0);
    EXPECT_EQ(result.tokenCount, 4);
    EXPECT_TRUE(result.syntaxStatus.has_value());
    EXPECT_EQ(result.tokenFile, cp("F200\n000.\nF300\n00 в дв001\nA001\nв\n3001\nдв001\n"));
}

}  // namespace
}  // namespace vestrel
