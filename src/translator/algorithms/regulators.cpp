// Regulators (алг001..алг004): a deviation through a dead zone, proportional, integral
// and derivative terms, a bumpless start, an optional tracking ramp and output limits.
// Coefficients that depend on constants only are computed here and written as reals.
#include <string>

#include "translator/algorithms/algorithm_framework.h"
#include "translator/algorithms/control_terms.h"
#include "translator/algorithms/templates.h"

namespace vestrel {

namespace {
using namespace control;


std::string whole(long long n) { return std::to_string(n); }

// State registers of the command and the first-cycle prologue.
AlgorithmState prologue(AlgorithmLine& line, int kind) {
    const AlgorithmState s = AllocateAlgorithmState(line.state(), kind);
    line.firstCycleTest(s);
    return s;
}

// Half the dead-zone width d into F6 (алг001, алг002).
void halvedDeadZone(AlgorithmLine& line, int d) {
    if (line.isConstant(d) && !line.isNegative(d)) {
        line << "; F6 = " + whole(signedWhole(line, d) / 2);
        return;
    }
    line.load("F6", d) << "; F6 / 2";
}

// Lim(Y, W): the output bounded by pL and pU. Constant limits are ordered here; variable
// ones at run time.
void limits(AlgorithmLine& line, const std::string& y, const std::string& w, int pL, int pU, const std::string& out) {
    line.load("F11", pL).load("F12", pU);
    const std::string reversed = "; IF; " + out + " < F12; THEN; IF; " + out + " < " + y + "; THEN; CALL MIN 0 ( " + y +
                                 ", F12, " + out + "); END_IF; ELSE; IF; " + out + " > F11; THEN; IF; " + out + " > " +
                                 y + "; THEN; CALL MAX 0 ( " + y + ", F11, " + out + "); END_IF; END_IF; END_IF";
    if (line.isConstant(pL) && line.isConstant(pU)) {
        if (signedWhole(line, pU) >= signedWhole(line, pL))
            line << "; CALL MAX 0 ( " + y + ", F11, " + w + "); CALL MIN 0 ( " + w + ", F12, " + out + ")";
        else
            line << reversed;
        return;
    }
    line << "; IF; F11 < F12; THEN; CALL MAX ( " + y + ", F11, " + w + "); CALL MIN ( " + w + ", F12, " + out +
                "); ELSE" + reversed + "; END_IF";
}

}  // namespace

// Regulator with dead zone, integral state, tracking and output limits.
SyntaxMessage Template001(AlgorithmLine& line) {
    if (line.isConstant(1)) return SyntaxMessage::ParameterNotSignedAnalogVariable;
    const AlgorithmState s = prologue(line, 01);
    const std::string &sw0 = s.words[0], &sw1 = s.words[1], &sw2 = s.words[2];

    // Gain into F1.
    if (line.isConstant(4)) {
        line << "; F1 = " + real(correction(line, 4, 5) * valueOf(line, 3));
    } else if (!line.isNegative(4)) {
        line << "; F1 = " + real(valueOf(line, 5) / 512) << "; F1 * " + line.registerOperand(4) << "; F1 + 1; F1 * " +
                    real(valueOf(line, 3));
    } else {
        line << "; F1 = " + real(valueOf(line, 5) / 512) << "; F2 CHGSIGN " + line.registerOperand(4) << "; F1 * F2; F1 + 1"
             << "; F1 * " + real(valueOf(line, 3));
    }
    line << "; F2 = F1";

    // Integral time.
    if (line.isConstant(7)) {
        line << "; F2 / " + real(correction(line, 7, 8) * static_cast<double>(secondsOf(line, 6)));
    } else {
        line << "; F3 = " + real(valueOf(line, 8) / 512);
        if (!line.isNegative(7)) line << "; F3 * " + line.registerOperand(7) << "; F3 + 1";
        else line << "; F4 CHGSIGN " + line.registerOperand(7) << "; F3 * F4; F3 + 1";
        line << "; F3 * " + whole(secondsOf(line, 6)) << "; F2 / F3";
    }

    line.load("F5", 1);
    halvedDeadZone(line, 11);
    line << "; CALL DZONE 0 ( F5, F6, F3)";

    // Start values.
    line << "; IF; F0 == 0; THEN";
    const Mode mode = modeOf(line, 9);
    switch (mode) {
        case Mode::Off:
            line << "; " + sw0 + " = F3; " + sw1 + " CHGSIGN " + line.registerOperand(2) + "; F4 = F3; F4 * F1; " + sw1 +
                        " - F4; " + sw1 + " / F1";
            break;
        case Mode::On:
            line << "; " + sw2 + " = F3; " + sw0 + " = 0; " + sw1 + " CHGSIGN " + line.registerOperand(2) + "; " + sw1 + " / F1";
            break;
        case Mode::Bit:
            line << "; F4 = " + line.registerOperand(9) << "; F4 & " + line.mask(9) << "; " + sw1 + " CHGSIGN " + line.registerOperand(2)
                 << "; IF; F4 > 0; THEN" << "; " + sw2 + " = F3" << "; " + sw0 + " = 0" << "; ELSE"
                 << "; " + sw0 + " = F3" << "; F4 = F3; F4 * F1" << "; " + sw1 + " - F4" << "; END_IF"
                 << "; " + sw1 + " / F1";
            break;
    }

    // Regular step.
    line << "; ELSE";
    switch (mode) {
        case Mode::Off: break;
        case Mode::On: track(line, "F3", "F4", sw2, 10); break;
        case Mode::Bit:
            line << "; F4 = " + line.registerOperand(9) << "; F4 & " + line.mask(9) << "; IF; F4 > 0; THEN";
            track(line, "F3", "F4", sw2, 10);
            line << "; END_IF";
            break;
    }
    line << "; F4 = " + sw0 + "; F4 + F3; F4 / 2; F4 * I254; F4 * F2; " + sw1 + " + F4"
         << "; " + sw0 + " = F3; F3 * F1; F3 + " + sw1 + "; CHGSIGN F3";
    limits(line, "F3", "F4", 12, 13, line.registerOperand(2));
    line << "; END_IF";
    return SyntaxMessage::None;
}

// Regulator with proportional and derivative terms, output bounded to ±1000.
SyntaxMessage Template002(AlgorithmLine& line) {
    if (line.isConstant(1)) return SyntaxMessage::ParameterNotSignedAnalogVariable;
    const AlgorithmState s = prologue(line, 02);
    const std::string &sw0 = s.words[0], &sw1 = s.words[1];

    const auto t9 = static_cast<double>(secondsOf(line, 9));
    if (line.isConstant(4)) {
        line << "; F2 = " + real(correction(line, 4, 5) * (valueOf(line, 3) * t9));
    } else {
        line << "; F3 = " + real(t9 * valueOf(line, 3)) << (line.isNegative(4) ? "; F2 CHGSIGN " : "; F2 = ")
             << line.registerOperand(4) << "; F2 * " + real(valueOf(line, 5) / 512) << "; F2 + 1; F2 * F3";
    }
    line << "; F1 = F2";

    if (line.isConstant(7)) {
        line << "; F1 / " + real(correction(line, 7, 8) * static_cast<double>(secondsOf(line, 6)));
    } else {
        line << (line.isNegative(7) ? "; F3 CHGSIGN " : "; F3 = ") << line.registerOperand(7)
             << "; F3 * " + real(valueOf(line, 8) / 512) << "; F3 + 1" << "; F3 * " + whole(secondsOf(line, 6))
             << "; F1 / F3";
    }

    line.load("F5", 1);
    halvedDeadZone(line, 12);
    line << "; CALL DZONE 0 ( F5, F6, F3)";

    switch (modeOf(line, 10)) {
        case Mode::Off:
            line << "; IF; F0 == 0; THEN"
                 << "; " + sw0 + " = F3; " + sw0 + " * F1; " + line.registerOperand(2) + " = " + sw0 + "; ELSE";
            break;
        case Mode::On:
            line << "; IF; F0 == 0; THEN"
                 << "; " + sw0 + " = 0; " + line.registerOperand(2) + " = 0; " + sw1 + " = F3; ELSE";
            track(line, "F3", "F4", sw1, 11);
            break;
        case Mode::Bit:
            // The bit chooses at run time between the start values of "вкл" (bit set) and
            // "откл", and runs the tracking step only while it is set.
            line << "; F8 = " + line.registerOperand(10) << "; F8 & " + line.mask(10) << "; IF; F0 == 0; THEN"
                 << "; IF; F8 > 0; THEN"
                 << "; " + sw0 + " = 0; " + line.registerOperand(2) + " = 0; " + sw1 + " = F3" << "; ELSE"
                 << "; " + sw0 + " = F3; " + sw0 + " * F1; " + line.registerOperand(2) + " = " + sw0 << "; END_IF"
                 << "; ELSE" << "; IF; F8 > 0; THEN";
            track(line, "F3", "F4", sw1, 11);
            line << "; END_IF";
            break;
    }

    line << "; F4 = " + sw0 + "; F4 - F3; F4 * F2; " << "F4 / I254; " << "; " + sw0 + " = F3; F3 * F1; F3 - F4; "
         << "; F5 = 1000; CALL MIN ( F3, F5, F4); CHGSIGN F5; CALL MAX ( F4, F5, F4); " + line.registerOperand(2) +
                " CHGSIGN F4";
    line << "; END_IF";
    return SyntaxMessage::None;
}

// Regulator with integral and filtered derivative terms, tracking and output limits.
SyntaxMessage Template003(AlgorithmLine& line) {
    if (line.isConstant(1)) return SyntaxMessage::ParameterNotSignedAnalogVariable;
    if (!line.isConstant(8)) return SyntaxMessage::EighthParameterNotConstant;
    const AlgorithmState s = prologue(line, 03);
    const std::string &sw0 = s.words[0], &sw1 = s.words[1], &sw2 = s.words[2], &sw3 = s.words[3];

    if (line.isConstant(4)) {
        line << "; F1 = " + real(correction(line, 4, 5) * valueOf(line, 3));
    } else {
        line << (line.isNegative(4) ? "; F1 CHGSIGN " : "; F1 = ") << line.registerOperand(4)
             << "; F1 * " + real(valueOf(line, 5) * valueOf(line, 3) / 512) << "; F1 + " + real(valueOf(line, 3));
    }
    const double corr = correction(line, 8, 9);
    const double ti = corr * static_cast<double>(secondsOf(line, 6));
    line << "; F2 = " + real(quotient(1, ti));
    const std::string tdText = real(corr * static_cast<double>(secondsOf(line, 7)));
    line << "; F3 = " + tdText;
    const double td = printed(tdText);
    const double cycle = line.options().nominalCycleMs() * 8;
    line << "; F4 = " + real(decay(quotient(cycle * 0.001, td), td));

    line.load("F6", 1).load("F7", 12) << "; F7 / 2" << "; CALL DZONE 0 ( F6, F7, F5)";
    const Mode mode = modeOf(line, 10);
    if (mode == Mode::Bit) line << "; F8 = " + line.registerOperand(10) << "; F8 & " + line.mask(10);

    line << "; IF; F0 == 0; THEN";
    switch (mode) {
        case Mode::Off:
            line << "; " + sw0 + " = F5; " + sw1 + " CHGSIGN " + line.registerOperand(2) + "; " + sw2 + " = 0; F6 = F5; F6 * F1; " +
                        sw1 + " - F6";
            break;
        case Mode::On:
            line << "; " + sw0 + " = F5; " + sw1 + " CHGSIGN " + line.registerOperand(2) + "; " + sw1 + " / F1; " + sw2 +
                        " = 0; " + sw3 + " = F5";
            break;
        case Mode::Bit:
            line << "; " + sw1 + " CHGSIGN " + line.registerOperand(2) + "; IF; F8 > 0; THEN; " + sw0 + " = 0; " + sw2 + " = 0; " +
                        sw3 + " = F5; ELSE; " + sw0 + " = F5; F6 = F5; F6 * F1; " + sw1 + " - F6; END_IF"
                 << "; " + sw1 + " / F1; ";
            break;
    }

    line << "; ELSE";
    switch (mode) {
        case Mode::Off: break;
        case Mode::On: track(line, "F5", "F6", sw3, 11); break;
        case Mode::Bit:
            line << "; IF; F8 > 0; THEN";
            track(line, "F5", "F6", sw3, 11);
            line << "; END_IF";
            break;
    }
    line << "; F6 = " + sw0 + "; F6 + F5; F6 / 2; F6 * I254; F6 * F2" << "; " + sw1 + " + F6"
         << "; F7 = F5; F7 - " + sw0 + "; " + sw2 + " * F4" << "; F7 * 8" << "; " + sw2 + " + F7"
         << "; " + sw0 + " = F5" << "; F5 + " + sw1 + "; F5 + " + sw2 + "; F5 * F1; CHGSIGN F5";
    limits(line, "F5", "F6", 13, 14, line.registerOperand(2));
    line << "; END_IF";
    return SyntaxMessage::None;
}

// Regulator with two filtered terms and tracking, output bounded to ±1000.
SyntaxMessage Template004(AlgorithmLine& line) {
    if (!line.isConstant(8)) return SyntaxMessage::EighthParameterNotConstant;
    const AlgorithmState s = prologue(line, 04);
    const std::string &sw0 = s.words[0], &sw1 = s.words[1], &sw2 = s.words[2], &sw3 = s.words[3];

    const double corr = correction(line, 8, 9);
    const std::string txText = real(corr * static_cast<double>(secondsOf(line, 6)));
    line << "; F2 = " + txText;
    const double tx = printed(txText);

    const auto tc = static_cast<double>(secondsOf(line, 10));
    if (line.isConstant(4)) {
        line << "; F1 = " + real(quotient(correction(line, 4, 5) * (valueOf(line, 3) * tc), tx));
    } else {
        line << (line.isNegative(4) ? "; F1 CHGSIGN " : "; F1 = ")
             << real(valueOf(line, 5) * (valueOf(line, 3) * tc) / 512) << "; F1 * " + line.registerOperand(4)
             << "; F1 + " + real(valueOf(line, 3) * tc) << "; F1 / F2";
    }
    const std::string tdText = real(corr * static_cast<double>(secondsOf(line, 7)));
    line << "; F3 = " + tdText;
    const double td = printed(tdText);
    line << "; F4 = " + real(quotient(tx, td));
    const double cycle = line.options().nominalCycleMs() * 8;
    line << "; F5 = " + real(decay(quotient(cycle * 0.001, td), td));

    line.load("F7", 13).load("F8", 1) << "; F7 / 2" << "; CALL DZONE 0 ( F8, F7, F6)";
    const Mode mode = modeOf(line, 11);
    if (mode == Mode::Bit) line << "; F8 = " + line.registerOperand(11) << "; F8 & " + line.mask(11);

    line << "; IF; F0 == 0; THEN";
    switch (mode) {
        case Mode::Off: line << "; " + sw0 + " = F6; " + sw1 + " = 0; " + sw2 + " = 0"; break;
        case Mode::On: line << "; " + sw0 + " = 0; " + sw1 + " = 0; " + sw2 + " = 0; " + sw3 + " = F6"; break;
        case Mode::Bit:
            line << "; " + sw1 + " = 0; " + sw2 + " = 0; IF; F8 > 0; THEN; " + sw0 + " = 0;" + sw3 + " = F6; ELSE; " +
                        sw0 + " = F6; END_IF";
            break;
    }

    line << "; ELSE";
    switch (mode) {
        case Mode::Off: break;
        case Mode::On: track(line, "F6", "F7", sw3, 12); break;
        case Mode::Bit:
            line << "; IF; F8 > 0; THEN";
            track(line, "F6", "F7", sw3, 12);
            line << "; END_IF";
            break;
    }
    line << "; F7 = F6; F7 - " + sw0 + "; F7 * I254; " + sw0 + " = F6"
         << "; F8 CHGSIGN " + sw1 + "; " + sw1 + " * F5; F9 = F7; F9 * I254; F9 * 8" << "; " + sw1 + " + F9"
         << "; F8 + " + sw1 + "; F8 / I254" << "; " + sw2 + " * F5" << "; F9 = F8; F9 * I254; F9 * 8; F9 * F4"
         << "; " + sw2 + " + F9" << "; F7 * F2; F6 + F7" << "; F6 + " + sw2 + "; CHGSIGN F6";
    line << "; F7 = 1000; CALL MIN 0 ( F6, F7, F5); CHGSIGN F7; CALL MAX 0 ( F5, F7, " + line.registerOperand(2) + "); END_IF";
    return SyntaxMessage::None;
}

}  // namespace vestrel
