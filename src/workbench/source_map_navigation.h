// The source map of a program window's last translation, for navigation between an IL
// line and the Korvel line it was generated from, and whether edits have outdated it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "translator/run/translation.h"

namespace vestrel::workbench {

// Lines first..last (counted from 0) of the IL text of one slot.
struct IlLineRun {
    int slot = 0;
    int first = 0;
    int last = 0;
    bool operator==(const IlLineRun&) const = default;
};

class SourceMapNavigation {
public:
    // Takes the map of the texts a translation loaded into the output editors.
    void reset(const std::array<IlText, kSlotCount>& slots, const std::array<bool, kSlotCount>& present);
    // After an edit of the source or of an IL text: the lines no longer match.
    void markOutOfDate() { m_outOfDate = true; }

    // A translation has loaded texts, and nothing has been edited since.
    bool available() const { return m_loaded && !m_outOfDate; }
    bool loaded() const { return m_loaded; }
    bool outOfDate() const { return m_outOfDate; }

    // The Korvel line (from 1) that IL line `ilLine` (from 0) of the slot came from; none
    // for a line that no source line caused, or outside the texts.
    std::optional<int> sourceLineOf(int slot, int ilLine) const;
    // The first run of consecutive IL lines generated from Korvel line `sourceLine`, in the
    // first slot after `afterSlot` that holds any (going round to the first slot); none
    // when the line produced no IL.
    std::optional<IlLineRun> ilOf(int sourceLine, int afterSlot = -1) const;

private:
    std::optional<IlLineRun> runIn(int slot, std::uint32_t sourceLine) const;

    std::array<std::vector<std::uint32_t>, kSlotCount> m_lines;
    bool m_loaded = false;
    bool m_outOfDate = false;
};

}  // namespace vestrel::workbench
