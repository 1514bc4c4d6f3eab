// The answers of the editor requests, as protocol JSON: hover, go to definition,
// completion and the document's symbols. Columns of a cp1251 line are UTF-16 columns.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "lsp/program_outline.h"

namespace vestrel::lsp {

using Json = nlohmann::json;

// Each takes the document's cp1251 lines and its outline; null when there is nothing.
Json hoverAt(const ProgramOutline& outline, int line, int character);
Json definitionAt(const ProgramOutline& outline, const std::string& uri, int line, int character);
Json completionAt(const ProgramOutline& outline, int line);
Json documentSymbols(const ProgramOutline& outline, const std::vector<std::string>& lines);

// The hover text of a variable code or an algorithm command, Markdown in UTF-8.
std::string describeVariable(TokenCode code);
std::string describeAlgorithm(int index);
// The snippet of an algorithm command with its parameter lines.
std::string algorithmSnippet(int index);

Json rangeJson(int startLine, std::size_t startCharacter, int endLine, std::size_t endCharacter);

}  // namespace vestrel::lsp
