// Token records of a one-section program holding one algorithm command, and the command's
// line read back from the block program: a small fixture for template tests that must not
// depend on pass 1.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "support/pass2_runner.h"
#include "translator/text/literal.h"

namespace vestrel::testing {

// One parameter value: a token code with its text and an optional leading sign.
struct ParameterValue {
    TokenCode code = 0;
    std::string text;
    char sign = 0;  // '+', '-' or 0
};

inline ParameterValue variable(TokenCode code) { return {code, "x", 0}; }
inline ParameterValue negated(ParameterValue value) {
    value.sign = '-';
    return value;
}
// A numeric constant as pass 1 writes it ("%f").
inline ParameterValue number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%f", value);
    return {0xE000, text, 0};
}
inline ParameterValue on() {
    using namespace text::literals;
    return {0xA104, std::string("вкл"_cp), 0};
}
inline ParameterValue off() {
    using namespace text::literals;
    return {0xA105, std::string("откл"_cp), 0};
}

// Section 000, statement line 00 with алгNNN (index octal, as in the source), one line per value.
inline std::vector<Record> algorithmCommand(int index, const std::vector<ParameterValue>& values) {
    std::vector<Record> records = {{0xF200, "000."}, {0xF300, "00 x"}, {0xC000 + static_cast<TokenCode>(index), "x"}};
    for (std::size_t n = 0; n < values.size(); ++n) {
        records.push_back({0xC100 + static_cast<TokenCode>(n + 1), std::to_string(n + 1) + "=x"});
        records.push_back({0xB03D, "="});
        if (values[n].sign) records.push_back({values[n].sign == '-' ? TokenCode{0xB02D} : TokenCode{0xB02B},
                                               std::string(1, values[n].sign)});
        records.push_back({values[n].code, values[n].text});
    }
    return records;
}

// What a one-command program gives in block program 1.
struct CommandResult {
    std::vector<std::string> declarations;  // the lines between "VAR_IN_OUT" and "I254 CYCLE_TIME R"
    std::vector<std::string> lines;         // the lines between the section-key test and "M0:"
    std::vector<std::string> diagnostics;   // message texts
    std::vector<std::string> notices;       // the message boxes, in order
};

inline CommandResult translateCommand(int index, const std::vector<ParameterValue>& values) {
    TranslationOptions options;
    options.AddComment = false;
    options.AddProgramText = false;
    const Pass2Outcome outcome = runPass2(algorithmCommand(index, values), options);
    CommandResult result;
    for (const auto& d : outcome.diagnostics.entries()) result.diagnostics.push_back(d.text());
    result.notices = outcome.notices;
    const std::vector<std::string>& slot = outcome.slots[1];
    std::size_t i = 0;
    while (i < slot.size() && slot[i] != "VAR_IN_OUT") ++i;
    for (++i; i < slot.size() && slot[i] != "I254 CYCLE_TIME R"; ++i) result.declarations.push_back(slot[i]);
    while (i < slot.size() && slot[i] != "END_VAR") ++i;
    for (i += 3; i < slot.size() && slot[i] != "M0:"; ++i) result.lines.push_back(slot[i]);
    return result;
}

}  // namespace vestrel::testing
