// The long way of text::append for whole numbers.
#include "translator/text/append.h"

#include <charconv>

namespace vestrel::text {

namespace {
template <class Number>
void appendWithToChars(std::string& out, Number value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, static_cast<std::size_t>(end - digits));
}
}  // namespace

void appendDecimal(std::string& out, long long value) { appendWithToChars(out, value); }
void appendDecimal(std::string& out, unsigned long long value) { appendWithToChars(out, value); }

}  // namespace vestrel::text
