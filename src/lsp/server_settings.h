// The settings of the language server: the four translation settings, read as vestrelc
// reads them ("Vestrel.ini" gives the defaults, the client's initializationOptions
// override them), and the pause before diagnostics after a change.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "translator/run/translation.h"

namespace vestrel::lsp {

struct ServerSettings {
    static constexpr int kDebounceDefaultMs = 20;
    static constexpr int kDebounceMaxMs = 10000;

    TranslationOptions options;
    std::chrono::milliseconds debounce{kDebounceDefaultMs};
    std::string iniPath;                  // the file the defaults came from
    std::vector<std::string> problems;    // UTF-8 texts for the client's log, one per rejected option
};

// initializationOptions: {"ini": path, "addComment": bool, "addProgramText": bool,
// "tickResolution": 55..100, "recalcPeriod": 1..100, "debounceMs": 0..10000}, every key
// optional. Without "ini", `defaultIni` is read when it exists. A value of the wrong type
// or out of range, or an "ini" file that cannot be read, is left out and named in problems.
ServerSettings readServerSettings(const nlohmann::json& initializationOptions, const std::string& defaultIni);

}  // namespace vestrel::lsp
