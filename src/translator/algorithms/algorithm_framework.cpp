// Algorithm commands: collecting the parameters, checking them against their kinds,
// taking state registers, and writing parameter values into the command's line.
#include "translator/algorithms/algorithm_framework.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "translator/algorithms/scan_text.h"
#include "translator/generator/actions.h"
#include "translator/generator/frame.h"
#include "translator/generator/generator_state.h"

namespace vestrel {

namespace {

static_assert(kMaxStateWords == StateDescriptor::kWords, "an instance keeps every state word of its kind");

// A constant's text read as whole part W and fraction F, the digits after the point
// read as a whole number ("12.500000" -> 12, 500000); missing fields are 0.
struct WholeAndFraction {
    std::int32_t whole = 0;
    std::int32_t fraction = 0;
};
WholeAndFraction readWholeAndFraction(std::string_view text) {
    WholeAndFraction v;
    scanIntegers(text, "%d.%d", {&v.whole, &v.fraction});
    return v;
}
std::int32_t stripTrailingZeros(std::int32_t fraction, std::int32_t whileAbove) {
    while (fraction > whileAbove && fraction % 10 == 0) fraction /= 10;
    return fraction;
}

std::string registerName(char letter, int number) {
    if (letter != 'W' && letter != 'I') return {};
    return std::string(1, letter) + std::to_string(number);
}

}  // namespace

void SetParameterSign(TKorvelAlgorithm& algorithm, TokenCode sign) {
    if (!algorithm.pending || algorithm.count >= kMaxAlgorithmParameters) return;
    algorithm.parameters[static_cast<std::size_t>(algorithm.count)].sign = sign;
}

SyntaxMessage AddParameter(TKorvelAlgorithm& algorithm, TokenCode code, std::string_view text) {
    if (!algorithm.pending) return SyntaxMessage::None;
    if (algorithm.count >= kMaxAlgorithmParameters) return SyntaxMessage::TooManyOperands;
    AlgorithmParameter& parameter = algorithm.parameters[static_cast<std::size_t>(algorithm.count++)];
    parameter.code = code;
    parameter.text.assign(text);
    return SyntaxMessage::None;
}

namespace {
// Whether a parameter is of the kind, range included.
bool hasKind(const AlgorithmParameter& p, ParameterKind kind) {
    const TokenCode c = p.code;
    const bool constant = isConstant(c);
    const bool bit = isDiscreteVariable(c) || isTimer(c);
    switch (kind) {
        case ParameterKind::None: return false;
        case ParameterKind::Switch: return isSwitchValue(c);
        case ParameterKind::BitOrSwitch: return bit || isSwitchValue(c);
        case ParameterKind::Bit: return bit;
        case ParameterKind::OutputBit: return isOutputBit(c) || isTimer(c);
        case ParameterKind::SignedAnalog: {
            if (isAnalogVariable(c)) return true;
            if (!constant) return false;
            const WholeAndFraction v = readWholeAndFraction(p.text);
            return v.fraction == 0 && v.whole >= 0 && v.whole <= 1000;
        }
        case ParameterKind::AnalogOutput: return isAnalogOutput(c);
        case ParameterKind::Timer: return isTimer(c);
        case ParameterKind::Count1To128: {
            if (!constant) return false;
            const std::int32_t w = readWholeAndFraction(p.text).whole;
            return w >= 1 && w <= 128;
        }
        case ParameterKind::Count0To7: {
            if (!constant) return false;
            const std::int32_t w = readWholeAndFraction(p.text).whole;
            return w >= 0 && w <= 7;
        }
        case ParameterKind::Time: {
            if (!isTimeLiteral(c)) return false;
            std::int32_t h = 0, m = 0, s = 0;
            if (scanIntegers(p.text, "%d.%d.%d", {&h, &m, &s}) < 1) return false;
            const long long seconds = static_cast<long long>(h) * 3600 + static_cast<long long>(m) * 60 + s;
            return seconds > 0 && seconds <= 260096;
        }
        case ParameterKind::Proportional: {
            if (!constant) return false;
            WholeAndFraction v = readWholeAndFraction(p.text);
            v.fraction = stripTrailingZeros(v.fraction, 9);
            if (v.fraction < 0 || v.fraction > 9) return false;
            const long long tenths = static_cast<long long>(v.whole) * 10 + v.fraction;
            return tenths >= 0 && tenths <= 1000;
        }
        case ParameterKind::Scale: {
            if (!constant) return false;
            WholeAndFraction v = readWholeAndFraction(p.text);
            v.fraction = stripTrailingZeros(v.fraction, 99);
            if (v.fraction < 0 || v.fraction > 99) return false;
            const long long hundredths = static_cast<long long>(v.whole) * 100 + v.fraction;
            return hundredths >= 0 && hundredths <= 199;
        }
    }
    return false;
}
}  // namespace

SyntaxMessage CheckParameter(const TKorvelAlgorithm& algorithm, int i) {
    if (algorithm.index < 0 || algorithm.index >= kAlgorithmCount || i < 0 || i >= kMaxCheckedParameters)
        return SyntaxMessage::WrongParameterCount;
    const ParameterKind kind = AlgorithmInfo[static_cast<std::size_t>(algorithm.index)].kinds[static_cast<std::size_t>(i)];
    return hasKind(algorithm.parameters[static_cast<std::size_t>(i)], kind) ? SyntaxMessage::None : messageOf(kind);
}

AlgorithmVerdict GenerateAlgorithm(GeneratorState& state) {
    TKorvelAlgorithm& algorithm = state.algorithm;
    const int n = ExpectedParameterCount(algorithm.index);
    // The command ends on the line of its last parameter, the line being read now.
    const int lastLine = state.reader.LineCounter + 1;
    for (int i = 0; i < n; ++i) {
        // A message for parameter i cites the source line of that parameter.
        if (const SyntaxMessage message = CheckParameter(algorithm, i); message != SyntaxMessage::None)
            return {message, lastLine - n + i + 1};
    }
    const AlgorithmTemplate generate = templateOf(algorithm.index);
    if (!generate) return {SyntaxMessage::None, lastLine};
    AlgorithmLine line(state);
    return {generate(line), lastLine};
}

// The алгNNN token.
void BeginAlgorithm(TokenCode token, GeneratorState& state) {
    if (!state.InCondition) state.FDepth = 0;
    TKorvelAlgorithm& algorithm = state.algorithm;
    if (algorithm.pending) return;
    algorithm.count = 0;
    for (AlgorithmParameter& p : algorithm.parameters) p = AlgorithmParameter{};
    algorithm.line.clear();
    algorithm.lineWritten = false;
    algorithm.pending = true;
    algorithm.index = algorithmIndexOf(token);
    algorithm.sourceLine = state.sourceLine;
}

// The first token after the last parameter line.
void EndAlgorithm(TokenCode, GeneratorState& state) {
    TKorvelAlgorithm& algorithm = state.algorithm;
    if (!algorithm.pending) return;
    // It runs at the first token after the parameter lines; its IL comes from the command's line.
    const std::uint32_t current = state.writeFromSourceLine(algorithm.sourceLine);
    const AlgorithmVerdict verdict = GenerateAlgorithm(state);
    state.ReportSyntaxError(verdict.message, verdict.citedLine);
    if (algorithm.lineWritten) state.StatementOutput(algorithm.line);
    algorithm.line.clear();
    algorithm.lineWritten = false;
    algorithm.pending = false;
    state.restoreSourceLine(current);
}

AlgorithmState ReadStateDescriptor(GeneratorState& state, int kind, int instance) {
    AlgorithmState names;
    if (kind < 0 || kind >= TConvertTable::kStateKinds || instance < 0 || instance >= TConvertTable::kStateInstances)
        return names;
    const StateDescriptor& d = state.convertTable->descriptor(kind, instance);
    for (std::size_t w = 0; w < names.words.size(); ++w) names.words[w] = registerName(d.letters[w], d.numbers[w]);
    names.flagRegister = registerName(d.flagLetter, d.flagNumber);
    names.flagBit = d.flagBit;
    return names;
}

AlgorithmState AllocateAlgorithmState(GeneratorState& state, int kind) {
    if (kind < 0 || kind >= TConvertTable::kStateKinds) return {};
    std::int32_t& current = state.algorithm.StateInstance[static_cast<std::size_t>(kind)];
    if (current >= 0 && current <= 255) {
        for (int instance = 0; instance < TConvertTable::kStateInstances; ++instance) {
            StateDescriptor& d = state.convertTable->descriptor(kind, instance);
            if (d.used) continue;
            d.used = true;
            for (int w = 0; w < AlgorithmInfo[static_cast<std::size_t>(kind)].stateWords; ++w) {
                RegisterAllocation word;
                if (state.convertTable->AllocStateWord(static_cast<std::uint32_t>(kind), word) == 0) {
                    d.letters[static_cast<std::size_t>(w)] = word.letter;
                    d.numbers[static_cast<std::size_t>(w)] = word.number;
                }
            }
            RegisterAllocation flag;
            if (state.convertTable->AllocFlagPair(static_cast<std::uint32_t>(kind), flag) == 0) {
                d.flagLetter = flag.letter;
                d.flagNumber = flag.number;
                d.flagBit = flag.bit;
            }
            current = instance;
            break;
        }
        // With every instance in use the command shares the registers of the latest one.
    }
    return ReadStateDescriptor(state, kind, current);
}

// --- The line of a command -------------------------------------------------------

AlgorithmLine::AlgorithmLine(GeneratorState& state) : m_state(state) {}

TKorvelAlgorithm& AlgorithmLine::algorithm() { return m_state.algorithm; }

const TranslationOptions& AlgorithmLine::options() const { return m_state.options; }

AlgorithmLine& AlgorithmLine::operator<<(std::string_view fragment) {
    TKorvelAlgorithm& command = m_state.algorithm;
    if (!m_opened) {
        m_opened = true;
        command.lineWritten = true;
        command.line.clear();
        // The first statement opens the line with two spaces in place of "; ".
        if (fragment.substr(0, 2) == "; ") {
            command.line += "  ";
            fragment.remove_prefix(2);
        }
    }
    command.line += fragment;
    return *this;
}

AlgorithmLine& AlgorithmLine::operator<<(long long number) {
    if (!m_opened) return *this << std::to_string(number);
    text::append(m_state.algorithm.line, number);
    return *this;
}

const AlgorithmParameter& AlgorithmLine::parameter(int p) const {
    static const AlgorithmParameter kMissing{};
    if (p < 1 || p > kMaxAlgorithmParameters) return kMissing;
    return m_state.algorithm.parameters[static_cast<std::size_t>(p - 1)];
}

bool AlgorithmLine::isConstant(int p) const { return vestrel::isConstant(parameter(p).code); }

bool AlgorithmLine::isNegative(int p) const { return parameter(p).sign == token::Minus; }

std::string AlgorithmLine::registerOperand(int p) { return std::string(registeredNames(m_state, parameter(p).code).name()); }

std::string AlgorithmLine::mask(int p) {
    OperandNameSet names;
    m_state.convertTable->OperandNames(parameter(p).code, names);
    return std::string(names.mask());
}

std::string AlgorithmLine::constant(int p) const { return ConstantText(parameter(p).text); }

std::string AlgorithmLine::value(int p) { return isConstant(p) ? constant(p) : registerOperand(p); }

AlgorithmLine& AlgorithmLine::signedOperand(std::string_view x, std::string_view y, int p) {
    const std::string v = value(p);
    // The value is named before the fragment is written, so register numbers follow the text.
    return *this << (isNegative(p) ? y : x) << v;
}

AlgorithmLine& AlgorithmLine::load(std::string_view registerName, int p) {
    const std::string v = value(p);
    return *this << "; " << registerName << (isNegative(p) ? " CHGSIGN " : " = ") << v;
}

AlgorithmLine& AlgorithmLine::firstCycleTest(const AlgorithmState& s) {
    return *this << "; " << s.flagRegister << " | " << (1 << s.flagBit) << "; F0 = " << s.flagRegister << "; F0 & "
                 << (1 << (s.flagBit + 1));
}

// --- Renderings --------------------------------------------------------------------

double constantValue(std::string_view text) {
    double value = 0;
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    std::from_chars(text.data() + i, text.data() + text.size(), value);
    return value;
}

std::string ConstantText(std::string_view constantText) {
    const double value = std::ceil(constantValue(constantText));
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 0);
    if (error != std::errc{}) return "0";
    std::string text(buffer, end);
    if (text == "-0") text = "0";
    return text;
}

long long SecondsOf(std::string_view timeText) {
    std::int32_t h = 0, m = 0, s = 0;
    scanIntegers(timeText, "%d.%d.%d", {&h, &m, &s});
    return static_cast<long long>(h) * 3600 + static_cast<long long>(m) * 60 + s;
}

std::string formatReal(double value) {
    if (value == 0 || !std::isfinite(value)) return "0";
    // Fifteen significant digits, rounded: d.dddddddddddddde±x.
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    if (error != std::errc{}) return "0";
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    const bool negative = text.front() == '-';
    const std::size_t ePos = text.find('e');
    std::string digits;
    for (char c : text.substr(negative ? 1 : 0, ePos - (negative ? 1 : 0)))
        if (c >= '0' && c <= '9') digits.push_back(c);
    int exponent = 0;
    std::from_chars(text.data() + ePos + (text[ePos + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= -4 && exponent < 15) {
        if (exponent >= 0) {
            const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= integerDigits) {
                out += digits + std::string(integerDigits - digits.size(), '0');
            } else {
                out += digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
            }
        } else {
            out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        }
    } else {
        out += digits.substr(0, 1);
        if (digits.size() > 1) out += "." + digits.substr(1);
        out += "E" + std::string(exponent < 0 ? "-" : "") + std::to_string(std::abs(exponent));
    }
    return out;
}

}  // namespace vestrel
