// Runs pass 2 alone over hand-made token records, for tests that must not depend on pass 1.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "translator/lexer/token_file.h"
#include "translator/diagnostics/diagnostics.h"
#include "translator/run/translation.h"

namespace vestrel::testing {

struct Record {
    TokenCode code;
    std::string text;  // cp1251
};

struct Pass2Outcome {
    int status = 0;
    std::array<std::vector<std::string>, kSlotCount> slots;
    DiagnosticList diagnostics;
    std::vector<std::string> notices;
    std::string trace;
};

// With keepTrace off the engine runs as in an ordinary translation, without a trace.
Pass2Outcome runPass2(const std::vector<Record>& records, TranslationOptions options = {}, bool keepTrace = true);

// The rows the engine visited, in order, read from the trace (texts must hold no ",<digit>").
std::vector<int> visitedRows(const std::string& trace);

}  // namespace vestrel::testing
