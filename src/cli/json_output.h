// Writing a JSON document the way every vestrelc document is written.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace vestrel::cli {

class TextOutput;

// Indented by two blanks and ended by a line feed. Texts that are not valid UTF-8 (a file
// name of other bytes) are written with U+FFFD in place of the bad bytes, never refused.
std::string jsonDocumentText(const nlohmann::ordered_json& document);
void writeJsonDocument(const nlohmann::ordered_json& document, TextOutput& out);

// A file path as a URI reference: relative paths stay relative, absolute ones get
// "file://"; bytes outside the unreserved set and "/" are written as %XX. On Windows "\\"
// separates as "/" does: "C:\\w\\x.prg" is file:///C%3A/w/x.prg, "\\\\host\\share\\x.prg"
// file://host/share/x.prg.
std::string pathUri(const std::string& path);

}  // namespace vestrel::cli
