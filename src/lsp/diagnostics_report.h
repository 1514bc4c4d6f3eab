// The diagnostics of one version of a document, as the protocol publishes them: each
// message of the translation run with its range, severity, code and text (UTF-8).
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "lsp/source_snapshot.h"
#include "translator/run/diagnostics.h"
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

// One message of the run: where it points in the source lines, and its protocol form.
nlohmann::json diagnosticJson(const Diagnostic& entry, const std::vector<std::string>& lines);

}  // namespace vestrel::lsp
