// The macro definitions of one pass 1: "/name value" makes every later word name of a
// numbered line classify as value. At most 100 names.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

#include "translator/diagnostics/messages.h"

namespace vestrel {

class TMacrosTable {
public:
    static constexpr int kCapacity = 100;

    TMacrosTable() = default;
    // The index points into this object's own names: a copy would point into the original.
    TMacrosTable(const TMacrosTable&) = delete;
    TMacrosTable& operator=(const TMacrosTable&) = delete;

    // False when the table is full, even for a name already defined; otherwise a known
    // name gets the new value in place and a new name is appended.
    bool AddMacro(std::string_view name, std::string_view value);
    // The value of the first entry named `word`, or `word` itself. Most words begin with
    // a byte no name begins with and cost one look-up.
    std::string_view ExpandMacro(std::string_view word) const {
        if (word.empty() || !m_firstByteUsed[static_cast<unsigned char>(word[0])]) return word;
        const int found = find(word);
        return found >= 0 ? std::string_view(m_values[static_cast<std::size_t>(found)]) : word;
    }
    // Parses a lower-cased definition line ("/" first) and adds the definition. Returns the
    // message that rejects it (None = accepted); `column` ends where a message points. The
    // caller writes an accepted line as a text record.
    LexicalMessage ScanMacroLine(std::string_view line, int& column);

    int count() const { return m_count; }
    // Entry i (0 .. count-1) in definition order.
    std::string_view name(int i) const { return m_names[static_cast<std::size_t>(i)]; }
    std::string_view value(int i) const { return m_values[static_cast<std::size_t>(i)]; }
    void clear();

private:
    int find(std::string_view name) const;

    std::array<std::string, kCapacity> m_names;
    std::array<std::string, kCapacity> m_values;
    int m_count = 0;
    // The first bytes of the defined names.
    std::array<bool, 256> m_firstByteUsed{};
    // Each name's entry; the views point into m_names, whose strings stay in place.
    std::unordered_map<std::string_view, int> m_index;
};

}  // namespace vestrel
