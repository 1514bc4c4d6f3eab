// UTF-8 to cp1251 through the core's converter, character by character only where it fails.
#include "lsp/source_snapshot.h"

#include "translator/run/translation.h"
#include "translator/text/cp1251.h"

namespace vestrel::lsp {
namespace {

std::size_t utf8Size(char32_t cp) {
    if (cp == 0) return 1;  // a malformed byte
    if (cp < 0x80) return 1;
    if (cp < 0x800) return 2;
    if (cp < 0x10000) return 3;
    return 4;
}

}  // namespace

SourceSnapshot snapshotOf(std::string_view utf8) {
    SourceSnapshot snapshot;
    std::string cp1251;
    cp1251.reserve(utf8.size());
    std::vector<std::size_t> foreignAt;  // cp1251 offsets of the stand-ins
    while (!utf8.empty()) {
        text::ConversionError error;
        if (const std::optional<std::string> converted = text::fromUtf8(utf8, &error)) {
            cp1251 += *converted;
            break;
        }
        cp1251 += *text::fromUtf8(utf8.substr(0, error.byteOffset));
        const std::size_t size = std::min(utf8Size(error.codePoint), utf8.size() - error.byteOffset);
        const int units = error.codePoint >= 0x10000 ? 2 : 1;
        foreignAt.push_back(cp1251.size());
        snapshot.foreign.push_back({0, 0, units, error.codePoint});
        cp1251.append(static_cast<std::size_t>(units), '?');
        utf8.remove_prefix(error.byteOffset + size);
    }
    // Line and column of each stand-in; line breaks are cut as splitSourceLines cuts them.
    std::size_t next = 0, lineStart = 0;
    int line = 0;
    for (std::size_t i = 0; i < cp1251.size() && next < foreignAt.size(); ++i) {
        if (i == foreignAt[next]) {
            snapshot.foreign[next].line = line;
            snapshot.foreign[next].character = static_cast<int>(i - lineStart);
            ++next;
        }
        if (cp1251[i] == '\r' || cp1251[i] == '\n') {
            if (cp1251[i] == '\r' && i + 1 < cp1251.size() && cp1251[i + 1] == '\n') ++i;
            ++line;
            lineStart = i + 1;
        }
    }
    snapshot.lines = splitSourceLines(cp1251);
    snapshot.text = std::move(cp1251);
    return snapshot;
}

}  // namespace vestrel::lsp
