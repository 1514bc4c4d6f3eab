// The diagnostics of one version of a document, as the protocol publishes them: each
// message of the translation run with its range, severity, code and text (UTF-8).
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "lsp/source_snapshot.h"
#include "lsp/text_document.h"
#include "translator/diagnostics/diagnostics.h"
#include "translator/run/translation.h"

namespace vestrel::lsp {

struct AnalysisRequest {
    std::string uri;
    int version = 0;
    std::string text;  // UTF-8, as the client holds it
    TranslationOptions options;
};

struct AnalysisReport {
    std::string uri;
    int version = 0;
    nlohmann::json diagnostics = nlohmann::json::array();
};

// Converts the text, runs the translation and renders its messages. A text with
// characters that code page 1251 cannot hold is not translated (as the workbench does
// not translate it): each such character is reported instead.
AnalysisReport analyse(const AnalysisRequest& request);

// Where a message of the run points in the source lines: a lexical message at the item
// that starts at its column, a syntax message at the word of its number on the line it
// cites (the line's number is word 1), or over the line when it has no such word; a
// message past the last line covers the last line.
Range diagnosticRange(const Diagnostic& entry, const std::vector<std::string>& lines);
// Its protocol form.
nlohmann::json diagnosticJson(const Diagnostic& entry, const std::vector<std::string>& lines);

}  // namespace vestrel::lsp
