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

std::string codePointText(char32_t cp) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(cp));
    return buffer;
}

}  // namespace

Range diagnosticRange(const Diagnostic& entry, const std::vector<std::string>& lines) {
    if (lines.empty()) return {};
    // A message past the last line (at the end of the input) covers the last line.
    const int line = std::clamp(entry.line - 1, 0, static_cast<int>(lines.size()) - 1);
    const std::string lowered = text::toLower(lines[static_cast<std::size_t>(line)]);
    const auto whole = [&] {
        const std::size_t first = std::min(lowered.find_first_not_of(' '), lowered.size());
        return Range{{line, static_cast<int>(first)}, {line, static_cast<int>(lowered.size())}};
    };
    if (entry.line > static_cast<int>(lines.size())) return whole();
    switch (entry.pass) {
        case TranslationPass::Lexical: {
            // The column is where the faulty item starts; the range covers that item.
            const std::size_t column = static_cast<std::size_t>(std::max(entry.column, 1) - 1);
            if (column >= lowered.size()) return {{line, static_cast<int>(lowered.size())}, {line, static_cast<int>(lowered.size())}};
            return {{line, static_cast<int>(column)}, {line, static_cast<int>(itemEnd(lowered, column))}};
        }
        case TranslationPass::Syntax: {
            // Words are counted from the line's first item, its number.
            const std::vector<LineItem> items = lineItems(lowered);
            if (entry.word < 1 || static_cast<std::size_t>(entry.word) > items.size()) return whole();
            const LineItem& item = items[static_cast<std::size_t>(entry.word) - 1];
            return {{line, static_cast<int>(item.start)}, {line, static_cast<int>(item.end)}};
        }
    }
    return whole();
}

nlohmann::json diagnosticJson(const Diagnostic& entry, const std::vector<std::string>& lines) {
    const Range range = diagnosticRange(entry, lines);
    int severity = kSeverityError;
    const char* pass = "lexical";
    switch (entry.severity) {
        case Severity::Error: severity = kSeverityError; break;
        case Severity::Warning: severity = kSeverityWarning; break;
    }
    switch (entry.pass) {
        case TranslationPass::Lexical: pass = "lexical"; break;
        case TranslationPass::Syntax: pass = "syntax"; break;
    }
    return {{"range", rangeJson(range.start.line, static_cast<std::size_t>(range.start.character), range.end.line,
                                static_cast<std::size_t>(range.end.character))},
            {"severity", severity},
            {"source", kSource},
            {"code", text::concat(entry.pass == TranslationPass::Lexical ? "L" : "S", entry.code)},
            {"message", text::toUtf8(entry.text())},
            {"data", {{"pass", pass}, {"code", entry.code}, {"name", std::string(entry.messageName())}}}};
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
    // Only the messages are published: the run keeps no IL text.
    RunHooks hooks;
    hooks.keepSlotTexts = false;
    const TranslationResult result = runTranslation(snapshot.text, request.options, hooks);
    for (const Diagnostic& entry : result.diagnostics.entries()) {
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
