// The messages and notices of a translation run as the reports give them: taken from the
// structured diagnostics, placed on the source's real lines, texts in UTF-8.
#include "cli/run_report.h"
#include "translator/text/cp1251.h"

namespace vestrel::cli {
namespace {

MessagePass passOf(TranslationPass pass) {
    switch (pass) {
        case TranslationPass::Lexical: return MessagePass::Lexical;
        case TranslationPass::Syntax: return MessagePass::Syntax;
    }
    return MessagePass::Lexical;
}

std::string_view severityName(Severity severity) {
    switch (severity) {
        case Severity::Error: return "error";
        case Severity::Warning: return "warning";
    }
    return "error";
}

}  // namespace

void addTranslationMessages(RunReport& report, const TranslationResult& result, std::size_t lineCount) {
    report.translation = &result;
    report.translationLineCount = lineCount;
    for (std::size_t i = 0; i < result.notices.size(); ++i)
        report.notices.push_back(
            {text::toUtf8(result.notices[i]), i < result.noticeCounts.size() ? result.noticeCounts[i] : 1});
}

void forEachMessage(const RunReport& report, const std::function<void(const ReportedMessage&)>& visit) {
    for (const ReportedMessage& message : report.messages) visit(message);
    if (!report.translation) return;
    ReportedMessage message;
    std::string text;
    for (const Diagnostic& diagnostic : report.translation->diagnostics.entries()) {
        message.pass = passOf(diagnostic.pass);
        message.code = diagnostic.code;
        message.name = diagnostic.messageName();
        message.severity = severityName(diagnostic.severity);
        placeOnRealLine(message, diagnostic.line, report.translationLineCount);
        message.column.reset();
        message.word.reset();
        switch (diagnostic.pass) {
            case TranslationPass::Lexical: message.column = diagnostic.column; break;
            case TranslationPass::Syntax: message.word = diagnostic.word; break;
        }
        text.clear();
        diagnostic.appendText(text);
        message.text = text::toUtf8(text);
        message.codeText = text::toUtf8(diagnostic.messageText());
        visit(message);
    }
}

bool hasMessages(const RunReport& report) {
    return !report.messages.empty() || (report.translation && !report.translation->diagnostics.empty());
}

}  // namespace vestrel::cli
