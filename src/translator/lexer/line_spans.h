// A source line cut into the spans an editor colours: the same items pass 1 scans, each
// with the element it shows as and, for a token, the code pass 1 gives it. Headless, so
// the workbench's highlighter and checker see the language exactly as the translator does.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "translator/lexer/macros_table.h"
#include "translator/lexer/token_file.h"

namespace vestrel {

// The text elements of a Korvel source, in the order of the editor colour dialog's list;
// Unclassified marks a word or number that pass 1 rejects (it shows unstyled).
enum class KorvelElement {
    MacroDefinition,
    Comment,
    SectionNumber,  // section headers, line numbers and parameter numbers
    Variable,
    Command,        // keywords, "алг" commands and "тс" markers
    Number,         // constants and time literals
    Sign,           // the operator characters
    Blank,          // blanks and the characters the scanner skips
    Unclassified,
};
inline constexpr int kKorvelElementKinds = 8;  // the elements a style exists for

struct LineSpan {
    std::size_t start = 0;   // byte offset in the line
    std::size_t length = 0;
    KorvelElement element = KorvelElement::Blank;
    TokenCode code = 0;      // the record code of a token; 0 for blanks, comments and rejected items

    friend bool operator==(const LineSpan&, const LineSpan&) = default;
};

// Cuts one source line (cp1251, any case) into spans that cover it left to right.
// `macros` holds the definitions in force before the line; words are looked up there
// before they are classified, as pass 1 does. A macro definition line is one span; so
// is a comment line.
std::vector<LineSpan> splitKorvelLine(std::string_view line, const TMacrosTable& macros);

// The spans of a line that stand for tokens (the line opener is the first of them).
std::vector<LineSpan> tokenSpans(const std::vector<LineSpan>& spans);

// The macro tables in force from line to line, shared between lines that see the same
// definitions. State 0 is the empty table; after(state, line) is the state after a line
// (the same state unless the line is an accepted definition). The same definition after
// the same state always gives the same state, so an editor that keeps one state per line
// re-colours only the lines a changed definition reaches.
class MacroStates {
public:
    MacroStates();
    int after(int state, std::string_view line);
    const TMacrosTable& table(int state) const;
    // How many states exist; an editor may clear() when this grows large and start over.
    std::size_t size() const { return m_tables.size(); }
    void clear();

private:
    std::vector<std::unique_ptr<TMacrosTable>> m_tables;
    std::map<std::pair<int, std::string>, int> m_known;  // (state, lower-cased line) -> state after it
};

}  // namespace vestrel
