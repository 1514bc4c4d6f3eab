// A tiny scanf: literal characters and "%d" fields.
#include "translator/algorithms/scan_text.h"

#include <limits>

namespace vestrel {

namespace {
// Reads "%d" at position i; false when no digit follows the optional blanks and sign.
bool readInteger(std::string_view text, std::size_t& i, std::int32_t& value) {
    std::size_t p = i;
    while (p < text.size() && (text[p] == ' ' || text[p] == '\t' || text[p] == '\n')) ++p;
    bool negative = false;
    if (p < text.size() && (text[p] == '-' || text[p] == '+')) negative = text[p++] == '-';
    if (p >= text.size() || text[p] < '0' || text[p] > '9') return false;
    std::int64_t v = 0;
    for (; p < text.size() && text[p] >= '0' && text[p] <= '9'; ++p)
        if (v <= std::numeric_limits<std::int32_t>::max()) v = v * 10 + (text[p] - '0');
    if (v > std::numeric_limits<std::int32_t>::max()) v = std::numeric_limits<std::int32_t>::max();
    value = static_cast<std::int32_t>(negative ? -v : v);
    i = p;
    return true;
}
}  // namespace

int scanIntegers(std::string_view text, std::string_view pattern, std::initializer_list<std::int32_t*> fields) {
    auto field = fields.begin();
    std::size_t i = 0;
    int read = 0;
    for (std::size_t k = 0; k < pattern.size(); ++k) {
        if (pattern[k] == '%' && k + 1 < pattern.size() && pattern[k + 1] == 'd') {
            if (field == fields.end()) break;
            std::int32_t value = 0;
            if (!readInteger(text, i, value)) break;
            **field++ = value;
            ++read;
            ++k;
        } else {
            if (i >= text.size() || text[i] != pattern[k]) break;
            ++i;
        }
    }
    return read;
}

std::int32_t leadingInteger(std::string_view text) {
    std::int32_t value = 0;
    std::size_t i = 0;
    readInteger(text, i, value);
    return value;
}

}  // namespace vestrel
