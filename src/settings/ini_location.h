// Where "Vestrel.ini" lives: beside the executable when that folder may be written,
// otherwise in the user's configuration folder, seeded from the file beside the executable.
#pragma once

#include <optional>
#include <string>

namespace vestrel::settings {

struct IniLocation {
    std::string path;  // the file the settings are read from and written to
    std::string seed;  // the file beside the executable that a missing path starts from; empty when none
};

// The rule itself. executableFolder is nothing when the system cannot tell it (then no
// file beside the executable is used, and never one in the current directory);
// userConfigFolder is the per-user configuration folder, nothing when unknown.
std::optional<IniLocation> iniLocationFor(const std::optional<std::string>& executableFolder, bool executableFolderWritable,
                                          const std::optional<std::string>& userConfigFolder);

// The per-user folder: $XDG_CONFIG_HOME/vestrel, else $HOME/.config/vestrel; on Windows
// %APPDATA%\Vestrel.
std::optional<std::string> userConfigFolder();

// The rule for this process.
std::optional<IniLocation> iniLocation();

// The file a reader that never writes (vestrelc) takes: path when it exists, otherwise the
// seed when it exists; nothing when neither does.
std::optional<std::string> iniFileToRead(const IniLocation& location);

// The file the workbench keeps: when path is missing, its folder is created and the seed,
// when it exists, copied there. Returns location.path either way.
std::string prepareIniFile(const IniLocation& location);

}  // namespace vestrel::settings
