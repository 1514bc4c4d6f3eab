// Looking up the source map in both directions.
#include "workbench/source_map_navigation.h"

#include <algorithm>

namespace vestrel::workbench {

void SourceMapNavigation::reset(const std::array<IlText, kSlotCount>& slots,
                                const std::array<bool, kSlotCount>& present) {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        if (present[slot])
            m_lines[slot] = slots[slot].sourceLines();
        else
            m_lines[slot].clear();
    }
    m_loaded = true;
    m_outOfDate = false;
}

std::optional<int> SourceMapNavigation::sourceLineOf(int slot, int ilLine) const {
    if (slot < 0 || slot >= kSlotCount || ilLine < 0) return std::nullopt;
    const std::vector<std::uint32_t>& lines = m_lines[static_cast<std::size_t>(slot)];
    if (static_cast<std::size_t>(ilLine) >= lines.size()) return std::nullopt;
    const std::uint32_t line = lines[static_cast<std::size_t>(ilLine)];
    if (line == IlText::kNoSourceLine) return std::nullopt;
    return static_cast<int>(line);
}

std::optional<IlLineRun> SourceMapNavigation::runIn(int slot, std::uint32_t sourceLine) const {
    const std::vector<std::uint32_t>& lines = m_lines[static_cast<std::size_t>(slot)];
    const auto first = std::find(lines.begin(), lines.end(), sourceLine);
    if (first == lines.end()) return std::nullopt;
    const auto end = std::find_if(first, lines.end(), [&](std::uint32_t line) { return line != sourceLine; });
    return IlLineRun{slot, static_cast<int>(first - lines.begin()), static_cast<int>(end - lines.begin()) - 1};
}

std::optional<IlLineRun> SourceMapNavigation::ilOf(int sourceLine, int afterSlot) const {
    if (sourceLine < 1) return std::nullopt;
    const int start = std::clamp(afterSlot + 1, 0, kSlotCount);
    for (int step = 0; step < kSlotCount; ++step) {
        const int slot = (start + step) % kSlotCount;
        if (const std::optional<IlLineRun> run = runIn(slot, static_cast<std::uint32_t>(sourceLine))) return run;
    }
    return std::nullopt;
}

}  // namespace vestrel::workbench
