// The combine rule of condition atoms.
#pragma once

#include <string_view>

namespace vestrel {

struct GeneratorState;

// Joins an atom's value to the accumulator of the current level: "; F(d-1) & X", or
// " | " after "или", appended to the slot's last line; nothing at depth 0.
void combineIntoAccumulator(GeneratorState& state, std::string_view value);

}  // namespace vestrel
