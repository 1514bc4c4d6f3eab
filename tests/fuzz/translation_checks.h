// What every input of the translation fuzzers must satisfy, shared by the fuzz targets and
// by the test that replays their committed inputs: the run ends with a result, a run with
// lexical errors never reaches pass 2, and a traced run (row by row) ends exactly like an
// ordinary one (compiled walks). Returns what went wrong, empty when nothing did.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "translator/run/translation.h"

namespace vestrel::fuzz {

// The first byte picks the options, so every combination is explored.
inline TranslationOptions optionsFromByte(std::uint8_t byte) {
    TranslationOptions options;
    options.AddComment = (byte & 1) != 0;
    options.AddProgramText = (byte & 2) != 0;
    options.TickResolution = 55 + (byte >> 2) % 46;
    options.RecalcPeriod = 1 + (byte >> 4) * 6;
    return options;
}

inline std::string checkTranslation(std::string_view listing, const TranslationOptions& options) {
    const auto result = runTranslation(splitSourceLines(listing), options);
    if (result.lexicalErrorCount > 0 && result.syntaxStatus.has_value()) return "pass 2 ran after lexical errors";
    RunHooks traced;
    traced.keepTrace = true;
    const auto rowByRow = runTranslation(splitSourceLines(listing), options, traced);
    if (rowByRow.syntaxStatus != result.syntaxStatus) return "the traced run ended with another syntax status";
    if (rowByRow.slotLines != result.slotLines) return "the traced run wrote other IL text";
    if (rowByRow.notices != result.notices) return "the traced run raised other notices";
    if (rowByRow.diagnostics.size() != result.diagnostics.size()) return "the traced run reported other messages";
    for (std::size_t i = 0; i < result.diagnostics.size(); ++i)
        if (rowByRow.diagnostics[i].text != result.diagnostics[i].text) return "the traced run reported other messages";
    return {};
}

}  // namespace vestrel::fuzz
