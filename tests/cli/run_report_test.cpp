// The three report formats of vestrelc written from one prepared report: exact lines,
// exact documents, and the placing of cited lines on the source's real lines.
#include <gtest/gtest.h>


#include <nlohmann/json.hpp>

#include "cli/json_output.h"
#include "cli/run_report.h"
#include "cli/vestrelc.h"

namespace vestrel::cli {
namespace {
using Json = nlohmann::ordered_json;

ReportedMessage message(MessagePass pass, int code, std::string_view name, int cited, std::size_t lineCount,
                        int columnOrWord, std::string text, std::string codeText) {
    ReportedMessage result;
    result.pass = pass;
    result.code = code;
    result.name = name;
    placeOnRealLine(result, cited, lineCount);
    (pass == MessagePass::Lexical ? result.column : result.word) = columnOrWord;
    result.text = std::move(text);
    result.codeText = std::move(codeText);
    return result;
}

// Two lexical messages, a syntax message citing line -9 of a 20-line source, a notice.
RunReport reportWithEverything() {
    RunReport report;
    report.source = "dir/pump 1.prg";
    report.outcome = RunOutcome::Messages;
    report.exitStatus = 1;
    report.messages = {
        message(MessagePass::Lexical, 4, "UnknownVariable", 12, 20, 4, "Ошибка!!! (12,4).Неизвестная переменная",
                "Неизвестная переменная"),
        message(MessagePass::Lexical, 4, "UnknownVariable", 13, 20, 7, "Ошибка!!! (13,7).Неизвестная переменная",
                "Неизвестная переменная"),
        message(MessagePass::Syntax, 9, "ParameterNotAnalogOutput", -9, 20, 2,
                "Ошибка!!! (-9, слово №2).Параметр алгоритма должен быть: АВ", "Параметр алгоритма должен быть: АВ"),
    };
    report.notices = {{"Не хватает переменных IQ", 2}};
    report.files = {{"t.txt", WrittenFileKind::Tokens, std::nullopt}};
    return report;
}

TEST(RunReport, CitedLinesArePlacedOnTheNearestRealLine) {
    struct Case {
        int cited;
        std::size_t lineCount;
        std::optional<int> line, citedLine;
    };
    const Case cases[] = {
        {5, 10, 5, std::nullopt}, {1, 10, 1, std::nullopt}, {10, 10, 10, std::nullopt},
        {0, 10, 1, 0},            {-9, 3, 1, -9},           {12, 10, 10, 12},
        {1, 0, std::nullopt, 1},  {-2, 1, 1, -2},
    };
    for (const Case& c : cases) {
        ReportedMessage placed;
        placeOnRealLine(placed, c.cited, c.lineCount);
        EXPECT_EQ(placed.line, c.line) << c.cited << " of " << c.lineCount;
        EXPECT_EQ(placed.citedLine, c.citedLine) << c.cited << " of " << c.lineCount;
    }
}

TEST(RunReport, GnuLinesGiveLineColumnAndTheTextUnchanged) {
    RunReport report = reportWithEverything();
    report.messages.push_back(
        message(MessagePass::Syntax, 1, "SyntaxError", 3, 0, 1, "Ошибка!!! (3, слово №1).Синтаксическая ошибка!", ""));
    report.error = "Cannot create file t.txt";
    report.errorIsFileError = true;
    StringOutput out, err;
    writeGnuReport(report, false, out, err);
    EXPECT_EQ(err.text(),
              "dir/pump 1.prg:12:4: error: Ошибка!!! (12,4).Неизвестная переменная\n"
              "dir/pump 1.prg:13:7: error: Ошибка!!! (13,7).Неизвестная переменная\n"
              "dir/pump 1.prg:1: error: Ошибка!!! (-9, слово №2).Параметр алгоритма должен быть: АВ\n"
              "dir/pump 1.prg: error: Ошибка!!! (3, слово №1).Синтаксическая ошибка!\n"
              "dir/pump 1.prg: warning: Не хватает переменных IQ (2 times)\n"
              "vestrelc: Cannot create file t.txt\n");
    EXPECT_EQ(out.text(), "");  // no summary after messages
}

TEST(RunReport, GnuSummaryLines) {
    struct Case {
        bool checkOnly, quiet;
        std::vector<std::string> names, removed;
        std::string out;
    };
    const Case cases[] = {
        {false, false, {"init.IL", "1.IL"}, {"2.IL"}, "Wrote 2 files to out: init.IL 1.IL (removed 2.IL)\n"},
        {false, false, {"init.IL"}, {}, "Wrote 1 file to out: init.IL\n"},
        {true, false, {"init.IL", "3.IL"}, {}, "Checked a.prg: no messages, 2 files to write: init.IL 3.IL\n"},
        {true, false, {}, {}, "Checked a.prg: no messages, 0 files to write\n"},
        {false, true, {"init.IL"}, {}, ""},
    };
    for (const Case& c : cases) {
        RunReport report;
        report.source = "a.prg";
        report.directory = "out";
        report.checkOnly = c.checkOnly;
        report.slotFiles = c.names;
        report.removedNames = c.removed;
        StringOutput out, err;
        writeGnuReport(report, c.quiet, out, err);
        EXPECT_EQ(out.text(), c.out);
        EXPECT_EQ(err.text(), "");
    }
}

TEST(RunReport, JsonDocumentHoldsEveryMessageNoticeAndFile) {
    StringOutput out;
    writeJsonReport(reportWithEverything(), out);
    const Json expected = Json::parse(R"({
      "format": "vestrel-diagnostics", "formatVersion": 1,
      "tool": {"name": "vestrelc", "version": "1.0.0.772"},
      "source": "dir/pump 1.prg", "outcome": "messages", "exitStatus": 1,
      "messages": [
        {"severity": "error", "pass": "lexical", "code": 4, "name": "UnknownVariable", "line": 12, "column": 4,
         "text": "Ошибка!!! (12,4).Неизвестная переменная"},
        {"severity": "error", "pass": "lexical", "code": 4, "name": "UnknownVariable", "line": 13, "column": 7,
         "text": "Ошибка!!! (13,7).Неизвестная переменная"},
        {"severity": "error", "pass": "syntax", "code": 9, "name": "ParameterNotAnalogOutput", "line": 1,
         "citedLine": -9, "word": 2, "text": "Ошибка!!! (-9, слово №2).Параметр алгоритма должен быть: АВ"}
      ],
      "notices": [{"severity": "warning", "text": "Не хватает переменных IQ", "count": 2}],
      "files": [{"path": "t.txt", "kind": "tokens"}],
      "removed": []
    })");
    EXPECT_EQ(Json::parse(out.text()), expected);
    EXPECT_TRUE(out.text().ends_with("}\n"));
}

TEST(RunReport, SarifLogHasOneRulePerMessageCodeAndOneResultPerMessage) {
    StringOutput out;
    writeSarifReport(reportWithEverything(), out);
    const Json log = Json::parse(out.text());
    EXPECT_EQ(log["version"], "2.1.0");
    ASSERT_EQ(log["runs"].size(), 1u);
    const Json& run = log["runs"][0];
    EXPECT_EQ(run["tool"]["driver"]["name"], "vestrelc");
    EXPECT_EQ(run["tool"]["driver"]["version"], versionText());

    const Json& rules = run["tool"]["driver"]["rules"];
    ASSERT_EQ(rules.size(), 3u);
    EXPECT_EQ(rules[0], Json::parse(R"({"id": "UnknownVariable", "name": "UnknownVariable",
        "shortDescription": {"text": "Неизвестная переменная"}, "defaultConfiguration": {"level": "error"},
        "properties": {"pass": "lexical", "code": 4}})"));
    EXPECT_EQ(rules[1]["id"], "ParameterNotAnalogOutput");
    EXPECT_EQ(rules[1]["shortDescription"]["text"], "Параметр алгоритма должен быть: АВ");
    EXPECT_EQ(rules[2]["id"], "Notice");
    EXPECT_EQ(rules[2]["defaultConfiguration"]["level"], "warning");

    const Json& results = run["results"];
    ASSERT_EQ(results.size(), 4u);
    EXPECT_EQ(results[1], Json::parse(R"({"ruleId": "UnknownVariable", "ruleIndex": 0, "level": "error",
        "message": {"text": "Ошибка!!! (13,7).Неизвестная переменная"},
        "locations": [{"physicalLocation": {"artifactLocation": {"uri": "dir/pump%201.prg", "index": 0},
                                            "region": {"startLine": 13, "startColumn": 7}}}],
        "properties": {"pass": "lexical", "code": 4}})"));
    EXPECT_EQ(results[2]["ruleIndex"], 1);
    EXPECT_EQ(results[2]["locations"][0]["physicalLocation"]["region"], Json::parse(R"({"startLine": 1})"));
    EXPECT_EQ(results[2]["properties"], Json::parse(R"({"pass": "syntax", "code": 9, "word": 2, "citedLine": -9})"));
    EXPECT_EQ(results[3]["ruleIndex"], 2);
    EXPECT_EQ(results[3]["level"], "warning");
    EXPECT_EQ(results[3]["occurrenceCount"], 2);
    EXPECT_FALSE(results[3]["locations"][0]["physicalLocation"].contains("region"));
    EXPECT_EQ(run["artifacts"][0]["location"]["uri"], "dir/pump%201.prg");
    EXPECT_EQ(run["invocations"][0], Json::parse(R"({"executionSuccessful": true, "exitCode": 1})"));
}

TEST(RunReport, SarifFileErrorIsAnUnsuccessfulInvocation) {
    RunReport report;
    report.source = "/w/missing.prg";
    report.outcome = RunOutcome::FileError;
    report.exitStatus = 2;
    report.error = "cannot read /w/missing.prg: No such file or directory";
    report.errorIsFileError = true;
    StringOutput out;
    writeSarifReport(report, out);
    const Json run = Json::parse(out.text())["runs"][0];
    EXPECT_EQ(run["invocations"][0], Json::parse(R"({"executionSuccessful": false, "exitCode": 2,
        "toolExecutionNotifications": [{"level": "error",
            "message": {"text": "cannot read /w/missing.prg: No such file or directory"}}]})"));
    EXPECT_EQ(run["results"], Json::array());
    EXPECT_EQ(run["artifacts"][0]["location"]["uri"], "file:///w/missing.prg");
}

TEST(RunReport, PathsBecomeUrisAndBadUtf8NeverStopsADocument) {
    struct Case {
        std::string path, uri;
    };
    const Case cases[] = {
        {"pump.prg", "pump.prg"},
        {"a b/c#d%.prg", "a%20b/c%23d%25.prg"},
        {"/abs/x.prg", "file:///abs/x.prg"},
        {"насос.prg", "%D0%BD%D0%B0%D1%81%D0%BE%D1%81.prg"},
#ifdef _WIN32
        {"C:\\Котельная\\x.prg", "file:///C%3A/%D0%9A%D0%BE%D1%82%D0%B5%D0%BB%D1%8C%D0%BD%D0%B0%D1%8F/x.prg"},
        {"\\\\host\\share\\x.prg", "file://host/share/x.prg"},
        {"dir\\x.prg", "dir/x.prg"},
#endif
    };
    for (const Case& c : cases) EXPECT_EQ(pathUri(c.path), c.uri) << c.path;

    // A file name of bytes that are not UTF-8 is written with U+FFFD in their place.
    RunReport report;
    report.source = "\xEF\xF0\xE8.prg";
    StringOutput out;
    writeJsonReport(report, out);
    EXPECT_EQ(Json::parse(out.text())["source"], "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD.prg");
}

}  // namespace
}  // namespace vestrel::cli
