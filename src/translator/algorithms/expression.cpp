// Analog assignments (ав, ва, ив = sum of up to eight operands) and analog comparisons
// in conditions: one line that sums the right side in F(d), then stores or compares.
#include "translator/generator/actions.h"
#include "translator/generator/convert_table.h"
#include "translator/generator/generator_state.h"
#include "translator/generator/scratch_register.h"

namespace vestrel {

namespace {

using text::append;

// Appends the register name of an analog operand, the whole number of a constant, else
// nothing.
void appendOperand(std::string& line, GeneratorState& state, const TExpression& record, int i) {
    const TokenCode code = record.operands[static_cast<std::size_t>(i)];
    if (isNumericVariable(code)) {
        state.convertTable->RegisterVariable(code);
        OperandRegister where;
        if (state.convertTable->FindOperand(code, where) == 0) append(line, where.letter, where.index);
    } else if (isConstant(code)) {
        append(line, record.constants[static_cast<std::size_t>(i)]);
    }
}

int GenerateExpression(GeneratorState& state, TExpression& record) {
    const std::int32_t d = state.FDepth;
    const bool leadingMinus = record.sign == token::Minus;
    std::string& line = record.line;
    line.clear();
    append(line, "  ", F{d}, leadingMinus ? " CHGSIGN " : " = ");
    appendOperand(line, state, record, 1);
    // A leading sign is stored as the first operator, ahead of the infix ones.
    const int operatorShift = record.sign != 0 ? 1 : 2;
    for (int i = 2; i < record.operandCount; ++i) {
        const int o = i - operatorShift;
        const TokenCode op = (o >= 0 && o < kMaxExpressionItems) ? record.operators[static_cast<std::size_t>(o)] : 0;
        if (op != token::Plus && op != token::Minus) continue;
        append(line, "; ", F{d}, op == token::Plus ? " + " : " - ");
        appendOperand(line, state, record, i);
    }
    if (!record.inCondition) {
        line += "; ";
        appendOperand(line, state, record, 0);
        append(line, " = ", F{d});
    } else {
        const F left{d + 1}, right{d};
        const char comparison = operatorChar(record.comparison);
        if (comparison == '<' || comparison == '=' || comparison == '>') {
            append(line, "; ", left, " = ");
            appendOperand(line, state, record, 0);
        }
        switch (comparison) {
            case '<': append(line, "; ", left, " - ", right, "; SIGN ", left); break;
            case '=': append(line, "; ", left, " - ", right, "; ! ", left); break;
            case '>': append(line, "; ", right, " - ", left, "; SIGN ", right, "; ", left, " = ", right); break;
            default: break;
        }
        append(line, "; ", F{d - 1}, record.orMode ? " | " : " & ", left);
    }
    return 0;
}

}  // namespace

// The first token after an expression.
void EndExpression(TokenCode, GeneratorState& state) {
    TExpression& record = state.expression;
    if (!record.active) return;
    GenerateExpression(state, record);
    state.StatementOutput(record.line);
    record.active = false;
}

}  // namespace vestrel
