// Where a key first stands in a register list, found without a search. The 16-bit keys
// are split by their high byte into pages of 256 made as keys arrive: a run's keys fall
// in a few pages, where one table over all 65,536 keys would be 128 KB to clear (and, in
// a fresh process, to fault in) before any work.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

namespace vestrel {

class RegisterKeyIndex {
public:
    // The index stored for the key, -1 when none (a key past 16 bits is never stored).
    int find(std::uint32_t key) const {
        if (key > 0xFFFF) return -1;
        const Page* page = m_pages[key >> 8].get();
        return page ? (*page)[key & 0xFF] : -1;
    }
    // Stores the index unless the key already has one.
    void insertFirst(std::uint32_t key, int index) {
        if (key > 0xFFFF) return;
        std::unique_ptr<Page>& page = m_pages[key >> 8];
        if (!page) {
            page = std::make_unique<Page>();
            page->fill(-1);
        }
        std::int16_t& cell = (*page)[key & 0xFF];
        if (cell < 0) cell = static_cast<std::int16_t>(index);
    }
    void clear() {
        for (const std::unique_ptr<Page>& page : m_pages)
            if (page) page->fill(-1);
    }

private:
    using Page = std::array<std::int16_t, 256>;
    std::array<std::unique_ptr<Page>, 256> m_pages;
};

}  // namespace vestrel
