// The token file: the only channel between pass 1 and pass 2. A record is two lines,
// the code as "%X" and the text (or a constant's "%f" value), each ended by one line
// feed. The records live in memory; their bytes are exactly those of the file.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "translator/diagnostics/sinks.h"
#include "translator/diagnostics/trace_log.h"
#include "translator/lexer/token_vocabulary.h"

namespace vestrel {

// "%f" of a value (six decimals, a point), independent of the process locale.
std::string formatFixed6(double value);

class TokenFile {
public:
    void writeRecord(TokenCode code, std::string_view text) {
        // Pass 1 writes one record per token, nearly all with a four-digit code and a
        // short text: those go straight into the buffer.
        const std::size_t recordSize = text.size() + 6;
        if (code >= 0x1000 && code <= 0xFFFF && m_pendingSize + recordSize <= kPendingCapacity) {
            constexpr char kHexDigits[] = "0123456789ABCDEF";
            char* out = m_pending.data() + m_pendingSize;
            out[0] = kHexDigits[code >> 12];
            out[1] = kHexDigits[(code >> 8) & 0xF];
            out[2] = kHexDigits[(code >> 4) & 0xF];
            out[3] = kHexDigits[code & 0xF];
            out[4] = '\n';
            copyText(out + 5, text);
            out[recordSize - 1] = '\n';
            m_pendingSize += recordSize;
        } else {
            writeRecordSlowly(code, text);
        }
    }
    void writeConstant(double value);
    // Empties the records, as creating the file anew does; the storage is kept.
    void clear() {
        m_bytes.clear();
        m_pendingSize = 0;
    }
    void reserve(std::size_t bytes) { m_bytes.reserve(bytes); }

    const std::string& bytes() const {
        flush();
        return m_bytes;
    }
    std::string release() {
        flush();
        return std::move(m_bytes);
    }

private:
    // Records are put together in a small buffer and moved into the bytes a block at a
    // time: pass 1 writes one record per token, most of them a few bytes long.
    static constexpr std::size_t kPendingCapacity = 8192;
    void flush() const;
    void writeRecordSlowly(TokenCode code, std::string_view text);

    // Copies a short text without a library call; longer texts go to memcpy.
    static void copyText(char* target, std::string_view text) {
        const std::size_t size = text.size();
        const char* source = text.data();
        if (size >= 8 && size <= 16) {
            std::memcpy(target, source, 8);
            std::memcpy(target + size - 8, source + size - 8, 8);
        } else if (size >= 4 && size < 8) {
            std::memcpy(target, source, 4);
            std::memcpy(target + size - 4, source + size - 4, 4);
        } else if (size < 4) {
            for (std::size_t i = 0; i < size; ++i) target[i] = source[i];
        } else {
            std::memcpy(target, source, size);
        }
    }

    mutable std::string m_bytes;
    mutable std::size_t m_pendingSize = 0;
    mutable std::array<char, kPendingCapacity> m_pending;
};

// Sequential line reading of the record bytes, as a text file is read line by line.
class TokenFileLines {
public:
    explicit TokenFileLines(std::string_view bytes) : m_bytes(bytes) {}
    // A code line as pass 1 writes it, four upper-case hexadecimal digits: its value,
    // the line taken. Anything else: nothing, the line left for next().
    std::optional<TokenCode> nextFourDigitCode() {
        if (m_bytes.size() - m_position < 5 || m_position > m_bytes.size()) return std::nullopt;
        const char* const line = m_bytes.data() + m_position;
        if (line[4] != '\n') return std::nullopt;
        TokenCode code = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t digit = kHexValues[static_cast<unsigned char>(line[i])];
            if (digit > 15) return std::nullopt;
            code = code << 4 | digit;
        }
        m_position += 5;
        return code;
    }
    // The next line without its line feed; nothing at the end of the bytes.
    std::optional<std::string_view> next() {
        if (m_position >= m_bytes.size()) return std::nullopt;
        const char* const begin = m_bytes.data() + m_position;
        const std::size_t rest = m_bytes.size() - m_position;
        const std::size_t length = lineLength(begin, rest);
        m_position += length < rest ? length + 1 : rest;
        return std::string_view(begin, length);
    }

private:
    // The value of each upper-case hexadecimal digit; 255 for every other byte.
    static constexpr auto kHexValues = [] {
        std::array<std::uint8_t, 256> values{};
        for (auto& v : values) v = 255;
        for (int d = 0; d < 10; ++d) values[static_cast<std::size_t>('0' + d)] = static_cast<std::uint8_t>(d);
        for (int d = 0; d < 6; ++d) values[static_cast<std::size_t>('A' + d)] = static_cast<std::uint8_t>(10 + d);
        return values;
    }();

    // Bytes up to the first line feed (all of them without one). Lines are mostly a few
    // bytes long, so eight are tested at a time in a register rather than by a call.
    static std::size_t lineLength(const char* begin, std::size_t size) {
        static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");
        constexpr std::uint64_t kFeeds = 0x0A0A0A0A0A0A0A0AULL, kOnes = 0x0101010101010101ULL,
                                kHighs = 0x8080808080808080ULL;
        std::size_t i = 0;
        for (; i + 8 <= size; i += 8) {
            std::uint64_t word;
            std::memcpy(&word, begin + i, 8);
            const std::uint64_t x = word ^ kFeeds;
            // The lowest set high bit marks the first byte equal to a line feed.
            if (const std::uint64_t found = (x - kOnes) & ~x & kHighs; found != 0)
                return i + static_cast<std::size_t>(std::countr_zero(found)) / 8;
        }
        while (i < size && begin[i] != '\n') ++i;
        return i;
    }

    std::string_view m_bytes;
    std::size_t m_position = 0;
};

// The reader's state that pass 2 and its messages use.
struct ReaderState {
    // Views into the token records, which outlive every use of them during the pass.
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

class TokenReader {
public:
    TokenReader(std::string_view bytes, ReaderState& state, TokenReaderHost& host, TraceLog& trace,
                bool addComment)
        : m_lines(bytes), m_state(state), m_host(host), m_trace(trace), m_addComment(addComment) {}

    // The next record the syntax engine must see: section headers, tokens and end of input.
    TokenCode ReadToken();

private:
    TokenFileLines m_lines;
    ReaderState& m_state;
    TokenReaderHost& m_host;
    TraceLog& m_trace;
    bool m_addComment;
};

}  // namespace vestrel
