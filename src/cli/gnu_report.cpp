// The gnu format: one line per message on standard error in the form editors and build
// tools read ("FILE:LINE:COLUMN: error: TEXT"), then the summary line on standard output.
#include "cli/run_report.h"

namespace vestrel::cli {
namespace {

std::string joinNames(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) {
        joined += joined.empty() ? "" : " ";
        joined += name;
    }
    return joined;
}

std::string fileCount(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " file" : " files");
}

void writeSummary(const RunReport& report, TextOutput& out) {
    if (report.outcome != RunOutcome::Translated) return;
    const std::string names = report.slotFiles.empty() ? "" : ": " + joinNames(report.slotFiles);
    if (report.checkOnly) {
        out << "Checked " << report.source << ": no messages, " << fileCount(report.slotFiles.size()) << " to write"
            << names << '\n';
        return;
    }
    out << "Wrote " << fileCount(report.slotFiles.size()) << " to " << report.directory << names;
    if (!report.removedNames.empty()) out << " (removed " << joinNames(report.removedNames) << ')';
    out << '\n';
}

}  // namespace

void writeGnuReport(const RunReport& report, bool quiet, TextOutput& out, TextOutput& err) {
    // Written in blocks: a listing with a million faulty lines must cost neither a million
    // unbuffered writes nor a second copy of all its messages.
    std::string lines;
    const auto flushBlock = [&](std::size_t atLeast) {
        if (lines.size() < atLeast) return;
        err.write(lines);
        lines.clear();
    };
    forEachMessage(report, [&](const ReportedMessage& message) {
        lines += report.source;
        if (message.line) (lines += ':') += std::to_string(*message.line);
        if (message.line && message.column) (lines += ':') += std::to_string(*message.column);
        lines += ": ";
        lines += message.severity;
        lines += ": ";
        lines += message.text;
        lines += '\n';
        flushBlock(1u << 20);
    });
    // Each distinct notice once, with the number of times the run raised it.
    for (const ReportedNotice& notice : report.notices) {
        lines += report.source + ": warning: " + notice.text;
        if (notice.count > 1) lines += " (" + std::to_string(notice.count) + " times)";
        lines += '\n';
    }
    if (!report.error.empty()) {
        lines += report.errorIsFileError ? "vestrelc" : report.source;
        lines += ": " + report.error + '\n';
    }
    flushBlock(0);
    if (!quiet) writeSummary(report, out);
}

void writeReport(DiagnosticsFormat format, const RunReport& report, bool quiet, TextOutput& out,
                 TextOutput& err) {
    switch (format) {
        case DiagnosticsFormat::Gnu:
            writeGnuReport(report, quiet, out, err);
            return;
        case DiagnosticsFormat::Json:
            writeJsonReport(report, out);
            return;
        case DiagnosticsFormat::Sarif:
            writeSarifReport(report, out);
            return;
    }
}

}  // namespace vestrel::cli
