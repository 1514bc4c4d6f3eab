// A word is a letter followed by letters, digits and points; a number a digit (or a point
// before a digit) followed by digits and points; an operator one of "()+-<=>".
#include "lsp/line_items.h"

#include "translator/text/cp1251.h"

namespace vestrel::lsp {
namespace {

constexpr std::string_view kOperators = "()+-<=>";

bool inWord(char c) { return text::isLetter(c) || text::isDigit(c) || c == '.'; }
bool inNumber(char c) { return text::isDigit(c) || c == '.'; }

std::size_t runEnd(std::string_view line, std::size_t from, bool (*member)(char)) {
    while (from < line.size() && member(line[from])) ++from;
    return from;
}

}  // namespace

std::vector<LineItem> lineItems(std::string_view line) {
    std::vector<LineItem> items;
    for (std::size_t i = 0; i < line.size();) {
        const char c = line[i];
        if (text::isLetter(c)) {
            const std::size_t end = runEnd(line, i + 1, inWord);
            items.push_back({LineItem::Kind::Word, i, end});
            i = end;
        } else if (text::isDigit(c) || (c == '.' && i + 1 < line.size() && text::isDigit(line[i + 1]))) {
            const std::size_t end = runEnd(line, i + 1, inNumber);
            items.push_back({LineItem::Kind::Number, i, end});
            i = end;
        } else if (kOperators.find(c) != std::string_view::npos) {
            items.push_back({LineItem::Kind::Operator, i, i + 1});
            ++i;
        } else {
            ++i;
        }
    }
    return items;
}

const LineItem* itemAt(const std::vector<LineItem>& items, std::size_t column) {
    const LineItem* behind = nullptr;
    for (const LineItem& item : items) {
        if (column >= item.start && column < item.end) return &item;
        if (column == item.end) behind = &item;
    }
    return behind;
}

std::size_t itemEnd(std::string_view line, std::size_t column) {
    if (column >= line.size()) return line.size();
    for (const LineItem& item : lineItems(line))
        if (item.start == column) return item.end;
    return column + 1;
}

}  // namespace vestrel::lsp
