// The editor's line splitter: the elements each item shows as, macro states from line
// to line, and agreement with the records pass 1 writes for real listings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "lexer_support.h"
#include "translator/lexer/line_spans.h"
#include "translator/run/translation.h"

namespace vestrel {
namespace {
using testing::cp;

// "N[00] _ C[в] _ V[клапан]": each span as a letter and, except for blanks, its text.
std::string render(std::string_view utf8Line, const TMacrosTable& macros) {
    const std::string line = cp(utf8Line);
    std::string out;
    for (const LineSpan& span : splitKorvelLine(line, macros)) {
        static constexpr char kLetters[] = "MKNVCDS_?";
        if (!out.empty()) out += ' ';
        out += kLetters[static_cast<int>(span.element)];
        if (span.element != KorvelElement::Blank) out += '[' + text::toUtf8(line.substr(span.start, span.length)) + ']';
    }
    return out;
}

TEST(SplitKorvelLine, ElementsOfEachKindOfItem) {
    struct Case {
        const char* line;
        const char* spans;
    };
    const Case cases[] = {
        {"", ""},
        {"Насос первого контура", "K[Насос первого контура]"},
        {"/клапан дв001", "M[/клапан дв001]"},
        {"000. Секция пуска", "N[000.] K[ Секция пуска]"},
        {"080. неверная", "?[080.] K[ неверная]"},
        {"00 в ДВ001", "N[00] _ C[в] _ V[ДВ001]"},
        {"01 если вд001 и", "N[01] _ C[если] _ V[вд001] _ ?[и]"},
        {"02 ав001 = ва001 + 12.5", "N[02] _ V[ав001] _ S[=] _ V[ва001] _ S[+] _ D[12.5]"},
        {"03 тм01 = 12.30.00", "N[03] _ V[тм01] _ S[=] _ D[12.30.00]"},
        {"04 тм02 = 24.00.00", "N[04] _ V[тм02] _ S[=] _ ?[24.00.00]"},
        {"05 тм03 = .05.30.1,.5", "N[05] _ V[тм03] _ S[=] _ D[.05.30.1] _ ?[.5]"},
        {"06 алг001 1.2.3", "N[06] _ C[алг001] _ ?[1.2.3]"},
        {"07 тс1.0.1 свободный текст", "N[07] _ C[тс1.0.1] K[ свободный текст]"},
        {"1 = -(вкл)\t", "N[1] _ S[=] _ S[-] S[(] C[вкл] S[)] _"},
        {"12.30.00 05", "D[12.30.00] _ N[05]"},
    };
    const TMacrosTable none;
    for (const Case& c : cases) EXPECT_EQ(render(c.line, none), c.spans) << c.line;
}

TEST(SplitKorvelLine, MacroStatesFollowTheDefinitionsInForce) {
    MacroStates states;
    int state = 0;
    for (const char* line : {"/клапан дв001", "комментарий", "/насос", "/в о"}) state = states.after(state, cp(line));
    // "/насос" is rejected and changes nothing; "/в о" is the second definition.
    EXPECT_EQ(states.table(state).count(), 2);
    EXPECT_EQ(render("00 в клапан", states.table(state)), "N[00] _ C[в] _ V[клапан]");
    EXPECT_EQ(render("00 в клапан", states.table(0)), "N[00] _ C[в] _ ?[клапан]");
    // The same definition after the same state is the same state; the table fills at 100.
    EXPECT_EQ(states.after(0, cp("/клапан дв001")), states.after(0, cp("/КЛАПАН дв001")));
    // A definition that changes nothing keeps the state.
    const int once = states.after(0, cp("/клапан дв001"));
    EXPECT_EQ(states.after(once, cp("/клапан  дв001 снова")), once);
    int full = 0;
    for (int i = 0; i < 100; ++i) full = states.after(full, cp("/м" + std::to_string(i) + " вд001"));
    EXPECT_EQ(states.table(full).count(), 100);
    EXPECT_EQ(states.after(full, cp("/м1 вд002")), full);
}

// Every line of the golden listings and the examples: the token spans carry the codes of
// the records pass 1 writes for that line, in order (line openers by their class).
TEST(SplitKorvelLine, AgreesWithPassOneOnRealListings) {
    namespace fs = std::filesystem;
    std::vector<fs::path> listings;
    for (const char* folder : {"tests/golden", "examples"})
        for (const auto& entry : fs::directory_iterator(fs::path(VESTREL_SOURCE_DIR) / folder))
            if (entry.path().extension() == ".prg") listings.push_back(entry.path());
    if (const char* more = std::getenv("VESTREL_MORE_LISTINGS"))
        for (const auto& entry : fs::directory_iterator(more))
            if (entry.path().extension() == ".prg") listings.push_back(entry.path());
    ASSERT_GT(listings.size(), 20u);
    int compared = 0;
    for (const fs::path& path : listings) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        const std::vector<std::string> lines = splitSourceLines(bytes.str());
        RunHooks hooks;
        hooks.keepTokenFile = true;
        const TranslationResult result = runTranslation(lines, TranslationOptions{}, hooks);
        if (result.lexicalErrorCount != 0) continue;

        std::vector<TokenCode> records;
        TokenFileLines recordLines(result.tokenFile);
        while (const auto code = recordLines.next()) {
            records.push_back(static_cast<TokenCode>(std::stoul(std::string(*code), nullptr, 16)));
            recordLines.next();
        }
        std::size_t at = 0;
        MacroStates states;
        int state = 0;
        for (const std::string& line : lines) {
            const std::vector<LineSpan> tokens = tokenSpans(splitKorvelLine(line, states.table(state)));
            state = states.after(state, line);
            if (tokens.empty()) {
                ASSERT_LT(at, records.size());
                EXPECT_EQ(records[at++], token::TextLine) << path << ": " << text::toUtf8(line);
                continue;
            }
            for (const LineSpan& span : tokens) {
                ASSERT_LT(at, records.size()) << path;
                const TokenCode record = records[at++];
                if (span.element == KorvelElement::SectionNumber && span.code == 0)
                    EXPECT_TRUE(isLineOpener(record) && !isSectionHeader(record)) << path << ": " << text::toUtf8(line);
                else
                    EXPECT_EQ(record, span.code) << path << ": " << text::toUtf8(line);
            }
        }
        EXPECT_EQ(at, records.size()) << path;
        ++compared;
    }
    EXPECT_GE(compared, 15);
}

}  // namespace
}  // namespace vestrel
