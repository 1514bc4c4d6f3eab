// Reading the arguments of vestrelc into a CommandLine.
#include "cli/command_line.h"

#include <charconv>

#include "translator/run/translation.h"

namespace vestrel::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage: vestrelc [options] SOURCE\n"
    "Translates the Korvel program SOURCE into an IL project directory\n"
    "(init.IL and one N.IL file per block half that holds code).\n"
    "SOURCE '-' reads standard input (then -o or --check is needed).\n"
    "\n"
    "Options:\n"
    "  -o, --output DIR       project directory (default: SOURCE without its extension)\n"
    "      --no-comments      write no IL comments\n"
    "      --no-program-text  do not echo the source lines into the IL text\n"
    "      --tick MS          tick resolution in milliseconds, 55..100\n"
    "      --period N         recalculation period in ticks, 1..100\n"
    "      --ini FILE         read the default settings from FILE\n"
    "                         (default: Vestrel.ini beside vestrelc, or in the user's\n"
    "                         configuration folder when vestrelc's folder is read-only)\n"
    "      --encoding ENC     source encoding: auto (default), cp1251 or utf-8\n"
    "      --check            run both passes and report; write no project\n"
    "      --tokens FILE      write the token records of the lexical pass to FILE\n"
    "      --trace FILE       write the trace of the syntax pass to FILE\n"
    "      --source-map FILE  write, for each IL file, the Korvel line of each IL line\n"
    "                         to FILE (JSON)\n"
    "      --diagnostics-format FORMAT\n"
    "                         gnu (default): messages on standard error as\n"
    "                         SOURCE:LINE:COLUMN: error: TEXT; json or sarif: one\n"
    "                         document on standard output describing the whole run\n"
    "  -q, --quiet            print no summary line\n"
    "  -h, --help             print this text\n"
    "      --version          print the version\n"
    "\n"
    "Messages go to standard error as SOURCE:LINE:COLUMN: error: TEXT (the column\n"
    "of lexical messages) or SOURCE:LINE: error: TEXT, notices as\n"
    "SOURCE: warning: TEXT.\n"
    "Exit status: 0 translated without messages, 1 messages reported,\n"
    "2 usage, encoding or file error.\n";

std::optional<int> parseWholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<DiagnosticsFormat> parseDiagnosticsFormat(std::string_view text) {
    if (text == "gnu") return DiagnosticsFormat::Gnu;
    if (text == "json") return DiagnosticsFormat::Json;
    if (text == "sarif") return DiagnosticsFormat::Sarif;
    return std::nullopt;
}

std::optional<project::SourceEncoding> parseEncoding(std::string_view text) {
    if (text == "auto") return project::SourceEncoding::Auto;
    if (text == "cp1251") return project::SourceEncoding::Cp1251;
    if (text == "utf-8" || text == "utf8") return project::SourceEncoding::Utf8;
    return std::nullopt;
}

// Walks the arguments; an option's value is the next argument or follows "=".
class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string_view>& arguments) : m_arguments(arguments) {}

    ParseResult read() {
        bool optionsEnded = false;
        while (m_index < m_arguments.size() && m_result.ok()) {
            const std::string_view argument = m_arguments[m_index++];
            if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
                takeSource(argument);
            } else if (argument == "--") {
                optionsEnded = true;
            } else if (!readOption(argument)) {
                return std::move(m_result);
            }
        }
        if (m_result.ok() && !m_hasSource)
            m_result.error = "no SOURCE file given";
        return std::move(m_result);
    }

private:
    const std::vector<std::string_view>& m_arguments;
    std::size_t m_index = 0;
    ParseResult m_result;
    bool m_hasSource = false;

    void takeSource(std::string_view argument) {
        if (m_hasSource) {
            m_result.error = "more than one SOURCE file given ('" + std::string(argument) + "')";
            return;
        }
        m_hasSource = true;
        m_result.commandLine.source = std::string(argument);
    }

    // Returns false when reading ends here (help, version).
    bool readOption(std::string_view argument) {
        std::string_view name = argument;
        std::optional<std::string_view> attached;
        if (argument.starts_with("--")) {
            if (const std::size_t equals = argument.find('='); equals != std::string_view::npos) {
                name = argument.substr(0, equals);
                attached = argument.substr(equals + 1);
            }
        }
        CommandLine& line = m_result.commandLine;
        if (name == "-h" || name == "--help") {
            line.help = true;
            return false;
        }
        if (name == "--version") {
            line.version = true;
            return false;
        }
        if (name == "--no-comments") return flag(name, attached, line.noComments);
        if (name == "--no-program-text") return flag(name, attached, line.noProgramText);
        if (name == "--check") return flag(name, attached, line.check);
        if (name == "-q" || name == "--quiet") return flag(name, attached, line.quiet);
        if (name == "-o" || name == "--output") return text(name, attached, line.outputDirectory);
        if (name == "--ini") return text(name, attached, line.iniFile);
        if (name == "--tokens") return text(name, attached, line.tokensFile);
        if (name == "--trace") return text(name, attached, line.traceFile);
        if (name == "--source-map") return text(name, attached, line.sourceMapFile);
        if (name == "--diagnostics-format")
            return choice(name, attached, parseDiagnosticsFormat, "gnu, json or sarif", line.diagnosticsFormat);
        if (name == "--tick")
            return number(name, attached, TranslationOptions::kTickMin, TranslationOptions::kTickMax,
                          line.tickResolution);
        if (name == "--period")
            return number(name, attached, TranslationOptions::kPeriodMin, TranslationOptions::kPeriodMax,
                          line.recalcPeriod);
        if (name == "--encoding") return choice(name, attached, parseEncoding, "auto, cp1251 or utf-8", line.encoding);
        m_result.error = "unknown option '" + std::string(argument) + "'";
        return true;
    }

    std::optional<std::string_view> valueOf(std::string_view name, std::optional<std::string_view> attached) {
        if (attached) return attached;
        if (m_index < m_arguments.size()) return m_arguments[m_index++];
        m_result.error = "option '" + std::string(name) + "' needs a value";
        return std::nullopt;
    }

    bool flag(std::string_view name, std::optional<std::string_view> attached, bool& target) {
        if (attached) m_result.error = "option '" + std::string(name) + "' takes no value";
        target = true;
        return true;
    }

    bool text(std::string_view name, std::optional<std::string_view> attached, std::optional<std::string>& target) {
        const std::optional<std::string_view> value = valueOf(name, attached);
        if (!value) return true;
        if (value->empty()) m_result.error = "option '" + std::string(name) + "' needs a value";
        target = std::string(*value);
        return true;
    }

    // An option whose value is one of a few words.
    template <class Value>
    bool choice(std::string_view name, std::optional<std::string_view> attached,
                std::optional<Value> (*parse)(std::string_view), std::string_view words, Value& target) {
        const std::optional<std::string_view> value = valueOf(name, attached);
        if (!value) return true;
        if (const std::optional<Value> parsed = parse(*value))
            target = *parsed;
        else
            m_result.error = std::string(name) + " must be " + std::string(words) + ", not '" + std::string(*value) + "'";
        return true;
    }

    bool number(std::string_view name, std::optional<std::string_view> attached, int minimum, int maximum,
                std::optional<int>& target) {
        const std::optional<std::string_view> value = valueOf(name, attached);
        if (!value) return true;
        const std::optional<int> parsed = parseWholeNumber(*value);
        if (!parsed || *parsed < minimum || *parsed > maximum) {
            m_result.error = "option '" + std::string(name) + "' needs a whole number from " +
                             std::to_string(minimum) + " to " + std::to_string(maximum) + ", not '" +
                             std::string(*value) + "'";
            return true;
        }
        target = parsed;
        return true;
    }
};

}  // namespace

ParseResult parseCommandLine(const std::vector<std::string_view>& arguments) {
    return ArgumentReader(arguments).read();
}

std::string_view usageText() { return kUsage; }

}  // namespace vestrel::cli
