// Cutting a program's buffer into lines as they are read.
#include "translator/text/source_text.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace vestrel {

std::size_t lineLengthAt(const char* begin, std::size_t size) {
    // Most lines are a few dozen bytes long: eight bytes are tested at a time for a CR or
    // an LF in a register rather than one by one.
    static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL, kHighs = 0x8080808080808080ULL;
    constexpr std::uint64_t kFeeds = 0x0A0A0A0A0A0A0A0AULL, kReturns = 0x0D0D0D0D0D0D0D0DULL;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, begin + i, 8);
        const std::uint64_t feeds = word ^ kFeeds, returns = word ^ kReturns;
        // The lowest set high bit marks the first byte equal to a break (higher bits may
        // be false alarms after it, never before it).
        const std::uint64_t found = (((feeds - kOnes) & ~feeds) | ((returns - kOnes) & ~returns)) & kHighs;
        if (found != 0) return i + static_cast<std::size_t>(std::countr_zero(found)) / 8;
    }
    while (i < size && begin[i] != '\n' && begin[i] != '\r') ++i;
    return i;
}

namespace {

// The number of line breaks: every LF, and every CR not followed by an LF.
std::size_t countLineBreaks(std::string_view bytes) {
    // Eight bytes at a time: a byte equal to LF (or CR) is one whose xor with LF (or CR)
    // is zero, found without a false alarm by the carry-free test below.
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    constexpr std::uint64_t kFeeds = 0x0A0A0A0A0A0A0A0AULL, kReturns = 0x0D0D0D0D0D0D0D0DULL;
    const auto zeroBytes = [](std::uint64_t x) { return ~(((x & kLow7) + kLow7) | x | kLow7); };
    // The number of bytes whose top bit is set, without a population-count instruction:
    // the marks moved to the low bits and summed by one multiplication into the top byte.
    const auto markedBytes = [](std::uint64_t marks) {
        return static_cast<std::size_t>(((marks >> 7) * 0x0101010101010101ULL) >> 56);
    };
    const char* const data = bytes.data();
    const std::size_t size = bytes.size();
    std::size_t breaks = 0;
    std::size_t i = 0;
    bool returnBefore = false;  // the byte before this word was a CR
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + i, 8);
        const std::uint64_t feeds = zeroBytes(word ^ kFeeds), returns = zeroBytes(word ^ kReturns);
        // A CR followed by an LF is one break: the LF's mark is one byte above the CR's.
        const std::uint64_t pairs = feeds & ((returns << 8) | (returnBefore ? 0x80ULL : 0));
        breaks += markedBytes(feeds) + markedBytes(returns) - markedBytes(pairs);
        returnBefore = (returns >> 63) != 0;
    }
    for (; i < size; ++i) {
        if (data[i] == '\n') {
            if (!returnBefore) ++breaks;
            returnBefore = false;
        } else if (data[i] == '\r') {
            ++breaks;
            returnBefore = true;
        } else {
            returnBefore = false;
        }
    }
    return breaks;
}

}  // namespace

SourceText::SourceText(std::string_view bytes) : m_bytes(bytes) {}

std::size_t SourceText::lineCount() const {
    if (!m_lineCount) {
        // A last line without a break is a line too.
        const bool lastLineOpen = !m_bytes.empty() && m_bytes.back() != '\n' && m_bytes.back() != '\r';
        m_lineCount = countLineBreaks(m_bytes) + (lastLineOpen ? 1 : 0);
    }
    return *m_lineCount;
}

SourceText::SourceText(const std::vector<std::string>& lines) : m_givenLines(true), m_lineCount(lines.size()) {
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size();
    m_joined.reserve(size);
    m_lineEnds.reserve(lines.size());
    for (const std::string& line : lines) {
        m_joined += line;
        m_lineEnds.push_back(m_joined.size());
        if (line.find('\n') != std::string::npos) m_linesHoldLineFeeds = true;
    }
    m_bytes = m_joined;
}

bool SourceText::Cursor::next(std::string_view& line) {
    const SourceText& text = *m_text;
    if (text.m_givenLines) {
        if (m_index >= text.m_lineEnds.size()) return false;
        const std::size_t end = text.m_lineEnds[m_index];
        line = text.m_bytes.substr(m_position, end - m_position);
        m_position = end;
        ++m_index;
        return true;
    }
    const std::size_t size = text.m_bytes.size();
    if (m_position >= size) return false;
    const char* const begin = text.m_bytes.data() + m_position;
    const std::size_t length = lineLengthAt(begin, size - m_position);
    line = std::string_view(begin, length);
    std::size_t after = m_position + length;
    if (after < size) {
        if (text.m_bytes[after] == '\r' && after + 1 < size && text.m_bytes[after + 1] == '\n') ++after;
        ++after;
    }
    m_position = after;
    ++m_index;
    return true;
}

}  // namespace vestrel
