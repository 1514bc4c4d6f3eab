// Bit-group operations: set or clear a group, transfer a group into another, reduce a group
// to one bit, combine two groups into a third. A group that spans several registers is
// worked on chunk by chunk; every statement fragment of these lines ends with "; ".
#include <string>

#include "translator/algorithms/algorithm_framework.h"
#include "translator/algorithms/bit_chunks.h"
#include "translator/algorithms/templates.h"

namespace vestrel {

namespace {

// "вкл" as opposed to "откл".
bool isOn(const AlgorithmLine& line, int p) { return line.parameter(p).code == token::ValueOn; }

TokenCode codeOf(const AlgorithmLine& line, int p) { return line.parameter(p).code; }

// The source bits of a chunk in a scratch register: "F0 = R; F0 & M; ", or "F0 ~ R; ..." when
// the source is taken inverted.
void loadSourceChunk(AlgorithmLine& line, const std::string& scratch, TokenCode address, int length, bool asIs) {
    const std::string source = registerOf(line, address);
    line << scratch << (asIs ? " = " : " ~ ") << source << "; ";
    line << scratch << " & " << bitMask(bitPosition(address), length) << "; ";
}

// Moves the loaded chunk to the bit position of the destination chunk.
void alignSourceChunk(AlgorithmLine& line, const std::string& scratch, TokenCode address, TokenCode destination) {
    const BitAlignment align = bitAlignment(bitPosition(address), bitPosition(destination));
    line << scratch << " " << std::string(1, align.operation) << " " << align.factor << "; ";
}

// The chunk in F0 sets or clears the destination bits where it holds ones.
void storeChunk(AlgorithmLine& line, TokenCode destination, bool set) {
    if (set) {
        const std::string target = registerOf(line, destination);
        line << target << " | F0; ";
    } else {
        line << "~ F0; ";
        const std::string target = registerOf(line, destination);
        line << target << " & F0; ";
    }
}

// One statement on a part of a register: "R | M" to set, "R & 255-M" to clear.
void setOrClearPart(AlgorithmLine& line, TokenCode address, int start, int length, bool set) {
    const std::string target = registerOf(line, address);
    if (set) line << target << " | " << bitMask(start, length);
    else line << target << " & " << 255 - bitMask(start, length);
}

enum class Reduction { And, Or };

SyntaxMessage reduceGroup(AlgorithmLine& line, Reduction reduction) {
    const TokenCode source = codeOf(line, 1);
    const bool asIs = isOn(line, 4);
    switch (reduction) {
        case Reduction::And: line << "  F0 = 1; "; break;
        case Reduction::Or: line << "  F0 = 0; "; break;
    }
    for (const BitChunk& chunk : bitChunks({source}, constantWhole(line, 3))) {
        const TokenCode address = source + static_cast<TokenCode>(chunk.offset);
        loadSourceChunk(line, "F1", address, chunk.length, asIs);
        switch (reduction) {
            // A chunk with every bit set becomes 0 after the XOR, so "!" gives 1 exactly then.
            case Reduction::And:
                line << "F1 ^ " << bitMask(bitPosition(address), chunk.length) << "; " << "! F1; F0 & F1; ";
                break;
            case Reduction::Or: line << "! F1; ! F1; F0 | F1; "; break;
        }
    }
    const std::string result = line.registerOperand(2);
    const std::string weight = line.mask(2);
    if (isOn(line, 5)) line << "F0 * " << weight << "; " << result << " | F0; ";
    else line << "F0 * " << weight << "; ~F0; " << result << " & F0; ";
    return SyntaxMessage::None;
}

enum class Combination { And, Or };

SyntaxMessage combineGroups(AlgorithmLine& line, Combination combination) {
    const TokenCode first = codeOf(line, 1);
    const TokenCode second = codeOf(line, 2);
    const TokenCode destination = codeOf(line, 3);
    line << "  ";
    for (const BitChunk& chunk : bitChunks({first, second, destination}, constantWhole(line, 4))) {
        const auto offset = static_cast<TokenCode>(chunk.offset);
        loadSourceChunk(line, "F0", first + offset, chunk.length, isOn(line, 5));
        alignSourceChunk(line, "F0", first + offset, destination + offset);
        loadSourceChunk(line, "F1", second + offset, chunk.length, isOn(line, 6));
        alignSourceChunk(line, "F1", second + offset, destination + offset);
        switch (combination) {
            case Combination::And: line << "F0 & F1; "; break;
            case Combination::Or: line << "F0 | F1; "; break;
        }
        storeChunk(line, destination + offset, isOn(line, 7));
    }
    return SyntaxMessage::None;
}

}  // namespace

// Sets or clears n bits from p1: whole registers are written at once, partial ones masked.
SyntaxMessage Template130(AlgorithmLine& line) {
    const TokenCode first = codeOf(line, 1);
    const int count = constantWhole(line, 2);
    const bool set = isOn(line, 3);
    const int start = bitPosition(first);
    line << "  ";
    if (start + count < 8) {
        setOrClearPart(line, first, start, count, set);
        line << "; ";
        return SyntaxMessage::None;
    }
    int offset = 0;
    int remaining = count;
    if (start > 0) {
        setOrClearPart(line, first, start, 8 - start, set);
        line << "; ";
        remaining = start + count - 8;
        offset = 8;
    }
    for (; remaining >= 8; remaining -= 8, offset += 8) {
        const std::string target = registerOf(line, first + static_cast<TokenCode>(offset));
        line << target << (set ? " = 255" : " = 0") << "; ";
    }
    // The last partial register closes the line without a separator.
    if (remaining >= 1) setOrClearPart(line, first + static_cast<TokenCode>(offset), 0, remaining, set);
    return SyntaxMessage::None;
}

// Transfers p1 into p2: OR (p5 "вкл") or AND-NOT (p5 "откл") of the source, as is or inverted.
SyntaxMessage Template131(AlgorithmLine& line) {
    const TokenCode source = codeOf(line, 1);
    const TokenCode destination = codeOf(line, 2);
    line << "  ";
    for (const BitChunk& chunk : bitChunks({source, destination}, constantWhole(line, 3))) {
        const auto offset = static_cast<TokenCode>(chunk.offset);
        loadSourceChunk(line, "F0", source + offset, chunk.length, isOn(line, 4));
        alignSourceChunk(line, "F0", source + offset, destination + offset);
        storeChunk(line, destination + offset, isOn(line, 5));
    }
    return SyntaxMessage::None;
}

SyntaxMessage Template132(AlgorithmLine& line) { return reduceGroup(line, Reduction::And); }
SyntaxMessage Template133(AlgorithmLine& line) { return reduceGroup(line, Reduction::Or); }
SyntaxMessage Template134(AlgorithmLine& line) { return combineGroups(line, Combination::And); }
SyntaxMessage Template135(AlgorithmLine& line) { return combineGroups(line, Combination::Or); }

}  // namespace vestrel
