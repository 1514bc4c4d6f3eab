// What every algorithm template shares: collecting the command, checking its
// parameters, state registers, and the ways a parameter value is written.
#pragma once

#include <string>
#include <string_view>

#include "translator/lexer/algorithm_table.h"
#include "translator/algorithms/korvel_algorithm.h"
#include "translator/diagnostics/messages.h"
#include "translator/generator/translation_options.h"
#include "translator/lexer/token_file.h"

namespace vestrel {

struct GeneratorState;

// Collecting a command (called by the operand actions while a command is pending).
void SetParameterSign(TKorvelAlgorithm& algorithm, TokenCode sign);
SyntaxMessage AddParameter(TKorvelAlgorithm& algorithm, TokenCode code, std::string_view text);

// Checks the parameters and writes the command's line: None, or the message that rejects
// the command (WrongParameterCount .. FourthParameterNotConstant) with the source line it
// cites (a parameter's own line, else the command's last line).
struct AlgorithmVerdict {
    SyntaxMessage message = SyntaxMessage::None;
    int citedLine = 0;  // counted from 1
};
AlgorithmVerdict GenerateAlgorithm(GeneratorState& state);
// None or the message that rejects the 0-based parameter i of the pending command.
SyntaxMessage CheckParameter(const TKorvelAlgorithm& algorithm, int i);

// The names of a stateful command's registers: SW0..SW4 and the flag register K with bit b.
struct AlgorithmState {
    std::array<std::string, 5> words;  // "W17", "I3"; empty when not allocated
    std::string flagRegister;          // K
    int flagBit = 0;                   // b
};
// Takes a new instance of the kind (the algorithm index) and reads its registers.
AlgorithmState AllocateAlgorithmState(GeneratorState& state, int kind);
AlgorithmState ReadStateDescriptor(GeneratorState& state, int kind, int instance);

// The writer of one command's line: the first fragment opens the line with two spaces
// instead of "; ", every further fragment is appended to it.
class AlgorithmLine {
public:
    explicit AlgorithmLine(GeneratorState& state);

    // Appends a fragment as written ("; F1 = 0"). The first fragment opens the line.
    AlgorithmLine& operator<<(std::string_view fragment);
    AlgorithmLine& operator<<(const std::string& fragment) { return *this << std::string_view(fragment); }
    AlgorithmLine& operator<<(const char* fragment) { return *this << std::string_view(fragment); }
    AlgorithmLine& operator<<(long long number);
    AlgorithmLine& operator<<(int number) { return *this << static_cast<long long>(number); }

    // Registers the variable of parameter p (1-based) in the conversion table and returns
    // its IL name. Where a template calls it fixes the register numbers.
    std::string registerOperand(int p);
    // The mask text of parameter p (1-based), after registerOperand(p).
    std::string mask(int p);
    // ConstantText of parameter p: the smallest whole number not below its value.
    std::string constant(int p) const;
    // The value of p: ConstantText for a constant; a variable is registered, as by
    // registerOperand, and named.
    std::string value(int p);
    bool isConstant(int p) const;
    bool isNegative(int p) const;  // the parameter carries the sign "-"
    const AlgorithmParameter& parameter(int p) const;

    // X + value when p has no sign or "+", Y + value when it has "-".
    AlgorithmLine& signedOperand(std::string_view x, std::string_view y, int p);
    // Load(R, p): "; R = " / "; R CHGSIGN " followed by the value.
    AlgorithmLine& load(std::string_view registerName, int p);
    // "  K | 2^b; F0 = K; F0 & 2^(b+1)": F0 is 0 exactly when the command did not run last cycle.
    AlgorithmLine& firstCycleTest(const AlgorithmState& algorithmState);

    GeneratorState& state() { return m_state; }
    TKorvelAlgorithm& algorithm();
    const TranslationOptions& options() const;

private:
    GeneratorState& m_state;
    bool m_opened = false;
};

// Renderings of parameter values.
std::string ConstantText(std::string_view constantText);
long long SecondsOf(std::string_view timeText);
// A real with at most 15 significant digits: plain from 0.0001 up to 1e15, else exponent form.
std::string formatReal(double value);
// The value of a constant's text ("12.500000" -> 12.5).
double constantValue(std::string_view constantText);

// A template: writes the command's line; returns None or the message of a check of its own.
using AlgorithmTemplate = SyntaxMessage (*)(AlgorithmLine& line);
// The template of an index, or nullptr when the index writes no text.
AlgorithmTemplate templateOf(int index);

}  // namespace vestrel
