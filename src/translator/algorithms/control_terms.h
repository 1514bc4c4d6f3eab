// Pieces the regulator and dynamic-element templates share: values of constant
// parameters, correction factors, per-cycle decay factors, the mode switch and the
// tracking ramp.
#pragma once

#include <string>
#include <string_view>

#include "translator/algorithms/algorithm_framework.h"

namespace vestrel::control {

// How a mode or hold parameter is given: "откл", "вкл", or a bit read at run time.
enum class Mode { Off, On, Bit };
Mode modeOf(const AlgorithmLine& line, int p);

// The decimal value of a constant parameter's text, without its sign.
double valueOf(const AlgorithmLine& line, int p);
// The whole seconds of a time parameter.
long long secondsOf(const AlgorithmLine& line, int p);
// ConstantText of p as a whole number, negated when p carries the sign "-".
long long signedWhole(const AlgorithmLine& line, int p);

// Corr(q, k) = 1 + v(q)·v(k)/512, or 1 − v(q)·v(k)/512 when the constant q has the sign "-".
double correction(const AlgorithmLine& line, int q, int k);

// real(x): the decimal text of x; printed(real(x)) is the value later steps use.
std::string real(double x);
double printed(std::string_view realText);

// a / b, or 0 when b is 0: a coefficient the translator cannot compute is written as 0.
double quotient(double a, double b);
// exp(−exponent), or 0 when the time constant behind it is 0 (the limit of a lag that is
// infinitely fast: nothing of the previous value is kept).
double decay(double exponent, double timeConstant);

// 1000 div T(t): the per-second rate of a tracking ramp that takes T(t) seconds.
long long ratePerSecond(const AlgorithmLine& line, int t);

// Track(E, X, S, t): subtracts the remaining start offset S from E and lets S fall to 0
// by 1000/T(t) per second of cycle time.
void track(AlgorithmLine& line, std::string_view e, std::string_view x, std::string_view s, int t);

}  // namespace vestrel::control
