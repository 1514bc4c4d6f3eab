// The json format: the whole run as one Vestrel diagnostics document on standard output
// (docs/diagnostics.schema.json describes it).

#include <nlohmann/json.hpp>

#include "cli/json_output.h"
#include "cli/run_report.h"
#include "cli/vestrelc.h"

namespace vestrel::cli {
namespace {
using Json = nlohmann::ordered_json;

Json messageObject(const ReportedMessage& message) {
    Json object = {{"severity", message.severity}, {"pass", passName(message.pass)}, {"code", message.code},
                   {"name", message.name}};
    object["line"] = message.line ? Json(*message.line) : Json(nullptr);
    if (message.citedLine) object["citedLine"] = *message.citedLine;
    if (message.column) object["column"] = *message.column;
    if (message.word) object["word"] = *message.word;
    object["text"] = message.text;
    return object;
}

}  // namespace

void writeJsonReport(const RunReport& report, TextOutput& out) {
    Json document = {{"format", "vestrel-diagnostics"},
                     {"formatVersion", 1},
                     {"tool", {{"name", "vestrelc"}, {"version", versionText()}}},
                     {"source", report.source},
                     {"outcome", outcomeName(report.outcome)},
                     {"exitStatus", report.exitStatus}};
    Json messages = Json::array();
    forEachMessage(report, [&](const ReportedMessage& message) { messages.push_back(messageObject(message)); });
    document["messages"] = std::move(messages);
    Json notices = Json::array();
    for (const ReportedNotice& notice : report.notices)
        notices.push_back({{"severity", "warning"}, {"text", notice.text}, {"count", notice.count}});
    document["notices"] = std::move(notices);
    Json files = Json::array();
    for (const WrittenFile& file : report.files) {
        Json entry = {{"path", file.path}, {"kind", fileKindName(file.kind)}};
        if (file.slot) entry["slot"] = *file.slot;
        files.push_back(std::move(entry));
    }
    document["files"] = std::move(files);
    document["removed"] = report.removed;
    if (!report.error.empty()) document["error"] = report.error;
    writeJsonDocument(document, out);
}

}  // namespace vestrel::cli
