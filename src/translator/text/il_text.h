// The lines of one IL program (cp1251), kept end to end in one buffer: a program of the
// largest block runs to thousands of lines, and one allocation per line would cost more
// than writing them. Beside each line the text keeps the Korvel source line it was
// generated from (the source map), four bytes a line.
//
// A text given a spill policy keeps only so much in memory: past the policy's limit its
// settled lines (all but the first few and the last) go to the policy's store, already
// in file form, with their source lines. Such a text's set-aside lines can no longer be
// read one by one: it is written out whole with writeFileForm and its source lines read
// with readSourceLines. Only the first lines, where the generator inserts, and the last,
// which it extends, stay editable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "translator/text/append.h"
#include "translator/text/il_spill.h"

namespace vestrel {

class IlText {
public:
    // The source line of a line that no source line caused.
    static constexpr std::uint32_t kNoSourceLine = 0;

    IlText() = default;
    // A copy has the lines and their source lines (set-aside ones in the store it shares)
    // but follows no cell and spills no further: only the generator's own texts follow its
    // current line and spill. An assigned text keeps the cell and the policy it had.
    IlText(const IlText& other) { assignLines(other); }
    IlText(IlText&& other) noexcept { moveLines(other); }
    IlText& operator=(const IlText& other) {
        if (this != &other) assignLines(other);
        return *this;
    }
    IlText& operator=(IlText&& other) noexcept {
        if (this != &other) moveLines(other);
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

    // From now on the text spills by the policy (nullptr: never). The policy must outlive
    // the following.
    void spillWith(const IlSpillPolicy* policy) {
        m_spill = policy;
        m_nextSpillCheck = nextSpillCheck();
    }
    // Whether lines were set aside in a store.
    bool spilled() const { return m_spilledLines != 0; }
    // The reason a store could not be opened or written (0: none). The text has then kept
    // only the count of its lines since: its output is lost, and the run must say so.
    int spillFailure() const { return m_spillFailure; }

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
    // Inserts all lines of another text before line `at` (at most size()). In a text that
    // spilled, `at` lies among its first lines or after the set-aside ones (std::logic_error
    // otherwise).
    void insert(std::size_t at, const IlText& other);
    // Inserts one line before line `at` (at most size()).
    void insert(std::size_t at, std::string_view line);

    std::size_t size() const { return m_countOnly ? m_counted : m_ends.size() + m_spilledLines; }
    bool empty() const { return size() == 0; }
    // Line i; in a text that spilled, not one of the set-aside lines.
    std::string_view operator[](std::size_t i) const { return memoryLine(memoryIndex(i)); }
    std::string_view back() const { return (*this)[size() - 1]; }
    // The Korvel source line (from 1) line i was generated from; kNoSourceLine for none.
    std::uint32_t sourceLine(std::size_t i) const { return m_sources[memoryIndex(i)]; }
    // The source line of every line, of a text that did not spill.
    const std::vector<std::uint32_t>& sourceLines() const { return m_sources; }
    // The source line of every line, set-aside ones included, handed to `take` in order a
    // piece at a time; false with the reason when the store cannot be read.
    bool readSourceLines(const std::function<void(std::span<const std::uint32_t>)>& take, int& reason) const;
    // The text as a file has it, each line followed by lineEnd (which must be the spill
    // policy's when lines were set aside), handed to `write` in pieces of at most
    // kFilePiece bytes (a longer line goes in a piece of its own); false with the reason at
    // the first piece `write` refuses or the first read of the store that fails.
    static constexpr std::size_t kFilePiece = std::size_t{128} << 10;
    bool writeFileForm(std::string_view lineEnd, const std::function<bool(std::string_view, int&)>& write,
                       int& reason) const;
    void clear() {
        m_bytes.clear();
        m_ends.clear();
        m_sources.clear();
        m_counted = 0;
        m_store.reset();
        m_pieces.clear();
        m_headLines = 0;
        m_spilledLines = 0;
        m_spillFailure = 0;
        m_nextSpillCheck = nextSpillCheck();
    }
    void reserve(std::size_t bytes, std::size_t lines) {
        m_bytes.reserve(bytes);
        m_ends.reserve(lines);
        m_sources.reserve(lines);
    }

    // Every line followed by a line feed (of a text that did not spill).
    const std::string& bytes() const { return m_bytes; }
    // The lines joined with line feeds, without one after the last (of a text that did
    // not spill, as the iterators and the comparison).
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
        if (heldBytes() >= m_nextSpillCheck) [[unlikely]]
            spillMiddle();
    }
    std::uint32_t currentSourceLine() const { return m_current ? *m_current : kNoSourceLine; }
    // The position in memory of line i: the set-aside lines sit between the first lines
    // and the rest.
    std::size_t memoryIndex(std::size_t i) const { return i < m_headLines ? i : i - m_spilledLines; }
    std::string_view memoryLine(std::size_t m) const {
        const std::size_t begin = m == 0 ? 0 : m_ends[m - 1] + 1;
        return std::string_view(m_bytes).substr(begin, m_ends[m] - begin);
    }
    // What the text holds in memory, as the spill policy counts it.
    std::size_t heldBytes() const { return m_bytes.size() + m_ends.size() * kLineBookkeeping; }
    std::size_t nextSpillCheck() const;
    // Sets the lines between the first ones and the last aside; on a failure the text
    // keeps only its line count from then on.
    void spillMiddle();
    void assignLines(const IlText& other);
    void moveLines(IlText& other) noexcept;

    static constexpr std::size_t kLineBookkeeping = sizeof(std::size_t) + sizeof(std::uint32_t);

    // A run of set-aside lines in the store: their file bytes, then their source lines.
    struct SpilledPiece {
        std::uint64_t offset = 0;
        std::uint64_t bytes = 0;
        std::size_t lines = 0;
    };

    std::string m_bytes;                   // each line followed by '\n'
    std::vector<std::size_t> m_ends;       // the position of each line's '\n'
    std::vector<std::uint32_t> m_sources;  // the source line of each line
    const std::uint32_t* m_current = nullptr;  // the generator's current source line, when followed
    bool m_countOnly = false;
    std::size_t m_counted = 0;  // the lines of a text that only counts them

    const IlSpillPolicy* m_spill = nullptr;  // the rule the text spills by, when it does
    std::size_t m_nextSpillCheck = SIZE_MAX;  // the held bytes at which spilling is tried next
    std::shared_ptr<IlSpillStore> m_store;   // opened at the first spill
    std::vector<SpilledPiece> m_pieces;      // the set-aside lines, in order
    std::size_t m_headLines = 0;             // lines in memory before the set-aside ones
    std::size_t m_spilledLines = 0;
    int m_spillFailure = 0;
};

}  // namespace vestrel
