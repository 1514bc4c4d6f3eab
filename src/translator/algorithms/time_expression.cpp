// Timer assignments and timer comparisons. A timer has a status bit and a value word:
// while the bit is set the word holds the time of day the timer started, otherwise an
// elapsed time; the IL computes the elapsed time from the runtime clock.
#include "translator/generator/actions.h"
#include "translator/generator/frame.h"
#include "translator/generator/generator_state.h"
#include "translator/algorithms/scan_text.h"

namespace vestrel {

namespace {

std::string f(std::int32_t n) { return "F" + std::to_string(n); }

struct TimerNames {
    std::string value;  // the timer value register
    std::string name;   // the key register
    std::string mask;
};

TimerNames timerNames(GeneratorState& state, TokenCode timer) {
    TimerNames names;
    names.value = registeredNames(state, timer + 0x100).name;
    const OperandNameSet key = registeredNames(state, timer);
    names.name = key.name;
    names.mask = key.mask.empty() ? std::to_string(1 << (timer & 7)) : key.mask;
    return names;
}

// Leaves the elapsed time of timer X in F(d+1), with F(d) as scratch.
std::string Elapsed(const TimerNames& x, std::int32_t d, bool first) {
    const std::string a = f(d), b = f(d + 1);
    return (first ? "  " : "; ") + a + " = " + x.name + "; " + a + " & " + x.mask + "; " + a + " / " + x.mask + "; " + b +
           " = TM.HOUR; " + b + " * 60; " + b + " + TM.MIN; " + b + " * 60; " + b + " + TM.SEC; " + b + " * " + a +
           "; " + a + " * 2; " + a + " - 1; " + a + " * " + x.value + "; " + b + " - " + a + "; " + a + " SIGN " + b +
           "; " + a + " * 86400; " + b + " + " + a;
}

// Whole seconds of a literal; a non-zero tenths digit adds one second.
long long timeValueOf(const TTimeExpression& record) {
    const auto& v = record.values;
    const long long whole = static_cast<long long>(v[0]) * 3600 + static_cast<long long>(v[1]) * 60 + v[2];
    return whole + (v[3] > 0 ? (v[3] + 999) / 1000 : 0);
}

void GenerateTimeExpression(GeneratorState& state, TTimeExpression& record) {
    const std::int32_t d = state.FDepth;
    const TimerNames target = timerNames(state, record.target);
    const bool valueIsTimer = ((record.valueCode >> 8) & 0xFF) == 0x70;
    TimerNames value;
    if (valueIsTimer) value = timerNames(state, record.valueCode);
    const long long n = timeValueOf(record);
    const std::string n1 = f(d + 1), n2 = f(d + 2), n0 = f(d);
    std::string line;

    if (record.inCondition) {
        switch (record.comparison & 0xFF) {
            case '<':
                if (valueIsTimer)
                    line = Elapsed(value, d, true) + "; " + n2 + " = " + n1 + Elapsed(target, d, false) + "; " + n1 +
                           " - " + n2 + "; SIGN " + n1 + "; " + n0 + " = " + n1;
                else
                    line = Elapsed(target, d, true) + "; " + n1 + " - " + std::to_string(n) + "; SIGN " + n1 + "; " +
                           n0 + " = " + n1;
                break;
            case '=':
            case '>':
                if (valueIsTimer)
                    line = Elapsed(value, d, true) + "; " + n2 + " = " + n1 + Elapsed(target, d, false) + "; " + n2 +
                           " - " + n1 + "; SIGN " + n2 + "; " + n0 + " = " + n2;
                else
                    line = Elapsed(target, d, true) + "; " + n1 + " - " + std::to_string(n) + "; SIGN " + n1 + "; ! " +
                           n1 + "; " + n0 + " = " + n1;
                break;
            default:
                break;
        }
        line += "; " + f(d - 1) + (record.orMode ? " | " : " & ") + n0;
    } else {
        const int clearMask = 255 - std::stoi(target.mask);
        if (valueIsTimer)
            line = "  F0 = " + value.name + "; F0 & " + value.mask + "; F0 / " + value.mask +
                   "; F1 = TM.HOUR; F1 * 60; F1 + TM.MIN; F1 * 60; F1 + TM.SEC; F1 * F0; F0 * 2; F0 - 1; F0 * " +
                   value.value + "; F1 - F0; F0 SIGN F1; F0 * 86400; F1 + F0; " + target.value + " = F1; " + target.name +
                   " & " + std::to_string(clearMask);
        else
            line = "  " + target.value + " = " + std::to_string(n) + "; " + target.name + " & " +
                   std::to_string(clearMask);
    }
    record.lines.push_back(std::move(line));
}

}  // namespace

// Reads the value on the right: a literal hh.mm.ss or .mm.ss.t; a timer's text reads nothing.
void ReadTimeValue(TTimeExpression& record, TokenCode token, std::string_view text) {
    record.valueCode = token;
    if (!text.empty() && text.front() == '.')
        scanIntegers(text, ".%d.%d.%d", {&record.values[1], &record.values[2], &record.values[3]});
    else
        scanIntegers(text, "%d.%d.%d", {&record.values[0], &record.values[1], &record.values[2]});
}

// The timer or time literal that ends a time expression.
void EndTimeExpression(TokenCode token, GeneratorState& state) {
    TTimeExpression& record = state.timeExpression;
    ReadTimeValue(record, token, state.reader.currentTokenText);
    if (!record.active) return;
    GenerateTimeExpression(state, record);
    for (std::string& line : record.lines) state.StatementOutput(std::move(line));
    record.lines.clear();
    record.active = false;
}

}  // namespace vestrel
