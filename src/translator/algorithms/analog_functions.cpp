// Analog functions: weighted sum, product and quotient, signed square root, a four-segment
// characteristic and the largest or smallest of eight values, each written as one line.
#include <string>

#include "translator/algorithms/algorithm_framework.h"
#include "translator/algorithms/templates.h"

namespace vestrel {

namespace {

// A coefficient 0.00..1.99 is written as the first four characters of its constant text
// (the token file keeps six decimals, so 0.5 reads "0.500000" and is written 0.50).
std::string coefficientText(const AlgorithmLine& line, int p) { return line.parameter(p).text.substr(0, 4); }

// "; R * k" with the coefficient of p, or "; R * -k" when it carries the sign "-".
void multiplyByCoefficient(AlgorithmLine& line, std::string_view registerName, int p) {
    const std::string r(registerName);
    line << (line.isNegative(p) ? "; " + r + " * -" : "; " + r + " * ") << coefficientText(line, p);
}

// F0 multiplied or divided by p: a negative constant is written as a negative number, a
// negative variable goes through F1 first.
void applyToF0(AlgorithmLine& line, std::string_view op, int p) {
    const std::string o(op);
    if (!line.isNegative(p)) {
        const std::string v = line.value(p);
        line << "; F0 " + o + " " << v;
    } else if (line.isConstant(p)) {
        line << "; F0 " + o + " -" << line.constant(p);
    } else {
        const std::string v = line.registerOperand(p);
        line << "; F1 CHGSIGN " << v << "; F0 " + o + " F1";
    }
}

// `SignedOperand`(X, Y, p) whose fragments hold the name of the result q: q is named first,
// since its name is written before the value of p.
void assignSigned(AlgorithmLine& line, int q, int p) {
    const std::string target = line.registerOperand(q);
    line.signedOperand("; " + target + " = ", "; " + target + " CHGSIGN ", p);
}

// Sub(R, p) and Add(R, p) of the characteristic.
void sub(AlgorithmLine& line, std::string_view r, int p) {
    const std::string reg(r);
    line.signedOperand("; " + reg + " - ", "; " + reg + " + ", p);
}
void add(AlgorithmLine& line, std::string_view r, int p) {
    const std::string reg(r);
    line.signedOperand("; " + reg + " + ", "; " + reg + " - ", p);
}

// The comparison of F5 with the point p: "; F5 < v", or for a negative point the point
// is first put into F0 and then compared.
void compareInput(AlgorithmLine& line, std::string_view op, int p) {
    const std::string o(op);
    line.signedOperand("; F5 " + o + " ", "; F0 CHGSIGN ", p);
    if (line.isNegative(p)) line << "; F5 " + o + " F0";
}

// The value of one segment between (xa, ya) and (xb, yb): ya + (yb - ya) / (xb - xa) * (x - xa).
void segmentValue(AlgorithmLine& line, int xa, int ya, int xb, int yb) {
    line.load("F1", yb);
    sub(line, "F1", ya);
    line.load("F0", xb);
    sub(line, "F0", xa);
    line << "; F1 / F0; F0 = F5";
    sub(line, "F0", xa);
    line << "; F0 * F1";
    add(line, "F0", ya);
}

// One pass of the scan over p2..p8 with the comparison op: a value that beats F0 replaces
// it and F1 takes its position. The comparisons are strict, so the first of equal values wins.
void scanValues(AlgorithmLine& line, std::string_view op) {
    const std::string o(op);
    for (int i = 2; i <= 8; ++i) {
        line << "; IF";
        const std::string v = line.value(i);
        if (!line.isNegative(i)) {
            line << "; F0 " + o + " " << v << "; THEN; F1 = " << i << "; F0 = " << v << "; END_IF";
        } else {
            // A negative variable is written with two spaces before its name.
            line << (line.isConstant(i) ? "; F2 CHGSIGN " : "; F2 CHGSIGN  ") << v << "; F0 " + o + " F2; THEN; F1 = "
                 << i;
            line.load("F0", i);
            line << "; END_IF";
        }
    }
}

}  // namespace

// Weighted sum x1·k1 + x2·k2 + x3·k3; the coefficients are texts, never operands.
SyntaxMessage Template030(AlgorithmLine& line) {
    line.load("F0", 1);
    multiplyByCoefficient(line, "F0", 2);
    line.load("F1", 3);
    multiplyByCoefficient(line, "F1", 4);
    line << "; F0 + F1";
    line.load("F1", 5);
    multiplyByCoefficient(line, "F1", 6);
    line << "; F0 + F1";
    const std::string result = line.registerOperand(7);
    line << "; " + result + " = F0";
    return SyntaxMessage::None;
}

// a × b / c.
SyntaxMessage Template031(AlgorithmLine& line) {
    line.load("F0", 1);
    applyToF0(line, "*", 2);
    applyToF0(line, "/", 3);
    const std::string result = line.registerOperand(4);
    line << "; " + result + " = F0";
    return SyntaxMessage::None;
}

// The square root of |a × b| with the sign of the product. Only the sign of the product
// matters, so one negative factor is always written on a and two cancel.
SyntaxMessage Template032(AlgorithmLine& line) {
    const bool negative = line.isNegative(1) != line.isNegative(2);
    const std::string a = line.value(1);
    line << (negative ? "; F0 CHGSIGN " : "; F0 = ") << a;
    const std::string b = line.value(2);
    line << "; F0 * " << b;
    line << "; F1 SIGN F0; ! F1; ABS F0; SQRT F0; F1 * 2; F1 - 1; F0 * F1";
    const std::string result = line.registerOperand(3);
    line << "; " + result + " = F0";
    return SyntaxMessage::None;
}

// Four points (X1,Y1)..(X4,Y4): Y1 below X1, Y4 above X4, linear in between.
SyntaxMessage Template033(AlgorithmLine& line) {
    line.load("F5", 1);
    line << "; IF";
    line.load("F0", 3);
    line << "; F5 < F0; THEN";
    assignSigned(line, 2, 4);
    line << "; ELSE; IF";
    compareInput(line, ">", 9);
    line << "; THEN";
    assignSigned(line, 2, 10);
    line << "; ELSE; IF";
    compareInput(line, "<", 5);
    line << "; THEN";
    segmentValue(line, 3, 4, 5, 6);
    line << "; " + line.registerOperand(2) + " = F0; ELSE; IF";
    compareInput(line, "<", 7);
    line << "; THEN";
    segmentValue(line, 5, 6, 7, 8);
    line << "; " + line.registerOperand(2) + " = F0; ELSE";
    segmentValue(line, 7, 8, 9, 10);
    line << "; " + line.registerOperand(2) + " = F0; END_IF; END_IF; END_IF; END_IF";
    return SyntaxMessage::None;
}

// The largest (mode on) or smallest (mode off) of eight values and its position 1..8.
SyntaxMessage Template034(AlgorithmLine& line) {
    const AlgorithmParameter& mode = line.parameter(11);
    if (isSwitchValue(mode.code)) {
        line << (mode.code == token::ValueOff ? "  F2 = 0" : "  F2 = 1");
    } else {
        const std::string bit = line.registerOperand(11);
        line << "  F2 = " + bit << "; F2 & " + line.mask(11);
    }
    line.load("F0", 1);
    line << "; F1 = 1; IF; F2 > 0; THEN";
    scanValues(line, "<");
    line << "; ELSE";
    scanValues(line, ">");
    line << "; END_IF";
    const std::string selected = line.registerOperand(9);
    line << "; " + selected + " = F0";
    const std::string position = line.registerOperand(10);
    line << "; " + position + " = F1";
    return SyntaxMessage::None;
}

}  // namespace vestrel
