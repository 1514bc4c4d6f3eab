// The two records in which the syntax actions collect a timer construct or an
// arithmetic construct before its IL line is generated.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "translator/lexer/token_file.h"

namespace vestrel {

inline constexpr int kMaxExpressionItems = 8;

// A timer assignment (тмNN = value) or a timer comparison in a condition.
struct TTimeExpression {
    bool inCondition = false;  // InCondition when the record was started
    bool orMode = false;       // OrMode when the record was started
    TokenCode target = 0;      // the timer on the left
    TokenCode comparison = 0;  // "=", "<" or ">"
    TokenCode valueCode = 0;   // the value on the right: a timer or a time literal
    std::array<std::int32_t, 4> values{};  // h, m, s, t of a time literal
    bool active = false;
    std::string line;  // the generated line; its room is kept from one statement to the next

    void start(bool inConditionNow, bool orModeNow, TokenCode targetTimer);
};

// An analog assignment or an analog comparison: operand 0 is the target or left side.
struct TExpression {
    int operandCount = 0;
    int operatorCount = 0;
    TokenCode sign = 0;  // a leading sign, 0 when none
    std::array<TokenCode, kMaxExpressionItems> operators{};
    std::array<TokenCode, kMaxExpressionItems> operands{};
    std::array<std::int32_t, kMaxExpressionItems> constants{};  // "%d" of a constant's text
    TokenCode comparison = 0;
    bool inCondition = false;
    bool orMode = false;
    bool active = false;
    std::string line;  // the generated line; its room is kept from one statement to the next

    void start(bool inConditionNow, bool orModeNow);
    // Both return 0, or 1 when the record already holds eight items (the item is dropped).
    int addOperator(TokenCode token);
    int addOperand(TokenCode token, std::string_view text);
};

}  // namespace vestrel
