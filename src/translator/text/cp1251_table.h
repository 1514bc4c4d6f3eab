// The Unicode characters of the upper half of code page 1251, usable at compile time.
#pragma once

#include <array>
#include <cstddef>

namespace vestrel::text {

// Unicode code points of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F.
// 0x98 is unassigned in the code page and keeps U+0098 so that every byte round-trips.
inline constexpr std::array<char16_t, 64> kUpperHalfCodePoints = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};
static_assert(kUpperHalfCodePoints.size() == 64);

// The cp1251 byte of a Unicode character, or -1 when the code page has none.
constexpr int byteOfCodePoint(char32_t cp) {
    if (cp < 0x80) return static_cast<int>(cp);
    if (cp >= 0x0410 && cp <= 0x044F) return static_cast<int>(0xC0 + (cp - 0x0410));
    for (std::size_t k = 0; k < kUpperHalfCodePoints.size(); ++k)
        if (kUpperHalfCodePoints[k] == cp) return static_cast<int>(0x80 + k);
    return -1;
}

}  // namespace vestrel::text
