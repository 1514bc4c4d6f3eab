// Pass 1: lower-cases each source line, dispatches it to the macro scanner or the
// numbered-line scanner, hands the tokens on and reports every lexical error.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "translator/lexer/macros_table.h"
#include "translator/lexer/numbering.h"
#include "translator/lexer/token_reader.h"
#include "translator/lexer/token_sequence.h"
#include "translator/text/source_text.h"
#include "translator/diagnostics/diagnostics.h"
#include "translator/diagnostics/sinks.h"

namespace vestrel {

// The pass-1 request.
struct TQLexicAnalys {
    TokenSequence* Tokens = nullptr;   // the tokens, in source order
    const SourceText* Source = nullptr;  // cp1251
    DiagnosticList* Messages = nullptr;
    ProgressSink* Progress = nullptr;
    // The storage the tokens may take; past it they are dropped (and counted on), and
    // pass 2 has pass 1 run again as it reads (TokenRescan).
    std::size_t TokenStorageLimit = SIZE_MAX;
};

class TLexicAnalys {
public:
    // Returns the number of token records written, or -1 without tokens or source.
    int Analyse(const TQLexicAnalys& request);
    int errorCount() const { return m_errorCount; }

    // Pass 1 in steps: begin, then lines until the end. analyseLines scans lines until
    // at least `tokens` tokens have been added or the source ends; false at the end.
    void begin(const SourceText& source, TokenSequence& tokens, DiagnosticList* messages);
    bool analyseLines(std::size_t tokens, ProgressSink* progress = nullptr);

private:
    // One lower-cased line: a text line, a macro definition or a numbered line.
    void AnalyseLine(std::string_view line);
    // A D200 record holding the whole line; not a token.
    void WriteTextLine(std::string_view line);
    // None does nothing; otherwise one message citing the current line and column.
    void ReportLexicalError(LexicalMessage message);
    // Cuts a line that begins with a digit into records; returns the message that ends it.
    LexicalMessage ScanNumberedLine(std::string_view line);

    // The items of a numbered line. Each starts at `start` (0-based), leaves the position
    // after the item in `next` (the end of the line when the item takes the rest of it)
    // and returns the message that rejects the item, None when it is accepted.
    LexicalMessage scanWord(std::string_view line, std::size_t start, std::size_t& next);
    LexicalMessage scanDigits(std::string_view line, std::size_t start, std::size_t& next);
    LexicalMessage scanSectionHeader(std::string_view line, std::size_t start, std::size_t& next);
    LexicalMessage scanLineNumber(std::string_view line, std::string_view digitRun);
    LexicalMessage scanParameterNumber(std::string_view line, std::string_view digitRun);
    LexicalMessage scanConstant(std::string_view line, std::size_t start, std::size_t& next);

    // A token whose text is part of the current line (m_line).
    void writeToken(TokenCode code, std::string_view text);
    void setColumnAt(std::size_t position) { m_column = static_cast<int>(position) + 1; }

    TMacrosTable m_macros;
    NumberingState m_numbering;
    bool m_ifWordSeen = false;         // a class 9 word ("если", "тогда", "или", "иначе")
    bool m_operationWordSeen = false;  // a class A word ("в", "о", "б", "вск", "вкл", "откл")
    int m_tokenCount = 0;
    int m_errorCount = 0;
    int m_column = 1;
    int m_lineIndex = 0;
    std::string m_line;  // the current line, lower-cased; reused from line to line
    std::optional<SourceText::Cursor> m_cursor;
    std::size_t m_pauseAt = SIZE_MAX;          // a numbered line pauses once this many tokens are made
    std::optional<std::size_t> m_resumeAt;     // where the paused line goes on
    TokenSequence* m_tokens = nullptr;
    DiagnosticList* m_messages = nullptr;
};

// Pass 1 run again over a source it accepted, a few lines at a time, for a pass 2 whose
// tokens were too many to keep: it gives the same tokens in the same order.
class TokenRescan final : public TokenRefill {
public:
    explicit TokenRescan(const SourceText& source);
    const TokenSequence& nextTokens() override;

private:
    TLexicAnalys m_analyser;
    TokenSequence m_tokens;
    bool m_ended = false;
};

}  // namespace vestrel
