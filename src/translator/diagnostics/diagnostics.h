// The messages of one translation run as values (pass, message, the line they cite and
// the column or word within it) and the one place that renders them as the texts the
// user sees.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "translator/diagnostics/messages.h"

namespace vestrel {

// Every message of the passes is an error; the notices of a run (its message boxes) are
// kept apart in the result, and a front end reports them as warnings.
enum class Severity : std::uint8_t { Error, Warning };

enum class TranslationPass : std::uint8_t {
    Lexical,  // pass 1: cites a line and the column where the faulty item starts
    Syntax,   // pass 2: cites a line and the number of the word within it
};

struct Diagnostic {
    Severity severity = Severity::Error;
    TranslationPass pass = TranslationPass::Lexical;
    int code = 0;           // the message within its pass: a LexicalMessage or a SyntaxMessage
    int line = 0;           // the source line cited, counted from 1
    int column = 0;         // pass 1: the column cited, counted from 1; 0 in pass 2
    int word = 0;           // pass 2: the word cited, counted from 1; 0 in pass 1

    static Diagnostic lexical(int line, int column, LexicalMessage message);
    static Diagnostic syntax(int line, int word, SyntaxMessage message);

    // The message, None when the diagnostic belongs to the other pass.
    LexicalMessage lexicalMessage() const;
    SyntaxMessage syntaxMessage() const;
    // The message's fixed text and name ("Неизвестная переменная", "UnknownVariable").
    std::string_view messageText() const;
    std::string_view messageName() const;

    // The text as shown: "Ошибка!!! (12,4).Неизвестная переменная" (pass 1),
    // "Ошибка!!! (7, слово №3).Синтаксическая ошибка!" (pass 2); cp1251.
    std::string text() const;
    void appendText(std::string& target) const;
    // 1 for a message inside the lexical group of the message tree, 0 at the top level.
    int level() const { return pass == TranslationPass::Lexical ? 1 : 0; }

    bool operator==(const Diagnostic&) const = default;
};

// One line of the messages as a front end lists them: the heading of the lexical group
// (no message) or one message, with its depth in the tree.
struct ShownEntry {
    std::string_view text;                 // cp1251; valid during the call that passes it
    int level = 0;                         // 0 top level, 1 inside the group above
    const Diagnostic* message = nullptr;   // nullptr for the heading
};

class DiagnosticList {
public:
    void Clear() { m_entries.clear(); }
    // None adds nothing.
    void AddLexicalError(int line, int column, LexicalMessage message);
    void AddSyntaxError(int line, int word, SyntaxMessage message);

    // The messages in the order they were reported.
    const std::vector<Diagnostic>& entries() const { return m_entries; }
    bool empty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }
    const Diagnostic& operator[](std::size_t i) const { return m_entries[i]; }

    // Whether the listing opens with the heading "Лексические ошибки": it does when the
    // first message belongs to pass 1.
    bool opensWithLexicalGroup() const {
        return !m_entries.empty() && m_entries.front().pass == TranslationPass::Lexical;
    }
    // Calls show(const ShownEntry&) for every line of the listing, in order: the heading
    // when there is one, then each message's text.
    template <class Show>
    void forEachShown(Show&& show) const;

private:
    std::vector<Diagnostic> m_entries;
};

// The text of the lexical group heading ("Лексические ошибки", cp1251).
std::string_view lexicalGroupText();

template <class Show>
void DiagnosticList::forEachShown(Show&& show) const {
    if (opensWithLexicalGroup()) show(ShownEntry{lexicalGroupText(), 0, nullptr});
    std::string text;
    for (const Diagnostic& entry : m_entries) {
        text.clear();
        entry.appendText(text);
        show(ShownEntry{text, entry.level(), &entry});
    }
}

}  // namespace vestrel
