// Macro definitions and replacement.
#include "translator/lexer/macros_table.h"

#include "translator/diagnostics/messages.h"
#include "translator/text/cp1251.h"

namespace vestrel {

void TMacrosTable::clear() {
    for (int i = 0; i < m_count; ++i) {
        m_names[static_cast<std::size_t>(i)].clear();
        m_values[static_cast<std::size_t>(i)].clear();
    }
    m_count = 0;
    m_firstByteUsed = {};
    m_index.clear();
}

int TMacrosTable::find(std::string_view name) const {
    if (name.empty() || !m_firstByteUsed[static_cast<unsigned char>(name[0])]) return -1;
    const auto entry = m_index.find(name);
    return entry == m_index.end() ? -1 : entry->second;
}

bool TMacrosTable::AddMacro(std::string_view name, std::string_view value) {
    if (m_count >= kCapacity) return false;
    const int found = find(name);
    if (found >= 0) {
        m_values[static_cast<std::size_t>(found)].assign(value);
        return true;
    }
    m_names[static_cast<std::size_t>(m_count)].assign(name);
    m_values[static_cast<std::size_t>(m_count)].assign(value);
    m_index.emplace(m_names[static_cast<std::size_t>(m_count)], m_count);
    if (!name.empty()) m_firstByteUsed[static_cast<unsigned char>(name[0])] = true;
    ++m_count;
    return true;
}

LexicalMessage TMacrosTable::ScanMacroLine(std::string_view line, int& column) {
    // Positions are 0-based here; the column is 1-based.
    column = 2;
    if (line.size() < 2 || !text::isLetter(line[1])) return LexicalMessage::MacroMustBeginWithLetter;

    std::size_t end = 2;
    while (end < line.size() && (text::isLetter(line[end]) || text::isDigit(line[end]))) ++end;
    const std::string_view name = line.substr(1, end - 1);
    column = static_cast<int>(end) + 1;
    if (end >= line.size() || line[end] != ' ') return LexicalMessage::MacroGivenWrongly;

    std::size_t valueStart = end;
    while (valueStart < line.size() && line[valueStart] == ' ') ++valueStart;
    column = static_cast<int>(valueStart) + 1;
    if (valueStart >= line.size()) return LexicalMessage::MacroGivenWrongly;

    std::size_t valueEnd = valueStart;
    while (valueEnd < line.size() && line[valueEnd] != ' ') ++valueEnd;
    if (!AddMacro(name, line.substr(valueStart, valueEnd - valueStart))) return LexicalMessage::TooManyMacros;
    return LexicalMessage::None;
}

}  // namespace vestrel
