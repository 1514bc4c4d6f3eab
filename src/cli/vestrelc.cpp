// vestrelc: reads a Korvel source, translates it and writes the IL project.
#include "cli/vestrelc.h"

#include <exception>
#include <iostream>
#include <optional>
#include <string_view>

#include "cli/command_line.h"
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

    const std::optional<TranslationOptions> options = settingsFor(line);
    if (!options) return fileError(err, "cannot read the ini file " + *line.iniFile);

    const project::SourceReadResult source = project::readSourceFile(line.source, line.encoding);
    if (!source.ok) return fileError(err, source.error);

    RunHooks hooks;
    hooks.keepTokenFile = line.tokensFile.has_value();
    hooks.keepTrace = line.traceFile.has_value();
    const TranslationResult result = translate(source.lines, *options, hooks);
    const bool reported = reportMessages(line.source, result, err);

    // The debugging files are written whatever the outcome: they explain a failed run best.
    std::string writeError;
    if (line.tokensFile && !project::writeFileAtomically(*line.tokensFile, result.tokenFile, &writeError))
        return fileError(err, writeError);
    if (line.traceFile && !project::writeFileAtomically(*line.traceFile, result.trace, &writeError))
        return fileError(err, writeError);

    if (!result.outputShown()) {
        if (!reported) {
            const std::string status = result.syntaxStatus ? std::to_string(*result.syntaxStatus) : "not run";
            err << line.source << ": the translation stopped without a message (syntax status " << status << ")\n";
        }
        return kExitMessages;
    }

    std::vector<std::string> present;
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (result.slotReceivedText[static_cast<std::size_t>(slot)]) present.push_back(project::slotFileName(slot));
    if (line.check) {
        if (!line.quiet)
            out << "Checked " << line.source << ": no messages, " << fileCount(present.size()) << " to write"
                << (present.empty() ? "" : ": " + joinNames(present)) << '\n';
        return kExitTranslated;
    }

    const std::string directory = line.outputDirectory.value_or(project::ilProjectDirectory(line.source));
    const project::SaveResult created = project::ensureProjectDirectory(directory);
    if (!created.ok()) return fileError(err, text::toUtf8(created.message));
    const project::SaveResult saved = project::writeProject(directory, result.slotLines, result.slotReceivedText);
    if (!saved.ok()) return fileError(err, text::toUtf8(saved.message));

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
    try {
        return runCommand(argc, argv, out, err, translate);
    } catch (const std::exception& failure) {
        return fileError(err, std::string("internal error: ") + failure.what());
    }
}

}  // namespace vestrel::cli
