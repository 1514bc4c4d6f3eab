// The seventeen programs a run writes: slot 0 is the initialisation program, slot k
// (1..16) the program of block half k-1.
#pragma once

#include <array>

#include "translator/text/il_text.h"

namespace vestrel {

inline constexpr int kSlotCount = 17;
using SlotLists = std::array<IlText, kSlotCount>;

}  // namespace vestrel
