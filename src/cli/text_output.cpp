#include "cli/text_output.h"

namespace vestrel::cli {

void StandardOutput::write(std::string_view text) {
    if (m_tiedTo) std::fflush(m_tiedTo);
    if (!text.empty()) (void)std::fwrite(text.data(), 1, text.size(), m_stream);
}

bool StandardOutput::flush() { return std::fflush(m_stream) == 0 && !std::ferror(m_stream); }

}  // namespace vestrel::cli
