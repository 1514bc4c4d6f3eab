// Locations of the reported messages and the names the documents give to the run's values.
#include "cli/run_report.h"

#include <algorithm>

namespace vestrel::cli {

void placeOnRealLine(ReportedMessage& message, int citedLine, std::size_t lineCount) {
    message.line.reset();
    message.citedLine.reset();
    if (lineCount == 0) {
        message.citedLine = citedLine;
        return;
    }
    const int last = lineCount > static_cast<std::size_t>(INT32_MAX) ? INT32_MAX : static_cast<int>(lineCount);
    message.line = std::clamp(citedLine, 1, last);
    if (*message.line != citedLine) message.citedLine = citedLine;
}

std::string_view outcomeName(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::Translated: return "translated";
        case RunOutcome::Messages: return "messages";
        case RunOutcome::FileError: return "file-error";
    }
    return "";
}

std::string_view passName(MessagePass pass) {
    switch (pass) {
        case MessagePass::Lexical: return "lexical";
        case MessagePass::Syntax: return "syntax";
    }
    return "";
}

std::string_view fileKindName(WrittenFileKind kind) {
    switch (kind) {
        case WrittenFileKind::Il: return "il";
        case WrittenFileKind::Tokens: return "tokens";
        case WrittenFileKind::Trace: return "trace";
        case WrittenFileKind::SourceMap: return "source-map";
    }
    return "";
}

}  // namespace vestrel::cli
