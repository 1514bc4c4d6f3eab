// The source map of a run as the JSON document --source-map writes
// (docs/source-map.schema.json describes it).
#pragma once

#include <array>
#include <optional>
#include <string>

#include "translator/run/translation.h"

namespace vestrel::cli {

// For each slot that received text, in slot order: its file name and the Korvel line of
// each of its IL lines (null where none). No files when the run shows no output.
std::string sourceMapDocument(const std::string& source, const TranslationResult& result);
// The same where slots may have set lines aside: nothing, with the reason, when they
// cannot be read back.
std::optional<std::string> sourceMapDocument(const std::string& source, const TranslationResult& result, int& reason);

}  // namespace vestrel::cli
