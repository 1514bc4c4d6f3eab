// Double-length numbers (high × 1000 + low) and mantissa/exponent numbers (m × 2^e, kept
// with 501 <= |m| <= 1000, or m = e = 0): their arithmetic and conversions, one line each.
#include <string>

#include "translator/algorithms/algorithm_framework.h"
#include "translator/algorithms/templates.h"

namespace vestrel {

namespace {

// With the mantissa in F0 and the exponent in F1: doubles F0 while |F0| < 501, then halves
// it while |F0| > 1000, moving the exponent along. F2 follows |F0|, F3 is the loop condition.
constexpr std::string_view NormaliseTail =
    "; ELSE; F2 ABS F0; F3 = F2; F3 - 501; SIGN F3; WHILE F3; F0 * 2; F1 - 1; F2 * 2; F3 = F2; F3 - 501; SIGN F3; "
    "END_WHILE; F3 = 1000; F3 - F2; SIGN F3; WHILE F3; F0 / 2; F1 + 1; F2 / 2; F3 = 1000; F3 - F2; SIGN F3; "
    "END_WHILE";

// Stores F0 × 2^F1 normalised into the pair (pm, pe); a zero is stored as m = e = 0.
void StoreNormalised(AlgorithmLine& line, int pm, int pe) {
    line << "; IF; F0 == 0; THEN";
    const std::string m = line.registerOperand(pm);
    line << "; " + m + " = 0";
    const std::string e = line.registerOperand(pe);
    line << "; " + e + " = 0";
    line << NormaliseTail;
    line << "; " + m + " = F0";
    line << "; " + e + " = F1; END_IF";
}

// "; name = F<n>" for a result parameter, named where it is written.
void storeResult(AlgorithmLine& line, int p, std::string_view source) {
    const std::string target = line.registerOperand(p);
    line << "; " + target + " = " + std::string(source);
}

// F0 multiplied by p; a negative constant is written as a negative number, a negative
// variable goes through F1 first.
void multiplyF0(AlgorithmLine& line, int p) {
    if (!line.isNegative(p)) {
        const std::string v = line.value(p);
        line << "; F0 * " << v;
    } else if (line.isConstant(p)) {
        line << "; F0 * -" << line.constant(p);
    } else {
        const std::string v = line.registerOperand(p);
        line << "; F1 CHGSIGN " << v << "; F0 * F1";
    }
}

// The mantissa of b applied to F0 with op ("*" or "/"); a negative one always goes through F1.
void applyMantissa(AlgorithmLine& line, std::string_view op, int p) {
    const std::string o(op);
    const std::string v = line.value(p);
    if (!line.isNegative(p)) line << "; F0 " + o + " " << v;
    else line << "; F1 CHGSIGN " << v << "; F0 " + o + " F1";
}

// The zero test of a mantissa/exponent number: the mantissa's register, or the constant
// itself when the mantissa is given as a number.
void openZeroTest(AlgorithmLine& line, int p) {
    const std::string m = line.value(p);
    line << "  IF; " + m + " == 0; THEN";
}

// F0 × 2^F1 with the exponent counted down to 0.
constexpr std::string_view ScaleByExponent =
    "; WHILE F1; IF; F1 < 0; THEN; F1 + 1; F0 / 2; ELSE; F1 - 1; F0 * 2; END_IF; END_WHILE";

}  // namespace

// (high, low) of a + b, the low sum carried into the high part past ±1000.
SyntaxMessage Template040(AlgorithmLine& line) {
    line.load("F0", 1);
    line.load("F1", 3);
    line << "; F0 + F1";
    line.load("F1", 2);
    line.load("F2", 4);
    line << "; F1 + F2";
    line << "; IF; F1 > 1000; THEN; F0 + 1; F1 - 1000; END_IF; IF; F1 < -1000; THEN; F0 - 1; F1 + 1000; END_IF";
    storeResult(line, 5, "F0");
    storeResult(line, 6, "F1");
    return SyntaxMessage::None;
}

// Sets the bit of p5 when a < b; leaves it unchanged otherwise.
SyntaxMessage Template041(AlgorithmLine& line) {
    line.load("F0", 1);
    line.load("F1", 2);
    line << "; F0 * 1000; F0 + F1";
    line.load("F1", 3);
    line.load("F2", 4);
    line << "; F1 * 1000; F1 + F2";
    // The bit's weight comes from the variable's number, before the variable is named.
    line << "; F0 - F1; SIGN F0; F0 * " << (1 << (line.parameter(5).code & 7));
    const std::string bit = line.registerOperand(5);
    line << "; " + bit + " | F0";
    return SyntaxMessage::None;
}

// a × k / 1000 as a double-length value (low into p4, high into p5).
SyntaxMessage Template042(AlgorithmLine& line) {
    line.load("F0", 1);
    line << "; F0 * 1000";
    line.signedOperand("; F0 + ", "; F0 - ", 2);
    multiplyF0(line, 3);
    line << "; F0 / 1000; F1 = F0; F1 % 1000";
    const std::string low = line.registerOperand(4);
    line << "; " + low + " = F1; F0 - F1; F0 / 1000";
    storeResult(line, 5, "F0");
    return SyntaxMessage::None;
}

// a + b: the exponents are brought together by doubling the mantissa of the larger one.
SyntaxMessage Template050(AlgorithmLine& line) {
    line.load("F0", 1);
    line.load("F1", 2);
    line.load("F2", 3);
    line.load("F3", 4);
    line << "; F4 = F1; F4 - F3; WHILE F4; IF; F4 < 0; THEN; F2 * 2; F3 - 1; ELSE; F0 * 2; F1 - 1; END_IF; "
            "F4 = F1; F4 - F3; END_WHILE; F0 + F2";
    StoreNormalised(line, 5, 6);
    return SyntaxMessage::None;
}

// a × b: mantissas multiplied, exponents added.
SyntaxMessage Template051(AlgorithmLine& line) {
    line.load("F0", 1);
    applyMantissa(line, "*", 3);
    line.load("F1", 2);
    line.signedOperand("; F1 + ", "; F1 - ", 4);
    StoreNormalised(line, 5, 6);
    return SyntaxMessage::None;
}

// a / b: mantissas divided, exponents subtracted.
SyntaxMessage Template052(AlgorithmLine& line) {
    line.load("F0", 1);
    applyMantissa(line, "/", 3);
    line.load("F1", 2);
    line.signedOperand("; F1 - ", "; F1 + ", 4);
    StoreNormalised(line, 5, 6);
    return SyntaxMessage::None;
}

// √a: an odd exponent is made even first; the root keeps the sign of the mantissa.
SyntaxMessage Template053(AlgorithmLine& line) {
    line.load("F0", 1);
    line.load("F1", 2);
    line << "; F2 ABS F1; F2 % 2; IF; F2 == 1; THEN; F0 / 2; F1 + 1; END_IF; F2 SIGN F0; ! F2; ABS F0; SQRT F0; "
            "F2 * 2; F2 - 1; F0 * F2; F1 / 2";
    StoreNormalised(line, 3, 4);
    return SyntaxMessage::None;
}

// A value as mantissa/exponent.
SyntaxMessage Template060(AlgorithmLine& line) {
    line.load("F0", 1);
    line << "; F1 = 0";
    StoreNormalised(line, 2, 3);
    return SyntaxMessage::None;
}

// A double-length value as mantissa/exponent; the zero test follows the scaling, so
// (0, 0) gives m = e = 0.
SyntaxMessage Template061(AlgorithmLine& line) {
    line.load("F0", 1);
    line << "; F1 = 0; F0 * 1000";
    line.signedOperand("; F0 + ", "; F0 - ", 2);
    StoreNormalised(line, 3, 4);
    return SyntaxMessage::None;
}

// m × 2^e as a value.
SyntaxMessage Template062(AlgorithmLine& line) {
    openZeroTest(line, 1);
    storeResult(line, 3, "0");
    line << "; ELSE";
    line.load("F0", 1);
    line.load("F1", 2);
    line << ScaleByExponent;
    line << "; " + line.registerOperand(3) + " = F0; END_IF";
    return SyntaxMessage::None;
}

// m × 2^e as a double-length value (high into p3, low into p4).
SyntaxMessage Template063(AlgorithmLine& line) {
    openZeroTest(line, 1);
    storeResult(line, 3, "0");
    storeResult(line, 4, "0");
    line << "; ELSE";
    line.load("F0", 1);
    line.load("F1", 2);
    line << ScaleByExponent << "; F1 = F0; F1 % 1000";
    line << "; " + line.registerOperand(4) + " = F1; F0 / 1000; F0 % 1000";
    line << "; " + line.registerOperand(3) + " = F0; END_IF";
    return SyntaxMessage::None;
}

}  // namespace vestrel
