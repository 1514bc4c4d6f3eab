// Pass 2: the syntax engine walks the token records and this analyser's generator builds
// the seventeen program slots from what the engine finds.
#pragma once

#include "translator/diagnostics/diagnostics.h"
#include "translator/diagnostics/sinks.h"
#include "translator/diagnostics/trace_log.h"
#include "translator/generator/generator_state.h"
#include "translator/generator/translation_options.h"
#include "translator/lexer/token_file.h"
#include "translator/syntax/syntax_actions.h"

namespace vestrel {

// The pass-2 request.
struct TQSintaxAnalys {
    SlotLists* Editors = nullptr;     // the seventeen output texts, in slot order
    TranslationOptions Options;
    int TokenCount = 0;
    const TokenFile* File = nullptr;  // the records of pass 1
    DiagnosticList* Messages = nullptr;
};

class TSintaxAnalys final : private SyntaxActions {
public:
    TSintaxAnalys(ProgressSink& progressSink, NoticeSink& noticeSink, TraceLog& traceLog)
        : m_generator(progressSink, noticeSink, traceLog) {}

    // 0 accepted, -1 no token file, otherwise the TokenCode at the syntax error.
    int Analyse(const TQSintaxAnalys& request);

private:
    void act(SyntaxAction action, TokenCode token) override;
    void report(SyntaxMessage message) override;
    void abandon() override;
    void commentLine(std::string_view text) override;
    void advanceProgress() override;
    void notice(std::string_view textCp1251) override;

    GeneratorState m_generator;
};

}  // namespace vestrel
