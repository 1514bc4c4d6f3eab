// The shape of a Korvel program as an editor needs it: its sections with their headers,
// its macro definitions (the ones pass 1 accepts, in order), and what a word at a place
// of the text means.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "lsp/line_items.h"
#include "translator/lexer/token_file.h"

namespace vestrel::lsp {

struct SectionEntry {
    int line = 0;      // 0-based line of the header
    int lastLine = 0;  // the last line before the next header (or the program's last line)
    int code = 0;      // block * 32 + section
    std::string header;  // the header line as written (cp1251)
};

struct MacroEntry {
    int line = 0;                // 0-based line of the definition
    std::string name, value;     // lower-case cp1251
    std::size_t nameStart = 1;   // the name's columns on its line
    std::size_t nameEnd = 1;
};

// A word of the program and what it stands for.
struct WordMeaning {
    enum class Kind { Variable, Algorithm, Keyword, Marker, Unknown };
    Kind kind = Kind::Unknown;
    std::string word;                 // lower-case cp1251, as written
    const MacroEntry* macro = nullptr;  // the definition in force when the word is a macro name
    TokenCode code = 0;               // the code of the word or of the macro's value
    std::size_t start = 0, end = 0;   // the word's columns
};

class ProgramOutline {
public:
    // `lines` are the program's cp1251 source lines.
    explicit ProgramOutline(const std::vector<std::string>& lines);

    const std::vector<SectionEntry>& sections() const { return m_sections; }
    const std::vector<MacroEntry>& macros() const { return m_macros; }

    // The definition of `name` in force on `line`: the latest accepted one above it.
    const MacroEntry* macroInForce(std::string_view name, int line) const;
    // The distinct names in force on `line`, each with its latest definition, in the order
    // the names were first defined.
    std::vector<const MacroEntry*> macrosInForce(int line) const;

    // The word at a column of a line: in a numbered line any word, in a definition line
    // its name and its value; nothing in comment lines.
    std::optional<WordMeaning> wordAt(int line, std::size_t column) const;

private:
    std::vector<std::string> m_lowered;
    std::vector<SectionEntry> m_sections;
    std::vector<MacroEntry> m_macros;
};

}  // namespace vestrel::lsp
