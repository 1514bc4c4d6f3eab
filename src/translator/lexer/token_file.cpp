// Writing and reading the two-line token records.
#include "translator/lexer/token_file.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "translator/text/literal.h"

namespace vestrel {
using namespace text::literals;

namespace {

constexpr std::size_t kFixedBufferSize = 400;  // "%f" of the largest double needs 316

// Writes "%f" of the value into `buffer`, returns its length.
std::size_t formatFixed6Into(char (&buffer)[kFixedBufferSize], double value) {
    // The usual constant (below 1e9 in size) is rounded to millionths with one
    // multiplication: its rounding error is at most 0.11 of a millionth (and adding a
    // half before truncating at most 0.07 more), so when the product lies within 0.3 of
    // a whole number, that number is the correctly rounded result. Near a tie, and for
    // large values, the exact conversion decides.
    const double magnitude = std::fabs(value);
    if (magnitude < 1e9) {
        const double millionths = magnitude * 1e6;
        auto whole = static_cast<std::uint64_t>(millionths + 0.5);
        if (std::fabs(millionths - static_cast<double>(whole)) < 0.3) {
            char digits[24];
            char* first = digits + sizeof digits;
            for (int digit = 0; digit < 6; ++digit, whole /= 10) *--first = static_cast<char>('0' + whole % 10);
            *--first = '.';
            do {
                *--first = static_cast<char>('0' + whole % 10);
                whole /= 10;
            } while (whole != 0);
            if (std::signbit(value)) *--first = '-';
            const auto length = static_cast<std::size_t>(digits + sizeof digits - first);
            std::memcpy(buffer, first, length);
            return length;
        }
    }
    const auto [end, error] = std::to_chars(buffer, buffer + kFixedBufferSize, value, std::chars_format::fixed, 6);
    if (error != std::errc{}) {
        std::memcpy(buffer, "0.000000", 8);
        return 8;
    }
    return static_cast<std::size_t>(end - buffer);
}

}  // namespace

std::string formatFixed6(double value) {
    char buffer[kFixedBufferSize];
    return std::string(buffer, formatFixed6Into(buffer, value));
}

void TokenFile::flush() const {
    m_bytes.append(m_pending.data(), m_pendingSize);
    m_pendingSize = 0;
}

void TokenFile::writeRecordSlowly(TokenCode code, std::string_view text) {
    char codeDigits[2 * sizeof(TokenCode)];
    char* const codeEnd = codeDigits + sizeof codeDigits;
    char* first = codeEnd;
    do {
        *--first = "0123456789ABCDEF"[code & 0xF];
        code >>= 4;
    } while (code != 0);
    const auto digitCount = static_cast<std::size_t>(codeEnd - first);

    const std::size_t recordSize = digitCount + text.size() + 2;
    if (m_pendingSize + recordSize > kPendingCapacity) flush();
    if (recordSize > kPendingCapacity) {
        m_bytes.append(first, digitCount);
        m_bytes += '\n';
        m_bytes += text;
        m_bytes += '\n';
        return;
    }
    char* out = m_pending.data() + m_pendingSize;
    std::memcpy(out, first, digitCount);
    out[digitCount] = '\n';
    copyText(out + digitCount + 1, text);
    out[recordSize - 1] = '\n';
    m_pendingSize += recordSize;
}

void TokenFile::writeConstant(double value) {
    char buffer[kFixedBufferSize];
    writeRecord(token::Constant, std::string_view(buffer, formatFixed6Into(buffer, value)));
}

namespace {

// Reads a "%X" code line: leading blanks, then hexadecimal digits. A code that does
// not fit 16 bits is as unreadable as one without digits.
std::optional<TokenCode> parseCodeLine(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    TokenCode value = 0;
    const auto [end, error] = std::from_chars(line.data() + i, line.data() + line.size(), value, 16);
    if (error != std::errc{} || end == line.data() + i || value > 0xFFFF) return std::nullopt;
    return value;
}

}  // namespace

TokenCode TokenReader::ReadToken() {
    for (;;) {
        TokenCode code = token::Unreadable;
        if (const auto plain = m_lines.nextFourDigitCode()) {
            code = *plain;
        } else {
            const auto codeLine = m_lines.next();
            if (!codeLine) {
                m_trace.endOfInput(token::EndOfInput);
                return token::EndOfInput;
            }
            if (const auto parsed = parseCodeLine(*codeLine)) code = *parsed;
            else m_host.notice("Неверное число !!!"_cp);
        }

        const auto textLine = m_lines.next();
        if (!textLine) {
            m_host.notice("Ошибка чтения файла !!!"_cp);
            m_trace.endOfInput(token::EndOfInput);
            return token::EndOfInput;
        }

        if (isLineOpener(code)) {
            ++m_state.sourceLineNumber;
            m_trace.record(code, *textLine);
            m_state.currentSourceLine = *textLine;
            m_state.WordCounter = 1;
            if (!isSectionHeader(code)) continue;
        } else if (isTextLine(code)) {
            ++m_state.sourceLineNumber;
            if (m_addComment) m_host.commentLine(*textLine);
            ++m_state.LineCounter;
            m_host.advanceProgress();
            m_trace.record(code, *textLine);
            m_state.WordCounter = 1;
            continue;
        } else {
            ++m_state.WordCounter;
        }
        m_state.currentTokenText = *textLine;
        m_trace.record(code, *textLine);
        return code;
    }
}

}  // namespace vestrel
