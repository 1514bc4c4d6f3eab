// Bit-group commands 0o130..0o135: chunking at register boundaries, masks, alignment
// factors and the order in which the registers are taken.
#include <gtest/gtest.h>

#include "translator/algorithms/algorithm_command_records.h"
#include "translator/algorithms/bit_chunks.h"

namespace vestrel {
namespace {
using testing::CommandResult;
using testing::off;
using testing::on;
using testing::ParameterValue;
using testing::translateCommand;
using testing::variable;

ParameterValue count(int n) { return testing::number(n); }

struct LineCase {
    const char* name;
    int index;  // octal
    std::vector<ParameterValue> values;
    std::string line;
};

void expectLines(const std::vector<LineCase>& cases) {
    for (const LineCase& c : cases) {
        const CommandResult result = translateCommand(c.index, c.values);
        EXPECT_TRUE(result.diagnostics.empty()) << c.name;
        EXPECT_EQ(result.lines, std::vector<std::string>{c.line}) << c.name;
    }
}

TEST(BitChunks, SplitWhereAnyGroupCrossesARegisterBoundary) {
    struct Case {
        std::initializer_list<TokenCode> starts;
        int count;
        std::vector<std::pair<int, int>> chunks;  // offset, length
    };
    const Case cases[] = {
        {{0x3005}, 2, {{0, 2}}},
        {{0x3005}, 3, {{0, 3}}},                            // ends exactly at the boundary: no empty chunk
        {{0x3005}, 12, {{0, 3}, {3, 8}, {11, 1}}},
        {{0x1005, 0x3002}, 6, {{0, 3}, {3, 3}}},
        {{0x3001, 0x1003, 0x3012}, 7, {{0, 5}, {5, 1}, {6, 1}}},
        {{0x3000, 0x3008}, 16, {{0, 8}, {8, 8}}},
        {{0x3000}, 0, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<int, int>> chunks;
        for (const BitChunk& chunk : bitChunks(c.starts, c.count)) chunks.emplace_back(chunk.offset, chunk.length);
        EXPECT_EQ(chunks, c.chunks) << std::hex << *c.starts.begin() << std::dec << " n=" << c.count;
    }
}

TEST(BitChunks, MasksAndAlignment) {
    EXPECT_EQ(bitMask(5, 2), 96);
    EXPECT_EQ(bitMask(0, 8), 255);
    EXPECT_EQ(bitMask(7, 1), 128);
    EXPECT_EQ(bitMask(3, 5), 248);
    EXPECT_EQ(bitPosition(0x304D), 5);
    EXPECT_EQ(bitPosition(0x6025), 5);
    const BitAlignment down = bitAlignment(5, 2);
    EXPECT_EQ(down.operation, '/');
    EXPECT_EQ(down.factor, 8);
    const BitAlignment same = bitAlignment(4, 4);
    EXPECT_EQ(same.operation, '*');
    EXPECT_EQ(same.factor, 1);
    const BitAlignment up = bitAlignment(0, 7);
    EXPECT_EQ(up.operation, '*');
    EXPECT_EQ(up.factor, 128);
}

// Q0 and Q1 are the block and section keys; the command's registers follow in the order
// their names are written.
TEST(Template130, SetsOrClearsPartsAndWholeRegisters) {
    expectLines({
        {"bit 5, n 2, clear", 0130, {variable(0x3005), count(2), off()}, "  Q2 & 159; "},
        {"bit 2, n 3, set", 0130, {variable(0x3002), count(3), on()}, "  Q2 | 28; "},
        {"bit 0, n 3, clear", 0130, {variable(0x3000), count(3), off()}, "  Q2 & 248; "},
        {"bit 0, n 16, set", 0130, {variable(0x3008), count(16), on()}, "  Q2 = 255; Q3 = 255; "},
        {"bit 3, n 13, set", 0130, {variable(0x300B), count(13), on()}, "  Q2 | 248; Q3 = 255; "},
        {"bit 3, n 13, clear", 0130, {variable(0x300B), count(13), off()}, "  Q2 & 7; Q3 = 0; "},
        {"bit 3, n 5 ends at the boundary", 0130, {variable(0x3003), count(5), on()}, "  Q2 | 248; "},
        {"bit 7, n 1", 0130, {variable(0x3007), count(1), off()}, "  Q2 & 127; "},
        {"bit 0, n 8", 0130, {variable(0x3000), count(8), off()}, "  Q2 = 0; "},
        {"bit 0, n 10: last part has no separator", 0130, {variable(0x3000), count(10), off()}, "  Q2 = 0; Q3 & 252"},
        {"bit 6, n 12", 0130, {variable(0x3006), count(12), on()}, "  Q2 | 192; Q3 = 255; Q4 | 3"},
        {"block keys share Q0", 0130, {variable(0x5002), count(3), on()}, "  Q0 | 28; "},
        {"timers", 0130, {variable(0x7016), count(4), off()}, "  Q2 & 63; Q3 & 252"},
    });
}

TEST(Template130, DeclaresTheRegistersOfTheGroup) {
    const CommandResult result = translateCommand(0130, {variable(0x307D), count(5), on()});
    EXPECT_EQ(result.lines, std::vector<std::string>{"  Q2 | 224; Q3 | 3"});
    EXPECT_EQ(result.declarations, (std::vector<std::string>{"Q0 KB_-lm00-0000 In ", "Q1 KS_-lm00-0000 In ",
                                                             "Q2 DO_-lm01-0007 In ", "Q3 DO_-lm02-0000 In "}));
}

TEST(Template131, TransfersChunksAlignedToTheDestination) {
    expectLines({
        {"same position: factor 1", 0131, {variable(0x3001), variable(0x3021), count(3), on(), on()},
         "  F0 = Q2; F0 & 14; F0 * 1; Q3 | F0; "},
        {"inverted source, clear, two chunks", 0131, {variable(0x1005), variable(0x3002), count(6), off(), off()},
         "  F0 ~ I2; F0 & 224; F0 / 8; ~ F0; Q3 & F0; F0 ~ I4; F0 & 7; F0 * 32; ~ F0; Q3 & F0; "},
        {"ends at a register boundary", 0131, {variable(0x3004), variable(0x300C), count(4), on(), on()},
         "  F0 = Q2; F0 & 240; F0 * 1; Q3 | F0; "},
        {"a whole register after the boundary, the groups sharing one register", 0131,
         {variable(0x3004), variable(0x300C), count(12), on(), on()},
         "  F0 = Q2; F0 & 240; F0 * 1; Q3 | F0; F0 = Q3; F0 & 255; F0 * 1; Q4 | F0; "},
    });
}

TEST(Template132And133, ReduceAGroupIntoOneBit) {
    expectLines({
        {"AND over two registers, set", 0132, {variable(0x1006), variable(0x3009), count(4), on(), on()},
         "  F0 = 1; F1 = I2; F1 & 192; F1 ^ 192; ! F1; F0 & F1; F1 = I3; F1 & 3; F1 ^ 3; ! F1; F0 & F1; F0 * 2; "
         "Q4 | F0; "},
        {"OR of an inverted group, clear", 0133, {variable(0x1000), variable(0x3007), count(3), off(), off()},
         "  F0 = 0; F1 ~ I2; F1 & 7; ! F1; ! F1; F0 | F1; F0 * 128; ~F0; Q3 & F0; "},
        {"result bit in the source's register", 0133, {variable(0x3000), variable(0x3007), count(7), on(), on()},
         "  F0 = 0; F1 = Q2; F1 & 127; ! F1; ! F1; F0 | F1; F0 * 128; Q2 | F0; "},
    });
}

TEST(Template134And135, CombineTwoGroupsChunkByChunk) {
    expectLines({
        {"AND, three groups at different positions", 0134,
         {variable(0x3001), variable(0x1003), variable(0x3012), count(7), on(), off(), on()},
         "  F0 = Q2; F0 & 62; F0 * 2; F1 ~ I3; F1 & 248; F1 / 2; F0 & F1; Q4 | F0; "
         "F0 = Q2; F0 & 64; F0 * 2; F1 ~ I5; F1 & 1; F1 * 128; F0 & F1; Q4 | F0; "
         "F0 = Q2; F0 & 128; F0 / 128; F1 ~ I5; F1 & 2; F1 / 2; F0 & F1; Q6 | F0; "},
        {"OR, clear", 0135, {variable(0x3000), variable(0x3008), variable(0x3010), count(2), on(), on(), off()},
         "  F0 = Q2; F0 & 3; F0 * 1; F1 = Q3; F1 & 3; F1 * 1; F0 | F1; ~ F0; Q4 & F0; "},
    });
}

}  // namespace
}  // namespace vestrel
