// The messages of the last translation run: a lexical group with its children, or
// syntax messages at the top level.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vestrel {

struct Diagnostic {
    std::string text;  // cp1251, exactly as shown
    int level = 0;     // 0 top level, 1 child of the first top-level entry
    int icon = -1;     // image index of the entry; -1 keeps the tree's default
};

class DiagnosticList {
public:
    static constexpr int kGroupIcon = 1;

    void Clear() { m_entries.clear(); }
    // Code 0 adds nothing; the first lexical error adds the group entry first.
    void AddLexicalError(int line, int column, int code);
    // Code 0 adds nothing; code 255 is reported as code 1.
    void AddSyntaxError(int lineCounter, int wordCounter, int code);

    // The source line an entry cites, or nothing (the group entry, foreign texts).
    static std::optional<int> LineOfEntry(const Diagnostic& entry);
    static std::optional<int> LineOfEntry(std::string_view text);

    const std::vector<Diagnostic>& entries() const { return m_entries; }
    bool empty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }
    const Diagnostic& operator[](std::size_t i) const { return m_entries[i]; }

private:
    std::vector<Diagnostic> m_entries;
};

// The text of the lexical group entry ("Лексические ошибки", cp1251).
std::string_view lexicalGroupText();

}  // namespace vestrel
