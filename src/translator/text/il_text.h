// The lines of one IL program (cp1251), kept end to end in one buffer: a program of the
// largest block runs to thousands of lines, and one allocation per line would cost more
// than writing them. Beside each line the text keeps the Korvel source line it was
// generated from (the source map), four bytes a line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "translator/text/append.h"

namespace vestrel {

class IlText {
public:
    // The source line of a line that no source line caused.
    static constexpr std::uint32_t kNoSourceLine = 0;

    IlText() = default;
    // A copy has the lines and their source lines but follows no cell: only the
    // generator's own texts follow its current line.
    IlText(const IlText& other)
        : m_bytes(other.m_bytes), m_ends(other.m_ends), m_sources(other.m_sources), m_countOnly(other.m_countOnly),
          m_counted(other.m_counted) {}
    IlText(IlText&& other) noexcept
        : m_bytes(std::move(other.m_bytes)), m_ends(std::move(other.m_ends)), m_sources(std::move(other.m_sources)),
          m_countOnly(other.m_countOnly), m_counted(other.m_counted) {}
    IlText& operator=(const IlText& other) {
        if (this != &other) assignLines(other);
        return *this;
    }
    IlText& operator=(IlText&& other) noexcept {
        m_bytes = std::move(other.m_bytes);
        m_ends = std::move(other.m_ends);
        m_sources = std::move(other.m_sources);
        m_countOnly = other.m_countOnly;
        m_counted = other.m_counted;
        return *this;
    }

    // A text that only counts its lines: a run whose texts nobody reads (a check) keeps
    // none of them. Its lines cannot be read; size() and empty() can. Clears the text.
    void countLinesOnly(bool on) {
        clear();
        m_countOnly = on;
    }
    bool countsLinesOnly() const { return m_countOnly; }

    // Each line added from now on records the value of `current` (nullptr: kNoSourceLine)
    // as its source line. The cell must outlive the following.
    void followSourceLine(const std::uint32_t* current) { m_current = current; }
    const std::uint32_t* followedSourceLine() const { return m_current; }

    // One line made of the pieces: texts, characters and numbers, as text::append takes them.
    template <class... Pieces>
    void addLine(const Pieces&... pieces) {
        text::append(m_bytes, pieces...);
        endLine();
    }
    void push_back(std::string_view line) {
        m_bytes.append(line);
        endLine();
    }
    // Appends the pieces to the last line; an empty text gets an empty line first.
    template <class... Pieces>
    void extendLastLine(const Pieces&... pieces) {
        if (m_countOnly) {
            if (m_counted == 0) m_counted = 1;
            return;
        }
        if (m_ends.empty()) endLine();
        m_bytes.pop_back();
        text::append(m_bytes, pieces...);
        m_bytes.push_back('\n');
        m_ends.back() = m_bytes.size() - 1;
    }
    // Appends all lines of another text.
    void append(const IlText& other);
    // Inserts all lines of another text before line `at` (at most size()).
    void insert(std::size_t at, const IlText& other);
    // Inserts one line before line `at` (at most size()).
    void insert(std::size_t at, std::string_view line);

    std::size_t size() const { return m_countOnly ? m_counted : m_ends.size(); }
    bool empty() const { return size() == 0; }
    std::string_view operator[](std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : m_ends[i - 1] + 1;
        return std::string_view(m_bytes).substr(begin, m_ends[i] - begin);
    }
    std::string_view back() const { return (*this)[size() - 1]; }
    // The Korvel source line (from 1) line i was generated from; kNoSourceLine for none.
    std::uint32_t sourceLine(std::size_t i) const { return m_sources[i]; }
    const std::vector<std::uint32_t>& sourceLines() const { return m_sources; }
    void clear() {
        m_bytes.clear();
        m_ends.clear();
        m_sources.clear();
        m_counted = 0;
    }
    void reserve(std::size_t bytes, std::size_t lines) {
        m_bytes.reserve(bytes);
        m_ends.reserve(lines);
        m_sources.reserve(lines);
    }

    // Every line followed by a line feed.
    const std::string& bytes() const { return m_bytes; }
    // The lines joined with line feeds, without one after the last.
    std::string joined() const;
    std::vector<std::string> lines() const;

    class const_iterator {
    public:
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        const_iterator() = default;
        const_iterator(const IlText* text, std::size_t i) : m_text(text), m_i(i) {}
        std::string_view operator*() const { return (*m_text)[m_i]; }
        const_iterator& operator++() {
            ++m_i;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++m_i;
            return before;
        }
        bool operator==(const const_iterator& other) const { return m_i == other.m_i; }

    private:
        const IlText* m_text = nullptr;
        std::size_t m_i = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // Equal lines; where they came from is not compared.
    bool operator==(const IlText& other) const { return m_bytes == other.m_bytes && m_ends == other.m_ends; }

private:
    void endLine() {
        if (m_countOnly) {
            m_bytes.clear();
            ++m_counted;
            return;
        }
        m_bytes.push_back('\n');
        m_ends.push_back(m_bytes.size() - 1);
        m_sources.push_back(currentSourceLine());
    }
    std::uint32_t currentSourceLine() const { return m_current ? *m_current : kNoSourceLine; }
    void assignLines(const IlText& other) {
        m_bytes = other.m_bytes;
        m_ends = other.m_ends;
        m_sources = other.m_sources;
        m_countOnly = other.m_countOnly;
        m_counted = other.m_counted;
    }

    std::string m_bytes;                   // each line followed by '\n'
    std::vector<std::size_t> m_ends;       // the position of each line's '\n'
    std::vector<std::uint32_t> m_sources;  // the source line of each line
    const std::uint32_t* m_current = nullptr;  // the generator's current source line, when followed
    bool m_countOnly = false;
    std::size_t m_counted = 0;  // the lines of a text that only counts them
};

}  // namespace vestrel
