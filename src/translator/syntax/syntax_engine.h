// The pass-2 engine: walks the rows of the syntax graph over the token records with a
// stack of return rows, and lets the generator act on what it finds. It knows nothing
// of what the generator writes.
#pragma once

#include <optional>
#include <string_view>

#include "translator/diagnostics/sinks.h"
#include "translator/diagnostics/trace_log.h"
#include "translator/lexer/token_reader.h"
#include "translator/syntax/syntax_actions.h"

namespace vestrel {

class SyntaxEngine {
public:
    static constexpr int kStackCapacity = 1000;

    SyntaxEngine(SyntaxActions& actions, TraceLog& trace, ProgressSink& progress)
        : m_actions(actions), m_trace(trace), m_progress(progress) {}

    // Walks the tokens from row 1 to the end of the program. Nothing when the program
    // was accepted; otherwise the token at which the engine stopped, after the message
    // was reported and the generator told to abandon its output. `reader` follows the
    // tokens read; text lines reach the generator as comments when `addComment`.
    std::optional<TokenCode> walk(TokenInput tokens, ReaderState& reader, bool addComment);

private:
    SyntaxActions& m_actions;
    TraceLog& m_trace;
    ProgressSink& m_progress;
};

}  // namespace vestrel
