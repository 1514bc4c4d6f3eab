// Case folding by the code page's mapping and the search that goes round the end.
#include "workbench/text_search.h"

#include <array>

#include "translator/text/cp1251.h"

namespace vestrel::workbench {
namespace {

// The lower-case form of every character below U+0500 (all the capitals of the code
// page are there: Latin, Cyrillic and the few of its other letters); 0 where the code
// page's case mapping leaves a character as it is.
constexpr char16_t kFoldRange = 0x500;

const std::array<char16_t, kFoldRange>& caseFold() {
    static const std::array<char16_t, kFoldRange> fold = [] {
        std::array<char16_t, kFoldRange> table{};
        for (int byte = 0; byte < 256; ++byte) {
            const char c = static_cast<char>(byte);
            const char l = text::toLower(c);
            if (l == c) continue;
            const char16_t upper = QString::fromStdString(text::toUtf8(std::string(1, c))).at(0).unicode();
            const char16_t lower = QString::fromStdString(text::toUtf8(std::string(1, l))).at(0).unicode();
            if (upper < kFoldRange) table[upper] = lower;
        }
        return table;
    }();
    return fold;
}

}  // namespace

QString foldCase(const QString& text) {
    const std::array<char16_t, kFoldRange>& fold = caseFold();
    QString folded = text;
    for (QChar& c : folded) {
        const char16_t u = c.unicode();
        if (u < kFoldRange && fold[u] != 0) c = QChar(fold[u]);
    }
    return folded;
}

bool matchesNeedle(const QString& candidate, const SearchRequest& request) {
    if (request.caseSensitive) return candidate == request.needle;
    return foldCase(candidate) == foldCase(request.needle);
}

SearchHit findText(const QString& text, int from, const SearchRequest& request) {
    if (request.needle.isEmpty() || text.isEmpty()) return {};
    const QString haystack = request.caseSensitive ? text : foldCase(text);
    const QString needle = request.caseSensitive ? request.needle : foldCase(request.needle);
    if (request.forward) {
        const qsizetype hit = haystack.indexOf(needle, from);
        if (hit >= 0) return {static_cast<int>(hit), false};
        const qsizetype again = haystack.indexOf(needle, 0);
        return {static_cast<int>(again), again >= 0};
    }
    // Backward: a match that ends before `from`.
    const qsizetype start = from - needle.size();
    const qsizetype hit = start >= 0 ? haystack.lastIndexOf(needle, start) : -1;
    if (hit >= 0) return {static_cast<int>(hit), false};
    const qsizetype again = haystack.lastIndexOf(needle);
    return {static_cast<int>(again), again >= 0};
}

}  // namespace vestrel::workbench
