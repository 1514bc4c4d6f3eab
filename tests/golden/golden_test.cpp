// Golden cases: tests/golden/<case>.prg translated with the options of
// tests/golden/<case>/options.txt must give exactly the files of tests/golden/<case>/:
// init.IL and N.IL as the project writer writes them (CR CR LF), and diagnostics.txt.
// UPDATE_GOLDEN=1 rewrites the expected files instead (review every diff by hand).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include <unistd.h>

#include "project/il_project.h"
#include "translator/run/translation.h"
#include "translator/text/cp1251.h"

namespace vestrel {
namespace {
namespace fs = std::filesystem;

const fs::path kGoldenDir = fs::path(VESTREL_SOURCE_DIR) / "tests" / "golden";

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::vector<std::string> caseNames() {
    std::vector<std::string> names;
    if (!fs::exists(kGoldenDir)) return names;
    for (const auto& entry : fs::directory_iterator(kGoldenDir))
        if (entry.path().extension() == ".prg") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

TranslationOptions readOptions(const fs::path& file) {
    TranslationOptions options;
    std::istringstream in(fs::exists(file) ? readBytes(file) : std::string());
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq);
        const int value = std::atoi(line.c_str() + eq + 1);
        if (key == "AddComment") options.AddComment = value != 0;
        else if (key == "AddProgramText") options.AddProgramText = value != 0;
        else if (key == "TickResolution") options.TickResolution = value;
        else if (key == "RecalcPeriod") options.RecalcPeriod = value;
    }
    return options;
}

// The source may be stored as cp1251 (as users keep it) or as UTF-8 (easier to edit).
std::vector<std::string> readSource(const fs::path& file) {
    std::string bytes = readBytes(file);
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
    if (text::hasNonAscii(bytes) && text::isValidUtf8(bytes))
        if (auto converted = text::fromUtf8(bytes)) bytes = *converted;
    return splitSourceLines(bytes);
}

// The expected files of a run, by name: the IL project as the project writer leaves it
// in a scratch directory, and the messages.
std::map<std::string, std::string> filesOf(const TranslationResult& result, const std::string& name) {
    std::map<std::string, std::string> files;
    if (result.outputShown() || result.syntaxStatus == 0) {
        const fs::path scratch = fs::temp_directory_path() / ("vestrel-golden-" + std::to_string(::getpid()) + "-" + name);
        fs::remove_all(scratch);
        const project::SaveResult created = project::ensureProjectDirectory(scratch.string());
        EXPECT_TRUE(created.ok()) << text::toUtf8(created.message);
        const project::SaveResult saved = project::writeProject(scratch.string(), result.slotLines, result.slotReceivedText);
        EXPECT_TRUE(saved.ok()) << text::toUtf8(saved.message);
        if (fs::exists(scratch))
            for (const auto& entry : fs::directory_iterator(scratch))
                files[entry.path().filename().string()] = readBytes(entry.path());
        fs::remove_all(scratch);
    }
    std::string diagnostics;
    result.diagnostics.forEachShown([&](const ShownEntry& entry) {
        diagnostics += std::string(entry.level == 1 ? "  " : "") + text::toUtf8(entry.text) + "\n";
    });
    for (std::size_t i = 0; i < result.notices.size(); ++i)
        diagnostics += "notice: " + text::toUtf8(result.notices[i]) + " (" + std::to_string(result.noticeCounts[i]) + ")\n";
    files["diagnostics.txt"] = diagnostics;
    return files;
}

std::string firstDifference(const std::string& expected, const std::string& actual) {
    std::istringstream e(expected), a(actual);
    std::string le, la;
    for (int line = 1;; ++line) {
        const bool he = static_cast<bool>(std::getline(e, le)), ha = static_cast<bool>(std::getline(a, la));
        if (!he && !ha) return "identical lines, different bytes";
        if (le != la || he != ha)
            return "line " + std::to_string(line) + ":\n  expected: " + text::toUtf8(he ? le : "<none>") +
                   "\n  actual:   " + text::toUtf8(ha ? la : "<none>");
    }
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, OutputMatchesByteForByte) {
    const std::string name = GetParam();
    const fs::path dir = kGoldenDir / name;
    const TranslationResult result = runTranslation(readSource(kGoldenDir / (name + ".prg")),
                                                    readOptions(dir / "options.txt"));
    const auto actual = filesOf(result, name);

    if (std::getenv("UPDATE_GOLDEN")) {
        fs::create_directories(dir);
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.path().filename() != "options.txt") fs::remove(entry.path());
        for (const auto& [file, bytes] : actual) writeBytes(dir / file, bytes);
        GTEST_SKIP() << "rewrote " << dir;
    }

    std::set<std::string> expectedFiles;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().filename() != "options.txt") expectedFiles.insert(entry.path().filename().string());
    std::set<std::string> actualFiles;
    for (const auto& [file, bytes] : actual) actualFiles.insert(file);
    EXPECT_EQ(actualFiles, expectedFiles);
    for (const auto& [file, bytes] : actual) {
        if (!expectedFiles.count(file)) continue;
        const std::string expected = readBytes(dir / file);
        EXPECT_TRUE(expected == bytes) << name << "/" << file << " differs at " << firstDifference(expected, bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(caseNames()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                             std::string id = param.param;
                             for (char& c : id)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return id;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Golden);

}  // namespace
}  // namespace vestrel
