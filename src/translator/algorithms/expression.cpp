// Analog assignments (ав, ва, ив = sum of up to eight operands) and analog comparisons
// in conditions: one line that sums the right side in F(d), then stores or compares.
#include "translator/generator/actions.h"
#include "translator/generator/convert_table.h"
#include "translator/generator/generator_state.h"

namespace vestrel {

namespace {

std::string f(std::int32_t n) { return "F" + std::to_string(n); }

// The register name of an analog operand (form 0: first name, 1: second name), the
// whole number of a constant, else nothing.
std::string OperandText(GeneratorState& state, const TExpression& record, int i, int form) {
    const TokenCode code = record.operands[static_cast<std::size_t>(i)];
    const unsigned family = (code >> 12) & 0xF;
    if (family == 2 || family == 4 || family == 8) {
        state.convertTable->RegisterVariable(code);
        OperandNameSet names;
        state.convertTable->OperandNames(code, names);
        return form == 0 ? names.name : names.name2;
    }
    if (((code >> 8) & 0xFF) == 0xE0) return std::to_string(record.constants[static_cast<std::size_t>(i)]);
    return {};
}

int GenerateExpression(GeneratorState& state, TExpression& record) {
    const std::int32_t d = state.FDepth;
    const bool leadingMinus = (record.sign & 0xFF) == '-';
    std::string line;
    line.reserve(128);
    line += "  ";
    line += f(d);
    line += leadingMinus ? " CHGSIGN " : " = ";
    line += OperandText(state, record, 1, 0);
    // A leading sign is stored as the first operator, ahead of the infix ones.
    const int operatorShift = record.sign != 0 ? 1 : 2;
    for (int i = 2; i < record.operandCount; ++i) {
        const int o = i - operatorShift;
        const TokenCode op = (o >= 0 && o < kMaxExpressionItems) ? record.operators[static_cast<std::size_t>(o)] : 0;
        if (((op >> 8) & 0xFF) != 0xB0) continue;
        if ((op & 0xFF) == '+') line += "; " + f(d) + " + " + OperandText(state, record, i, 0);
        else if ((op & 0xFF) == '-') line += "; " + f(d) + " - " + OperandText(state, record, i, 0);
    }
    if (!record.inCondition) {
        line += "; " + OperandText(state, record, 0, 1) + " = " + f(d);
    } else {
        const std::string left = f(d + 1), right = f(d);
        switch (record.comparison & 0xFF) {
            case '<':
                line += "; " + left + " = " + OperandText(state, record, 0, 0) + "; " + left + " - " + right + "; SIGN " + left;
                break;
            case '=':
                line += "; " + left + " = " + OperandText(state, record, 0, 0) + "; " + left + " - " + right + "; ! " + left;
                break;
            case '>':
                line += "; " + left + " = " + OperandText(state, record, 0, 0) + "; " + right + " - " + left + "; SIGN " +
                        right + "; " + left + " = " + right;
                break;
            default:
                break;
        }
        line += "; " + f(d - 1) + (record.orMode ? " | " : " & ") + left;
    }
    record.lines.push_back(std::move(line));
    return 0;
}

}  // namespace

// The first token after an expression.
void EndExpression(TokenCode, GeneratorState& state) {
    TExpression& record = state.expression;
    if (!record.active) return;
    GenerateExpression(state, record);
    for (std::string& line : record.lines) state.StatementOutput(std::move(line));
    record.lines.clear();
    record.active = false;
}

}  // namespace vestrel
