// Any bytes as "Vestrel.ini": reading, adding the missing keys and rewriting never fail,
// and the settings read are always inside their ranges.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "settings/ini_store.h"
#include "settings/translation_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    vestrel::settings::IniStore store("/nonexistent/Vestrel.ini", text);
    const vestrel::TranslationOptions options = vestrel::settings::readTranslationOptions(store);
    if (options.TickResolution < 55 || options.TickResolution > 100) __builtin_trap();
    if (options.RecalcPeriod < 1 || options.RecalcPeriod > 100) __builtin_trap();
    vestrel::settings::addMissingKeys(store, options);
    vestrel::settings::writeTranslationOptions(store, options);
    const vestrel::settings::IniStore reread("/nonexistent/Vestrel.ini", store.contents());
    const vestrel::TranslationOptions again = vestrel::settings::readTranslationOptions(reread);
    if (again.TickResolution != options.TickResolution || again.RecalcPeriod != options.RecalcPeriod ||
        again.AddComment != options.AddComment || again.AddProgramText != options.AddProgramText)
        __builtin_trap();
    return 0;
}
