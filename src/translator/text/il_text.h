// The lines of one IL program (cp1251), kept end to end in one buffer: a program of the
// largest block runs to thousands of lines, and one allocation per line would cost more
// than writing them.
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

    std::size_t size() const { return m_ends.size(); }
    bool empty() const { return m_ends.empty(); }
    std::string_view operator[](std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : m_ends[i - 1] + 1;
        return std::string_view(m_bytes).substr(begin, m_ends[i] - begin);
    }
    std::string_view back() const { return (*this)[size() - 1]; }
    void clear() {
        m_bytes.clear();
        m_ends.clear();
    }
    void reserve(std::size_t bytes, std::size_t lines) {
        m_bytes.reserve(bytes);
        m_ends.reserve(lines);
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

    bool operator==(const IlText& other) const { return m_bytes == other.m_bytes && m_ends == other.m_ends; }

private:
    void endLine() {
        m_bytes.push_back('\n');
        m_ends.push_back(m_bytes.size() - 1);
    }

    std::string m_bytes;                // each line followed by '\n'
    std::vector<std::size_t> m_ends;    // the position of each line's '\n'
};

}  // namespace vestrel
