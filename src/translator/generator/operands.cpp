// The operand actions of в, о and б statements and condition atoms: a discrete bit,
// a timer, or an analog register. While an algorithm command is pending they only
// record the operand as a parameter.
#include "translator/algorithms/algorithm_framework.h"
#include "translator/generator/actions.h"
#include "translator/generator/conditional.h"
#include "translator/generator/frame.h"
#include "translator/generator/generator_state.h"
#include "translator/generator/scratch_register.h"

namespace vestrel {

namespace {
constexpr TokenCode kOn = token::On, kOff = token::Off, kBit = token::Bit;

using text::append;
using text::concat;

std::string f(std::int32_t n) { return concat(F{n}); }

// The mask read as a number; an empty mask (the register could not be had) counts as the
// bit's own weight so the line still names the right bit.
int maskValue(const OperandNameSet& names, TokenCode code) {
    if (names.mask().empty()) return 1 << (code & 7);
    return std::stoi(std::string(names.mask()));
}
std::string maskText(const OperandNameSet& names, TokenCode code) {
    return names.mask().empty() ? concat(1 << (code & 7)) : std::string(names.mask());
}

// "  Fd = N; Fd & M; Fd / M": the bit's value, 0 or 1, in F(d).
std::string bitIntoScratch(std::int32_t d, std::string_view load, std::string_view name, std::string_view mask) {
    return concat("  ", F{d}, load, name, "; ", F{d}, " & ", mask, "; ", F{d}, " / ", mask);
}
}  // namespace

// "в", "о" or "б" before an operand.
void SetStatementContext(TokenCode token, GeneratorState& state) { state.StatementContext = token; }

// дв, вд, кб or кс after "в", "о", "б", or as an algorithm parameter value.
void DiscreteOperand(TokenCode code, GeneratorState& state) {
    const std::int32_t d = state.FDepth;
    if (state.algorithm.pending) {
        AddParameter(state.algorithm, code, state.reader.currentTokenText);
    } else if (state.StatementContext == kOn || state.StatementContext == kOff) {
        const bool on = state.StatementContext == kOn;
        const OperandNameSet names = registeredNames(state, code);
        const std::string mask = maskText(names, code);
        if (state.InCondition) {
            std::string line = bitIntoScratch(d, " = ", names.name(), mask);
            if (!on) append(line, "; ! ", F{d});
            state.currentSlotList().push_back(line);
            combineIntoAccumulator(state, f(d));
        } else if (on) {
            state.StatementOutput(concat("  ", names.name(), " | ", mask));
        } else {
            state.StatementOutput(concat("  ", names.name(), " & ", 255 - maskValue(names, code)));
        }
    } else if (state.StatementContext == kBit) {
        state.convertTable->RegisterVariable(code);
        state.convertTable->MarkVariable(code, 1);
        if (state.InCondition) {
            OperandNameSet names;
            state.convertTable->OperandNames(code, names);
            combineIntoAccumulator(state, names.name());
        }
    }
    state.StatementContext = 0;
}

// A timer after "в" (start it, or: is it running) or "о" (stop it, or: is it running).
void TimerOperand(TokenCode code, GeneratorState& state) {
    const std::int32_t d = state.FDepth;
    const OperandNameSet value = registeredNames(state, timerValueKey(code));
    const OperandNameSet key = registeredNames(state, code);
    const std::string_view v = value.name();
    const std::string_view k = key.name();
    const std::string m = maskText(key, code);
    if (state.StatementContext == kOn) {
        if (state.InCondition) {
            state.currentSlotList().push_back(bitIntoScratch(d, " = ", k, m));
            combineIntoAccumulator(state, f(d));
        } else {
            state.StatementOutput(concat("  F0 ~ ", k, "; F0 & ", m, "; F0 / ", m,
                                         "; F1 = TM.HOUR; F1 * 60; F1 + TM.MIN; F1 * 60; F1 + TM.SEC; F1 * F0; F0 * 2; "
                                         "F0 - 1; F0 * ",
                                         v, "; F1 - F0; F0 SIGN F1; F0 * 86400;  F1 + F0; ", v, " = F1; ", k, " | ", m));
        }
    } else if (state.StatementContext == kOff) {
        if (state.InCondition) {
            state.currentSlotList().push_back(bitIntoScratch(d, " ~ ", k, m));
            combineIntoAccumulator(state, f(d));
        } else {
            state.StatementOutput(concat("  F0 = ", k, "; F0 & ", m, "; F0 / ", m,
                                         "; F1 = TM.HOUR; F1 * 60; F1 + TM.MIN; F1 * 60; F1 + TM.SEC; F1 * F0; F0 * 2; "
                                         "F0 - 1; F0 * ",
                                         v, "; F1 - F0; F0 SIGN F1; F0 * 86400; F1 + F0; ", v, " = F1; ", k, " & ",
                                         255 - maskValue(key, code)));
        }
    }
    state.StatementContext = 0;
}

// ав or ва: after "б", on the left of an analog assignment or comparison, in an
// expression, as a parameter value, and the ив target of an ив assignment.
void AnalogOperand(TokenCode code, GeneratorState& state) {
    if (!state.algorithm.pending && state.StatementContext == kBit) {
        state.convertTable->RegisterVariable(code);
        state.convertTable->MarkVariable(code, 1);
        if (state.InCondition) {
            OperandNameSet names;
            state.convertTable->OperandNames(code, names);
            combineIntoAccumulator(state, names.name());
        }
    }
    if (state.expression.active) state.expression.addOperand(code, state.reader.currentTokenText);
    if (state.algorithm.pending) AddParameter(state.algorithm, code, state.reader.currentTokenText);
    state.StatementContext = 0;
}

}  // namespace vestrel
