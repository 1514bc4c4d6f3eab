// The fuzzers' committed inputs (seeds that reach new code, and inputs that once failed),
// replayed under the same checks the fuzzers apply. A folder without inputs fails: a test
// that replays nothing would pass whatever the translator did.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fuzz/korvel_generator.h"
#include "fuzz/translation_checks.h"
#include "settings/ini_store.h"
#include "settings/translation_settings.h"

namespace vestrel {
namespace {
namespace fs = std::filesystem;

struct Input {
    std::string name;
    std::string bytes;
};

std::vector<Input> inputsUnder(const fs::path& dir) {
    std::vector<Input> inputs;
    if (!fs::exists(dir)) return inputs;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (!entry.is_regular_file() || entry.path().filename().string().front() == '.') continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        inputs.push_back({entry.path().filename().string(), out.str()});
    }
    return inputs;
}

const fs::path kRegressions = fs::path(VESTREL_SOURCE_DIR) / "tests" / "fuzz" / "regressions";

TEST(FuzzRegressions, ByteLevelTranslationInputs) {
    const std::vector<Input> inputs = inputsUnder(kRegressions / "translation");
    ASSERT_FALSE(inputs.empty()) << "no inputs under " << (kRegressions / "translation");
    for (const Input& input : inputs) {
        if (input.bytes.empty()) continue;
        const std::string_view listing = std::string_view(input.bytes).substr(1);
        EXPECT_EQ(fuzz::checkTranslation(listing, fuzz::optionsFromByte(static_cast<std::uint8_t>(input.bytes[0]))), "")
            << input.name;
    }
}

TEST(FuzzRegressions, GeneratedKorvelPrograms) {
    const std::vector<Input> inputs = inputsUnder(kRegressions / "korvel_programs");
    ASSERT_FALSE(inputs.empty()) << "no inputs under " << (kRegressions / "korvel_programs");
    std::size_t translated = 0;
    for (const Input& input : inputs) {
        if (input.bytes.empty()) continue;
        const auto* data = reinterpret_cast<const std::uint8_t*>(input.bytes.data());
        fuzz::ByteChoices choices(data + 1, input.bytes.size() - 1);
        const std::string listing = fuzz::KorvelGenerator(choices).listing();
        const TranslationOptions options = fuzz::optionsFromByte(data[0]);
        EXPECT_EQ(fuzz::checkTranslation(listing, options), "") << input.name;
        translated += runTranslation(splitSourceLines(listing), options).outputShown() ? 1 : 0;
    }
    // The seeds are there to reach the generator and the templates: most must translate.
    EXPECT_GT(translated * 4, inputs.size()) << translated << " of " << inputs.size() << " translated";
}

TEST(FuzzRegressions, IniInputsReadIntoRange) {
    const std::vector<Input> inputs = inputsUnder(kRegressions / "ini");
    ASSERT_FALSE(inputs.empty()) << "no inputs under " << (kRegressions / "ini");
    for (const Input& input : inputs) {
        settings::IniStore store("/nonexistent/Vestrel.ini", input.bytes);
        const auto options = settings::readTranslationOptions(store);
        EXPECT_GE(options.TickResolution, 55) << input.name;
        EXPECT_LE(options.TickResolution, 100) << input.name;
        EXPECT_GE(options.RecalcPeriod, 1) << input.name;
        EXPECT_LE(options.RecalcPeriod, 100) << input.name;
    }
}

}  // namespace
}  // namespace vestrel
