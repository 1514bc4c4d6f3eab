// Where the items of a numbered line lie: words, numbers and operators, delimited as the
// scanner of pass 1 delimits them. Only the extents; what a word means is the core's
// ClassifyWord.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace vestrel::lsp {

struct LineItem {
    enum class Kind { Word, Number, Operator };
    Kind kind;
    std::size_t start;  // byte offset of the first character (cp1251: also the UTF-16 column)
    std::size_t end;    // one past the last
};

// The items of a lower-cased cp1251 line.
std::vector<LineItem> lineItems(std::string_view line);
// The item that holds `column` or ends right at it (a caret just behind a word), or nothing.
const LineItem* itemAt(const std::vector<LineItem>& items, std::size_t column);
// The end of the item that starts at `column`, for the range of a message that points
// there; a column on a blank or past the end of the line gives column + 1 (at most the
// line's end).
std::size_t itemEnd(std::string_view line, std::size_t column);

}  // namespace vestrel::lsp
