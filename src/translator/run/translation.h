// The headless translation run: source lines and options in, seventeen IL texts and
// the diagnostics out. Both front ends call only this.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "translator/diagnostics/diagnostics.h"
#include "translator/generator/translation_options.h"
#include "translator/run/il_text.h"
#include "translator/run/sinks.h"

namespace vestrel {

// Slot 0 is the initialisation program, slot k (1..16) the program of block half k-1.
inline constexpr int kSlotCount = 17;

struct TranslationResult {
    int lexicalErrorCount = 0;
    int tokenCount = 0;                 // records written by pass 1, -1 when it could not start
    std::optional<int> syntaxStatus;    // empty: pass 2 did not run; 0 completed; -1 no token file;
                                        // otherwise the TokenCode at which pass 2 stopped
    std::array<IlText, kSlotCount> slotLines;  // cp1251 lines
    std::array<bool, kSlotCount> slotReceivedText{};
    DiagnosticList diagnostics;
    std::vector<std::string> notices;   // distinct texts of the message boxes of the run, in order
    std::vector<std::size_t> noticeCounts;  // how often each of them was raised

    std::string tokenFile;  // the token records, when asked for
    std::string trace;      // the pass-2 trace, when asked for

    // True when pass 2 completed and no message was reported: the output is shown.
    bool outputShown() const { return syntaxStatus == 0 && diagnostics.empty(); }
    // The slot's lines joined with line feeds.
    std::string slotText(int slot) const;
};

struct RunHooks {
    ProgressSink* progress = nullptr;  // nullptr: silent
    NoticeSink* notices = nullptr;     // notices are collected in the result either way
    bool keepTokenFile = false;
    bool keepTrace = false;
};

TranslationResult runTranslation(const std::vector<std::string>& sourceLines,
                                 const TranslationOptions& options, const RunHooks& hooks = {});

// Splits a cp1251 text into source lines: CR LF, a lone CR and a lone LF each end a
// line; a final line break opens no extra line; an empty text has no lines.
std::vector<std::string> splitSourceLines(std::string_view text);

}  // namespace vestrel
