// The small actions that start the timer and arithmetic records, add operators and
// operands to them, and hand parameter values to a pending algorithm command.
#include "translator/algorithms/algorithm_framework.h"
#include "translator/generator/actions.h"
#include "translator/generator/generator_state.h"

namespace vestrel {

// The timer on the left of a timer assignment or comparison.
void StartTimeExpression(TokenCode token, GeneratorState& state) {
    if (!state.InCondition) state.FDepth = 0;
    if (state.timeExpression.active) return;
    state.timeExpression.start(state.InCondition, state.OrMode, token);
}

// The analog variable on the left of an analog assignment or comparison.
void StartExpression(TokenCode, GeneratorState& state) {
    if (!state.InCondition) state.FDepth = 0;
    if (state.expression.active) return;
    state.expression.start(state.InCondition, state.OrMode);
}

// "=" of an assignment, "<", "=", ">" of a comparison.
void ComparisonOperator(TokenCode token, GeneratorState& state) {
    if (state.expression.active) state.expression.comparison = token;
    if (state.timeExpression.active) state.timeExpression.comparison = token;
}

// "+" or "-" between operands.
void InfixOperator(TokenCode token, GeneratorState& state) {
    if (state.expression.active) state.expression.addOperator(token);
}

// "+" or "-" before the first operand, or before a parameter value.
void LeadingSign(TokenCode token, GeneratorState& state) {
    if (state.expression.active) {
        state.expression.sign = token;
        state.expression.addOperator(token);
    }
    if (state.algorithm.pending) SetParameterSign(state.algorithm, token);
}

// A number in an expression or as a parameter value.
void NumericConstant(TokenCode token, GeneratorState& state) {
    if (state.expression.active) state.expression.addOperand(token, state.reader.currentTokenText);
    if (state.algorithm.pending) AddParameter(state.algorithm, token, state.reader.currentTokenText);
}

// The ив variable on the left of an ив assignment.
void IvTarget(TokenCode token, GeneratorState& state) {
    StartExpression(token, state);
    AnalogOperand(token, state);
}

// A time literal, "вкл", "откл" or a timer as a parameter value.
void ParameterValue(TokenCode token, GeneratorState& state) {
    if (state.algorithm.pending) AddParameter(state.algorithm, token, state.reader.currentTokenText);
}

}  // namespace vestrel
