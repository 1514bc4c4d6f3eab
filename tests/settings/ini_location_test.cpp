// Where "Vestrel.ini" lives: beside the executable when that folder may be written,
// otherwise in the user's configuration folder seeded from the file beside it; never in
// the current directory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "project/file_system.h"
#include "settings/ini_location.h"
#include "support/scratch_dir.h"
#include "support/windows_api.h"

namespace vestrel::settings {
namespace {
using testing::ScratchDir;

// Folder and name are joined with the system's separator.
std::string in(const std::string& folder, const std::string& name) { return folder + project::os::kPathSeparator + name; }

TEST(IniLocation, TheRuleForEachKindOfInstallation) {
    struct Case {
        const char* what;
        std::optional<std::string> executableFolder;
        bool writable;
        std::optional<std::string> userFolder;
        std::optional<std::string> path, seed;
    };
    const Case cases[] = {
        {"a writable folder keeps its own file", "/opt/v", true, "/home/u/.config/vestrel", in("/opt/v", "Vestrel.ini"),
         ""},
        {"a read-only folder seeds the user's file", "/usr/bin", false, "/home/u/.config/vestrel",
         in("/home/u/.config/vestrel", "Vestrel.ini"), in("/usr/bin", "Vestrel.ini")},
        {"an unknown executable folder: the user's file, nothing beside it", std::nullopt, false,
         "/home/u/.config/vestrel", in("/home/u/.config/vestrel", "Vestrel.ini"), ""},
        {"a read-only folder and no user folder: no file", "/usr/bin", false, std::nullopt, std::nullopt, std::nullopt},
        {"nothing known: no file, never the current directory", std::nullopt, true, std::nullopt, std::nullopt,
         std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<IniLocation> location = iniLocationFor(c.executableFolder, c.writable, c.userFolder);
        ASSERT_EQ(location.has_value(), c.path.has_value()) << c.what;
        if (!location) continue;
        EXPECT_EQ(location->path, *c.path) << c.what;
        EXPECT_EQ(location->seed, *c.seed) << c.what;
    }
}

// Sets an environment variable for one test and puts the old value back.
class EnvironmentValue {
public:
    EnvironmentValue(const char* name, const char* value) : m_name(name), m_old(project::os::environmentValue(name)) {
        set(name, value);
    }
    ~EnvironmentValue() { set(m_name, m_old ? m_old->c_str() : nullptr); }

private:
    static void set(const char* name, const char* value) {
#ifdef _WIN32
        ::SetEnvironmentVariableA(name, value);
#else
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
#endif
    }

    const char* m_name;
    std::optional<std::string> m_old;
};

#ifdef _WIN32
TEST(IniLocation, TheUserFolderIsVestrelInTheRoamingApplicationData) {
    struct Case {
        const char* appData;
        std::optional<std::string> folder;
    };
    const Case cases[] = {
        {"C:\\Users\\u\\AppData\\Roaming", "C:\\Users\\u\\AppData\\Roaming\\Vestrel"},
        {"\\\\server\\profiles\\u", "\\\\server\\profiles\\u\\Vestrel"},
        {"relative", std::nullopt},  // only an absolute folder counts
        {nullptr, std::nullopt},
    };
    const EnvironmentValue home("HOME", "C:\\Users\\u");  // not a Windows variable: never used
    for (const Case& c : cases) {
        const EnvironmentValue appData("APPDATA", c.appData);
        EXPECT_EQ(userConfigFolder(), c.folder) << (c.appData ? c.appData : "-");
    }
}
#else
TEST(IniLocation, TheUserFolderFollowsTheEnvironment) {
    struct Case {
        const char *config, *home;
        std::optional<std::string> folder;
    };
    const Case cases[] = {
        {"/x/config", "/home/u", "/x/config/vestrel"},
        {nullptr, "/home/u", "/home/u/.config/vestrel"},
        {"relative", "/home/u", "/home/u/.config/vestrel"},  // only an absolute folder counts
        {nullptr, nullptr, std::nullopt},
        {nullptr, "relative", std::nullopt},
    };
    for (const Case& c : cases) {
        const EnvironmentValue config("XDG_CONFIG_HOME", c.config);
        const EnvironmentValue home("HOME", c.home);
        EXPECT_EQ(userConfigFolder(), c.folder) << (c.config ? c.config : "-") << " " << (c.home ? c.home : "-");
    }
}
#endif

class IniFiles : public ScratchDir {};

// The folder of the running program (from /proc/self/exe, or GetModuleFileNameW on
// Windows), and whether it may be written, asked without leaving anything there.
TEST_F(IniFiles, TheExecutablesFolderIsFoundAndItsWritabilityTried) {
    const std::optional<std::string> folder = project::os::executableFolder();
    ASSERT_TRUE(folder.has_value());
    // The tests run from build/tests, beside build/src/cli/vestrelc.
    const std::filesystem::path expected = testing::fsPath(VESTRELC_PATH).parent_path().parent_path().parent_path() / "tests";
    EXPECT_TRUE(std::filesystem::equivalent(testing::fsPath(*folder), expected)) << *folder;
    EXPECT_TRUE(project::os::isAbsolutePath(*folder)) << *folder;

    std::filesystem::create_directory(testing::fsPath(path("Папка")));
    EXPECT_TRUE(project::os::writableDirectory(path("Папка")));
    EXPECT_FALSE(project::os::writableDirectory(path("нет")));
    EXPECT_EQ(entriesOf(root().string()), std::set<std::string>{"Папка"});
    EXPECT_EQ(entriesOf(path("Папка")), std::set<std::string>{});
}

TEST_F(IniFiles, ReadersTakeTheUserFileThenTheSeedAndTheWorkbenchCopiesTheSeed) {
    const IniLocation location{path("user/vestrel/Vestrel.ini"), path("bin/Vestrel.ini")};
    EXPECT_EQ(iniFileToRead(location), std::nullopt);
    std::filesystem::create_directory(path("bin"));
    writeBytes(location.seed, "[s]\r\nk=1\r\n");
    EXPECT_EQ(iniFileToRead(location), location.seed);

    EXPECT_EQ(prepareIniFile(location), location.path);
    EXPECT_EQ(readBytes(location.path), "[s]\r\nk=1\r\n");
    EXPECT_EQ(iniFileToRead(location), location.path);
    // Once the user has a file of their own, the seed is never copied again.
    writeBytes(location.path, "mine");
    EXPECT_EQ(prepareIniFile(location), location.path);
    EXPECT_EQ(readBytes(location.path), "mine");

    // Without a seed the folder is still made, for the dialog's first write.
    const IniLocation fresh{path("other/vestrel/Vestrel.ini"), ""};
    EXPECT_EQ(prepareIniFile(fresh), fresh.path);
    EXPECT_TRUE(std::filesystem::is_directory(path("other/vestrel")));
    EXPECT_FALSE(std::filesystem::exists(fresh.path));
}

}  // namespace
}  // namespace vestrel::settings
