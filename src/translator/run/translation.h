// The headless translation run: source lines and options in, seventeen IL texts and
// the diagnostics out. Both front ends call only this.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "translator/diagnostics/diagnostics.h"
#include "translator/generator/slots.h"
#include "translator/generator/translation_options.h"
#include "translator/text/il_text.h"
#include "translator/text/source_text.h"
#include "translator/diagnostics/sinks.h"

namespace vestrel {

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
    // False: the run keeps no IL text, only how many lines each slot received (a check
    // whose texts nobody reads needs no memory for them).
    bool keepSlotTexts = true;
    // Where the slots set their settled lines aside once they hold the policy's limit
    // (only a run that writes the texts to files and reads nothing else of them);
    // nullptr: every text is kept whole in memory.
    const IlSpillPolicy* spill = nullptr;
    // The storage the tokens of pass 1 may take before pass 2 has them made again as it
    // reads; nothing: the run's own limit (half the source and 4 MB).
    std::optional<std::size_t> tokenStorageLimit;
};

// The source is one buffer of cp1251 bytes; its lines end at CR LF, a lone CR or a lone
// LF (as splitSourceLines cuts them). The run keeps no copy of it.
TranslationResult runTranslation(std::string_view source, const TranslationOptions& options,
                                 const RunHooks& hooks = {});
// The same for lines given one by one (they may hold any bytes).
TranslationResult runTranslation(const std::vector<std::string>& sourceLines,
                                 const TranslationOptions& options, const RunHooks& hooks = {});
TranslationResult runTranslation(const SourceText& source, const TranslationOptions& options,
                                 const RunHooks& hooks = {});

// Splits a cp1251 text into source lines: CR LF, a lone CR and a lone LF each end a
// line; a final line break opens no extra line; an empty text has no lines.
std::vector<std::string> splitSourceLines(std::string_view text);

}  // namespace vestrel
