// The typed tokens, their record text and the reading of record text.
#include "translator/lexer/token_sequence.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>

namespace vestrel {

void TokenSequence::clear() {
    m_tokens.clear();
    m_texts.clear();
    m_faults.clear();
    m_line = {};
    m_lineStored = false;
    m_needsRecordReading = false;
}

void TokenSequence::reserve(std::size_t tokens, std::size_t textBytes) {
    m_tokens.reserve(tokens);
    m_texts.reserve(textBytes);
}

bool TokenSequence::growthFits(std::size_t textBytes) const {
    if (m_storageLimit == SIZE_MAX) return true;
    // A full vector or string doubles its room when it grows.
    const std::size_t tokens = m_tokens.size() == m_tokens.capacity() ? std::max<std::size_t>(2 * m_tokens.capacity(), 1)
                                                                       : m_tokens.capacity();
    const std::size_t texts = m_texts.size() + textBytes > m_texts.capacity()
                                  ? std::max(2 * m_texts.capacity(), m_texts.size() + textBytes)
                                  : m_texts.capacity();
    return tokens <= m_storageLimit / sizeof(Token) && texts <= m_storageLimit - tokens * sizeof(Token);
}

void TokenSequence::storeLine() {
    m_lineBegin = copyText(m_line);
    m_lineStored = true;
}

std::uint32_t TokenSequence::copyText(std::string_view text) {
    const auto begin = static_cast<std::uint32_t>(m_texts.size());
    m_texts.append(text);
    if (m_lineFeedsPossible && !text.empty() && std::memchr(text.data(), '\n', text.size()) != nullptr)
        m_needsRecordReading = true;
    return begin;
}

void TokenSequence::addRead(TokenCode code, std::string_view text, unsigned faults) {
    if (faults != 0) m_faults.push_back({m_tokens.size(), faults});
    m_tokens.push_back({code, copyText(text), static_cast<std::uint32_t>(text.size()), 0, 0});
}

unsigned TokenSequence::faultsOf(std::size_t i) const {
    const auto found = std::lower_bound(m_faults.begin(), m_faults.end(), i,
                                        [](const Fault& fault, std::size_t index) { return fault.token < index; });
    return found != m_faults.end() && found->token == i ? found->faults : 0;
}

void TokenSequence::dropStorage() {
    m_dropped = true;
    std::vector<Token>().swap(m_tokens);
    std::string().swap(m_texts);
    m_faults.clear();
    m_line = {};
    m_lineStored = false;
}

void TokenSequence::appendTokenRecord(std::string& records, TokenCode code, std::string_view text) {
    char digits[2 * sizeof(TokenCode)];
    char* const end = digits + sizeof digits;
    char* first = end;
    do {
        *--first = "0123456789ABCDEF"[code & 0xF];
        code >>= 4;
    } while (code != 0);
    records.append(first, end);
    records += '\n';
    records += text;
    records += '\n';
}

std::string renderTokenRecords(const TokenSequence& tokens) {
    std::string records;
    for (std::size_t i = 0; i < tokens.size(); ++i)
        TokenSequence::appendTokenRecord(records, tokens[i].code, tokens.text(tokens[i]));
    return records;
}

namespace {

// The lines of record text, each without its line feed; a last line without one counts.
class RecordLines {
public:
    explicit RecordLines(std::string_view bytes) : m_bytes(bytes) {}
    std::optional<std::string_view> next() {
        if (m_position >= m_bytes.size()) return std::nullopt;
        const std::size_t feed = m_bytes.find('\n', m_position);
        const std::size_t end = feed == std::string_view::npos ? m_bytes.size() : feed;
        const std::string_view line = m_bytes.substr(m_position, end - m_position);
        m_position = feed == std::string_view::npos ? m_bytes.size() : feed + 1;
        return line;
    }

private:
    std::string_view m_bytes;
    std::size_t m_position = 0;
};

// A "%X" code line: leading blanks, then hexadecimal digits. A code that does not fit
// 16 bits is as unreadable as one without digits.
std::optional<TokenCode> parseCodeLine(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    TokenCode value = 0;
    const auto [end, error] = std::from_chars(line.data() + i, line.data() + line.size(), value, 16);
    if (error != std::errc{} || end == line.data() + i || value > 0xFFFF) return std::nullopt;
    return value;
}

}  // namespace

TokenSequence readTokenRecords(std::string_view records) {
    TokenSequence tokens;
    RecordLines lines(records);
    while (const std::optional<std::string_view> codeLine = lines.next()) {
        unsigned faults = 0;
        TokenCode code = token::Unreadable;
        if (const std::optional<TokenCode> parsed = parseCodeLine(*codeLine)) code = *parsed;
        else faults |= CodeUnreadable;
        const std::optional<std::string_view> textLine = lines.next();
        if (!textLine) {
            tokens.addRead(code, {}, faults | TextMissing);
            break;
        }
        tokens.addRead(code, *textLine, faults);
    }
    return tokens;
}

}  // namespace vestrel
