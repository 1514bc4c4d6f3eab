// Sections and macro definitions found with the core's own rules: acceptSectionHeader for
// the shape of a header, TMacrosTable::ScanMacroLine for a definition, ClassifyWord for
// the meaning of a word.
#include "lsp/program_outline.h"

#include <unordered_map>

#include "translator/lexer/classify_word.h"
#include "translator/lexer/macros_table.h"
#include "translator/lexer/numbering.h"
#include "translator/text/cp1251.h"

namespace vestrel::lsp {
namespace {

// A line the scanner reads as a section header: three digits and a "." that ends the
// line or is not followed by a digit, not the start of a time literal, in range.
std::optional<int> sectionCodeOf(std::string_view line) {
    if (line.size() < 4 || !text::isDigit(line[0]) || line[3] != '.') return std::nullopt;
    if (line.size() > 4 && text::isDigit(line[4])) return std::nullopt;
    if (line.size() > 5 && line[2] == '.' && line[5] == '.') return std::nullopt;
    NumberingState fresh;
    int code = 0;
    if (acceptSectionHeader(fresh, line, code) != LexicalMessage::None) return std::nullopt;
    return code;
}

WordMeaning::Kind meaningOf(TokenCode code) {
    if (isVariable(code)) return WordMeaning::Kind::Variable;
    if (isAlgorithmCommand(code)) return WordMeaning::Kind::Algorithm;
    if (isConditionWord(code) || isOperationWord(code)) return WordMeaning::Kind::Keyword;
    if (isMarker(code)) return WordMeaning::Kind::Marker;
    return WordMeaning::Kind::Unknown;
}

}  // namespace

ProgramOutline::ProgramOutline(const std::vector<std::string>& lines) {
    m_lowered.reserve(lines.size());
    TMacrosTable table;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        m_lowered.push_back(text::toLower(lines[i]));
        const std::string& line = m_lowered.back();
        const int index = static_cast<int>(i);
        if (!line.empty() && line[0] == '/') {
            int column = 0;
            if (table.ScanMacroLine(line, column) != LexicalMessage::None) continue;
            // An accepted definition has its name from the second character to the first blank.
            const std::size_t nameEnd = line.find(' ', 1);
            MacroEntry entry{index, line.substr(1, nameEnd - 1), {}, 1, nameEnd};
            entry.value = std::string(table.ExpandMacro(entry.name));
            m_macros.push_back(std::move(entry));
        } else if (const std::optional<int> code = sectionCodeOf(line)) {
            if (!m_sections.empty()) m_sections.back().lastLine = index - 1;
            m_sections.push_back({index, index, *code, lines[i]});
        }
    }
    if (!m_sections.empty()) m_sections.back().lastLine = static_cast<int>(lines.size()) - 1;
}

const MacroEntry* ProgramOutline::macroInForce(std::string_view name, int line) const {
    for (auto it = m_macros.rbegin(); it != m_macros.rend(); ++it)
        if (it->line < line && it->name == name) return &*it;
    return nullptr;
}

std::vector<const MacroEntry*> ProgramOutline::macrosInForce(int line) const {
    // In the table's order: a redefinition keeps the place of the name's first definition.
    std::vector<const MacroEntry*> found;
    std::unordered_map<std::string_view, std::size_t> place;
    for (const MacroEntry& entry : m_macros) {
        if (entry.line >= line) break;
        const auto [at, added] = place.emplace(entry.name, found.size());
        if (added)
            found.push_back(&entry);
        else
            found[at->second] = &entry;
    }
    return found;
}

std::optional<WordMeaning> ProgramOutline::wordAt(int line, std::size_t column) const {
    if (line < 0 || static_cast<std::size_t>(line) >= m_lowered.size()) return std::nullopt;
    const std::string& text = m_lowered[static_cast<std::size_t>(line)];
    if (text.empty()) return std::nullopt;
    const bool definition = text[0] == '/';
    if (!definition && !text::isDigit(text[0])) return std::nullopt;
    if (!definition && sectionCodeOf(text)) return std::nullopt;  // the rest of a header is free text

    WordMeaning meaning;
    std::string_view classified;
    if (definition) {
        const MacroEntry* entry = nullptr;
        for (const MacroEntry& m : m_macros)
            if (m.line == line) entry = &m;
        if (!entry) return std::nullopt;
        const std::size_t valueStart = text.find_first_not_of(' ', entry->nameEnd);
        const std::size_t valueEnd = valueStart + entry->value.size();
        if (column >= entry->nameStart && column <= entry->nameEnd) {
            meaning.word = entry->name;
            meaning.macro = entry;
            meaning.start = entry->nameStart;
            meaning.end = entry->nameEnd;
        } else if (column >= valueStart && column <= valueEnd) {
            meaning.word = entry->value;
            meaning.start = valueStart;
            meaning.end = valueEnd;
        } else {
            return std::nullopt;
        }
        classified = entry->value;
    } else {
        const std::vector<LineItem> items = lineItems(text);
        const LineItem* item = itemAt(items, column);
        if (!item || item->kind != LineItem::Kind::Word) return std::nullopt;
        meaning.word = text.substr(item->start, item->end - item->start);
        meaning.start = item->start;
        meaning.end = item->end;
        meaning.macro = macroInForce(meaning.word, line);
        classified = meaning.macro ? std::string_view(meaning.macro->value) : std::string_view(meaning.word);
    }
    NumberingState scratch;
    const WordClass found = ClassifyWord(classified, scratch);
    if (found.message == LexicalMessage::None) {
        meaning.kind = meaningOf(found.code);
        meaning.code = found.code;
    }
    return meaning;
}

}  // namespace vestrel::lsp
