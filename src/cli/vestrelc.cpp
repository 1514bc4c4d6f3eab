// vestrelc: reads a Korvel source, translates it and writes the IL project.
#include "cli/vestrelc.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <new>
#include <optional>
#include <string_view>

#include "cli/command_line.h"
#include "cli/run_report.h"
#include "cli/source_map_file.h"
#include "project/file_system.h"
#include "project/il_project.h"
#include "project/source_file.h"
#include "settings/ini_location.h"
#include "settings/ini_store.h"
#include "settings/translation_settings.h"
#include "translator/text/cp1251.h"
#include "translator/text/source_text.h"
#include "vestrel_version.h"

namespace vestrel::cli {
namespace {

constexpr int kExitTranslated = 0;
constexpr int kExitMessages = 1;
constexpr int kExitFailure = 2;

constexpr std::string_view kProgramName = "vestrelc";
constexpr std::string_view kStandardInput = "-";
constexpr std::string_view kStandardInputShown = "<stdin>";

int usageError(TextOutput& err, const std::string& message) {
    err << kProgramName << ": " << message << "\n"
        << "Try '" << kProgramName << " --help' for more information.\n";
    return kExitFailure;
}

int fileError(TextOutput& err, const std::string& messageUtf8) {
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
    if (line.sourceMapFile && isSource(*line.sourceMapFile))
        return "the --source-map file " + *line.sourceMapFile + " is the source file";
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

}  // namespace

std::string versionText() {
    return std::string(kVersionText);
}

namespace {

TranslationResult translateInProcess(std::string_view source, const TranslationOptions& options, const RunHooks& hooks) {
    return runTranslation(source, options, hooks);
}

int runGuarded(int argc, char** argv, TextOutput& out, TextOutput& err, const TranslateStep& translate,
               BeforeSourceRead beforeRead);

}  // namespace

int runVestrelc(int argc, char** argv, BeforeSourceRead beforeRead) {
    StandardOutput out(stdout);
    StandardOutput err(stderr, stdout);
    return runGuarded(argc, argv, out, err, translateInProcess, beforeRead);
}

int runVestrelc(int argc, char** argv, TextOutput& out, TextOutput& err) {
    return runVestrelc(argc, argv, out, err, translateInProcess);
}

namespace {

// The slot whose file has this name ("init.IL" 0, "1.IL" 1, ...).
std::optional<int> slotOfFileName(std::string_view name) {
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (project::slotFileName(slot) == name) return slot;
    return std::nullopt;
}

// Gathers what the run reports and writes it once, at the end, in the chosen format.
class Reporter {
public:
    Reporter(const CommandLine& line, TextOutput& out, TextOutput& err) : m_line(line), m_out(out), m_err(err) {
        report.source = line.source;
    }

    RunReport report;

    int finish(RunOutcome outcome, int status) {
        report.outcome = outcome;
        report.exitStatus = status;
        writeReport(m_line.diagnosticsFormat, report, m_line.quiet, m_out, m_err);
        return status;
    }
    int fileError(std::string messageUtf8) {
        report.error = std::move(messageUtf8);
        report.errorIsFileError = true;
        return finish(RunOutcome::FileError, kExitFailure);
    }
    // Writes a file the user asked for and lists it; false after a failure (reported).
    bool writeFile(const std::string& path, std::string_view bytes, WrittenFileKind kind) {
        return writeFile(path, [bytes](const project::PieceWriter& write, int& reason) { return write(bytes, reason); },
                         kind, [] { return std::string(); });
    }
    // The same for a file made as it is written; `ownError` gives the message of a failure
    // of the content's own (empty: the write failed).
    template <class OwnError>
    bool writeFile(const std::string& path, const project::FileContent& content, WrittenFileKind kind,
                   const OwnError& ownError) {
        std::string error;
        if (!project::writeFileAtomically(path, content, &error)) {
            const std::string own = ownError();
            fileError(own.empty() ? error : own);
            return false;
        }
        report.files.push_back({path, kind, std::nullopt});
        return true;
    }

private:
    const CommandLine& m_line;
    TextOutput& m_out;
    TextOutput& m_err;
};

int runCommand(int argc, char** argv, TextOutput& out, TextOutput& err, const TranslateStep& translate,
               BeforeSourceRead beforeRead) {
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
    Reporter reporter(line, out, err);
    RunReport& report = reporter.report;

    int iniReason = 0;
    const std::optional<TranslationOptions> options = settingsFor(line, iniReason);
    if (!options)
        return reporter.fileError("cannot read the ini file " + *line.iniFile + ": " + project::os::reasonText(iniReason));

    const bool fromStandardInput = line.source == kStandardInput;
    if (fromStandardInput && !line.check && !line.outputDirectory)
        return usageError(err, "a SOURCE read from standard input needs -o DIR (or --check)");
    if (fromStandardInput) report.source = std::string(kStandardInputShown);
    const std::string directory = line.outputDirectory.value_or(project::ilProjectDirectory(line.source));
    const std::string refusal =
        outputOverSource(line,
                         fromStandardInput ? project::os::descriptorIdentity(project::os::standardInput()) : project::os::fileIdentity(line.source),
                         directory);
    if (!refusal.empty()) return reporter.fileError(refusal + "; nothing written");

    if (beforeRead) beforeRead(line.source);
    const project::SourceReadResult source = fromStandardInput ? project::readStandardInput(line.encoding)
                                                               : project::readSourceFile(line.source, line.encoding);
    if (!source.ok) return reporter.fileError(source.error);

    RunHooks hooks;
    hooks.keepTokenFile = line.tokensFile.has_value();
    hooks.keepTrace = line.traceFile.has_value();
    // A check writes no IL: unless the source map asks for its lines, none is kept.
    hooks.keepSlotTexts = !line.check || line.sourceMapFile.has_value();
    // A run that writes the project holds no more of a large IL text than its limit: the
    // rest waits beside the project, already as the files will have it.
    const IlSpillPolicy spill = project::projectSpillPolicy(directory);
    if (!line.check) hooks.spill = &spill;
    const TranslationResult result = translate(source.text, *options, hooks);
    // Messages are placed on the source's lines: the lines are counted only when there are any.
    addTranslationMessages(report, result, result.diagnostics.empty() ? 0 : SourceText(source.text).lineCount());

    // The debugging files are written whatever the outcome: they explain a failed run best.
    if (line.tokensFile && !reporter.writeFile(*line.tokensFile, result.tokenFile, WrittenFileKind::Tokens))
        return report.exitStatus;
    if (line.traceFile && !reporter.writeFile(*line.traceFile, result.trace, WrittenFileKind::Trace))
        return report.exitStatus;
    // A slot whose lines could not be set aside has lost them: nothing of it is written.
    for (int slot = 0; slot < kSlotCount && result.outputShown(); ++slot)
        if (const int reason = result.slotLines[static_cast<std::size_t>(slot)].spillFailure())
            return reporter.fileError(project::cannotCreateFileText(
                (directory.ends_with('/') ? directory : directory + "/") + project::slotFileName(slot), reason));
    if (line.sourceMapFile) {
        SourceMapFailure failure;
        const project::FileContent document = [&](const project::PieceWriter& write, int& reason) {
            if (writeSourceMap(report.source, result, write, failure)) return true;
            reason = failure.reason;
            return false;
        };
        if (!reporter.writeFile(*line.sourceMapFile, document, WrittenFileKind::SourceMap, [&] {
                return failure.readingBack ? "cannot read back the IL lines for " + *line.sourceMapFile + ": " +
                                                 project::os::reasonText(failure.reason)
                                           : std::string();
            }))
            return report.exitStatus;
    }

    if (!result.outputShown()) {
        if (!hasMessages(report) && report.notices.empty()) {
            const std::string status = result.syntaxStatus ? std::to_string(*result.syntaxStatus) : "not run";
            report.error = "the translation stopped without a message (syntax status " + status + ")";
        }
        return reporter.finish(RunOutcome::Messages, kExitMessages);
    }

    for (int slot = 0; slot < kSlotCount; ++slot)
        if (result.slotReceivedText[static_cast<std::size_t>(slot)])
            report.slotFiles.push_back(project::slotFileName(slot));
    if (line.check) {
        report.checkOnly = true;
        return reporter.finish(RunOutcome::Translated, kExitTranslated);
    }

    const project::SaveResult created = project::ensureProjectDirectory(directory);
    if (!created.ok()) return reporter.fileError(withReason(created));
    const project::SaveResult saved = project::writeProject(directory, result.slotLines, result.slotReceivedText);
    if (!saved.ok()) return reporter.fileError(withReason(saved));

    report.directory = directory;
    report.slotFiles = saved.written;
    report.removedNames = saved.deleted;
    for (const std::string& name : saved.written)
        report.files.push_back({directory + "/" + name, WrittenFileKind::Il, slotOfFileName(name)});
    for (const std::string& name : saved.deleted) report.removed.push_back(directory + "/" + name);
    return reporter.finish(RunOutcome::Translated, kExitTranslated);
}

int runGuarded(int argc, char** argv, TextOutput& out, TextOutput& err, const TranslateStep& translate,
               BeforeSourceRead beforeRead) {
    // The core reports every failure as a value; this guard only keeps a fault that
    // escapes anyway (memory exhausted) from ending the process without a word.
    int status = kExitFailure;
    try {
        status = runCommand(argc, argv, out, err, translate, beforeRead);
    } catch (const std::bad_alloc&) {
        return fileError(err, "not enough memory for this run");
    } catch (const std::exception& failure) {
        return fileError(err, std::string("internal error: ") + failure.what());
    }
    // What was printed must have arrived: a full disk or a closed pipe is a failure.
    errno = 0;
    if (!out.flush()) return fileError(err, "cannot write to standard output" + (errno ? ": " + project::os::reasonText(errno) : std::string()));
    return status;
}

}  // namespace

int runVestrelc(int argc, char** argv, TextOutput& out, TextOutput& err, const TranslateStep& translate) {
    return runGuarded(argc, argv, out, err, translate, nullptr);
}

}  // namespace vestrel::cli
