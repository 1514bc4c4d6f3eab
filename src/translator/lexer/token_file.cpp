// Writing and reading the two-line token records.
#include "translator/lexer/token_file.h"

#include <charconv>

#include "translator/text/literal.h"

namespace vestrel {
using namespace text::literals;

std::string formatFixed6(double value) {
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    if (error != std::errc{}) return "0.000000";
    return std::string(buffer, end);
}

void TokenFile::writeRecord(TokenCode code, std::string_view text) {
    // "%X" written straight into the records: pass 1 writes one code per token.
    char digits[2 * sizeof(TokenCode)];
    char* const end = digits + sizeof digits;
    char* first = end;
    do {
        *--first = "0123456789ABCDEF"[code & 0xF];
        code >>= 4;
    } while (code != 0);
    m_bytes.append(first, end);
    m_bytes += '\n';
    m_bytes += text;
    m_bytes += '\n';
}

void TokenFile::writeConstant(double value) { writeRecord(token::Constant, formatFixed6(value)); }

std::optional<std::string_view> TokenFileLines::next() {
    if (m_position >= m_bytes.size()) return std::nullopt;
    const std::size_t end = m_bytes.find('\n', m_position);
    std::string_view line;
    if (end == std::string_view::npos) {
        line = m_bytes.substr(m_position);
        m_position = m_bytes.size();
    } else {
        line = m_bytes.substr(m_position, end - m_position);
        m_position = end + 1;
    }
    return line;
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
        const auto codeLine = m_lines.next();
        if (!codeLine) {
            m_trace.endOfInput(token::EndOfInput);
            return token::EndOfInput;
        }
        TokenCode code = token::Unreadable;
        if (const auto parsed = parseCodeLine(*codeLine)) code = *parsed;
        else m_host.notice("Неверное число !!!"_cp);

        const auto textLine = m_lines.next();
        if (!textLine) {
            m_host.notice("Ошибка чтения файла !!!"_cp);
            m_trace.endOfInput(token::EndOfInput);
            return token::EndOfInput;
        }

        const unsigned topByte = (code >> 8) & 0xFF;
        if (topByte == 0xC1 || topByte == 0xF2 || topByte == 0xF3) {
            m_trace.record(code, *textLine);
            m_state.currentSourceLine.assign(*textLine);
            m_state.WordCounter = 1;
            if (topByte != 0xF2) continue;
        } else if (topByte == 0xD2) {
            if (m_addComment) m_host.commentLine(*textLine);
            ++m_state.LineCounter;
            m_host.advanceProgress();
            m_trace.record(code, *textLine);
            m_state.WordCounter = 1;
            continue;
        } else {
            ++m_state.WordCounter;
        }
        m_state.currentTokenText.assign(*textLine);
        m_trace.record(code, *textLine);
        return code;
    }
}

}  // namespace vestrel
