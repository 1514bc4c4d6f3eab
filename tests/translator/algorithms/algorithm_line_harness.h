// Test support for the algorithm templates: one command run through pass 2 over hand-made
// records, and a small evaluator of the scratch-register statements an algorithm line holds.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/pass2_runner.h"

namespace vestrel::testing {

// One parameter value: its token code and token-file text, and the sign it carries.
struct ParameterValue {
    TokenCode code = 0;
    std::string text;  // cp1251
    char sign = 0;     // 0, '+' or '-'
};

ParameterValue number(int value);             // a numeric constant; a negative value carries "-"
ParameterValue decimal(std::string text);     // a numeric constant with its token-file text ("0.500000")
ParameterValue va(int number);                // ва variable (number as in the source, octal)
ParameterValue av(int number);                // ав variable
ParameterValue dv(int number);                // дв variable
ParameterValue switchOn();                    // "вкл"
ParameterValue switchOff();                   // "откл"
ParameterValue negative(ParameterValue value);  // the same value with the sign "-"

struct CommandOutcome {
    Pass2Outcome pass2;
    std::vector<std::string> lines;  // what the command wrote into the program of section 000
};

// Runs "алгNNN" with its parameter lines as the only statement of section 000.
CommandOutcome runCommand(int octalIndex, const std::vector<ParameterValue>& parameters);
// The single line the command wrote ("" when it wrote none or more than one).
std::string commandLine(int octalIndex, const std::vector<ParameterValue>& parameters);

// Runs the statements of an algorithm line over the given registers (real arithmetic).
// Returns the registers afterwards, or nullopt when the line is not well formed
// (unbalanced IF/WHILE, an unknown statement) or a loop does not end.
std::optional<std::map<std::string, double>> evaluateLine(const std::string& line,
                                                          std::map<std::string, double> registers = {});

}  // namespace vestrel::testing
