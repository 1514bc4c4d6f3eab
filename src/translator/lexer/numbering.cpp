// Section, line and parameter numbering rules.
#include "translator/lexer/numbering.h"

#include "translator/diagnostics/messages.h"
#include "translator/text/cp1251.h"

namespace vestrel {

LexicalMessage acceptSectionHeader(NumberingState& state, std::string_view header, int& number) {
    // Exactly three digits before the ".": block 0..7, section 00..37.
    const bool wellFormed = header.size() >= 4 && header[3] == '.' && text::isOctalDigit(header[0]) &&
                            header[1] >= '0' && header[1] <= '3' && text::isOctalDigit(header[2]);
    if (!wellFormed) return LexicalMessage::WrongConstant;
    const int value = (header[0] - '0') * 100 + (header[1] - '0') * 10 + (header[2] - '0');
    if (value < state.lastSection) return LexicalMessage::SectionOutOfOrder;
    if (value == state.lastSection) return LexicalMessage::SectionExists;
    state.lastSection = value;
    state.lastLine = -1;
    number = OctalTriple(header[0], header[1], header[2]);
    return LexicalMessage::None;
}

LexicalMessage acceptLineNumber(NumberingState& state, std::string_view digitRun, int& number) {
    if (digitRun.size() != 2 || !text::isOctalDigit(digitRun[0]) || !text::isOctalDigit(digitRun[1]))
        return LexicalMessage::LineNumberNotOctal;
    const int value = (digitRun[0] - '0') * 8 + (digitRun[1] - '0');
    if (value == state.lastLine) return LexicalMessage::LineNumberExists;
    if (value != state.lastLine + 1) return LexicalMessage::LineOutOfOrder;
    if (state.lastSection < 0) return LexicalMessage::SectionNumberMissing;
    state.lineNumberExpected = false;
    state.lastLine = value;
    number = value;
    return LexicalMessage::None;
}

LexicalMessage acceptParameterNumber(NumberingState& state, std::string_view digitRun, int& number) {
    state.lineNumberExpected = false;
    state.parameterNumberExpected = false;
    // A run of any length: once the value is past every parameter count it can only be
    // out of sequence, so it is held at a ceiling instead of overflowing.
    constexpr int kCeiling = 1'000'000;
    int value = 0;
    for (const char digit : digitRun) {
        value = value * 10 + (digit - '0');
        if (value > kCeiling) value = kCeiling;
    }
    if (value == state.lastParameter) return LexicalMessage::ParameterNumberExists;
    if (value != state.lastParameter + 1) return LexicalMessage::ParametersNotInSequence;
    state.lastParameter = value;
    --state.parametersRemaining;
    number = value;
    return LexicalMessage::None;
}

}  // namespace vestrel
