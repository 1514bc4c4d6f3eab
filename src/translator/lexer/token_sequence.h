// What pass 1 hands pass 2: the tokens as typed values (code, text, source line,
// column), their texts kept together in one buffer. The two-line record text of the
// token file ("%X" code line, text line) is made from them only for whoever asks for it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "translator/lexer/token_file.h"

namespace vestrel {

struct Token {
    TokenCode code = 0;
    std::uint32_t textBegin = 0;  // in the sequence's text buffer
    std::uint32_t textSize = 0;
    std::uint32_t line = 0;    // source line, from 1 (0 when read back from record text)
    std::uint32_t column = 0;  // where the token starts in its line, from 1 (0: unknown)
};

// What a reader of record text met before a record (only records read back from text).
enum ReadFault : std::uint8_t {
    CodeUnreadable = 1,  // the code line held no hexadecimal number of 16 bits
    TextMissing = 2,     // the code line was the last line: the input ends there
};

class TokenSequence {
public:
    // Empties the sequence and keeps its storage.
    void clear();
    void reserve(std::size_t tokens, std::size_t textBytes);

    // The line the following tokens are cut from. It is copied into the text buffer
    // when the first of them arrives, and texts inside it are kept as places in it. The
    // line must stay unchanged until the next call.
    void startLine(std::string_view line, std::uint32_t number) {
        m_line = line;
        m_lineNumber = number;
        m_lineStored = false;
    }
    // One token whose text lies `offset` bytes into the current line: the same as add(),
    // without finding out where the text lies in the usual case.
    void addFromLine(TokenCode code, std::string_view text, std::size_t offset, std::uint32_t column) {
        // The usual token: its line is stored already (so the storage was not dropped), no
        // record text is made, and there is room. Anything else goes the general way, which
        // also copes with a line no longer held (the storage dropped in the middle of it).
        if (m_lineStored && !m_records && m_tokens.size() < m_tokens.capacity() && code <= 0xFFFF) {
            m_tokens.push_back({code, m_lineBegin + static_cast<std::uint32_t>(offset),
                                static_cast<std::uint32_t>(text.size()), m_lineNumber, column});
            return;
        }
        add(code, text, column);
    }
    // One token; a text outside the current line, or inside a long one, is copied.
    void add(TokenCode code, std::string_view text, std::uint32_t column) {
        if (m_records) appendTokenRecord(*m_records, code, text);
        if (m_dropped) return;
        const auto at = reinterpret_cast<std::uintptr_t>(text.data());
        const auto lineAt = reinterpret_cast<std::uintptr_t>(m_line.data());
        const bool inShortLine = at >= lineAt && at + text.size() <= lineAt + m_line.size() && !m_line.empty() &&
                                 m_line.size() <= kLongLine;
        const std::size_t newText = inShortLine ? (m_lineStored ? 0 : m_line.size()) : text.size();
        if ((m_tokens.size() == m_tokens.capacity() || m_texts.size() + newText > m_texts.capacity()) &&
            !growthFits(newText)) {
            dropStorage();
            return;
        }
        std::uint32_t begin = 0;
        if (inShortLine) {
            if (!m_lineStored) storeLine();
            begin = m_lineBegin + static_cast<std::uint32_t>(at - lineAt);
        } else {
            begin = copyText(text);
        }
        if (code > 0xFFFF) m_needsRecordReading = true;
        m_tokens.push_back({code, begin, static_cast<std::uint32_t>(text.size()), m_lineNumber, column});
    }
    // A token read back from record text, with what the reader met before it.
    void addRead(TokenCode code, std::string_view text, unsigned faults);

    std::size_t size() const { return m_tokens.size(); }
    bool empty() const { return m_tokens.empty(); }
    const Token& operator[](std::size_t i) const { return m_tokens[i]; }
    std::string_view text(const Token& token) const {
        return std::string_view(m_texts.data() + token.textBegin, token.textSize);
    }
    // The read faults of token i (addRead only); 0 for every other token.
    unsigned faultsOf(std::size_t i) const;
    bool hasFaults() const { return !m_faults.empty(); }

    // True when a token could not travel through record text unchanged (a code beyond
    // 16 bits, a text holding a line feed): a reader must then read the record text, as
    // it always has, to see what that text says.
    bool needsRecordReading() const { return m_needsRecordReading; }

    // False when no text added from now on holds a line feed (the lines of a plain text
    // never do): the texts are then not searched for one.
    void setLineFeedsPossible(bool possible) { m_lineFeedsPossible = possible; }

    // The storage the sequence may take: a token that would take more drops the storage.
    void setStorageLimit(std::size_t bytes) { m_storageLimit = bytes; }
    // The storage the sequence holds, in bytes.
    std::size_t memoryBytes() const { return m_tokens.capacity() * sizeof(Token) + m_texts.capacity(); }
    // Gives the storage back and keeps no more tokens (the count goes on elsewhere).
    void dropStorage();
    bool dropped() const { return m_dropped; }

    // From now on each token added is also appended to `records` as its two-line record.
    void renderRecordsTo(std::string* records) { m_records = records; }

    // "%X" of the code, a line feed, the text, a line feed: the record as the token
    // file holds it.
    static void appendTokenRecord(std::string& records, TokenCode code, std::string_view text);

private:
    // A line longer than this is not kept whole: its tokens' texts are copied one by one,
    // so that tokens made a few at a time from it never copy it again.
    static constexpr std::size_t kLongLine = 4096;

    void storeLine();
    // Whether growing the storage for one more token and `textBytes` stays within the limit.
    bool growthFits(std::size_t textBytes) const;
    std::uint32_t copyText(std::string_view text);

    std::vector<Token> m_tokens;
    std::string m_texts;
    struct Fault {
        std::size_t token;
        unsigned faults;
    };
    std::vector<Fault> m_faults;  // in token order
    std::string_view m_line;
    std::uint32_t m_lineNumber = 0;
    std::uint32_t m_lineBegin = 0;
    bool m_lineStored = false;
    bool m_needsRecordReading = false;
    bool m_lineFeedsPossible = true;
    bool m_dropped = false;
    std::size_t m_storageLimit = SIZE_MAX;
    std::string* m_records = nullptr;
};

// The record text of all the tokens.
std::string renderTokenRecords(const TokenSequence& tokens);
// Reads record text as pass 2 has always read it: a code line ("%X", leading blanks
// allowed; four upper-case digits the usual case), then a text line, until the bytes end.
// A code line that cannot be read gives the code token::Unreadable.
TokenSequence readTokenRecords(std::string_view records);

}  // namespace vestrel
