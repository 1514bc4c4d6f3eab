// Case folding by the code page's mapping and the search that goes round the end.
#include "workbench/text_search.h"

#include <array>

#include "translator/text/cp1251.h"

namespace vestrel::workbench {
namespace {

// Each character that the code page's case mapping changes, with its lower-case form.
struct CaseFold {
    std::array<char16_t, 256> upper{};
    std::array<char16_t, 256> lower{};
    int count = 0;
};

const CaseFold& caseFold() {
    static const CaseFold fold = [] {
        CaseFold table;
        for (int byte = 0; byte < 256; ++byte) {
            const char c = static_cast<char>(byte);
            const char l = text::toLower(c);
            if (l == c) continue;
            const QString upper = QString::fromStdString(text::toUtf8(std::string(1, c)));
            const QString lower = QString::fromStdString(text::toUtf8(std::string(1, l)));
            table.upper[static_cast<std::size_t>(table.count)] = upper.at(0).unicode();
            table.lower[static_cast<std::size_t>(table.count)] = lower.at(0).unicode();
            ++table.count;
        }
        return table;
    }();
    return fold;
}

}  // namespace

QString foldCase(const QString& text) {
    const CaseFold& fold = caseFold();
    QString folded = text;
    for (QChar& c : folded) {
        const char16_t u = c.unicode();
        if (u < 'A') continue;
        if (u <= 'Z') {
            c = QChar(static_cast<char16_t>(u + 0x20));
            continue;
        }
        if (u < 0x80) continue;
        for (int i = 0; i < fold.count; ++i)
            if (fold.upper[static_cast<std::size_t>(i)] == u) {
                c = QChar(fold.lower[static_cast<std::size_t>(i)]);
                break;
            }
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
