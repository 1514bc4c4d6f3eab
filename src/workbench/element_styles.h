// The colour and font-style choice for each kind of text element of the Korvel source
// and of the IL output, with the defaults the editor parameters dialog starts from.
#pragma once

#include <array>

namespace vestrel::workbench {

struct ElementStyle {
    int foreground = 0;  // colour index 0..15
    int background = 15;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const ElementStyle&, const ElementStyle&) = default;
};

// The sixteen fixed colours of the default palette, by index.
struct PaletteColour {
    int red;
    int green;
    int blue;
};
inline constexpr std::array<PaletteColour, 16> kPalette = {{
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
    {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};
static_assert(kPalette.size() == 16);

inline constexpr int kKorvelElementCount = 8;
inline constexpr int kIlElementCount = 7;

inline constexpr std::array<const char*, kKorvelElementCount> kKorvelElementNames = {
    "Макроопределение", "Комментарий", "Номер секции", "Переменные", "Команды", "Числа", "Знаки", "Пустое место",
};
inline constexpr std::array<ElementStyle, kKorvelElementCount> kKorvelDefaults = {{
    {10, 15, false, false, false},
    {12, 15, false, false, false},
    {10, 15, false, false, false},
    {0, 15, true, false, false},
    {0, 15, false, false, false},
    {0, 15, false, false, false},
    {14, 15, false, false, false},
    {0, 15, false, false, false},
}};

inline constexpr std::array<const char*, kIlElementCount> kIlElementNames = {
    "Комментарий", "Название программы", "Переменные", "Команды", "Числа", "Знаки", "Пустое место",
};
inline constexpr std::array<ElementStyle, kIlElementCount> kIlDefaults = {{
    {12, 15, false, false, false},
    {10, 15, false, false, false},
    {0, 15, true, false, false},
    {0, 15, false, false, false},
    {0, 15, false, false, false},
    {14, 15, false, false, false},
    {0, 15, false, false, false},
}};

}  // namespace vestrel::workbench
