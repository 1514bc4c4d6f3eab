// Reading and writing Korvel source files.
#include "project/source_file.h"

#include <cstdio>

#include "project/file_system.h"
#include "translator/run/translation.h"
#include "translator/text/cp1251.h"

namespace vestrel::project {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kSourceLineBreak = "\r\n";

std::string describeCharacter(char32_t codePoint) {
    char text[32];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(codePoint));
    return text;
}

// The message for a text that cannot be read as UTF-8: the line and column (in
// characters) of the first character that cannot be read or has no cp1251 form.
std::string utf8Failure(std::string_view utf8) {
    const std::vector<std::string> rawLines = splitSourceLines(utf8);
    for (std::size_t index = 0; index < rawLines.size(); ++index) {
        text::ConversionError where;
        if (text::fromUtf8(rawLines[index], &where)) continue;
        return "line " + std::to_string(index + 1) + ", column " + std::to_string(where.characterIndex + 1) + ": " +
               (where.codePoint == 0 ? std::string("the bytes are not valid UTF-8")
                                     : "the character " + describeCharacter(where.codePoint) + " has no code page 1251 form");
    }
    return "the bytes are not valid UTF-8";
}

SourceReadResult decodeUtf8(std::string_view utf8) {
    SourceReadResult result;
    // Line breaks are ASCII and never part of another character: the whole text
    // converts exactly when each of its lines does.
    std::optional<std::string> text = text::fromUtf8(utf8);
    if (!text) {
        result.error = utf8Failure(utf8);
        return result;
    }
    result.text = std::move(*text);
    result.ok = true;
    result.wasUtf8 = true;
    return result;
}

// Whether the bytes are read as UTF-8, and without the byte-order mark when they are.
bool readsAsUtf8(std::string_view& bytes, SourceEncoding encoding) {
    const bool hasByteOrderMark = bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark;
    bool readAsUtf8 = false;
    switch (encoding) {
        case SourceEncoding::Utf8: readAsUtf8 = true; break;
        case SourceEncoding::Cp1251: readAsUtf8 = false; break;
        case SourceEncoding::Auto: readAsUtf8 = text::hasNonAscii(bytes) && text::isValidUtf8(bytes); break;
    }
    if (readAsUtf8 && hasByteOrderMark) bytes.remove_prefix(kUtf8ByteOrderMark.size());
    return readAsUtf8;
}

}  // namespace

std::vector<std::string> SourceReadResult::lines() const { return splitSourceLines(text); }

SourceReadResult decodeSource(std::string_view bytes, SourceEncoding encoding) {
    if (readsAsUtf8(bytes, encoding)) return decodeUtf8(bytes);
    SourceReadResult result;
    result.text = std::string(bytes);
    result.ok = true;
    return result;
}

SourceReadResult decodeSource(std::string&& bytes, SourceEncoding encoding) {
    std::string_view view = bytes;
    if (readsAsUtf8(view, encoding)) return decodeUtf8(view);
    SourceReadResult result;
    result.text = std::move(bytes);
    result.ok = true;
    return result;
}

namespace {
SourceReadResult decodeRead(std::optional<std::string>&& bytes, int reason, const std::string& shownName,
                            SourceEncoding encoding) {
    if (!bytes) {
        SourceReadResult result;
        result.error = "cannot read " + shownName + ": " + os::reasonText(reason);
        return result;
    }
    SourceReadResult result = decodeSource(std::move(*bytes), encoding);
    bytes.reset();
    if (!result.ok) result.error = shownName + ": " + result.error;
    return result;
}
}  // namespace

SourceReadResult readSourceFile(const std::string& path, SourceEncoding encoding) {
    int reason = 0;
    std::optional<std::string> bytes = os::readRegularFile(path, os::kInputSizeLimit, reason);
    return decodeRead(std::move(bytes), reason, path, encoding);
}

SourceReadResult readStandardInput(SourceEncoding encoding) {
    int reason = 0;
    std::optional<std::string> bytes = os::readToEnd(os::standardInput(), os::kInputSizeLimit, reason);
    return decodeRead(std::move(bytes), reason, "standard input", encoding);
}

WriteOutcome writeSourceFile(const std::string& path, const std::vector<std::string>& lines, std::string* error) {
    // Every line is followed by its break, as the editor saves its lines; so a text
    // read back gives the same lines, a final empty line included.
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += kSourceLineBreak;
    }
    return writeFileAtomically(path, bytes, error, Ownership::KeepReplaced);
}

std::optional<std::string> readWholeFile(const std::string& path, int* reason) {
    int why = 0;
    std::optional<std::string> bytes = os::readRegularFile(path, os::kInputSizeLimit, why);
    if (reason) *reason = why;
    return bytes;
}

}  // namespace vestrel::project
