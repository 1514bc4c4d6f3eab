// The source map of a run as the JSON document --source-map writes
// (docs/source-map.schema.json describes it).
#pragma once

#include <string>

#include "project/atomic_file.h"
#include "translator/run/translation.h"

namespace vestrel::cli {

// Why the document could not be written: the reason, and whether it was reading back the
// IL lines a slot set aside (else writing the document).
struct SourceMapFailure {
    int reason = 0;
    bool readingBack = false;
};

// For each slot that received text, in slot order: its file name and the Korvel line of
// each of its IL lines (null where none). No files when the run shows no output. The
// document goes to `write` in pieces of about 128 KB; false at the first failure.
bool writeSourceMap(const std::string& source, const TranslationResult& result, const project::PieceWriter& write,
                    SourceMapFailure& failure);
// The whole document as one text (empty when a slot's lines cannot be read back).
std::string sourceMapDocument(const std::string& source, const TranslationResult& result);

}  // namespace vestrel::cli
