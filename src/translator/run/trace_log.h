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
    void row(int row);
    // "\n[%X]\n %s\n " for a record read or a line opened.
    void record(unsigned code, std::string_view text);
    // "\n[%X]\n " at the end of input.
    void endOfInput(unsigned code);
    // "\nError: [%X] #%d\n" where the engine stopped.
    void error(unsigned token, int row);

    const std::string& text() const { return m_text; }
    std::string release() { return std::move(m_text); }

private:
    bool m_enabled;
    std::string m_text;
};

// "%X" of a code: upper-case hexadecimal without leading zeros.
std::string hexCode(unsigned code);

}  // namespace vestrel
