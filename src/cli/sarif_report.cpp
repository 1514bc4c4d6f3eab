// The sarif format: the run as a SARIF 2.1.0 log on standard output, for code-scanning
// services and SARIF viewers. One rule per message that occurs, one result per message;
// the notices are warnings without a location.
#include <map>
#include <utility>

#include <nlohmann/json.hpp>

#include "cli/json_output.h"
#include "cli/run_report.h"
#include "cli/vestrelc.h"

namespace vestrel::cli {
namespace {
using Json = nlohmann::ordered_json;

constexpr std::string_view kSchema = "https://json.schemastore.org/sarif-2.1.0.json";
constexpr std::string_view kNoticeRule = "Notice";
constexpr std::string_view kNoticeRuleText =
    "A notice of the translation run (the workbench shows it in a message box); the IL is still written";

// The rules of the log, in the order their first result names them.
class RuleTable {
public:
    int indexOf(std::string_view id, std::string_view text, std::string_view pass, int code) {
        const auto [place, added] = m_indices.try_emplace(std::string(id), static_cast<int>(m_rules.size()));
        if (added) {
            Json rule = {{"id", id},
                         {"name", id},
                         {"shortDescription", {{"text", text}}},
                         {"defaultConfiguration", {{"level", pass.empty() ? "warning" : "error"}}}};
            if (!pass.empty()) rule["properties"] = {{"pass", pass}, {"code", code}};
            m_rules.push_back(std::move(rule));
        }
        return place->second;
    }
    Json take() { return std::move(m_rules); }

private:
    std::map<std::string, int, std::less<>> m_indices;
    Json m_rules = Json::array();
};

Json sourceLocation(const RunReport& report, const ReportedMessage* message) {
    Json physical = {{"artifactLocation", {{"uri", pathUri(report.source)}, {"index", 0}}}};
    if (message && message->line) {
        Json region = {{"startLine", *message->line}};
        if (message->column) region["startColumn"] = *message->column;
        physical["region"] = std::move(region);
    }
    return Json::array({{{"physicalLocation", std::move(physical)}}});
}

Json messageResult(const RunReport& report, const ReportedMessage& message, RuleTable& rules) {
    const std::string_view pass = passName(message.pass);
    Json result = {{"ruleId", message.name},
                   {"ruleIndex", rules.indexOf(message.name, message.codeText, pass, message.code)},
                   {"level", message.severity == "warning" ? "warning" : "error"},
                   {"message", {{"text", message.text}}},
                   {"locations", sourceLocation(report, &message)}};
    Json properties = {{"pass", pass}, {"code", message.code}};
    if (message.word) properties["word"] = *message.word;
    if (message.citedLine) properties["citedLine"] = *message.citedLine;
    result["properties"] = std::move(properties);
    return result;
}

Json invocation(const RunReport& report) {
    Json run = {{"executionSuccessful", report.outcome != RunOutcome::FileError},
                {"exitCode", report.exitStatus}};
    if (!report.error.empty())
        run["toolExecutionNotifications"] = Json::array(
            {{{"level", report.errorIsFileError ? "error" : "warning"}, {"message", {{"text", report.error}}}}});
    return run;
}

}  // namespace

void writeSarifReport(const RunReport& report, TextOutput& out) {
    RuleTable rules;
    Json results = Json::array();
    forEachMessage(report, [&](const ReportedMessage& message) { results.push_back(messageResult(report, message, rules)); });
    for (const ReportedNotice& notice : report.notices) {
        Json result = {{"ruleId", kNoticeRule},
                       {"ruleIndex", rules.indexOf(kNoticeRule, kNoticeRuleText, "", 0)},
                       {"level", "warning"},
                       {"message", {{"text", notice.text}}},
                       {"locations", sourceLocation(report, nullptr)},
                       {"occurrenceCount", notice.count}};
        results.push_back(std::move(result));
    }
    Json driver = {{"name", "vestrelc"}, {"fullName", "Vestrel Korvel to Dravo IL translator"},
                   {"version", versionText()}, {"rules", rules.take()}};
    Json run = {{"tool", {{"driver", std::move(driver)}}},
                {"invocations", Json::array({invocation(report)})},
                {"artifacts", Json::array({{{"location", {{"uri", pathUri(report.source)}}}, {"roles", {"analysisTarget"}}}})},
                {"columnKind", "unicodeCodePoints"},
                {"results", std::move(results)}};
    const Json log = {{"$schema", kSchema}, {"version", "2.1.0"}, {"runs", Json::array({std::move(run)})}};
    writeJsonDocument(log, out);
}

}  // namespace vestrel::cli
