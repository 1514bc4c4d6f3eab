// The four translation settings as "Vestrel.ini" keeps them.
#pragma once

#include <string>

#include "settings/ini_store.h"
#include "translator/run/translation.h"

namespace vestrel::settings {

// Reads the options with the dialog's rules: a check box is on exactly when its value
// is 1, a missing or non-numeric value reads as its default, numbers are pulled into range.
TranslationOptions readTranslationOptions(const IniStore& store);

// Adds the keys that are missing, with the values of `current` (the dialog's load).
// Returns true when anything was added.
bool addMissingKeys(IniStore& store, const TranslationOptions& current);

// Writes all four keys (the dialog's OK).
void writeTranslationOptions(IniStore& store, const TranslationOptions& options);

// The dialog's load at start-up: reads the options, adds the missing keys and flushes the
// file (which creates it when it was missing). A failed flush leaves its message in error
// ("Unable to write to <path>"); the options read are returned either way.
TranslationOptions loadTranslationSettings(IniStore& store, std::string* error = nullptr);

}  // namespace vestrel::settings
