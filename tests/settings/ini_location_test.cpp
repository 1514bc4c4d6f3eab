// Where "Vestrel.ini" lives: beside the executable when that folder may be written,
// otherwise in the user's configuration folder seeded from the file beside it; never in
// the current directory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "settings/ini_location.h"
#include "support/scratch_dir.h"

namespace vestrel::settings {
namespace {
using testing::ScratchDir;

TEST(IniLocation, TheRuleForEachKindOfInstallation) {
    struct Case {
        const char* what;
        std::optional<std::string> executableFolder;
        bool writable;
        std::optional<std::string> userFolder;
        std::optional<std::string> path, seed;
    };
    const Case cases[] = {
        {"a writable folder keeps its own file", "/opt/v", true, "/home/u/.config/vestrel", "/opt/v/Vestrel.ini", ""},
        {"a read-only folder seeds the user's file", "/usr/bin", false, "/home/u/.config/vestrel",
         "/home/u/.config/vestrel/Vestrel.ini", "/usr/bin/Vestrel.ini"},
        {"an unknown executable folder: the user's file, nothing beside it", std::nullopt, false,
         "/home/u/.config/vestrel", "/home/u/.config/vestrel/Vestrel.ini", ""},
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
    EnvironmentValue(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~EnvironmentValue() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

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

class IniFiles : public ScratchDir {};

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
