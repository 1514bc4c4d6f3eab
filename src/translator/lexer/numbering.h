// The numbering of a Korvel listing: section headers in increasing order, line numbers
// 00..77 octal consecutive within a section, and the decimal parameter numbers 1, 2, ...
// that follow an algorithm command. These rules only judge and update the state; the
// scanner writes the opening records.
#pragma once

#include <string_view>

#include "translator/diagnostics/messages.h"

namespace vestrel {

struct NumberingState {
    int lastSection = -1;          // decimal reading of the last accepted header's three digits
    int lastLine = -1;             // last accepted line number; -1 after every section header
    int lastParameter = -1;        // last accepted parameter number; 0 after an algorithm command
    int parametersRemaining = 0;   // parameter lines the last algorithm command still expects
    // Set by the pass driver for every line that begins with a digit, cleared only by the rules.
    bool lineNumberExpected = false;
    bool parameterNumberExpected = false;
};

// block * 32 + section for a section written as three digit characters.
constexpr int OctalTriple(char a, char b, char c) { return (a - '0') * 32 + (b - '0') * 8 + (c - '0'); }

// Each returns the message that rejects the number, None when it is accepted. On acceptance the
// state moves on and `number` receives the low part of the opening record's code; on
// rejection the state keeps its values (apart from what the rule clears first).

// `header` starts at the first digit and reaches the "." after it.
LexicalMessage acceptSectionHeader(NumberingState& state, std::string_view header, int& number);
// `digitRun` is the first digit run of a statement line.
LexicalMessage acceptLineNumber(NumberingState& state, std::string_view digitRun, int& number);
// `digitRun` is the first digit run of a parameter line; both expectations end here.
LexicalMessage acceptParameterNumber(NumberingState& state, std::string_view digitRun, int& number);

}  // namespace vestrel
