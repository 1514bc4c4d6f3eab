// Inputs the fuzzers once found troublesome: each must translate to a result without
// failing, and a run with lexical errors never reaches pass 2.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/ini_store.h"
#include "settings/translation_settings.h"
#include "translator/run/translation.h"

namespace vestrel {
namespace {
namespace fs = std::filesystem;

std::vector<std::string> filesUnder(const fs::path& dir) {
    std::vector<std::string> bytes;
    if (!fs::exists(dir)) return bytes;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (!entry.is_regular_file() || entry.path().filename().string().front() == '.') continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        bytes.push_back(out.str());
    }
    return bytes;
}

const fs::path kRegressions = fs::path(VESTREL_SOURCE_DIR) / "tests" / "fuzz" / "regressions";

TEST(FuzzRegressions, TranslationInputsFinish) {
    for (const std::string& input : filesUnder(kRegressions / "translation")) {
        if (input.empty()) continue;
        TranslationOptions options;
        options.AddComment = (input[0] & 1) != 0;
        options.AddProgramText = (input[0] & 2) != 0;
        const auto result = runTranslation(splitSourceLines(std::string_view(input).substr(1)), options);
        EXPECT_FALSE(result.lexicalErrorCount > 0 && result.syntaxStatus.has_value());
    }
}

TEST(FuzzRegressions, IniInputsReadIntoRange) {
    for (const std::string& input : filesUnder(kRegressions / "ini")) {
        settings::IniStore store("/nonexistent/Vestrel.ini", input);
        const auto options = settings::readTranslationOptions(store);
        EXPECT_GE(options.TickResolution, 55);
        EXPECT_LE(options.RecalcPeriod, 100);
    }
}

}  // namespace
}  // namespace vestrel
