// The generator routines that rows of the syntax graph call when the engine enters them.
// Each takes the current token and the analyser's generator state; results are ignored.
#pragma once

#include <array>
#include <cstddef>

#include "translator/lexer/token_file.h"
#include "translator/syntax/syntax_actions.h"

namespace vestrel {

struct GeneratorState;
using Action = void (*)(TokenCode token, GeneratorState& state);

// Block and section frame.
void BeginSection(TokenCode token, GeneratorState& state);
void EndProgram(TokenCode token, GeneratorState& state);
void BeginStatement(TokenCode token, GeneratorState& state);
void ExitSection(TokenCode token, GeneratorState& state);

// Conditional statements.
void StartConditional(TokenCode token, GeneratorState& state);
void OpenGroup(TokenCode token, GeneratorState& state);
void CloseGroup(TokenCode token, GeneratorState& state);
void BeginConditionItem(TokenCode token, GeneratorState& state);
void OrItem(TokenCode token, GeneratorState& state);
void EndConditionItem(TokenCode token, GeneratorState& state);
void BeginThen(TokenCode token, GeneratorState& state);
void BeginElse(TokenCode token, GeneratorState& state);
void EndConditional(TokenCode token, GeneratorState& state);

// Operands of в, о and б statements and condition atoms.
void SetStatementContext(TokenCode token, GeneratorState& state);
void DiscreteOperand(TokenCode token, GeneratorState& state);
void TimerOperand(TokenCode token, GeneratorState& state);
void AnalogOperand(TokenCode token, GeneratorState& state);

// Collection of timer and analog constructs and of algorithm parameter values.
void StartTimeExpression(TokenCode token, GeneratorState& state);
void StartExpression(TokenCode token, GeneratorState& state);
void IvTarget(TokenCode token, GeneratorState& state);
void ComparisonOperator(TokenCode token, GeneratorState& state);
void LeadingSign(TokenCode token, GeneratorState& state);
void InfixOperator(TokenCode token, GeneratorState& state);
void NumericConstant(TokenCode token, GeneratorState& state);
void ParameterValue(TokenCode token, GeneratorState& state);

// Ends of constructs that generate their IL line.
void EndTimeExpression(TokenCode token, GeneratorState& state);
void EndExpression(TokenCode token, GeneratorState& state);
void BeginAlgorithm(TokenCode token, GeneratorState& state);
void EndAlgorithm(TokenCode token, GeneratorState& state);

// The routine of each name, in the order of the names (None has none).
#define VESTREL_ACTION_ROUTINE(name) &name,
inline constexpr std::array<Action, kSyntaxActionCount + 1> kActionRoutines = {
    nullptr, VESTREL_SYNTAX_ACTIONS(VESTREL_ACTION_ROUTINE)};
#undef VESTREL_ACTION_ROUTINE

// Calls the routine the grammar names; inline, since the engine calls one for nearly
// every token.
inline void RunAction(SyntaxAction action, TokenCode token, GeneratorState& state) {
    if (const Action routine = kActionRoutines[static_cast<std::size_t>(action)]) routine(token, state);
}

}  // namespace vestrel
