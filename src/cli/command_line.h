// The command line of vestrelc: what the user asked for, before any file is touched.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/source_file.h"

namespace vestrel::cli {

// How vestrelc reports the run: lines for editors and build tools, or one document.
enum class DiagnosticsFormat {
    Gnu,    // FILE:LINE:COLUMN: error: TEXT on standard error
    Json,   // one Vestrel diagnostics document on standard output
    Sarif,  // one SARIF 2.1.0 log on standard output
};

struct CommandLine {
    std::string source;
    std::optional<std::string> outputDirectory;  // -o; otherwise derived from the source
    std::optional<std::string> iniFile;          // --ini; otherwise Vestrel.ini beside vestrelc
    std::optional<std::string> tokensFile;
    std::optional<std::string> traceFile;
    std::optional<std::string> sourceMapFile;
    DiagnosticsFormat diagnosticsFormat = DiagnosticsFormat::Gnu;
    project::SourceEncoding encoding = project::SourceEncoding::Auto;

    // Settings given on the command line; each one beats the ini file.
    bool noComments = false;
    bool noProgramText = false;
    std::optional<int> tickResolution;
    std::optional<int> recalcPeriod;

    bool check = false;
    bool quiet = false;
    bool help = false;
    bool version = false;
};

struct ParseResult {
    CommandLine commandLine;
    std::string error;  // empty when the command line is sound
    bool ok() const { return error.empty(); }
};

// Reads the arguments after the program name. --help and --version end the reading:
// whatever follows them is not looked at.
ParseResult parseCommandLine(const std::vector<std::string_view>& arguments);

// The text -h prints.
std::string_view usageText();

}  // namespace vestrel::cli
