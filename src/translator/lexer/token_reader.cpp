// Reading the tokens of pass 1 back in pass 2.
#include "translator/lexer/token_reader.h"

#include "translator/text/literal.h"

namespace vestrel {
using namespace text::literals;

namespace {
const TokenSequence kNoTokens;
}

TokenReader::TokenReader(TokenInput input, ReaderState& state, TokenReaderHost& host, TraceLog& trace,
                         bool addComment)
    : m_tokens(input.tokens ? input.tokens : &kNoTokens),
      m_refill(input.refill),
      m_state(state),
      m_host(host),
      m_trace(trace),
      m_addComment(addComment) {}

bool TokenReader::nextTokens() {
    if (!m_refill || m_ended) return false;
    // The refill reuses the texts the current source line points into.
    if (m_state.currentSourceLine.data() != m_keptSourceLine.data()) {
        m_keptSourceLine.assign(m_state.currentSourceLine);
        m_state.currentSourceLine = m_keptSourceLine;
    }
    m_state.currentTokenText = {};
    m_tokens = &m_refill->nextTokens();
    m_next = 0;
    if (m_tokens->empty()) m_ended = true;
    return !m_ended;
}

TokenCode TokenReader::readTokenSlowly() {
    for (;;) {
        if (m_next >= m_tokens->size() && !nextTokens()) {
            m_trace.endOfInput(token::EndOfInput);
            return token::EndOfInput;
        }
        const std::size_t index = m_next++;
        const Token& record = (*m_tokens)[index];
        const TokenCode code = record.code;
        const std::string_view text = m_tokens->text(record);

        // Only tokens read back from record text carry faults: what the reader of that
        // text has always met and shown.
        if (m_tokens->hasFaults()) {
            const unsigned faults = m_tokens->faultsOf(index);
            if (faults & CodeUnreadable) m_host.notice("Неверное число !!!"_cp);
            if (faults & TextMissing) {
                m_host.notice("Ошибка чтения файла !!!"_cp);
                m_next = m_tokens->size();
                m_ended = true;
                m_trace.endOfInput(token::EndOfInput);
                return token::EndOfInput;
            }
        }

        if (isLineOpener(code)) {
            ++m_state.sourceLineNumber;
            m_trace.record(code, text);
            m_state.currentSourceLine = text;
            m_state.WordCounter = 1;
            if (!isSectionHeader(code)) continue;
        } else if (isTextLine(code)) {
            ++m_state.sourceLineNumber;
            if (m_addComment) m_host.commentLine(text);
            ++m_state.LineCounter;
            m_host.advanceProgress();
            m_trace.record(code, text);
            m_state.WordCounter = 1;
            continue;
        } else {
            ++m_state.WordCounter;
        }
        m_state.currentTokenText = text;
        m_trace.record(code, text);
        return code;
    }
}

}  // namespace vestrel
