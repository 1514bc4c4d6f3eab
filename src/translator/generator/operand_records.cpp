// Starting and filling the timer and arithmetic records.
#include "translator/generator/operand_records.h"

#include "translator/algorithms/scan_text.h"

namespace vestrel {

void TTimeExpression::start(bool inConditionNow, bool orModeNow, TokenCode targetTimer) {
    inCondition = inConditionNow;
    orMode = orModeNow;
    target = targetTimer;
    comparison = 0;
    valueCode = 0;
    values = {};
    line.clear();
    active = true;
}

void TExpression::start(bool inConditionNow, bool orModeNow) {
    inCondition = inConditionNow;
    orMode = orModeNow;
    operandCount = 0;
    operatorCount = 0;
    sign = 0;
    operators = {};
    operands = {};
    constants = {};
    comparison = 0;
    line.clear();
    active = true;
}

int TExpression::addOperator(TokenCode token) {
    if (operatorCount >= kMaxExpressionItems) return 1;
    operators[static_cast<std::size_t>(operatorCount++)] = token;
    return 0;
}


int TExpression::addOperand(TokenCode token, std::string_view text) {
    if (operandCount >= kMaxExpressionItems) return 1;
    const auto index = static_cast<std::size_t>(operandCount++);
    operands[index] = token;
    if (isConstant(token)) constants[index] = leadingInteger(text);
    return 0;
}

}  // namespace vestrel
