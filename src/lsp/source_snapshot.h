// A document's text as the core reads it: cp1251 text and its lines, made from the client's
// UTF-8 text. Characters without a cp1251 form are listed and stand as "?" (one per
// UTF-16 code unit), so that every column of a line is still its UTF-16 column.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vestrel::lsp {

struct ForeignCharacter {
    int line = 0;        // 0-based
    int character = 0;   // UTF-16 column
    int units = 1;       // UTF-16 code units of the character
    char32_t codePoint = 0;
};

struct SourceSnapshot {
    std::vector<std::string> lines;           // cp1251, as splitSourceLines cuts them
    std::vector<ForeignCharacter> foreign;    // characters code page 1251 cannot hold
    std::string text;                         // cp1251, the whole document (what runTranslation takes)
};

SourceSnapshot snapshotOf(std::string_view utf8Text);

}  // namespace vestrel::lsp
