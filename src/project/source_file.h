// Korvel source files: cp1251 text with CR LF line breaks. Reading may also take UTF-8
// (the command line accepts both); writing is always cp1251.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/atomic_file.h"

namespace vestrel::project {

enum class SourceEncoding { Auto, Cp1251, Utf8 };

struct SourceReadResult {
    bool ok = false;
    std::string text;   // cp1251, line breaks as read (what runTranslation takes)
    std::string error;  // UTF-8 text for the user when !ok
    bool wasUtf8 = false;

    // The lines of the text, without line breaks.
    std::vector<std::string> lines() const;
};

// Auto: a text that is valid UTF-8 and holds a non-ASCII byte is read as UTF-8; a UTF-8
// byte-order mark is dropped; anything else is cp1251. A character without a cp1251
// form is an error naming its line and column.
SourceReadResult decodeSource(std::string_view bytes, SourceEncoding encoding);
// The same, taking over the bytes (a cp1251 text is not copied).
SourceReadResult decodeSource(std::string&& bytes, SourceEncoding encoding);
// Only a regular file is read, and none larger than the input limit (256 MB).
SourceReadResult readSourceFile(const std::string& path, SourceEncoding encoding);
// The same for standard input (any kind of stream, within the same limit).
SourceReadResult readStandardInput(SourceEncoding encoding);

// Writes the text (cp1251 lines) joined by CR LF, through a temporary file and a rename.
// Saved through a link, the file it points to is replaced; the new file keeps the owner
// and group of the old one where the process may give them.
WriteOutcome writeSourceFile(const std::string& path, const std::vector<std::string>& lines,
                             std::string* error = nullptr);

// Reads a whole regular file within the input limit; nothing when it cannot be read,
// with the reason (an os:: reason code) when asked for.
std::optional<std::string> readWholeFile(const std::string& path, int* reason = nullptr);

}  // namespace vestrel::project
