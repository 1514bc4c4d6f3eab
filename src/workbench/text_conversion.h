// The only road between the editors' Unicode text and the core's cp1251 bytes: the
// code page module of the core does the conversion, this file finds where it failed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

namespace vestrel::workbench {

QString fromCp1251(std::string_view bytes);

// File names as the core takes them (the file system's bytes) and back.
std::string nativePath(const QString& path);
QString fromNativePath(const std::string& path);

// A character that code page 1251 cannot hold, with its place (1-based) in the text.
struct UnconvertibleCharacter {
    int line = 0;
    int column = 0;
    char32_t codePoint = 0;
};

// The text as cp1251 bytes; nothing (and the offending character) when a character has
// no cp1251 form. Line breaks of the editor ('\n') stay as they are.
std::optional<std::string> toCp1251(const QString& text, UnconvertibleCharacter* error = nullptr);

// The text as cp1251 lines, split by the core's rule for source lines.
std::optional<std::vector<std::string>> toCp1251Lines(const QString& text, UnconvertibleCharacter* error = nullptr);

// "Строка 3, позиция 7: символ «✓» (U+2713) не входит в кодовую страницу 1251."
QString describeUnconvertible(const UnconvertibleCharacter& error);

}  // namespace vestrel::workbench
