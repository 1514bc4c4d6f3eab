// Settings from the ini file and the client's options.
#include "lsp/server_settings.h"

#include "settings/ini_store.h"
#include "settings/translation_settings.h"

namespace vestrel::lsp {
namespace {

using Json = nlohmann::json;

// The integer under `key` when it is one within [low, high]; a problem otherwise.
std::optional<int> integerOption(const Json& options, const char* key, int low, int high,
                                 std::vector<std::string>& problems) {
    const auto found = options.find(key);
    if (found == options.end()) return std::nullopt;
    if (found->is_number_integer()) {
        const auto value = found->get<long long>();
        if (value >= low && value <= high) return static_cast<int>(value);
    }
    problems.push_back(std::string("initializationOptions.") + key + " must be a whole number from " +
                       std::to_string(low) + " to " + std::to_string(high) + "; ignored");
    return std::nullopt;
}

std::optional<bool> booleanOption(const Json& options, const char* key, std::vector<std::string>& problems) {
    const auto found = options.find(key);
    if (found == options.end()) return std::nullopt;
    if (found->is_boolean()) return found->get<bool>();
    problems.push_back(std::string("initializationOptions.") + key + " must be true or false; ignored");
    return std::nullopt;
}

}  // namespace

ServerSettings readServerSettings(const Json& initializationOptions, const std::string& defaultIni) {
    ServerSettings result;
    static const Json kNoOptions = Json::object();
    const Json& options = initializationOptions.is_object() ? initializationOptions : kNoOptions;
    if (!initializationOptions.is_null() && !initializationOptions.is_object())
        result.problems.push_back("initializationOptions must be an object; ignored");

    result.iniPath = defaultIni;
    if (const auto ini = options.find("ini"); ini != options.end()) {
        if (ini->is_string())
            result.iniPath = ini->get<std::string>();
        else
            result.problems.push_back("initializationOptions.ini must be a file name; ignored");
    }
    const settings::IniStore store(result.iniPath);
    if (result.iniPath != defaultIni && !store.exists())
        result.problems.push_back("cannot read the ini file " + result.iniPath + "; the built-in defaults apply");
    result.options = settings::readTranslationOptions(store);

    TranslationOptions& o = result.options;
    if (const auto v = booleanOption(options, "addComment", result.problems)) o.AddComment = *v;
    if (const auto v = booleanOption(options, "addProgramText", result.problems)) o.AddProgramText = *v;
    if (const auto v = integerOption(options, "tickResolution", TranslationOptions::kTickMin,
                                     TranslationOptions::kTickMax, result.problems))
        o.TickResolution = *v;
    if (const auto v = integerOption(options, "recalcPeriod", TranslationOptions::kPeriodMin,
                                     TranslationOptions::kPeriodMax, result.problems))
        o.RecalcPeriod = *v;
    if (const auto v = integerOption(options, "debounceMs", 0, ServerSettings::kDebounceMaxMs, result.problems))
        result.debounce = std::chrono::milliseconds(*v);
    return result;
}

}  // namespace vestrel::lsp
