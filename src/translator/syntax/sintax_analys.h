// Pass 2: walks the syntax graph over the token records and lets the generator build
// the seventeen program slots.
#pragma once

#include "translator/generator/generator_state.h"
#include "translator/lexer/token_file.h"
#include "translator/diagnostics/diagnostics.h"
#include "translator/run/sinks.h"
#include "translator/run/trace_log.h"
#include "translator/run/translation.h"

namespace vestrel {

// The pass-2 request.
struct TQSintaxAnalys {
    SlotLists* Editors = nullptr;     // the seventeen output texts, in slot order
    TranslationOptions Options;
    int TokenCount = 0;
    const TokenFile* File = nullptr;  // the records of pass 1
    bool* DestPanel = nullptr;        // shown when a slot received text
    bool* MessagePanel = nullptr;     // shown when a message was reported
    DiagnosticList* Messages = nullptr;
};

class TSintaxAnalys final : public GeneratorState, private TokenReaderHost {
public:
    static constexpr int kStackCapacity = 1000;

    TSintaxAnalys(ProgressSink& progressSink, NoticeSink& noticeSink, TraceLog& traceLog)
        : GeneratorState(progressSink, noticeSink, traceLog) {}

    // 0 accepted, -1 no token file, otherwise the TokenCode at the syntax error.
    int Analyse(const TQSintaxAnalys& request);

private:
    void commentLine(std::string_view text) override;
    void advanceProgress() override;
    void notice(std::string_view textCp1251) override;

    void writeInitialisationHead();
    void finishInitialisation();
};

}  // namespace vestrel
