// Chunking of bit groups at register boundaries, and the naming of consecutive variables.
#include "translator/algorithms/bit_chunks.h"

#include <algorithm>
#include <charconv>

#include "translator/algorithms/algorithm_framework.h"
#include "translator/generator/convert_table.h"
#include "translator/generator/frame.h"

namespace vestrel {

std::vector<BitChunk> bitChunks(std::initializer_list<TokenCode> groupStarts, int count) {
    std::vector<BitChunk> chunks;
    int offset = 0;
    for (int remaining = count; remaining >= 1;) {
        int length = remaining;
        for (TokenCode start : groupStarts)
            length = std::min(length, 8 - bitPosition(start + static_cast<TokenCode>(offset)));
        chunks.push_back({offset, length});
        offset += length;
        remaining -= length;
    }
    return chunks;
}

std::string registerOf(AlgorithmLine& line, TokenCode code) { return std::string(registeredNames(line.state(), code).name()); }

int constantWhole(const AlgorithmLine& line, int p) {
    const std::string text = line.constant(p);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return 0;
    // Counts and indexes are checked to small ranges; the clamp only keeps the arithmetic sound.
    return static_cast<int>(std::clamp<long long>(value, 0, 1'000'000));
}

}  // namespace vestrel
