// The heap of a vestrelc process, made ready for one translation.
//
// A translation of a 400 KB program touches some 4 MB of fresh memory in a fresh process
// (6 MB when the IL is written). In small pages that is a thousand page faults, each
// several microseconds on a virtual machine: as long as the translation itself. So,
// before the source is read, the heap is grown once by a reserve sized from the source,
// the reserve is advised to the kernel as huge pages (transparent huge pages in
// "madvise" mode take only such memory), and malloc is told to keep the blocks of a run
// in that heap and not to give its top back. The memory is touched only as the run uses
// it: the peak grows by at most the unused part of the last huge page.
#include "cli/process_heap.h"

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#endif

namespace vestrel::cli {

#if defined(__linux__) && defined(__GLIBC__)
namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
// Below this a run touches too few pages for a zeroed huge page to be cheaper.
constexpr long long kSmallestSource = 32 << 10;
// What a run allocates, at most, per source byte (tokens, lines, the IL of 17 slots),
// and a floor for the tables every run has. What a run needs past the reserve comes in
// small pages, as without it.
constexpr std::size_t kReservePerSourceByte = 24;
constexpr std::size_t kReserveFloor = std::size_t{4} << 20;
// malloc takes no mmap threshold above 32 MB; blocks past the reserve are mapped (and
// given back when freed) as usual.
constexpr std::size_t kReserveCeiling = std::size_t{30} << 20;
constexpr std::size_t kThresholdMargin = std::size_t{64} << 10;

// The spacer, kept for the life of the process.
void* volatile heldBlock = nullptr;

std::uintptr_t alignUp(std::uintptr_t address) { return (address + kHugePage - 1) & ~(kHugePage - 1); }
std::uintptr_t alignDown(std::uintptr_t address) { return address & ~(kHugePage - 1); }

}  // namespace

void prepareHeapForSource(const std::string& path) {
    struct stat info {};
    const int got = path == "-" ? ::fstat(STDIN_FILENO, &info) : ::stat(path.c_str(), &info);
    if (got != 0 || !S_ISREG(info.st_mode) || info.st_size < kSmallestSource) return;
    const auto bytes = static_cast<unsigned long long>(info.st_size);
    const std::size_t reserve =
        bytes >= kReserveCeiling / kReservePerSourceByte
            ? kReserveCeiling
            : std::clamp(static_cast<std::size_t>(bytes) * kReservePerSourceByte + kReserveFloor / 2, kReserveFloor,
                         kReserveCeiling);

    // Blocks up to the reserve come from the heap; its top is not trimmed below twice the reserve.
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
    const std::uintptr_t start = alignUp(first + 64);
    heldBlock = std::malloc(start - first - 16);
    // The part of the reserve that holds whole huge pages, short of the header malloc keeps
    // at the reserve's end (already written, so in a small page).
    const std::uintptr_t stop = alignDown(first + reserve - 64);
    if (stop > start) (void)::madvise(reinterpret_cast<void*>(start), stop - start, MADV_HUGEPAGE);
}
#else
void prepareHeapForSource(const std::string&) {}
#endif

}  // namespace vestrel::cli
