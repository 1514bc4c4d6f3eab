// The four translation settings in "Vestrel.ini": which key holds which setting, and the
// rules by which a stored value becomes a setting.
#include "settings/translation_settings.h"

#include <algorithm>
#include <array>

#include "translator/text/literal.h"

namespace vestrel::settings {
namespace {
using namespace text::literals;

constexpr std::string_view kTranslationSection = "Параметры трансляции"_cp;
constexpr std::string_view kTimeSection = "Параметры времени"_cp;

enum class Setting { Comment, ProgramText, Resolution, Period };

struct IniKey {
    Setting setting;
    std::string_view section;
    std::string_view key;
    int defaultValue;
};

// In the order the dialog handles them and a fresh file holds them.
constexpr std::array<IniKey, 4> kIniKeys = {{
    {Setting::Comment, kTranslationSection, "Добавлять комментарий"_cp, 1},
    {Setting::ProgramText, kTranslationSection, "Добавлять текст программы"_cp, 1},
    {Setting::Resolution, kTimeSection, "Разрешение"_cp, TranslationOptions::kTickDefault},
    {Setting::Period, kTimeSection, "Период пересчета"_cp, TranslationOptions::kPeriodDefault},
}};
static_assert(kIniKeys.size() == 4);

int storedValue(const TranslationOptions& options, Setting setting) {
    switch (setting) {
        case Setting::Comment: return options.AddComment ? 1 : 0;
        case Setting::ProgramText: return options.AddProgramText ? 1 : 0;
        case Setting::Resolution: return options.TickResolution;
        case Setting::Period: return options.RecalcPeriod;
    }
    return 0;
}

void applyStoredValue(TranslationOptions& options, Setting setting, int value) {
    switch (setting) {
        case Setting::Comment: options.AddComment = value == 1; break;
        case Setting::ProgramText: options.AddProgramText = value == 1; break;
        case Setting::Resolution:
            options.TickResolution = std::clamp(value, TranslationOptions::kTickMin, TranslationOptions::kTickMax);
            break;
        case Setting::Period:
            options.RecalcPeriod = std::clamp(value, TranslationOptions::kPeriodMin, TranslationOptions::kPeriodMax);
            break;
    }
}

}  // namespace

TranslationOptions readTranslationOptions(const IniStore& store) {
    TranslationOptions options;
    for (const IniKey& entry : kIniKeys)
        applyStoredValue(options, entry.setting, store.readInteger(entry.section, entry.key, entry.defaultValue));
    return options;
}

bool addMissingKeys(IniStore& store, const TranslationOptions& current) {
    bool added = false;
    for (const IniKey& entry : kIniKeys) {
        if (store.hasKey(entry.section, entry.key)) continue;
        store.writeInteger(entry.section, entry.key, storedValue(current, entry.setting));
        added = true;
    }
    return added;
}

void writeTranslationOptions(IniStore& store, const TranslationOptions& options) {
    for (const IniKey& entry : kIniKeys) store.writeInteger(entry.section, entry.key, storedValue(options, entry.setting));
}

TranslationOptions loadTranslationSettings(IniStore& store, std::string* error) {
    const TranslationOptions options = readTranslationOptions(store);
    addMissingKeys(store, options);
    store.flush(error);
    return options;
}

}  // namespace vestrel::settings
