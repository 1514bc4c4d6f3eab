// Dynamic elements (алг010..алг015): differentiator, lag, integrator, rate limiter, time
// program and ramp. Time constants become factors per cycle, either here from the nominal
// cycle time (tick × period, milliseconds) or at run time from the cycle-time register I254.
#include <cmath>
#include <iterator>
#include <string>

#include "translator/algorithms/algorithm_framework.h"
#include "translator/algorithms/control_terms.h"
#include "translator/algorithms/templates.h"
#include "translator/generator/convert_table.h"
#include "translator/generator/frame.h"

namespace vestrel {

namespace {
using namespace control;


std::string whole(long long n) { return std::to_string(n); }

double nominalCycle(AlgorithmLine& line) { return line.options().nominalCycleMs(); }

// A hold input of the integrator: "откл" holds nothing, "вкл" always bounds the step by
// 0, a bit bounds it while the bit is set.
void holdInput(AlgorithmLine& line, int p, const char* call) {
    switch (modeOf(line, p)) {
        case Mode::Off: break;
        case Mode::On: line << "; CALL " + std::string(call) + " (F2, 0)"; break;
        case Mode::Bit:
            line << "; F0 = " + line.registerOperand(p) << "; F0 & " + whole(1LL << (line.parameter(p).code & 7))
                 << "; IF; F0 > 0; THEN; CALL " + std::string(call) + " 0 ( F2, 0); END_IF";
            break;
    }
}

}  // namespace

// Real differentiator: the derivative of the input through a lag.
SyntaxMessage Template010(AlgorithmLine& line) {
    if (line.isConstant(1)) return SyntaxMessage::ParameterNotSignedAnalogVariable;
    if (!line.isConstant(7)) return SyntaxMessage::SeventhParameterNotConstant;
    const AlgorithmState s = AllocateAlgorithmState(line.state(), 010);
    line.firstCycleTest(s);
    const std::string &sw0 = s.words[0], &sw1 = s.words[1];

    if (line.isConstant(4)) {
        line << "; F1 = " + real(correction(line, 4, 5) * valueOf(line, 3));
    } else {
        line << (line.isNegative(4) ? "; F1 CHGSIGN " : "; F1 = ") << real(valueOf(line, 5) / 512)
             << "; F1 * " + line.registerOperand(4) << "; F1 + 1; F1 * " + real(valueOf(line, 3));
    }
    const double tf = printed(real(correction(line, 7, 8) * static_cast<double>(secondsOf(line, 6))));

    line << "; IF; F0 == 0; THEN";
    line.load("F3", 1) << "; F3 * F1; " + sw0 + " = F3; " + line.registerOperand(2) + "= 0; ELSE";
    line.load("F2", 1) << "; F2 - " + sw0 + "; F2 / I254";
    line.signedOperand("; " + sw0 + " = ", "; " + sw0 + " CHGSIGN ", 1);
    const double factor = decay(quotient(nominalCycle(line), tf) * 0.001, tf);
    line << "; " + sw1 + " * " + real(factor) + "; F2 * I254; " + sw1 + " + F2" << "; F1 * " + sw1;
    line << "; " + line.registerOperand(2) + " = F1" << "; END_IF";
    return SyntaxMessage::None;
}

// First-order lag. A state instance is taken although the text keeps nothing in it.
SyntaxMessage Template011(AlgorithmLine& line) {
    if (line.isConstant(1)) return SyntaxMessage::ParameterNotSignedAnalogVariable;
    if (!line.isConstant(4)) return SyntaxMessage::FourthParameterNotConstant;
    AllocateAlgorithmState(line.state(), 011);
    const std::string tiText = real(correction(line, 4, 5) * static_cast<double>(secondsOf(line, 3)));
    line << "  F1 = " + tiText;
    // The decay divides by the whole seconds of the time constant; below one second that
    // is 0 and the factor is its limit, 0.
    const double wholeSeconds = std::trunc(printed(tiText));
    const double factor = decay(quotient(nominalCycle(line), wholeSeconds) * 0.001, wholeSeconds);
    line << "; " + line.registerOperand(2) + " * " + real(factor) << "; F0 = " + line.registerOperand(1) + "; F0 / F1";
    line << "; F0 * I254" << "; " + line.registerOperand(2) + " + F0";
    return SyntaxMessage::None;
}

// Integrator with limits and no-decrease / no-increase inputs.
SyntaxMessage Template012(AlgorithmLine& line) {
    const AlgorithmState s = AllocateAlgorithmState(line.state(), 012);
    line.firstCycleTest(s);
    const std::string &sw0 = s.words[0], &sw1 = s.words[1];

    if (line.isConstant(4)) {
        line << "; F1 = " + real(quotient(0.5, correction(line, 4, 5) * static_cast<double>(secondsOf(line, 3))));
    } else {
        line << (line.isNegative(4) ? "; F2 CHGSIGN " : "; F2 = ") << real(valueOf(line, 5) / 512)
             << "; F2 * " + line.registerOperand(4) << "; F2 + 1; F2 * " + whole(secondsOf(line, 3)) << "; F1 = 0.05; F1 / F2";
    }

    line << "; IF; F0 == 0; THEN";
    line.signedOperand("; " + sw0 + " = ", "; " + sw0 + " CHGSIGN ", 1) << "; " + sw1 + " = " + line.registerOperand(2) + "; ELSE";
    line.load("F2", 1) << "; F2 + " + sw0 + "; F2 * F1; F2 * I254; F2 / 2";
    line.signedOperand("; " + sw0 + " = ", "; " + sw0 + " CHGSIGN ", 1);
    holdInput(line, 8, "MAX");
    holdInput(line, 9, "MIN");
    line << "; " + sw1 + " + F2";

    const std::string out = line.registerOperand(2);
    if (line.isConstant(6) && line.isConstant(7)) {
        const std::string a = whole(signedWhole(line, 6)), b = whole(signedWhole(line, 7));
        if (signedWhole(line, 7) >= signedWhole(line, 6))
            line << "; F3 = " + a + "; CALL MAX 0 ( " + sw1 + ", F3, F1); F3 = " + b + "; CALL MIN 0 ( F1, F3, " + out +
                        ")";
        else
            line << "; F1 = " + sw1 + "; IF; " + out + " < " + b + "; THEN; IF; " + out + " < F1; THEN; F3 = " + b +
                        "; CALL MIN 0 ( F1, F3, " + sw1 + "); END_IF; ELSE; IF; " + out + " > " + a + "; THEN; IF; " +
                        out + " > F1; THEN; F3 = " + a + "; CALL MAX 0 ( F1, F3, " + sw1 + "); END_IF; END_IF; END_IF";
    } else {
        // The same choice as for constant limits, made at run time with the limits in F11
        // (first) and F12 (second): reversed limits only when the first is the greater.
        line.load("F11", 6).load("F12", 7);
        line << "; IF; F11 > F12; THEN; F1 = " + sw1 + "; IF; " + out + " < F12; THEN; IF; " + out +
                    " < F1; THEN; CALL MIN 0 ( F1, F12, " + sw1 + "); END_IF; ELSE; IF; " + out + " > F11; THEN; IF; " +
                    out + " > F1; THEN; CALL MAX 0 ( F1, F11, " + sw1 + "); END_IF; END_IF; END_IF; ELSE; CALL MAX 0 ( " +
                    sw1 + ", F11, F1); CALL MIN 0 ( F1, F12, " + out + "); END_IF";
    }
    line << "; END_IF";
    return SyntaxMessage::None;
}

// Rate limiter: the output follows the input at no more than the full range per T(p3).
SyntaxMessage Template013(AlgorithmLine& line) {
    // Only the relative sign of the correction and its factor matters: it is carried by p5.
    const bool negativeFactor = line.isNegative(4) != line.isNegative(5);
    const double f = constantValue(std::string_view(line.parameter(5).text).substr(0, 4));
    line << (negativeFactor ? "  F0 CHGSIGN " : "  F0 = ") << real(f / 512);
    line << "; F1 = " + line.value(4) << "; F0 * F1; F0 + 1";
    line << "; F0 * " + real(static_cast<double>(ratePerSecond(line, 3)));
    line.load("F1", 1);
    const OperandNameSet out = registeredNames(line.state(), line.parameter(2).code);
    const std::string name(out.name());
    const std::string inputForm = name.empty() ? std::string() : "I" + name.substr(1);
    line << "; CALL LRATE 0 ( " + inputForm + ", F1, F0, 0, " + name + ")";
    return SyntaxMessage::None;
}

// Time program: the output as a piecewise-linear function of the time since a timer started.
SyntaxMessage Template014(AlgorithmLine& line) {
    const TokenCode timer = line.parameter(1).code;
    const std::string timerValue = std::string(registeredNames(line.state(), timerValueKey(timer)).name());
    const std::string key = line.registerOperand(1);
    const std::string mask = line.mask(1);
    line << "  F0 = " + key + "; F0 & " + mask + "; F0 / " + mask +
                "; F5 = TM.HOUR; F5 * 60; F5 + TM.MIN; F5 * 60; F5 + TM.SEC; F5 * F0; F0 * 2; F0 - 1; F0 * " +
                timerValue + "; F5 - F0; F0 SIGN F5; F0 * 86400; F5 + F0";

    line << "; IF; F5 < " + whole(secondsOf(line, 3)) + "; THEN" << "; " + line.registerOperand(2);
    line.signedOperand(" = ", " CHGSIGN ", 4);
    line << "; ELSE; IF; F5 > " + whole(secondsOf(line, 9)) + "; THEN" << "; " + line.registerOperand(2);
    line.signedOperand(" = ", " CHGSIGN ", 10);

    struct Segment {
        int ta, va, tb, vb;
    };
    constexpr Segment kSegments[] = {{3, 4, 5, 6}, {5, 6, 7, 8}, {7, 8, 9, 10}};
    static_assert(std::size(kSegments) == 3);
    for (const Segment& g : kSegments) {
        const bool last = g.tb == 9;
        line << (last ? std::string("; ELSE") : "; ELSE; IF; F5 < " + whole(secondsOf(line, g.tb)) + "; THEN");
        line << "; F0 = " + whole(secondsOf(line, g.tb) - secondsOf(line, g.ta));
        line.load("F1", g.vb);
        line.signedOperand("; F1 - ", "; F1 + ", g.va);
        line << "; F1 / F0; F0 = F5" << "; F0 - " + whole(secondsOf(line, g.ta)) + "; F0 * F1";
        line.signedOperand("; F0 + ", "; F0 - ", g.va);
        line << "; " + line.registerOperand(2) + (last ? " = F0; END_IF; END_IF; END_IF; END_IF" : " = F0");
    }
    return SyntaxMessage::None;
}

// Ramp: the offset between the output and the input at the start falls to 0 at a given rate.
SyntaxMessage Template015(AlgorithmLine& line) {
    const AlgorithmState s = AllocateAlgorithmState(line.state(), 015);
    line.firstCycleTest(s);
    const std::string& sw0 = s.words[0];

    line << "; IF; F0 == 0; THEN" << "; " + sw0 + " = " + line.registerOperand(2);
    line.signedOperand("; " + sw0 + " - ", "; " + sw0 + " + ", 1);
    line << "; ELSE; IF; " + sw0 + " > 0; THEN";
    line.load("F0", 4) << "; F0 * " + real(valueOf(line, 5) / 512) + "; F0 + 1";
    line << "; F1 = " + whole(ratePerSecond(line, 3)) + "; F1 / F0; F1 * I254"
         << "; " + sw0 + " - F1; F0 SIGN " + sw0 + "; ! F0; " + sw0 + " * F0";
    // The output is the input plus the offset that remains.
    line << "; F1 = " + sw0;
    line.signedOperand("; F1 + ", "; F1 - ", 1);
    line << "; " + line.registerOperand(2) + " = F1; END_IF; END_IF";
    return SyntaxMessage::None;
}

}  // namespace vestrel
