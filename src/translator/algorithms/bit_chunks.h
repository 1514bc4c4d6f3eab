// Bit addresses of discrete variables and the chunks a bit group splits into: the
// arithmetic shared by the bit-group templates and the indexed transfers.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "translator/lexer/token_file.h"

namespace vestrel {

class AlgorithmLine;

// Discrete variables are packed eight to a register: the bit address of the i-th bit of a
// group starting at variable v is code(v) + i, and its position in the register is its
// number mod 8.
constexpr int bitPosition(TokenCode address) { return static_cast<int>((address & 0xFFFu) % 8u); }

// M(s, k): the k bits from bit s upward, for 0 <= s, 1 <= k, s + k <= 8.
constexpr int bitMask(int start, int length) { return ((1 << length) - 1) << start; }

// One piece of a group operation that lies within a single register of every group taking
// part: the bits offset .. offset + length - 1 of each group.
struct BitChunk {
    int offset = 0;
    int length = 0;
};

// Splits count bits into chunks; groupStarts are the first bit addresses of every source
// and of the destination, which all advance together.
std::vector<BitChunk> bitChunks(std::initializer_list<TokenCode> groupStarts, int count);

// How a source chunk at one position is moved to the destination position: divided by
// 2^d when the source stands d >= 1 bits higher, otherwise multiplied by 2^-d (d = 0 gives
// the factor 1).
struct BitAlignment {
    char operation = '*';  // '/' or '*'
    int factor = 1;
};
constexpr BitAlignment bitAlignment(int sourcePosition, int destinationPosition) {
    const int shift = sourcePosition - destinationPosition;
    if (shift >= 1) return {'/', 1 << shift};
    return {'*', 1 << -shift};
}

// The register name of a variable code (a bit address or an analog variable), registered
// and named at this point, so register numbers follow the order the names are written in.
std::string registerOf(AlgorithmLine& line, TokenCode code);

// A count or an index given as a constant parameter p, as a whole number (its ConstantText).
int constantWhole(const AlgorithmLine& line, int p);

}  // namespace vestrel
