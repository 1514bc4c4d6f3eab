// Where vestrelc's texts go: standard output and error, or strings (the tests). Not an
// std::ostream: making one sets up the C++ locale, and <iostream> its eight standard
// streams, half a millisecond of every start of a program that prints a line or two.
#pragma once

#include <concepts>
#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>

namespace vestrel::cli {

class TextOutput {
public:
    virtual ~TextOutput() = default;
    virtual void write(std::string_view text) = 0;
    // Delivers what is held back; false when any of the text could not be delivered
    // (errno tells why when the failure was this flush's).
    virtual bool flush() = 0;

    TextOutput& operator<<(std::string_view text) {
        write(text);
        return *this;
    }
    TextOutput& operator<<(char c) {
        write(std::string_view(&c, 1));
        return *this;
    }
    // A number would otherwise arrive as a character.
    template <class Number>
        requires std::is_arithmetic_v<Number> && (!std::same_as<Number, char>)
    TextOutput& operator<<(Number) = delete;
};

// A C stream: stdout or stderr. A stream tied to another flushes that one before it
// writes, as standard error waits for what standard output holds.
class StandardOutput final : public TextOutput {
public:
    explicit StandardOutput(std::FILE* stream, std::FILE* tiedTo = nullptr) : m_stream(stream), m_tiedTo(tiedTo) {}
    void write(std::string_view text) override;
    bool flush() override;

private:
    std::FILE* m_stream;
    std::FILE* m_tiedTo;
};

// Gathers the text in a string.
class StringOutput final : public TextOutput {
public:
    void write(std::string_view text) override { m_text.append(text); }
    bool flush() override { return true; }
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};

}  // namespace vestrel::cli
