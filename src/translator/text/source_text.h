// A Korvel program as the translator reads it: one buffer of cp1251 bytes whose lines
// are cut as they are read, so a program costs its bytes and not a string per line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vestrel {

class SourceText {
public:
    // The lines of `bytes` end at CR LF, a lone CR or a lone LF; a final line break opens
    // no extra line; an empty text has no lines. The bytes must outlive the text.
    explicit SourceText(std::string_view bytes);
    // Lines given one by one, whatever bytes they hold: they are copied end to end.
    explicit SourceText(const std::vector<std::string>& lines);

    SourceText(const SourceText&) = delete;
    SourceText& operator=(const SourceText&) = delete;

    std::string_view bytes() const { return m_bytes; }
    // Counted when first asked for (a run without a progress window never asks).
    std::size_t lineCount() const;
    // True when a line given one by one holds a line feed (a plain text's lines never do).
    bool linesHoldLineFeeds() const { return m_linesHoldLineFeeds; }

    // Reads the lines in order, from the first.
    class Cursor {
    public:
        explicit Cursor(const SourceText& text) : m_text(&text) {}
        // The next line without its break; false after the last.
        bool next(std::string_view& line);
        // The index (from 0) of the line next() gives next.
        std::size_t index() const { return m_index; }

    private:
        const SourceText* m_text;
        std::size_t m_position = 0;
        std::size_t m_index = 0;
    };

private:
    std::string_view m_bytes;
    std::string m_joined;                // the lines given one by one, end to end
    std::vector<std::size_t> m_lineEnds;  // their ends in m_joined; empty for a plain text
    bool m_givenLines = false;
    bool m_linesHoldLineFeeds = false;
    mutable std::optional<std::size_t> m_lineCount;
};

// The length of the line that starts at `begin`: bytes up to the first CR or LF.
std::size_t lineLengthAt(const char* begin, std::size_t size);

}  // namespace vestrel
