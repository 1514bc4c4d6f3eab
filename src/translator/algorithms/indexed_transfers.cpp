// Indexed transfers and the selector: a group chosen by an index is copied between a
// group and an array of groups. A constant index gives the one copy; a variable index
// gives one IF block per possible value, so the choice is made at run time.
#include <string>

#include "translator/algorithms/algorithm_framework.h"
#include "translator/algorithms/bit_chunks.h"
#include "translator/algorithms/templates.h"

namespace vestrel {

namespace {

TokenCode codeOf(const AlgorithmLine& line, int p) { return line.parameter(p).code; }

// Which side of an indexed copy is the array of groups.
enum class ArraySide { Source, Destination };

// F2 becomes 255 when the copied bits are to be inverted, else 0: p6 is "вкл", "откл" or a
// bit variable whose bit decides.
void writeInversionMask(AlgorithmLine& line) {
    const TokenCode inversion = codeOf(line, 6);
    if (isSwitchValue(inversion)) {
        line << (inversion == token::ValueOn ? "  F2 = 1" : "  F2 = 0");
    } else {
        const std::string name = line.registerOperand(6);
        const std::string mask = line.mask(6);
        line << "  F2 = " << name << "; F2 & " << mask << "; F2 / " << mask;
    }
    line << "; F2 * 255";
}

// Copies count bits from bit address source to bit address destination, chunk by chunk;
// the destination bits are replaced by the source bits XOR F2.
void writeBitCopy(AlgorithmLine& line, TokenCode source, TokenCode destination, int count) {
    for (const BitChunk& chunk : bitChunks({source, destination}, count)) {
        const TokenCode from = source + static_cast<TokenCode>(chunk.offset);
        const TokenCode to = destination + static_cast<TokenCode>(chunk.offset);
        const std::string fromName = registerOf(line, from);
        line << "; F0 = " << fromName << "; F0 ^ F2";
        line << "; F0 & " << bitMask(bitPosition(from), chunk.length);
        const BitAlignment align = bitAlignment(bitPosition(from), bitPosition(to));
        line << "; F0 " << std::string(1, align.operation) << " " << align.factor;
        const std::string toName = registerOf(line, to);
        line << "; " << toName << " & " << 255 - bitMask(bitPosition(to), chunk.length);
        line << "; " << toName << " | F0";
    }
}

SyntaxMessage indexedBitCopy(AlgorithmLine& line, ArraySide array) {
    writeInversionMask(line);
    const int groupSize = constantWhole(line, 3);
    const int groups = constantWhole(line, 4);
    // Group `group` (0-based) of the array against the plain group on the other side.
    auto copyGroup = [&](int group) {
        const auto arrayOffset = static_cast<TokenCode>(groupSize * group);
        switch (array) {
            case ArraySide::Source:
                writeBitCopy(line, codeOf(line, 1) + arrayOffset, codeOf(line, 2), groupSize);
                break;
            case ArraySide::Destination:
                writeBitCopy(line, codeOf(line, 1), codeOf(line, 2) + arrayOffset, groupSize);
                break;
        }
    };
    if (line.isConstant(5)) {
        const int index = constantWhole(line, 5);
        // Raised after the inversion mask was written: that part of the line stays.
        if (index < 1 || index > groups) return SyntaxMessage::FifthParameterOutOfRange;
        copyGroup(index - 1);
        return SyntaxMessage::None;
    }
    for (int group = 0; group < groups; ++group) {
        const std::string index = line.registerOperand(5);
        line << "; IF; " << index << " == " << group + 1 << "; THEN";
        copyGroup(group);
        line << "; END_IF";
    }
    return SyntaxMessage::None;
}

SyntaxMessage indexedAnalogCopy(AlgorithmLine& line, ArraySide array) {
    if (line.isConstant(1)) return SyntaxMessage::ParameterNotAnalogVariable;
    const int groupSize = constantWhole(line, 3);
    const int groups = constantWhole(line, 4);
    const bool negated = line.isNegative(1);
    // Element j of group `group` (1-based): the destination is named before the source.
    auto copyElement = [&](int group, int j) {
        const auto arrayOffset = static_cast<TokenCode>(groupSize * (group - 1) + j);
        const auto plainOffset = static_cast<TokenCode>(j);
        TokenCode source = 0;
        TokenCode destination = 0;
        switch (array) {
            case ArraySide::Source:
                source = codeOf(line, 1) + arrayOffset;
                destination = codeOf(line, 2) + plainOffset;
                break;
            case ArraySide::Destination:
                source = codeOf(line, 1) + plainOffset;
                destination = codeOf(line, 2) + arrayOffset;
                break;
        }
        const std::string target = registerOf(line, destination);
        const std::string value = registerOf(line, source);
        line << target << (negated ? " CHGSIGN " : " = ") << value;
    };
    line << "  ";
    if (line.isConstant(5)) {
        const int index = constantWhole(line, 5);
        // An index outside the array copies nothing and is not reported.
        if (index < 1 || index > groups) return SyntaxMessage::None;
        for (int j = 0; j < groupSize; ++j) {
            copyElement(index, j);
            line << "; ";
        }
        return SyntaxMessage::None;
    }
    for (int group = 1; group <= groups; ++group) {
        const std::string index = line.registerOperand(5);
        line << "IF; " << index << " == " << group << "; THEN";
        for (int j = 0; j < groupSize; ++j) {
            line << "; ";
            copyElement(group, j);
        }
        line << "; END_IF; ";
    }
    return SyntaxMessage::None;
}

}  // namespace

SyntaxMessage Template100(AlgorithmLine& line) { return indexedBitCopy(line, ArraySide::Source); }
SyntaxMessage Template102(AlgorithmLine& line) { return indexedBitCopy(line, ArraySide::Destination); }
SyntaxMessage Template101(AlgorithmLine& line) { return indexedAnalogCopy(line, ArraySide::Destination); }
SyntaxMessage Template103(AlgorithmLine& line) { return indexedAnalogCopy(line, ArraySide::Source); }

// Selector: p9 receives the one of p1..p8 that the index p10 names.
SyntaxMessage Template104(AlgorithmLine& line) {
    constexpr int kValues = 8;
    constexpr int kResult = 9;
    constexpr int kIndex = 10;
    line << "  ";
    if (line.isConstant(kIndex)) {
        const int index = constantWhole(line, kIndex);
        if (index < 1 || index > kValues) return SyntaxMessage::None;
        const std::string target = line.registerOperand(kResult);
        line << target;
        line.signedOperand(" = ", " CHGSIGN ", index);
        return SyntaxMessage::None;
    }
    for (int k = 1; k <= kValues; ++k) {
        const std::string index = line.registerOperand(kIndex);
        line << "IF; " << index << " == " << k << "; THEN";
        const std::string target = line.registerOperand(kResult);
        line << "; " << target;
        line.signedOperand(" = ", " CHGSIGN ", k);
        line << "; END_IF; ";
    }
    return SyntaxMessage::None;
}

}  // namespace vestrel
