// The library algorithms that a Korvel program may call: for each index 0..127 (octal
// 000..177) the parameter count, whether pass 1 accepts the index, and the kind of each
// parameter that pass 2 checks. Pass 1 reads it as AlgorithmInfo, pass 2 as
// ExpectedParameterCount and ParameterKindTable: one table serves both.
#pragma once

#include <array>
#include <cstdint>

namespace vestrel {

inline constexpr int kAlgorithmCount = 128;
inline constexpr int kMaxCheckedParameters = 14;

// What a parameter of an algorithm command must be (0 = no parameter is accepted).
enum class ParameterKind : std::uint8_t {
    None = 0,
    Switch = 1,            // вкл / откл
    BitOrSwitch = 2,       // вд, дв, кб, кс, тм, вкл, откл
    Bit = 3,               // вд, дв, кб, кс, тм
    OutputBit = 4,         // дв, кб, кс, тм
    SignedAnalog = 5,      // ±ва, ±ав or a constant 0..1000
    AnalogOutput = 6,      // ав
    Timer = 7,             // тм
    Count1To128 = 8,       // constant 1..128
    Count0To7 = 9,         // constant 0..7
    Time = 10,             // time literal 00.00.01 .. 72.14.56
    Proportional = 11,     // constant 0.0 .. 100.0
    Scale = 12,            // constant 0.00 .. 1.99
};

struct AlgorithmInfoEntry {
    std::uint8_t parameterCount = 0;
    bool implemented = false;  // pass 1 accepts the index
    bool hasTemplate = false;  // pass 2 writes IL text for it
    std::array<ParameterKind, kMaxCheckedParameters> kinds{};
};

namespace detail {
struct AlgorithmRow {
    int octalIndex;  // written as the octal digits, e.g. 0130
    int count;
    bool implemented;
    bool hasTemplate;
    std::array<int, kMaxCheckedParameters> kinds;
};

// Listed by octal index; every index not listed has count 0 and is not implemented.
inline constexpr AlgorithmRow kAlgorithmRows[] = {
    {01, 13, true, true, {5, 6, 11, 5, 11, 10, 5, 11, 2, 10, 5, 5, 5}},
    {02, 12, true, true, {5, 6, 11, 5, 11, 10, 5, 11, 10, 2, 10, 5}},
    {03, 14, true, true, {5, 6, 11, 5, 11, 10, 10, 5, 11, 2, 10, 5, 5, 5}},
    {04, 13, true, true, {5, 6, 11, 5, 11, 10, 10, 5, 11, 10, 2, 10, 5}},
    {010, 8, true, true, {5, 6, 11, 5, 11, 10, 5, 11}},
    {011, 5, true, true, {5, 6, 10, 5, 11}},
    {012, 9, true, true, {5, 6, 10, 5, 11, 5, 5, 2, 2}},
    {013, 5, true, true, {5, 6, 10, 5, 11}},
    {014, 10, true, true, {7, 6, 10, 5, 10, 5, 10, 5, 10, 5}},
    {015, 5, true, true, {5, 6, 10, 5, 11}},
    {030, 7, true, true, {5, 12, 5, 12, 5, 12, 6}},
    {031, 4, true, true, {5, 5, 5, 6}},
    {032, 3, true, true, {5, 5, 6}},
    {033, 10, true, true, {5, 6, 5, 5, 5, 5, 5, 5, 5, 5}},
    {034, 11, true, true, {5, 5, 5, 5, 5, 5, 5, 5, 6, 6, 2}},
    {040, 6, true, true, {5, 5, 5, 5, 6, 6}},
    {041, 5, true, true, {5, 5, 5, 5, 4}},
    {042, 5, true, true, {5, 5, 5, 6, 6}},
    {050, 6, true, true, {5, 5, 5, 5, 6, 6}},
    {051, 6, true, true, {5, 5, 5, 5, 6, 6}},
    {052, 6, true, true, {5, 5, 5, 5, 6, 6}},
    {053, 4, true, true, {5, 5, 6, 6}},
    {060, 3, true, true, {5, 6, 6}},
    {061, 4, true, true, {5, 5, 6, 6}},
    {062, 3, true, true, {5, 5, 6}},
    {063, 4, true, true, {5, 5, 6, 6}},
    {0100, 6, true, true, {3, 4, 8, 8, 5, 2}},
    {0101, 5, true, true, {5, 6, 8, 8, 5}},
    {0102, 6, true, true, {3, 4, 8, 8, 5, 2}},
    {0103, 5, true, true, {5, 6, 8, 8, 5}},
    {0104, 10, true, true, {5, 5, 5, 5, 5, 5, 5, 5, 6, 5}},
    {0130, 3, true, true, {4, 8, 1}},
    {0131, 5, true, true, {3, 4, 8, 1, 1}},
    {0132, 5, true, true, {3, 4, 8, 1, 1}},
    {0133, 5, true, true, {3, 4, 8, 1, 1}},
    {0134, 7, true, true, {3, 3, 4, 8, 1, 1, 1}},
    {0135, 7, true, true, {3, 3, 4, 8, 1, 1, 1}},
    {0140, 1, true, false, {0}},
    {0141, 3, true, false, {0, 0, 0}},
    {0142, 3, true, false, {0, 0, 0}},
    {0143, 2, true, false, {0, 0}},
    {0144, 3, true, false, {0, 0, 0}},
    {0145, 2, true, false, {0, 0}},
    {0160, 4, true, false, {3, 3, 8, 8}},
    {0161, 4, true, false, {5, 5, 8, 8}},
    {0162, 4, true, false, {3, 3, 8, 8}},
    {0163, 4, true, false, {5, 5, 8, 8}},
    {0170, 0, true, false, {}},
    {0171, 1, true, false, {9}},
    {0172, 2, true, false, {9, 6}},
    {0173, 3, true, false, {9, 6, 6}},
    {0174, 2, true, false, {3, 8}},
    {0175, 2, false, false, {4, 8}},
};

constexpr std::array<AlgorithmInfoEntry, kAlgorithmCount> makeAlgorithmInfo() {
    std::array<AlgorithmInfoEntry, kAlgorithmCount> table{};
    for (const AlgorithmRow& row : kAlgorithmRows) {
        AlgorithmInfoEntry& entry = table[static_cast<std::size_t>(row.octalIndex)];
        entry.parameterCount = static_cast<std::uint8_t>(row.count);
        entry.implemented = row.implemented;
        entry.hasTemplate = row.hasTemplate;
        for (std::size_t i = 0; i < kMaxCheckedParameters; ++i)
            entry.kinds[i] = static_cast<ParameterKind>(row.kinds[i]);
    }
    return table;
}

constexpr int countIf(bool AlgorithmRow::*flag) {
    int n = 0;
    for (const AlgorithmRow& row : kAlgorithmRows) n += (row.*flag) ? 1 : 0;
    return n;
}
static_assert(countIf(&AlgorithmRow::implemented) == 52, "52 indexes are implemented");
static_assert(countIf(&AlgorithmRow::hasTemplate) == 37, "37 indexes have a template");
}  // namespace detail

inline constexpr std::array<AlgorithmInfoEntry, kAlgorithmCount> AlgorithmInfo = detail::makeAlgorithmInfo();

// 0..14; 0 for an index outside 0..127.
constexpr int ExpectedParameterCount(int index) {
    if (index < 0 || index >= kAlgorithmCount) return 0;
    return AlgorithmInfo[static_cast<std::size_t>(index)].parameterCount;
}

}  // namespace vestrel
