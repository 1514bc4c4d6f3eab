// Pieces shared by the regulator and dynamic-element templates.
#include "translator/algorithms/control_terms.h"

#include <charconv>
#include <cmath>

namespace vestrel::control {

Mode modeOf(const AlgorithmLine& line, int p) {
    const TokenCode code = line.parameter(p).code;
    if (!isSwitchValue(code)) return Mode::Bit;
    return code == token::ValueOff ? Mode::Off : Mode::On;
}

double valueOf(const AlgorithmLine& line, int p) { return constantValue(line.parameter(p).text); }

long long secondsOf(const AlgorithmLine& line, int p) { return SecondsOf(line.parameter(p).text); }

long long signedWhole(const AlgorithmLine& line, int p) {
    const std::string text = line.constant(p);
    long long whole = 0;
    std::from_chars(text.data(), text.data() + text.size(), whole);
    return line.isNegative(p) ? -whole : whole;
}

double correction(const AlgorithmLine& line, int q, int k) {
    const double term = valueOf(line, q) * valueOf(line, k) / 512;
    return line.isNegative(q) ? 1 - term : 1 + term;
}

std::string real(double x) { return formatReal(x); }

double printed(std::string_view realText) { return constantValue(realText); }

double quotient(double a, double b) { return b == 0 ? 0 : a / b; }

double decay(double exponent, double timeConstant) {
    if (timeConstant == 0) return 0;
    return std::exp(-exponent);
}

long long ratePerSecond(const AlgorithmLine& line, int t) {
    const long long seconds = secondsOf(line, t);
    return seconds > 0 ? 1000 / seconds : 0;
}

void track(AlgorithmLine& line, std::string_view e, std::string_view x, std::string_view s, int t) {
    const std::string E(e), X(x), S(s);
    line << "; " + E + " - " + S << "; " + X + " = " + std::to_string(ratePerSecond(line, t)) + "; " + X + " * I254"
         << "; " + S + " - " + X << "; " + X + " SIGN " + S + "; ! " + X << "; " + S + " * " + X;
}

}  // namespace vestrel::control
