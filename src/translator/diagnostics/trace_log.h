// The debugging log of pass 2: every row change and every record read. It is built only
// when someone asked for it (vestrelc --trace), so an ordinary run pays nothing for it.
#pragma once

#include <string>
#include <string_view>

namespace vestrel {

class TraceLog {
public:
    explicit TraceLog(bool enabled = false) : m_enabled(enabled) {}

    bool enabled() const { return m_enabled; }
    // ",%d" for a row change.
    void row(int row) {
        if (m_enabled) writeRow(row);
    }
    // "\n[%X]\n %s\n " for a record read or a line opened.
    void record(unsigned code, std::string_view text) {
        if (m_enabled) writeRecord(code, text);
    }
    // "\n[%X]\n " at the end of input.
    void endOfInput(unsigned code) {
        if (m_enabled) writeEndOfInput(code);
    }
    // "\nError: [%X] #%d\n" where the engine stopped.
    void error(unsigned token, int row) {
        if (m_enabled) writeError(token, row);
    }

    const std::string& text() const { return m_text; }
    std::string release() { return std::move(m_text); }

private:
    // The entries proper; an ordinary run never gets this far.
    void writeRow(int row);
    void writeRecord(unsigned code, std::string_view text);
    void writeEndOfInput(unsigned code);
    void writeError(unsigned token, int row);

    bool m_enabled;
    std::string m_text;
};

// "%X" of a code: upper-case hexadecimal without leading zeros.
std::string hexCode(unsigned code);

}  // namespace vestrel
