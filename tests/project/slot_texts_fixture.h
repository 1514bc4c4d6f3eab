// A scratch folder and the seventeen slot texts a test hands to the project writer.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "project/il_project.h"
#include "support/scratch_dir.h"

namespace vestrel::project {

class SlotTextsFixture : public testing::ScratchDir {
protected:
    std::array<std::vector<std::string>, kSlotCount> slots{};
    std::array<bool, kSlotCount> present{};

    // The slot receives these lines and counts as a program with text.
    void give(int slot, std::vector<std::string> lines) {
        slots[static_cast<std::size_t>(slot)] = std::move(lines);
        present[static_cast<std::size_t>(slot)] = true;
    }
};

}  // namespace vestrel::project
