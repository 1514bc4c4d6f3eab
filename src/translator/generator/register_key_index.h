// Where a key first stands in a register list (254 or 256 entries), found without a
// search. An open-addressed table four times the list: 4 KB, where a table over all
// 65,536 keys would be 128 KB a run must clear (and, in a fresh process, fault in).
#pragma once

#include <array>
#include <cstdint>

namespace vestrel {

class RegisterKeyIndex {
public:
    RegisterKeyIndex() { clear(); }

    // The index stored for the key, -1 when none (a key past 16 bits is never stored).
    int find(std::uint32_t key) const {
        if (key > 0xFFFF) return -1;
        for (std::uint32_t at = home(key);; at = (at + 1) & kMask) {
            const Cell& cell = m_cells[at];
            if (cell.index < 0) return -1;
            if (cell.key == key) return cell.index;
        }
    }
    // Stores the index unless the key already has one; the table holds far more cells than
    // any list has entries, so there is always an empty one.
    void insertFirst(std::uint32_t key, int index) {
        if (key > 0xFFFF) return;
        for (std::uint32_t at = home(key);; at = (at + 1) & kMask) {
            Cell& cell = m_cells[at];
            if (cell.index < 0) {
                cell = {static_cast<std::uint16_t>(key), static_cast<std::int16_t>(index)};
                return;
            }
            if (cell.key == key) return;
        }
    }
    void clear() { m_cells.fill(Cell{}); }

private:
    struct Cell {
        std::uint16_t key = 0;
        std::int16_t index = -1;
    };
    static constexpr std::uint32_t kCells = 1024;  // at least four times the longest list
    static constexpr std::uint32_t kMask = kCells - 1;
    static std::uint32_t home(std::uint32_t key) { return (key * 0x9E3779B1u) >> 22; }
    std::array<Cell, kCells> m_cells;
};

}  // namespace vestrel
