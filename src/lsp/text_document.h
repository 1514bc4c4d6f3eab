// An open document as the client holds it: UTF-8 text, edited by ranges whose positions
// count UTF-16 code units, as the protocol says.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vestrel::lsp {

struct Position {
    int line = 0;       // 0-based
    int character = 0;  // UTF-16 code units from the start of the line
    bool operator==(const Position&) const = default;
};

struct Range {
    Position start, end;
    bool operator==(const Range&) const = default;
};

// The number of UTF-16 code units of a UTF-8 text (a malformed byte counts as one).
std::size_t utf16Length(std::string_view utf8);
// The byte offset in a UTF-8 line of a UTF-16 column; past the end gives the line's size.
std::size_t byteOffsetOfColumn(std::string_view utf8Line, std::size_t utf16Column);

class TextDocument {
public:
    TextDocument(std::string uri, int version, std::string textUtf8);

    const std::string& uri() const { return m_uri; }
    int version() const { return m_version; }
    void setVersion(int version) { m_version = version; }
    const std::string& text() const { return m_text; }

    void replaceAll(std::string textUtf8);
    // Replaces the range (clamped to the text, its ends in order) by the new text.
    void replaceRange(const Range& range, std::string_view textUtf8);

    // Lines as the protocol counts them: LF, CR LF and a lone CR end a line.
    int lineCount() const { return static_cast<int>(m_lineStarts.size()); }
    // The line's text without its line break.
    std::string_view line(int index) const;
    std::size_t offsetOf(const Position& position) const;
    Position positionOf(std::size_t byteOffset) const;

private:
    void indexLines();

    std::string m_uri;
    int m_version = 0;
    std::string m_text;
    std::vector<std::size_t> m_lineStarts;  // byte offset where each line begins
};

}  // namespace vestrel::lsp
