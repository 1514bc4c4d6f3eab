// Positions in UTF-16 code units over a UTF-8 text, and the edits of a document.
#include "lsp/text_document.h"

#include <algorithm>

namespace vestrel::lsp {
namespace {

// The length in bytes of the UTF-8 sequence that starts with `lead` and the UTF-16 units
// of its character; a byte that cannot start a sequence is one unit of one byte.
struct SequenceSize {
    std::size_t bytes;
    std::size_t units;
};

SequenceSize sequenceAt(std::string_view s, std::size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    std::size_t bytes = 1;
    if (lead >= 0xF0 && lead <= 0xF4)
        bytes = 4;
    else if (lead >= 0xE0)
        bytes = 3;
    else if (lead >= 0xC2 && lead < 0xE0)
        bytes = 2;
    if (bytes == 1 || i + bytes > s.size()) return {1, 1};
    for (std::size_t k = 1; k < bytes; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return {1, 1};
    return {bytes, bytes == 4 ? 2u : 1u};
}

}  // namespace

std::size_t utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const SequenceSize size = sequenceAt(utf8, i);
        i += size.bytes;
        units += size.units;
    }
    return units;
}

std::size_t byteOffsetOfColumn(std::string_view utf8Line, std::size_t utf16Column) {
    std::size_t units = 0, i = 0;
    while (i < utf8Line.size() && units < utf16Column) {
        const SequenceSize size = sequenceAt(utf8Line, i);
        // A column that falls inside a surrogate pair stands for the whole character.
        i += size.bytes;
        units += size.units;
    }
    return i;
}

TextDocument::TextDocument(std::string uri, int version, std::string textUtf8)
    : m_uri(std::move(uri)), m_version(version), m_text(std::move(textUtf8)) {
    indexLines();
}

void TextDocument::replaceAll(std::string textUtf8) {
    m_text = std::move(textUtf8);
    indexLines();
}

void TextDocument::replaceRange(const Range& range, std::string_view textUtf8) {
    std::size_t from = offsetOf(range.start), to = offsetOf(range.end);
    if (to < from) std::swap(from, to);
    m_text.replace(from, to - from, textUtf8);
    indexLines();
}

void TextDocument::indexLines() {
    m_lineStarts.clear();
    m_lineStarts.push_back(0);
    for (std::size_t i = 0; i < m_text.size(); ++i) {
        if (m_text[i] == '\r' && i + 1 < m_text.size() && m_text[i + 1] == '\n') ++i;
        if (m_text[i] == '\n' || m_text[i] == '\r') m_lineStarts.push_back(i + 1);
    }
}

std::string_view TextDocument::line(int index) const {
    if (index < 0 || index >= lineCount()) return {};
    const std::size_t start = m_lineStarts[static_cast<std::size_t>(index)];
    std::size_t end = index + 1 < lineCount() ? m_lineStarts[static_cast<std::size_t>(index) + 1] : m_text.size();
    if (end > start && m_text[end - 1] == '\n') --end;
    if (end > start && m_text[end - 1] == '\r') --end;
    return std::string_view(m_text).substr(start, end - start);
}

std::size_t TextDocument::offsetOf(const Position& position) const {
    if (position.line < 0) return 0;
    if (position.line >= lineCount()) return m_text.size();
    const std::size_t start = m_lineStarts[static_cast<std::size_t>(position.line)];
    const std::size_t column = position.character < 0 ? 0 : static_cast<std::size_t>(position.character);
    return start + byteOffsetOfColumn(line(position.line), column);
}

Position TextDocument::positionOf(std::size_t byteOffset) const {
    byteOffset = std::min(byteOffset, m_text.size());
    const auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), byteOffset);
    const int index = static_cast<int>(after - m_lineStarts.begin()) - 1;
    const std::size_t start = m_lineStarts[static_cast<std::size_t>(index)];
    const std::string_view text = line(index);
    const std::size_t within = std::min(byteOffset - start, text.size());
    return {index, static_cast<int>(utf16Length(text.substr(0, within)))};
}

}  // namespace vestrel::lsp
