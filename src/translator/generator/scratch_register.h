// The scratch registers F0, F1, ... of generated lines, as a piece of text::append.
#pragma once

#include <cstdint>
#include <string>

#include "translator/text/append.h"

namespace vestrel {

// "F" and the register's number: the accumulator of condition level n, or scratch.
struct F {
    std::int32_t n;
};
inline void appendPart(std::string& out, F f) { text::append(out, 'F', f.n); }

}  // namespace vestrel
