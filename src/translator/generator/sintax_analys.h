// Pass 2: the syntax engine walks the token records and this analyser's generator builds
// the seventeen program slots from what the engine finds.
#pragma once

#include "translator/diagnostics/diagnostics.h"
#include "translator/diagnostics/sinks.h"
#include "translator/diagnostics/trace_log.h"
#include "translator/generator/generator_state.h"
#include "translator/generator/translation_options.h"
#include "translator/lexer/token_reader.h"
#include "translator/syntax/syntax_actions.h"

namespace vestrel {

// The pass-2 request.
struct TQSintaxAnalys {
    SlotLists* Editors = nullptr;     // the seventeen output texts, in slot order
    TranslationOptions Options;
    int TokenCount = 0;
    const TokenSequence* Tokens = nullptr;  // the tokens of pass 1
    TokenRefill* Refill = nullptr;          // where the tokens come from when pass 1 kept none
    DiagnosticList* Messages = nullptr;
    bool KeepTexts = true;            // false: the slots only count their lines
    const IlSpillPolicy* Spill = nullptr;  // where the slots set settled lines aside; nullptr: never
};

class TSintaxAnalys final : private SyntaxActions {
public:
    TSintaxAnalys(ProgressSink& progressSink, NoticeSink& noticeSink, TraceLog& traceLog)
        : m_generator(progressSink, noticeSink, traceLog) {}

    // 0 accepted, -1 no tokens, otherwise the TokenCode at the syntax error.
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
