// IL lines cut into the elements an editor colours.
#include <gtest/gtest.h>

#include <string>

#include "translator/generator/il_line_spans.h"

namespace vestrel {
namespace {

std::string render(std::string_view line, bool& inDeclarations) {
    std::string out;
    for (const IlSpan& span : splitIlLine(line, inDeclarations)) {
        static constexpr char kLetters[] = "KPVCDS_";
        if (!out.empty()) out += ' ';
        out += kLetters[static_cast<int>(span.element)];
        if (span.element != IlElement::Blank) out += '[' + std::string(line.substr(span.start, span.length)) + ']';
    }
    return out;
}

TEST(SplitIlLine, ElementsOfAProgram) {
    struct Case {
        const char* line;
        const char* spans;
    };
    const Case cases[] = {
        {"PROGRAM", "P[PROGRAM]"},
        {"(* comment *)", "K[(* comment *)]"},
        {"VAR_IN_OUT", "C[VAR_IN_OUT]"},
        {" Q0 KB_-lm00-0000 In", "_ V[Q0] _ V[KB_-lm00-0000] _ C[In]"},
        {"I2 AI_-lm00-0001 R  (* x *)", "V[I2] _ V[AI_-lm00-0001] _ C[R] _ K[(* x *)]"},
        {"END_VAR", "C[END_VAR]"},
        {"  Q0 TEST 1; JMPN M39", "_ V[Q0] _ C[TEST] _ D[1] S[;] _ C[JMPN] _ V[M39]"},
        {"  F1 = 12.5; F2 / 1.5E-7; Q2 = 0xFFFE", "_ V[F1] _ S[=] _ D[12.5] S[;] _ V[F2] _ S[/] _ D[1.5E-7] S[;] _ V[Q2] _ S[=] _ D[0xFFFE]"},
        {"  CALL MAX 0 ( F3, F11, F4); IF; F0 == 0; THEN",
         "_ C[CALL] _ C[MAX] _ D[0] _ S[(] _ V[F3] S[,] _ V[F11] S[,] _ V[F4] S[);] _ C[IF] S[;] _ V[F0] _ S[==] _ D[0] S[;] _ C[THEN]"},
        {"M0:", "V[M0] S[:]"},
        {" (* open", "_ K[(* open]"},
    };
    bool inDeclarations = false;
    for (const Case& c : cases) EXPECT_EQ(render(c.line, inDeclarations), c.spans) << c.line;
    EXPECT_FALSE(inDeclarations);
}

}  // namespace
}  // namespace vestrel
