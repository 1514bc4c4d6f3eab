// The "%f" text of constants. A token file record is two lines, the code as "%X" and
// the text (or a constant's "%f" value); token_sequence.h keeps the tokens as values
// and makes that text on request; token_vocabulary.h names the codes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "translator/lexer/token_vocabulary.h"

namespace vestrel {

// "%f" of a value (six decimals, a point), independent of the process locale.
std::string formatFixed6(double value);
// The same into a buffer of kFixedTextCapacity bytes; returns the length.
inline constexpr std::size_t kFixedTextCapacity = 400;  // "%f" of the largest double needs 316
std::size_t formatFixed6Into(char* buffer, double value);

}  // namespace vestrel
