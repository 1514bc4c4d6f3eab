// Pass 1: lower-cases each source line, dispatches it to the macro scanner or the
// numbered-line scanner, writes the token file and reports every lexical error.
#pragma once

#include <string>
#include <vector>

#include "translator/lexer/token_file.h"
#include "translator/run/diagnostics.h"
#include "translator/run/sinks.h"

namespace vestrel {

// The pass-1 request.
struct TQLexicAnalys {
    TokenFile* File = nullptr;                         // the token file to fill
    const std::vector<std::string>* Source = nullptr;  // source lines, cp1251
    DiagnosticList* Messages = nullptr;
    bool* MessagePanel = nullptr;                      // errors-present indicator
    ProgressSink* Progress = nullptr;
};

class TLexicAnalys {
public:
    // Returns the number of token records written, or -1 without a token file or source.
    int Analyse(const TQLexicAnalys& request);
    int errorCount() const { return m_errorCount; }

private:
    int m_errorCount = 0;
};

}  // namespace vestrel
