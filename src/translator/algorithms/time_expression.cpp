// Timer assignments and timer comparisons. A timer has a status bit and a value word:
// while the bit is set the word holds the time of day the timer started, otherwise an
// elapsed time; the IL computes the elapsed time from the runtime clock.
#include "translator/generator/actions.h"
#include "translator/generator/frame.h"
#include "translator/generator/generator_state.h"
#include "translator/algorithms/scan_text.h"
#include "translator/generator/scratch_register.h"

namespace vestrel {

namespace {

using text::append;

struct TimerNames {
    OperandNameSet value;  // the timer value register
    OperandNameSet key;    // the key register
    int mask = 0;          // the weight of the timer's bit in it
};

TimerNames timerNames(GeneratorState& state, TokenCode timer) {
    TimerNames names;
    names.value = registeredNames(state, timerValueKey(timer));
    names.key = registeredNames(state, timer);
    // The key's own mask is this weight too; it still names the bit when no register was had.
    names.mask = 1 << (timer & 7);
    return names;
}

// Leaves the elapsed time of timer X in F(d+1), with F(d) as scratch.
void appendElapsed(std::string& line, const TimerNames& x, std::int32_t d, bool first) {
    const F a{d}, b{d + 1};
    append(line, first ? "  " : "; ", a, " = ", x.key.name(), "; ", a, " & ", x.mask, "; ", a, " / ", x.mask, "; ", b,
           " = TM.HOUR; ", b, " * 60; ", b, " + TM.MIN; ", b, " * 60; ", b, " + TM.SEC; ", b, " * ", a, "; ", a,
           " * 2; ", a, " - 1; ", a, " * ", x.value.name(), "; ", b, " - ", a, "; ", a, " SIGN ", b, "; ", a, " * 86400; ", b,
           " + ", a);
}

// Both elapsed times (the value's in F(d+2), the target's in F(d+1)), then the sign of
// `kept` - `other` in F(d): 1 when `kept` is the greater.
void appendTimerAgainstTimer(std::string& line, const TimerNames& value, const TimerNames& target, std::int32_t d,
                             F kept, F other) {
    appendElapsed(line, value, d, true);
    append(line, "; ", F{d + 2}, " = ", F{d + 1});
    appendElapsed(line, target, d, false);
    append(line, "; ", kept, " - ", other, "; SIGN ", kept, "; ", F{d}, " = ", kept);
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
    const bool valueIsTimer = isTimer(record.valueCode);
    TimerNames value;
    if (valueIsTimer) value = timerNames(state, record.valueCode);
    const long long n = timeValueOf(record);
    const F n1{d + 1}, n2{d + 2}, n0{d};
    std::string& line = record.line;
    line.clear();

    if (record.inCondition) {
        switch (operatorChar(record.comparison)) {
            case '<':
                if (valueIsTimer) {
                    appendTimerAgainstTimer(line, value, target, d, n1, n2);
                } else {
                    appendElapsed(line, target, d, true);
                    append(line, "; ", n1, " - ", n, "; SIGN ", n1, "; ", n0, " = ", n1);
                }
                break;
            case '=':
            case '>':
                if (valueIsTimer) {
                    appendTimerAgainstTimer(line, value, target, d, n2, n1);
                } else {
                    appendElapsed(line, target, d, true);
                    append(line, "; ", n1, " - ", n, "; SIGN ", n1, "; ! ", n1, "; ", n0, " = ", n1);
                }
                break;
            default:
                break;
        }
        append(line, "; ", F{d - 1}, record.orMode ? " | " : " & ", n0);
    } else {
        const int clearMask = 255 - target.mask;
        if (valueIsTimer)
            append(line, "  F0 = ", value.key.name(), "; F0 & ", value.mask, "; F0 / ", value.mask,
                   "; F1 = TM.HOUR; F1 * 60; F1 + TM.MIN; F1 * 60; F1 + TM.SEC; F1 * F0; F0 * 2; F0 - 1; F0 * ",
                   value.value.name(), "; F1 - F0; F0 SIGN F1; F0 * 86400; F1 + F0; ", target.value.name(), " = F1; ",
                   target.key.name(),
                   " & ", clearMask);
        else
            append(line, "  ", target.value.name(), " = ", n, "; ", target.key.name(), " & ", clearMask);
    }
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
    state.StatementOutput(record.line);
    record.active = false;
}

}  // namespace vestrel
