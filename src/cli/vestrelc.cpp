// vestrelc: reads a Korvel source, translates it and writes the IL project.
#include "cli/vestrelc.h"

#include <cerrno>
#include <exception>
#include <iostream>
#include <new>
#include <optional>
#include <string_view>

#include "cli/command_line.h"
#include "project/file_system.h"
#include "project/il_project.h"
#include "project/source_file.h"
#include "settings/ini_location.h"
#include "settings/ini_store.h"
#include "settings/translation_settings.h"
#include "translator/text/cp1251.h"
#include "vestrel_version.h"

namespace vestrel::cli {
namespace {

constexpr int kExitTranslated = 0;
constexpr int kExitMessages = 1;
constexpr int kExitFailure = 2;

constexpr std::string_view kProgramName = "vestrelc";
constexpr std::string_view kStandardInput = "-";
constexpr std::string_view kStandardInputShown = "<stdin>";

int usageError(std::ostream& err, const std::string& message) {
    err << kProgramName << ": " << message << "\n"
        << "Try '" << kProgramName << " --help' for more information.\n";
    return kExitFailure;
}

int fileError(std::ostream& err, const std::string& messageUtf8) {
    err << kProgramName << ": " << messageUtf8 << "\n";
    return kExitFailure;
}

// The settings: the ini file (never written here) gives the defaults, the command line
// overrides them. Nothing, with the reason, when an ini file named by --ini cannot be read.
std::optional<TranslationOptions> settingsFor(const CommandLine& line, int& reason) {
    std::optional<std::string> iniPath = line.iniFile;
    if (!iniPath)
        if (const std::optional<settings::IniLocation> location = settings::iniLocation())
            iniPath = settings::iniFileToRead(*location);
    const settings::IniStore store = iniPath ? settings::IniStore(*iniPath) : settings::IniStore(std::string(), "");
    if (line.iniFile && !store.exists()) {
        reason = store.readFailure();
        return std::nullopt;
    }
    TranslationOptions options = settings::readTranslationOptions(store);
    if (line.noComments) options.AddComment = false;
    if (line.noProgramText) options.AddProgramText = false;
    if (line.tickResolution) options.TickResolution = *line.tickResolution;
    if (line.recalcPeriod) options.RecalcPeriod = *line.recalcPeriod;
    return options;
}

// An output that is the source itself (under any name) would replace the program with
// what was made from it: such a run writes nothing. Returns the refusal, empty when none.
std::string outputOverSource(const CommandLine& line, const std::optional<project::os::FileIdentity>& source,
                             const std::string& directory) {
    if (!source) return {};
    const auto isSource = [&](const std::string& path) { return project::os::fileIdentity(path) == source; };
    if (line.tokensFile && isSource(*line.tokensFile)) return "the --tokens file " + *line.tokensFile + " is the source file";
    if (line.traceFile && isSource(*line.traceFile)) return "the --trace file " + *line.traceFile + " is the source file";
    if (line.check) return {};
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::string file = (directory.ends_with('/') ? directory : directory + "/") + project::slotFileName(slot);
        if (isSource(file)) return "the project file " + file + " is the source file";
    }
    return {};
}

std::string withReason(const project::SaveResult& result) {
    std::string message = text::toUtf8(result.message);
    if (!result.reason.empty()) message += ": " + result.reason;
    return message;
}

// One line per entry: "SOURCE:LINE: TEXT" when the entry cites a line, else "SOURCE: TEXT".
// Returns whether anything was printed.
bool reportMessages(const std::string& source, const TranslationResult& result, std::ostream& err) {
    // Written in blocks: a listing with a million faulty lines must cost neither a million
    // unbuffered writes nor a second copy of all its messages.
    std::string report;
    result.diagnostics.forEachShown([&](const ShownEntry& entry) {
        report += source;
        report += ':';
        if (entry.message) {
            report += std::to_string(entry.message->line);
            report += ':';
        }
        report += ' ';
        report += text::toUtf8(entry.text);
        report += '\n';
        if (report.size() >= (1u << 20)) {
            err.write(report.data(), static_cast<std::streamsize>(report.size()));
            report.clear();
        }
    });
    // Each distinct notice once, with the number of times the run raised it.
    for (std::size_t i = 0; i < result.notices.size(); ++i) {
        report += source + ": warning: " + text::toUtf8(result.notices[i]);
        if (i < result.noticeCounts.size() && result.noticeCounts[i] > 1)
            report += " (" + std::to_string(result.noticeCounts[i]) + " times)";
        report += '\n';
    }
    err.write(report.data(), static_cast<std::streamsize>(report.size()));
    return !result.diagnostics.empty() || !result.notices.empty();
}

std::string fileCount(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " file" : " files");
}

std::string joinNames(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) {
        joined += joined.empty() ? "" : " ";
        joined += name;
    }
    return joined;
}

}  // namespace

std::string versionText() {
    return std::string(kVersionText);
}

int runVestrelc(int argc, char** argv) { return runVestrelc(argc, argv, std::cout, std::cerr); }

int runVestrelc(int argc, char** argv, std::ostream& out, std::ostream& err) {
    return runVestrelc(argc, argv, out, err, [](const std::vector<std::string>& lines,
                                                const TranslationOptions& options, const RunHooks& hooks) {
        return runTranslation(lines, options, hooks);
    });
}

namespace {

int runCommand(int argc, char** argv, std::ostream& out, std::ostream& err, const TranslateStep& translate) {
    std::vector<std::string_view> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    const ParseResult parsed = parseCommandLine(arguments);
    if (!parsed.ok()) return usageError(err, parsed.error);
    const CommandLine& line = parsed.commandLine;
    if (line.help) {
        out << usageText();
        return kExitTranslated;
    }
    if (line.version) {
        out << kProgramName << ' ' << versionText() << '\n';
        return kExitTranslated;
    }

    int iniReason = 0;
    const std::optional<TranslationOptions> options = settingsFor(line, iniReason);
    if (!options)
        return fileError(err, "cannot read the ini file " + *line.iniFile + ": " + project::os::reasonText(iniReason));

    const bool fromStandardInput = line.source == kStandardInput;
    if (fromStandardInput && !line.check && !line.outputDirectory)
        return usageError(err, "a SOURCE read from standard input needs -o DIR (or --check)");
    const std::string shownSource = fromStandardInput ? std::string(kStandardInputShown) : line.source;
    const std::string directory = line.outputDirectory.value_or(project::ilProjectDirectory(line.source));
    const std::string refusal =
        outputOverSource(line,
                         fromStandardInput ? project::os::descriptorIdentity(0) : project::os::fileIdentity(line.source),
                         directory);
    if (!refusal.empty()) return fileError(err, refusal + "; nothing written");

    const project::SourceReadResult source = fromStandardInput ? project::readStandardInput(line.encoding)
                                                               : project::readSourceFile(line.source, line.encoding);
    if (!source.ok) return fileError(err, source.error);

    RunHooks hooks;
    hooks.keepTokenFile = line.tokensFile.has_value();
    hooks.keepTrace = line.traceFile.has_value();
    const TranslationResult result = translate(source.lines, *options, hooks);
    const bool reported = reportMessages(shownSource, result, err);

    // The debugging files are written whatever the outcome: they explain a failed run best.
    std::string writeError;
    if (line.tokensFile && !project::writeFileAtomically(*line.tokensFile, result.tokenFile, &writeError))
        return fileError(err, writeError);
    if (line.traceFile && !project::writeFileAtomically(*line.traceFile, result.trace, &writeError))
        return fileError(err, writeError);

    if (!result.outputShown()) {
        if (!reported) {
            const std::string status = result.syntaxStatus ? std::to_string(*result.syntaxStatus) : "not run";
            err << shownSource << ": the translation stopped without a message (syntax status " << status << ")\n";
        }
        return kExitMessages;
    }

    std::vector<std::string> present;
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (result.slotReceivedText[static_cast<std::size_t>(slot)]) present.push_back(project::slotFileName(slot));
    if (line.check) {
        if (!line.quiet)
            out << "Checked " << shownSource << ": no messages, " << fileCount(present.size()) << " to write"
                << (present.empty() ? "" : ": " + joinNames(present)) << '\n';
        return kExitTranslated;
    }

    const project::SaveResult created = project::ensureProjectDirectory(directory);
    if (!created.ok()) return fileError(err, withReason(created));
    const project::SaveResult saved = project::writeProject(directory, result.slotLines, result.slotReceivedText);
    if (!saved.ok()) return fileError(err, withReason(saved));

    if (!line.quiet) {
        out << "Wrote " << fileCount(saved.written.size()) << " to " << directory
            << (saved.written.empty() ? "" : ": " + joinNames(saved.written));
        if (!saved.deleted.empty()) out << " (removed " << joinNames(saved.deleted) << ')';
        out << '\n';
    }
    return kExitTranslated;
}

}  // namespace

int runVestrelc(int argc, char** argv, std::ostream& out, std::ostream& err, const TranslateStep& translate) {
    // The core reports every failure as a value; this guard only keeps a fault that
    // escapes anyway (memory exhausted) from ending the process without a word.
    int status = kExitFailure;
    try {
        status = runCommand(argc, argv, out, err, translate);
    } catch (const std::bad_alloc&) {
        return fileError(err, "not enough memory for this run");
    } catch (const std::exception& failure) {
        return fileError(err, std::string("internal error: ") + failure.what());
    }
    // What was printed must have arrived: a full disk or a closed pipe is a failure.
    errno = 0;
    out.flush();
    if (!out) return fileError(err, "cannot write to standard output" + (errno ? ": " + project::os::reasonText(errno) : std::string()));
    return status;
}

}  // namespace vestrel::cli
