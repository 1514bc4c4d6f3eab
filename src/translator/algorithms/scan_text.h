// Reading numbers out of token texts the way the C scanf family reads them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace vestrel {

// Matches text against a pattern of literal characters and "%d" fields; stops at the
// first mismatch. Fields that were not reached keep their values. Returns the number
// of fields read.
int scanIntegers(std::string_view text, std::string_view pattern, std::initializer_list<std::int32_t*> fields);

// "%d" of the start of a text: "12.500000" -> 12; no digits -> 0.
std::int32_t leadingInteger(std::string_view text);

}  // namespace vestrel
