// Cyrillic texts typed in the (UTF-8) sources become cp1251 bytes at compile time:
// "если"_cp is a std::string_view of the four bytes E5 F1 EB E8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "translator/text/cp1251_table.h"

namespace vestrel::text {

template <std::size_t N>
struct Cp1251Literal {
    char bytes[N]{};
    std::size_t length = 0;

    consteval Cp1251Literal(const char (&utf8)[N]) {
        for (std::size_t i = 0; i + 1 < N;) {
            const auto b0 = static_cast<unsigned char>(utf8[i]);
            char32_t cp = 0;
            std::size_t size = 1;
            if (b0 < 0x80) cp = b0;
            else if ((b0 & 0xE0) == 0xC0) { cp = b0 & 0x1F; size = 2; }
            else if ((b0 & 0xF0) == 0xE0) { cp = b0 & 0x0F; size = 3; }
            else throw "a literal holds a character outside code page 1251";
            for (std::size_t k = 1; k < size; ++k)
                cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
            const int byte = byteOfCodePoint(cp);
            if (byte < 0) throw "a literal holds a character outside code page 1251";
            bytes[length++] = static_cast<char>(byte);
            i += size;
        }
    }
    constexpr std::string_view view() const { return {bytes, length}; }
};

namespace literals {
template <Cp1251Literal L>
constexpr std::string_view operator""_cp() {
    return L.view();
}
}  // namespace literals

}  // namespace vestrel::text
