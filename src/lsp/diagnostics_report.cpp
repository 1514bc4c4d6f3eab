// Rendering the messages of a run for the protocol.
#include "lsp/diagnostics_report.h"

#include <algorithm>
#include <cstdio>

#include "lsp/editor_features.h"
#include "lsp/line_items.h"
#include "translator/text/append.h"
#include "translator/text/cp1251.h"

namespace vestrel::lsp {
namespace {

constexpr int kSeverityError = 1, kSeverityWarning = 2;
constexpr std::string_view kSource = "vestrel";
// More foreign characters than this are summed up in the last diagnostic.
constexpr std::size_t kForeignReported = 100;

std::size_t lineLength(const std::vector<std::string>& lines, int line) {
    return line >= 0 && static_cast<std::size_t>(line) < lines.size() ? lines[static_cast<std::size_t>(line)].size() : 0;
}

std::string codePointText(char32_t cp) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(cp));
    return buffer;
}

}  // namespace

nlohmann::json diagnosticJson(const Diagnostic& entry, const std::vector<std::string>& lines) {
    const int lastLine = std::max(0, static_cast<int>(lines.size()) - 1);
    const int line = std::clamp(DiagnosticList::LineOfEntry(entry).value_or(1) - 1, 0, lastLine);
    return {{"range", rangeJson(line, 0, line, lineLength(lines, line))},
            {"severity", kSeverityError},
            {"source", kSource},
            {"message", text::toUtf8(entry.text)}};
}

AnalysisReport analyse(const AnalysisRequest& request) {
    AnalysisReport report{request.uri, request.version, nlohmann::json::array()};
    const SourceSnapshot snapshot = snapshotOf(request.text);
    if (!snapshot.foreign.empty()) {
        for (std::size_t i = 0; i < snapshot.foreign.size() && i < kForeignReported; ++i) {
            const ForeignCharacter& c = snapshot.foreign[i];
            std::string message = c.codePoint == 0 ? std::string("Неверная последовательность UTF-8.")
                                                   : text::concat("Символ ", codePointText(c.codePoint),
                                                                  " не входит в кодовую страницу 1251.");
            if (i + 1 == kForeignReported && snapshot.foreign.size() > kForeignReported)
                text::append(message, " Всего таких символов: ", snapshot.foreign.size(), ".");
            report.diagnostics.push_back(
                {{"range", rangeJson(c.line, static_cast<std::size_t>(c.character), c.line,
                                     static_cast<std::size_t>(c.character + c.units))},
                 {"severity", kSeverityError},
                 {"source", kSource},
                 {"code", "cp1251"},
                 {"message", message}});
        }
        return report;
    }
    const TranslationResult result = runTranslation(snapshot.lines, request.options);
    for (const Diagnostic& entry : result.diagnostics.entries()) {
        if (entry.icon == DiagnosticList::kGroupIcon) continue;  // the group entry cites nothing
        report.diagnostics.push_back(diagnosticJson(entry, snapshot.lines));
    }
    for (std::size_t i = 0; i < result.notices.size(); ++i) {
        std::string message = text::toUtf8(result.notices[i]);
        if (result.noticeCounts[i] > 1) text::append(message, " (", result.noticeCounts[i], " раз)");
        report.diagnostics.push_back({{"range", rangeJson(0, 0, 0, 0)},
                                      {"severity", kSeverityWarning},
                                      {"source", kSource},
                                      {"message", message}});
    }
    return report;
}

}  // namespace vestrel::lsp
