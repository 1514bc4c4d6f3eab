// What every input of the translation fuzzers must satisfy, shared by the fuzz targets and
// by the test that replays their committed inputs: the run ends with a result, a run with
// lexical errors never reaches pass 2, and a traced run (row by row) ends exactly like an
// ordinary one (compiled walks), and every message renders as valid UTF-8 for the command
// line. Returns what went wrong, empty when nothing did.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "translator/run/translation.h"
#include "translator/text/cp1251.h"

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
    // The traced run also keeps the token records, as `--tokens --trace` asks.
    RunHooks traced;
    traced.keepTrace = true;
    traced.keepTokenFile = true;
    const auto rowByRow = runTranslation(splitSourceLines(listing), options, traced);
    if (rowByRow.syntaxStatus != result.syntaxStatus) return "the traced run ended with another syntax status";
    if (rowByRow.slotLines != result.slotLines) return "the traced run wrote other IL text";
    if (rowByRow.notices != result.notices) return "the traced run raised other notices";
    if (rowByRow.diagnostics.entries() != result.diagnostics.entries()) return "the traced run reported other messages";
    for (const Diagnostic& entry : result.diagnostics.entries())
        if (!text::isValidUtf8(text::toUtf8(entry.text()))) return "a message does not render as UTF-8";
    if (result.lexicalErrorCount == 0 && !splitSourceLines(listing).empty() && rowByRow.tokenFile.empty())
        return "a run without lexical errors kept no token records";
    return {};
}

}  // namespace vestrel::fuzz
