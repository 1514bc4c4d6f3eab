// Slot 0, the initialisation program: its fixed head, and the section-key registers
// the program used, inserted after the last token.
#pragma once

namespace vestrel {

struct GeneratorState;

// Appends the fixed head to slot 0 at the start of pass 2.
void WriteInitialisationHead(GeneratorState& state);
// Declares and resets the section-key registers used, except the first one.
void InsertSectionKeys(GeneratorState& state);

}  // namespace vestrel
