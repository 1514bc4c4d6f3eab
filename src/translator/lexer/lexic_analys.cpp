// Pass 1 driver: line dispatch, text records and message reporting.
#include "translator/lexer/lexic_analys.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "translator/text/cp1251.h"
#include "translator/text/literal.h"

namespace vestrel {
using namespace text::literals;

namespace {

// The code page's case mapping as one table, so a line is lower-cased in one tight loop.
const std::array<unsigned char, 256> kLowerCase = [] {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[static_cast<std::size_t>(i)] = static_cast<unsigned char>(text::toLower(static_cast<char>(i)));
    return table;
}();

void lowerCaseInto(std::string& target, std::string_view line) {
    const std::size_t size = line.size();
    target.resize(size);
    const char* in = line.data();
    char* out = target.data();
    // Eight bytes at a time while they hold only A-Z, Cyrillic capitals (0xC0..0xDF) and
    // bytes that stay as they are: each capital gains 0x20 (its bit 5 is clear). Any
    // byte of 0x80..0xBF, where the other capitals of the code page live, leaves the
    // rest of the line to the table.
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    // Lower-cases the eight bytes at `at`; false, and nothing written, when one of them is
    // of 0x80..0xBF (high bit set and bit 6 clear).
    const auto lowerWord = [in, out](std::size_t at) {
        std::uint64_t word;
        std::memcpy(&word, in + at, 8);
        const std::uint64_t upperHalf = word & kHigh;
        if ((upperHalf & ~(word << 1)) != 0) return false;
        // Below 0x80: A-Z is 0x41..0x5A. At or above 0xC0: 0xC0..0xDF has bit 5 clear.
        const std::uint64_t low7 = word & ~kHigh;
        const std::uint64_t atLeastA = (low7 + (0x80 - 'A') * kOnes) & kHigh;
        const std::uint64_t aboveZ = (low7 + (0x80 - 'Z' - 1) * kOnes) & kHigh;
        const std::uint64_t latinCapital = atLeastA & ~aboveZ & ~upperHalf;
        const std::uint64_t cyrillicCapital = upperHalf & ~(word << 2);
        word |= (latinCapital | cyrillicCapital) >> 2;
        std::memcpy(out + at, &word, 8);
        return true;
    };
    std::size_t i = 0;
    while (i + 8 <= size && lowerWord(i)) i += 8;
    // The last few bytes of a line of eight or more are the last eight bytes, some of
    // them lowered again (each byte is read from the line, so that gives the same bytes).
    if (i < size && i + 8 > size && size >= 8 && lowerWord(size - 8)) return;
    for (; i < size; ++i) out[i] = static_cast<char>(kLowerCase[static_cast<unsigned char>(in[i])]);
}

}  // namespace

int TLexicAnalys::Analyse(const TQLexicAnalys& request) {
    if (!request.Tokens || !request.Source) return -1;
    const SourceText& source = *request.Source;

    TokenSequence& tokens = *request.Tokens;
    tokens.clear();
    tokens.setStorageLimit(request.TokenStorageLimit);
    // A statement line gives a handful of tokens; room for the usual share is taken up
    // front (room not written to costs no memory).
    const std::size_t bytes = source.bytes().size();
    const std::size_t limit = request.TokenStorageLimit;
    tokens.reserve(std::min(bytes / 4 + 64, limit / 2 / sizeof(Token)), std::min(bytes + bytes / 4 + 64, limit / 2));

    begin(source, tokens, request.Messages);
    if (m_messages) m_messages->Clear();

    ProgressSink* const progress = request.Progress;
    if (progress) {
        progress->setMaximum(static_cast<int>(source.lineCount()));
        progress->setCaption("Лексический анализ"_cp);
    }
    while (analyseLines(SIZE_MAX, progress)) {
    }

    m_tokens = nullptr;
    m_messages = nullptr;
    m_cursor.reset();
    std::string().swap(m_line);  // a long line's copy is not kept through pass 2
    return m_tokenCount;
}

void TLexicAnalys::begin(const SourceText& source, TokenSequence& tokens, DiagnosticList* messages) {
    m_tokens = &tokens;
    m_tokens->setLineFeedsPossible(source.linesHoldLineFeeds());
    m_messages = messages;
    m_cursor.emplace(source);
    m_tokenCount = 0;
    m_errorCount = 0;
    m_numbering = NumberingState{};
    m_ifWordSeen = false;
    m_operationWordSeen = false;
    m_macros.clear();
}

bool TLexicAnalys::analyseLines(std::size_t tokens, ProgressSink* progress) {
    const std::size_t target = m_tokens->size() + std::min(tokens, SIZE_MAX - m_tokens->size());
    // A line whose tokens outnumber the target pauses after them (only when tokens are
    // made a few at a time: a pass that reports messages never pauses).
    m_pauseAt = tokens == SIZE_MAX ? SIZE_MAX : target;
    if (m_resumeAt) {
        m_tokens->startLine(m_line, static_cast<std::uint32_t>(m_lineIndex + 1));
        ReportLexicalError(ScanNumberedLine(m_line));
    }
    std::string_view line;
    while (m_tokens->size() < target) {
        const std::size_t index = m_cursor->index();
        if (!m_cursor->next(line)) return false;
        m_lineIndex = static_cast<int>(index);
        m_column = 1;
        lowerCaseInto(m_line, line);
        m_tokens->startLine(m_line, static_cast<std::uint32_t>(index + 1));
        AnalyseLine(m_line);
        if (progress) progress->setPosition(static_cast<int>(index));
    }
    return true;
}

TokenRescan::TokenRescan(const SourceText& source) { m_analyser.begin(source, m_tokens, nullptr); }

const TokenSequence& TokenRescan::nextTokens() {
    // Enough tokens at a time that a refill costs little, few enough to stay in the cache.
    constexpr std::size_t kTokensAtATime = 4096;
    m_tokens.clear();
    if (!m_ended && !m_analyser.analyseLines(kTokensAtATime)) m_ended = true;
    return m_tokens;
}

void TLexicAnalys::AnalyseLine(std::string_view line) {
    if (line.empty() || (line[0] != '/' && !text::isDigit(line[0]))) {
        WriteTextLine(line);
        return;
    }
    if (line[0] == '/') {
        const LexicalMessage message = m_macros.ScanMacroLine(line, m_column);
        if (message == LexicalMessage::None) WriteTextLine(line);  // the syntax pass reads a definition as a comment
        ReportLexicalError(message);
        return;
    }
    m_numbering.lineNumberExpected = true;
    if (m_numbering.parametersRemaining > 0) m_numbering.parameterNumberExpected = true;
    ReportLexicalError(ScanNumberedLine(line));
}

void TLexicAnalys::WriteTextLine(std::string_view line) { m_tokens->addFromLine(token::TextLine, line, 0, 1); }

void TLexicAnalys::ReportLexicalError(LexicalMessage message) {
    if (message == LexicalMessage::None) return;
    if (m_messages) m_messages->AddLexicalError(m_lineIndex + 1, m_column, message);
    ++m_errorCount;
}

}  // namespace vestrel
