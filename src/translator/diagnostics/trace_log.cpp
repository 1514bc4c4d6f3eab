// Trace entries in the exact shapes the pass-2 log has always had.
#include "translator/diagnostics/trace_log.h"

#include <charconv>

namespace vestrel {

std::string hexCode(unsigned code) {
    char buffer[16];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, code, 16);
    (void)error;
    for (char* p = buffer; p != end; ++p)
        if (*p >= 'a' && *p <= 'f') *p = static_cast<char>(*p - 'a' + 'A');
    return std::string(buffer, end);
}

void TraceLog::writeRow(int row) {
    m_text += ',';
    m_text += std::to_string(row);
}

void TraceLog::writeRecord(unsigned code, std::string_view text) {
    m_text += "\n[";
    m_text += hexCode(code);
    m_text += "]\n ";
    m_text += text;
    m_text += "\n ";
}

void TraceLog::writeEndOfInput(unsigned code) {
    m_text += "\n[";
    m_text += hexCode(code);
    m_text += "]\n ";
}

void TraceLog::writeError(unsigned token, int row) {
    m_text += "\nError: [";
    m_text += hexCode(token);
    m_text += "] #";
    m_text += std::to_string(row);
    m_text += '\n';
}

}  // namespace vestrel
