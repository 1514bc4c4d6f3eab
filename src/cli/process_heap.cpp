// The memory of a vestrelc process, made ready for one translation. Linked into the
// vestrelc executable alone: it replaces the global operator new and delete, which the
// tests, the workbench and the language server keep as the library has them.
//
// A translation of a 400 KB program touches some 4 MB of fresh memory in a fresh process
// (6 MB when the IL is written). In small pages that is a thousand page faults, each
// several microseconds on a virtual machine: as long as the translation itself. Huge
// pages (2 MB, taken by transparent huge pages in "madvise" mode only where advised) cost
// one fault each. So, before the source is read:
// - the heap is grown once by a reserve sized from the source, advised as huge pages,
//   and malloc keeps its top (it is not trimmed). Blocks under 1 MB come from it;
// - a block of 1 MB or more (the token store, a growing vector) gets its own mapping,
//   given back when it is freed, as malloc gives back its mapped blocks (in the heap, a
//   vector that grows by doubling would leave each smaller copy behind, and the peak
//   would grow by as much again). Its first 64 KB are small pages and the rest huge
//   ones: a block reserved large and barely used (a slot's text room) stays small.
// Memory is touched only as the run uses it: the peak grows by at most the unused part
// of the last huge page of the heap and of each large block used past 64 KB.
#include "cli/process_heap.h"

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>
#include <type_traits>
#endif

namespace vestrel::cli {

#if defined(__linux__) && defined(__GLIBC__)
namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
constexpr std::uintptr_t kSmallPage = 4096;
// Below this a run touches too few pages for a zeroed huge page to be cheaper.
constexpr long long kSmallestSource = 32 << 10;
// Above this the run's own work far outweighs its page faults, while a huge page rounds a
// block of a long line up by as much as 2 MB: the memory bound matters more there.
constexpr long long kLargestSource = 1 << 20;
// What a run allocates, at most, per source byte (tokens, lines, the IL of 17 slots),
// and a floor for the tables every run has. What a run needs past the reserve comes in
// small pages, as without it.
constexpr std::size_t kReservePerSourceByte = 24;
constexpr std::size_t kReserveFloor = std::size_t{4} << 20;
// malloc takes no mmap threshold above 32 MB.
constexpr std::size_t kReserveCeiling = std::size_t{30} << 20;
constexpr std::size_t kThresholdMargin = std::size_t{64} << 10;
// From this size on a block has a mapping of its own (malloc maps such a block too).
constexpr std::size_t kLargeBlock = std::size_t{1} << 20;
constexpr std::uintptr_t kSmallPrefix = std::uintptr_t{64} << 10;
constexpr std::size_t kLargeBlockSlots = 64;

std::uintptr_t alignUp(std::uintptr_t address, std::uintptr_t unit) { return (address + unit - 1) & ~(unit - 1); }
std::uintptr_t alignDown(std::uintptr_t address, std::uintptr_t unit) { return address & ~(unit - 1); }

// The spacer, kept for the life of the process.
void* volatile heldBlock = nullptr;

// The large blocks now mapped: their start (kSmallPrefix short of a huge-page boundary)
// and length. A full table sends further large blocks to malloc.
class LargeBlocks {
public:
    void enable() { m_enabled = true; }

    void* take(std::size_t size) {
        if (!m_enabled || size < kLargeBlock) return nullptr;
        const std::size_t length = alignUp(size, kSmallPage);
        const std::lock_guard<std::mutex> guard(m_mutex);
        Slot* free = std::find_if(m_slots.begin(), m_slots.end(), [](const Slot& slot) { return slot.start == 0; });
        if (free == m_slots.end()) return nullptr;
        // Placed so that a huge-page boundary lies kSmallPrefix into the block; the parts
        // of the mapping before and after the block are given back at once.
        void* mapped = ::mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED) return nullptr;
        const auto base = reinterpret_cast<std::uintptr_t>(mapped);
        const std::uintptr_t start = alignUp(base + kSmallPrefix, kHugePage) - kSmallPrefix;
        const std::uintptr_t end = start + length;
        if (start > base) (void)::munmap(mapped, start - base);
        if (base + length + kHugePage > end) (void)::munmap(reinterpret_cast<void*>(end), base + length + kHugePage - end);
        const std::uintptr_t hugeEnd = alignDown(end, kHugePage);
        if (hugeEnd > start + kSmallPrefix)
            (void)::madvise(reinterpret_cast<void*>(start + kSmallPrefix), hugeEnd - start - kSmallPrefix, MADV_HUGEPAGE);
        *free = {start, length};
        return reinterpret_cast<void*>(start);
    }

    // Whether the block was one of these (then it is unmapped).
    bool give(void* block) {
        const auto start = reinterpret_cast<std::uintptr_t>(block);
        if (start == 0 || ((start + kSmallPrefix) & (kHugePage - 1)) != 0) return false;
        const std::lock_guard<std::mutex> guard(m_mutex);
        for (Slot& slot : m_slots)
            if (slot.start == start) {
                (void)::munmap(block, slot.length);
                slot = {};
                return true;
            }
        return false;
    }

private:
    struct Slot {
        std::uintptr_t start = 0;
        std::size_t length = 0;
    };
    bool m_enabled = false;
    std::mutex m_mutex;
    std::array<Slot, kLargeBlockSlots> m_slots{};
};

// Constant-initialised and never destroyed: usable by an operator new or delete called
// before any constructor has run or after the last destructor.
constinit LargeBlocks largeBlocks;
static_assert(std::is_trivially_destructible_v<LargeBlocks>);

}  // namespace

void prepareHeapForSource(const std::string& path) {
    struct stat info {};
    const int got = path == "-" ? ::fstat(STDIN_FILENO, &info) : ::stat(path.c_str(), &info);
    if (got != 0 || !S_ISREG(info.st_mode) || info.st_size < kSmallestSource ||
        info.st_size > kLargestSource)
        return;
    const auto bytes = static_cast<unsigned long long>(info.st_size);
    const std::size_t reserve =
        bytes >= kReserveCeiling / kReservePerSourceByte
            ? kReserveCeiling
            : std::clamp(static_cast<std::size_t>(bytes) * kReservePerSourceByte + kReserveFloor / 2, kReserveFloor,
                         kReserveCeiling);

    // The reserve itself comes from the heap, whose top is then not trimmed below twice the reserve.
    if (::mallopt(M_MMAP_THRESHOLD, static_cast<int>(reserve + kThresholdMargin)) == 0) return;
    (void)::mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * reserve));

    // The reserve grows the heap (one brk); it is handed back to malloc's top at once.
    // (Both blocks are kept in a volatile, or the compiler drops a block nobody reads.)
    heldBlock = std::malloc(reserve);
    if (heldBlock == nullptr) return;
    const auto first = reinterpret_cast<std::uintptr_t>(heldBlock);
    std::free(heldBlock);
    // The blocks of the run are carved from the top upwards: a spacer, kept for the life of
    // the process and never touched, takes the part below the first huge-page boundary, so
    // the run starts on it. malloc writes its header words just below that boundary, in a
    // small page.
    const std::uintptr_t start = alignUp(first + 64, kHugePage);
    heldBlock = std::malloc(start - first - 16);
    // The part of the reserve that holds whole huge pages, short of the header malloc keeps
    // at the reserve's end (already written, so in a small page).
    const std::uintptr_t stop = alignDown(first + reserve - 64, kHugePage);
    if (stop > start) (void)::madvise(reinterpret_cast<void*>(start), stop - start, MADV_HUGEPAGE);
    // Large blocks are mapped, by operator new below or (from C code) by malloc.
    (void)::mallopt(M_MMAP_THRESHOLD, static_cast<int>(kLargeBlock));
    largeBlocks.enable();
}

}  // namespace vestrel::cli

// The replaceable global allocation functions; the array, sized and nothrow forms of the
// library call these. A null return of malloc runs the new-handler, as the library's does.
void* operator new(std::size_t size) {
    if (void* block = vestrel::cli::largeBlocks.take(size)) return block;
    for (;;) {
        if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
        const std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) throw std::bad_alloc();
        handler();
    }
}

void operator delete(void* block) noexcept {
    if (!vestrel::cli::largeBlocks.give(block)) std::free(block);
}

void operator delete(void* block, std::size_t) noexcept { ::operator delete(block); }

#else
void prepareHeapForSource(const std::string&) {}

}  // namespace vestrel::cli
#endif
