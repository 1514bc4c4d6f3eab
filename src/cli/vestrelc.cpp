// vestrelc: reads a Korvel source, translates it and writes the IL project.
#include "cli/vestrelc.h"

#include <exception>
#include <iostream>
#include <optional>
#include <string_view>

#include "cli/command_line.h"
#include "cli/run_report.h"
#include "cli/source_map_file.h"
#include "project/il_project.h"
#include "project/source_file.h"
#include "settings/ini_store.h"
#include "settings/translation_settings.h"
#include "translator/text/cp1251.h"

namespace vestrel::cli {
namespace {

constexpr int kExitTranslated = 0;
constexpr int kExitMessages = 1;
constexpr int kExitFailure = 2;

constexpr std::string_view kProgramName = "vestrelc";

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
// overrides them. Nothing when an ini file named by --ini cannot be read.
std::optional<TranslationOptions> settingsFor(const CommandLine& line) {
    const std::string iniPath = line.iniFile.value_or(settings::defaultIniPath());
    const settings::IniStore store(iniPath);
    if (line.iniFile && !store.exists()) return std::nullopt;
    TranslationOptions options = settings::readTranslationOptions(store);
    if (line.noComments) options.AddComment = false;
    if (line.noProgramText) options.AddProgramText = false;
    if (line.tickResolution) options.TickResolution = *line.tickResolution;
    if (line.recalcPeriod) options.RecalcPeriod = *line.recalcPeriod;
    return options;
}

}  // namespace

std::string versionText() {
    return std::to_string(VESTREL_VERSION_MAJOR) + "." + std::to_string(VESTREL_VERSION_MINOR) + "." +
           std::to_string(VESTREL_VERSION_PATCH) + "." + std::to_string(VESTREL_VERSION_TWEAK);
}

int runVestrelc(int argc, char** argv) { return runVestrelc(argc, argv, std::cout, std::cerr); }

int runVestrelc(int argc, char** argv, std::ostream& out, std::ostream& err) {
    return runVestrelc(argc, argv, out, err, [](const std::vector<std::string>& lines,
                                                const TranslationOptions& options, const RunHooks& hooks) {
        return runTranslation(lines, options, hooks);
    });
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
    Reporter(const CommandLine& line, std::ostream& out, std::ostream& err) : m_line(line), m_out(out), m_err(err) {
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
        std::string error;
        if (!project::writeFileAtomically(path, bytes, &error)) {
            fileError(error);
            return false;
        }
        report.files.push_back({path, kind, std::nullopt});
        return true;
    }

private:
    const CommandLine& m_line;
    std::ostream& m_out;
    std::ostream& m_err;
};

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
    Reporter reporter(line, out, err);
    RunReport& report = reporter.report;

    const std::optional<TranslationOptions> options = settingsFor(line);
    if (!options) return reporter.fileError("cannot read the ini file " + *line.iniFile);

    const project::SourceReadResult source = project::readSourceFile(line.source, line.encoding);
    if (!source.ok) return reporter.fileError(source.error);

    RunHooks hooks;
    hooks.keepTokenFile = line.tokensFile.has_value();
    hooks.keepTrace = line.traceFile.has_value();
    const TranslationResult result = translate(source.lines, *options, hooks);
    addTranslationMessages(report, result, source.lines.size());

    // The debugging files are written whatever the outcome: they explain a failed run best.
    if (line.tokensFile && !reporter.writeFile(*line.tokensFile, result.tokenFile, WrittenFileKind::Tokens))
        return report.exitStatus;
    if (line.traceFile && !reporter.writeFile(*line.traceFile, result.trace, WrittenFileKind::Trace))
        return report.exitStatus;
    if (line.sourceMapFile && !reporter.writeFile(*line.sourceMapFile, sourceMapDocument(line.source, result),
                                                  WrittenFileKind::SourceMap))
        return report.exitStatus;

    if (!result.outputShown()) {
        if (report.messages.empty() && report.notices.empty()) {
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

    const std::string directory = line.outputDirectory.value_or(project::ilProjectDirectory(line.source));
    const project::SaveResult created = project::ensureProjectDirectory(directory);
    if (!created.ok()) return reporter.fileError(text::toUtf8(created.message));
    const project::SaveResult saved = project::writeProject(directory, result.slotLines, result.slotReceivedText);
    if (!saved.ok()) return reporter.fileError(text::toUtf8(saved.message));

    report.directory = directory;
    report.slotFiles = saved.written;
    report.removedNames = saved.deleted;
    for (const std::string& name : saved.written)
        report.files.push_back({directory + "/" + name, WrittenFileKind::Il, slotOfFileName(name)});
    for (const std::string& name : saved.deleted) report.removed.push_back(directory + "/" + name);
    return reporter.finish(RunOutcome::Translated, kExitTranslated);
}

}  // namespace

int runVestrelc(int argc, char** argv, std::ostream& out, std::ostream& err, const TranslateStep& translate) {
    // The core reports every failure as a value; this guard only keeps a fault that
    // escapes anyway (memory exhausted) from ending the process without a word.
    try {
        return runCommand(argc, argv, out, err, translate);
    } catch (const std::exception& failure) {
        return fileError(err, std::string("internal error: ") + failure.what());
    }
}

}  // namespace vestrel::cli
