// The index of a register list's keys: the first index of a key wins, keys that share a
// high or a low byte stay apart, a cleared index forgets everything, and a key past 16
// bits is never found (the keys of the lists are 16 bits).
#include <gtest/gtest.h>

#include <cstdint>

#include "translator/generator/register_key_index.h"

namespace vestrel {
namespace {

TEST(RegisterKeyIndex, KeepsTheFirstIndexOfEachKeyAndForgetsAllWhenCleared) {
    RegisterKeyIndex index;
    struct Entry {
        std::uint32_t key;
        int index;
    };
    // Same low byte, same high byte, the ends of the key space, and key 0.
    const Entry entries[] = {{0x1234, 0}, {0x5634, 1}, {0x1256, 2}, {0x0000, 3}, {0xFFFF, 4}, {0x00FF, 5}};
    for (const Entry& e : entries) EXPECT_EQ(index.find(e.key), -1) << std::hex << e.key;
    for (const Entry& e : entries) index.insertFirst(e.key, e.index);
    index.insertFirst(0x1234, 9);  // a later entry of the same key
    for (const Entry& e : entries) EXPECT_EQ(index.find(e.key), e.index) << std::hex << e.key;
    EXPECT_EQ(index.find(0x1235), -1);
    EXPECT_EQ(index.find(0x3412), -1);

    index.insertFirst(0x10000, 7);
    EXPECT_EQ(index.find(0x10000), -1);
    EXPECT_EQ(index.find(0x0000), 3);  // not stored under its low 16 bits either

    index.clear();
    for (const Entry& e : entries) EXPECT_EQ(index.find(e.key), -1) << std::hex << e.key;
    index.insertFirst(0x1234, 6);
    EXPECT_EQ(index.find(0x1234), 6);
}

}  // namespace
}  // namespace vestrel
