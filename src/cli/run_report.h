// What one vestrelc run reports, gathered before it is written in the format the user
// chose: the messages with their structured locations, the notices and the files written.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/text_output.h"
#include "translator/run/translation.h"

namespace vestrel::cli {

enum class RunOutcome {
    Translated,  // both passes ran without a message (the project was written or checked)
    Messages,    // the run reported messages (or stopped without output)
    FileError,   // a usage-free failure of a file: the ini file, the source, a file written
};

enum class MessagePass {
    Lexical,
    Syntax,
};

// One message of the run, located in the source.
struct ReportedMessage {
    MessagePass pass = MessagePass::Lexical;
    int code = 0;               // the message's number within its pass, from 1
    std::string_view name;      // the message's stable name ("UnknownVariable")
    std::string_view severity = "error";
    // The real source line the message is placed on: the cited line clamped to 1..the
    // number of source lines; none only for a source without lines.
    std::optional<int> line;
    // The line the text cites, kept when it is not a real line (below 1 or past the end).
    std::optional<int> citedLine;
    std::optional<int> column;  // lexical messages
    std::optional<int> word;    // syntax messages
    std::string text;           // UTF-8, the full message text exactly as the system shows it
    std::string codeText;       // UTF-8, the text of the message code alone
};

struct ReportedNotice {
    std::string text;  // UTF-8
    std::size_t count = 1;
};

enum class WrittenFileKind {
    Il,         // a file of the IL project
    Tokens,     // --tokens
    Trace,      // --trace
    SourceMap,  // --source-map
};

struct WrittenFile {
    std::string path;
    WrittenFileKind kind = WrittenFileKind::Il;
    std::optional<int> slot;  // IL files: the program slot
};

struct RunReport {
    std::string source;
    RunOutcome outcome = RunOutcome::Translated;
    int exitStatus = 0;
    // Messages made by hand (tests, other front ends); a translation's own are made from
    // its diagnostics one at a time as the report is written, so a listing with a million
    // faulty lines never holds a million rendered messages.
    std::vector<ReportedMessage> messages;
    const TranslationResult* translation = nullptr;  // outlives the writing of the report
    std::size_t translationLineCount = 0;
    std::vector<ReportedNotice> notices;
    std::vector<WrittenFile> files;
    std::vector<std::string> removed;  // stale IL files removed from the project directory

    // For the summary line of the gnu format.
    bool checkOnly = false;
    std::string directory;                 // the project directory, when it was written
    std::vector<std::string> slotFiles;    // the names of the IL files written (or to write with --check)
    std::vector<std::string> removedNames; // the names of the stale files removed

    // The reason of a file error, or of a run that stopped without output and without a
    // message (UTF-8); empty otherwise.
    std::string error;
    bool errorIsFileError = false;  // printed as "vestrelc: TEXT" by the gnu format
};

// A location as the structured formats give it: the cited line clamped to the real lines
// (1..lineCount), with the cited number kept when it differs.
void placeOnRealLine(ReportedMessage& message, int citedLine, std::size_t lineCount);

// The messages and notices of a run, with their locations placed on the source's lines.
// The report refers to `result`, which must outlive it.
void addTranslationMessages(RunReport& report, const TranslationResult& result, std::size_t lineCount);

// Every message of the report in order (those made by hand, then the translation's),
// each made only for the call.
void forEachMessage(const RunReport& report, const std::function<void(const ReportedMessage&)>& visit);
bool hasMessages(const RunReport& report);

// The three ways of writing a report. The gnu format writes the messages to `err` and
// the summary line to `out` (unless quiet); the documents go to `out` whole.
void writeGnuReport(const RunReport& report, bool quiet, TextOutput& out, TextOutput& err);
void writeJsonReport(const RunReport& report, TextOutput& out);
void writeSarifReport(const RunReport& report, TextOutput& out);
void writeReport(DiagnosticsFormat format, const RunReport& report, bool quiet, TextOutput& out, TextOutput& err);

// The names the documents use for the enumerations.
std::string_view outcomeName(RunOutcome outcome);
std::string_view passName(MessagePass pass);
std::string_view fileKindName(WrittenFileKind kind);

}  // namespace vestrel::cli
