// ReadToken: hands the syntax engine the tokens of pass 1 one by one, hiding the line
// structure, and keeps the line and word counters that syntax messages cite.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "translator/diagnostics/trace_log.h"
#include "translator/lexer/token_sequence.h"

namespace vestrel {

// The reader's state that pass 2 and its messages use.
struct ReaderState {
    // Views into the token texts, which outlive every use of them during the pass.
    std::string_view currentSourceLine;  // text of the last line opener
    std::string_view currentTokenText;   // text of the last record returned
    int LineCounter = 0;
    int WordCounter = 1;
    // The source line (from 1) of the last line-start record: every source line of a
    // listing that pass 1 accepted begins with exactly one (text line, section header,
    // statement or parameter line opener).
    std::uint32_t sourceLineNumber = 0;
};

// What the reader needs of pass 2 around it.
class TokenReaderHost {
public:
    virtual ~TokenReaderHost() = default;
    // A text line was read while comments are on: "(* " + text + " *)" goes to the current slot.
    virtual void commentLine(std::string_view text) = 0;
    virtual void advanceProgress() = 0;
    virtual void notice(std::string_view textCp1251) = 0;
};

// Where the tokens come from when pass 1 could not keep them all (a huge input): pass
// 1 is run again, a few lines at a time, as pass 2 reads on.
class TokenRefill {
public:
    virtual ~TokenRefill() = default;
    // The next tokens; empty at the end of the program.
    virtual const TokenSequence& nextTokens() = 0;
};

// The tokens pass 2 reads: all of them, or those a refill gives as it goes.
struct TokenInput {
    const TokenSequence* tokens = nullptr;
    TokenRefill* refill = nullptr;  // nullptr: `tokens` holds all of them
};

class TokenReader {
public:
    TokenReader(TokenInput input, ReaderState& state, TokenReaderHost& host, TraceLog& trace, bool addComment);

    // The next record the syntax engine must see: section headers, tokens and end of input.
    TokenCode ReadToken() {
        // The usual record, a word of the line, is handed on here; line openers, text
        // lines, the end of the tokens, read faults and the trace take the long way.
        if (m_next < m_tokens->size() && !m_tokens->hasFaults() && !m_trace.enabled()) {
            const Token& record = (*m_tokens)[m_next];
            if (!isLineOpener(record.code) && !isTextLine(record.code)) {
                ++m_next;
                ++m_state.WordCounter;
                m_state.currentTokenText = m_tokens->text(record);
                return record.code;
            }
        }
        return readTokenSlowly();
    }

private:
    TokenCode readTokenSlowly();
    // Asks the refill for more tokens; false at the end of the program.
    bool nextTokens();

    const TokenSequence* m_tokens;
    TokenRefill* m_refill;
    std::size_t m_next = 0;
    bool m_ended = false;
    std::string m_keptSourceLine;  // the current source line while the tokens are refilled
    ReaderState& m_state;
    TokenReaderHost& m_host;
    TraceLog& m_trace;
    bool m_addComment;
};

}  // namespace vestrel
