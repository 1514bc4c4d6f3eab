// The location rule of "Vestrel.ini", shared by the workbench and vestrelc.
#include "settings/ini_location.h"

#include <filesystem>
#include <system_error>

#include "project/file_system.h"
#include "project/source_file.h"

namespace vestrel::settings {
namespace {

constexpr std::string_view kIniFileName = "Vestrel.ini";
#ifdef _WIN32
constexpr std::string_view kUserFolderName = "Vestrel";
#else
constexpr std::string_view kUserFolderName = "vestrel";
#endif

std::string inFolder(const std::string& folder, std::string_view name) {
    if (folder.ends_with('/') || folder.ends_with(project::os::kPathSeparator)) return folder + std::string(name);
    return folder + project::os::kPathSeparator + std::string(name);
}

std::optional<std::string> absoluteEnvironment(const char* name) {
    std::optional<std::string> value = project::os::environmentValue(name);
    if (!value || !project::os::isAbsolutePath(*value)) return std::nullopt;
    return value;
}

// Paths are UTF-8 on every system (std::filesystem would read a narrow path on Windows
// in the ANSI code page).
std::filesystem::path fileSystemPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

bool regularFileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(fileSystemPath(path), error);
}

}  // namespace

std::optional<IniLocation> iniLocationFor(const std::optional<std::string>& executableFolder, bool executableFolderWritable,
                                          const std::optional<std::string>& userConfigFolder) {
    if (executableFolder && executableFolderWritable) return IniLocation{inFolder(*executableFolder, kIniFileName), {}};
    if (!userConfigFolder) return std::nullopt;
    IniLocation location{inFolder(*userConfigFolder, kIniFileName), {}};
    if (executableFolder) location.seed = inFolder(*executableFolder, kIniFileName);
    return location;
}

std::optional<std::string> userConfigFolder() {
#ifdef _WIN32
    if (std::optional<std::string> appData = absoluteEnvironment("APPDATA")) return inFolder(*appData, kUserFolderName);
    return std::nullopt;
#else
    if (std::optional<std::string> config = absoluteEnvironment("XDG_CONFIG_HOME"))
        return inFolder(*config, kUserFolderName);
    if (std::optional<std::string> home = absoluteEnvironment("HOME"))
        return inFolder(inFolder(*home, ".config"), kUserFolderName);
    return std::nullopt;
#endif
}

std::optional<IniLocation> iniLocation() {
    const std::optional<std::string> executable = project::os::executableFolder();
    return iniLocationFor(executable, executable && project::os::writableDirectory(*executable), userConfigFolder());
}

std::optional<std::string> iniFileToRead(const IniLocation& location) {
    if (regularFileExists(location.path)) return location.path;
    if (!location.seed.empty() && regularFileExists(location.seed)) return location.seed;
    return std::nullopt;
}

std::string prepareIniFile(const IniLocation& location) {
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(fileSystemPath(location.path), error))) return location.path;
    // The per-user folder may not exist yet: the dialog's first write needs it.
    std::filesystem::create_directories(fileSystemPath(project::os::splitPath(location.path).folder), error);
    if (location.seed.empty()) return location.path;
    if (const std::optional<std::string> seed = project::readWholeFile(location.seed))
        project::writeFileAtomically(location.path, *seed);
    return location.path;
}

}  // namespace vestrel::settings
