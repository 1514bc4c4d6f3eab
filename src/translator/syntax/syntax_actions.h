// What the grammar asks of the generator: the routines its rows name, and the services
// the engine needs around them. The engine knows the routines only by name; the
// generator decides what each of them writes.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "translator/diagnostics/messages.h"
#include "translator/lexer/token_reader.h"

// X(Name) for each routine a row may call on entering it, grouped as the generator keeps them.
#define VESTREL_SYNTAX_ACTIONS(X)                                                                    \
    /* Block and section frame. */                                                                   \
    X(BeginSection) X(EndProgram) X(BeginStatement) X(ExitSection)                                   \
    /* Conditional statements. */                                                                    \
    X(StartConditional) X(OpenGroup) X(CloseGroup) X(BeginConditionItem) X(OrItem)                   \
    X(EndConditionItem) X(BeginThen) X(BeginElse) X(EndConditional)                                  \
    /* Operands of в, о and б statements and condition atoms. */                                     \
    X(SetStatementContext) X(DiscreteOperand) X(TimerOperand) X(AnalogOperand)                       \
    /* Collection of timer and analog constructs and of algorithm parameter values. */               \
    X(StartTimeExpression) X(StartExpression) X(IvTarget) X(ComparisonOperator) X(LeadingSign)       \
    X(InfixOperator) X(NumericConstant) X(ParameterValue)                                            \
    /* Ends of constructs that generate their line. */                                               \
    X(EndTimeExpression) X(EndExpression) X(BeginAlgorithm) X(EndAlgorithm)

namespace vestrel {

#define VESTREL_ACTION_ENUMERATOR(name) name,
#define VESTREL_ACTION_NAME(name) std::string_view(#name),
#define VESTREL_ACTION_ONE(name) +1
enum class SyntaxAction : std::uint8_t { None = 0, VESTREL_SYNTAX_ACTIONS(VESTREL_ACTION_ENUMERATOR) };
inline constexpr int kSyntaxActionCount = 0 VESTREL_SYNTAX_ACTIONS(VESTREL_ACTION_ONE);
inline constexpr std::array<std::string_view, kSyntaxActionCount + 1> kSyntaxActionNames = {
    std::string_view{}, VESTREL_SYNTAX_ACTIONS(VESTREL_ACTION_NAME)};
#undef VESTREL_ACTION_ENUMERATOR
#undef VESTREL_ACTION_NAME
#undef VESTREL_ACTION_ONE

constexpr std::string_view nameOf(SyntaxAction action) { return kSyntaxActionNames[static_cast<std::size_t>(action)]; }

// The generator as the engine sees it. It also serves the token reader (text lines,
// progress, notices), which the engine runs on its behalf.
class SyntaxActions : public TokenReaderHost {
public:
    // The routine a row names, entered with the current token.
    virtual void act(SyntaxAction action, TokenCode token) = 0;
    // A message citing the reader's current line and word; None does nothing.
    virtual void report(SyntaxMessage message) = 0;
    // The engine stopped at an error: nothing the pass produced is kept.
    virtual void abandon() = 0;
};

}  // namespace vestrel
