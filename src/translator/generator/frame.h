// The frame of the block programs: which slot a section goes to, the block-key and
// section-key tests, the labels that end sections, and the closing of a block program.
#pragma once

#include <string>

#include "translator/lexer/token_file.h"

namespace vestrel {

struct GeneratorState;
class OperandNameSet;

// The slot of a section: (SectionCode div 16) + 1.
constexpr int slotOfSection(unsigned sectionCode) { return static_cast<int>(sectionCode / 16) + 1; }

// Closes block program c (or ends slot 0 when c is 0).
void CloseSlot(GeneratorState& state, int slot);

// Registers a code and asks for its names. When the names cannot be had the line is
// still written (with empty names), and the shortage is shown for the key registers
// whose lookup shows nothing by itself.
OperandNameSet registeredNames(GeneratorState& state, TokenCode code);

}  // namespace vestrel
