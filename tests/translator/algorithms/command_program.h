// Small Korvel programs made of algorithm commands, translated in full, and the lines
// the commands produced: shared by the template tests.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "translator/run/translation.h"
#include "translator/text/cp1251.h"

namespace vestrel::testing {

// One algorithm command: its octal index as written ("001") and the values of p1..pn as
// written after "n = " (UTF-8, for example "-ва001", "12.5", "вкл", "00.01.00").
struct AlgorithmCommand {
    std::string index;
    std::vector<std::string> values;

    // A copy with some parameters (1-based) replaced.
    AlgorithmCommand with(std::initializer_list<std::pair<int, std::string>> changes) const {
        AlgorithmCommand copy = *this;
        for (const auto& [p, value] : changes) copy.values.at(static_cast<std::size_t>(p - 1)) = value;
        return copy;
    }
};

// A section header and its commands on lines numbered 00, 01, ... (at most 64).
inline std::vector<std::string> sectionLines(const std::string& header, const std::vector<AlgorithmCommand>& commands) {
    std::vector<std::string> lines{header};
    int number = 0;
    for (const AlgorithmCommand& c : commands) {
        const int n = number++;
        lines.push_back(std::to_string(n / 8) + std::to_string(n % 8) + " алг" + c.index);
        for (std::size_t p = 0; p < c.values.size(); ++p) lines.push_back(std::to_string(p + 1) + " = " + c.values[p]);
    }
    return lines;
}

// Section 000 holding the commands, then the extra lines as written.
inline std::vector<std::string> programLines(const std::vector<AlgorithmCommand>& commands,
                                             const std::vector<std::string>& extra = {}) {
    std::vector<std::string> lines = sectionLines("000.", commands);
    lines.insert(lines.end(), extra.begin(), extra.end());
    return lines;
}

inline TranslationOptions shortOutput(int tick = 55, int period = 10) {
    TranslationOptions options;
    options.AddComment = false;
    options.AddProgramText = false;
    options.TickResolution = tick;
    options.RecalcPeriod = period;
    return options;
}

// Translates UTF-8 source lines.
inline TranslationResult translate(const std::vector<std::string>& utf8Lines,
                                   const TranslationOptions& options = shortOutput()) {
    std::vector<std::string> lines;
    for (const std::string& line : utf8Lines) lines.push_back(text::fromUtf8(line).value_or(""));
    return runTranslation(lines, options);
}

// The slot's lines in UTF-8.
inline std::vector<std::string> slotLines(const TranslationResult& result, int slot) {
    std::vector<std::string> lines;
    for (std::string_view line : result.slotLines.at(static_cast<std::size_t>(slot)))
        lines.push_back(text::toUtf8(line));
    return lines;
}

// The lines a one-section block program holds between its section-key test and its end
// label: with short output, the lines of its statements.
inline std::vector<std::string> statementLines(const TranslationResult& result, int slot = 1) {
    const std::vector<std::string> all = slotLines(result, slot);
    std::vector<std::string> lines;
    bool inside = false;
    for (const std::string& line : all) {
        if (inside && !line.empty() && line.back() == ':') break;
        if (inside) lines.push_back(line);
        if (line.find("TEST") != std::string::npos && line.find("JMPN M39") == std::string::npos) inside = true;
    }
    return lines;
}

inline std::vector<std::string> diagnosticTexts(const TranslationResult& result) {
    std::vector<std::string> texts;
    for (const Diagnostic& d : result.diagnostics.entries()) texts.push_back(text::toUtf8(d.text()));
    return texts;
}

// The line of the only command of a program, with no message expected.
inline std::string onlyLine(const std::vector<AlgorithmCommand>& commands,
                            const TranslationOptions& options = shortOutput()) {
    const TranslationResult result = translate(programLines(commands), options);
    EXPECT_EQ(diagnosticTexts(result), std::vector<std::string>{});
    const std::vector<std::string> lines = statementLines(result);
    EXPECT_EQ(lines.size(), 1u);
    return lines.empty() ? std::string() : lines.back();
}

// The statements of a line, split at "; " (the two leading blanks removed).
inline std::vector<std::string> statementsOf(const std::string& line) {
    std::vector<std::string> statements;
    std::size_t start = line.rfind("  ", 0) == 0 ? 2 : 0;
    for (;;) {
        const std::size_t end = line.find("; ", start);
        statements.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return statements;
}

// The statements in which the lines of a command differ when the program is translated
// with two pairs of tick and period: (statement with the first pair, with the second).
inline std::vector<std::pair<std::string, std::string>> cycleDependentStatements(const AlgorithmCommand& command,
                                                                                int tick1, int period1, int tick2,
                                                                                int period2) {
    const std::vector<std::string> first = statementsOf(onlyLine({command}, shortOutput(tick1, period1)));
    const std::vector<std::string> second = statementsOf(onlyLine({command}, shortOutput(tick2, period2)));
    std::vector<std::pair<std::string, std::string>> differences;
    EXPECT_EQ(first.size(), second.size());
    for (std::size_t i = 0; i < first.size() && i < second.size(); ++i)
        if (first[i] != second[i]) differences.emplace_back(first[i], second[i]);
    return differences;
}

}  // namespace vestrel::testing
