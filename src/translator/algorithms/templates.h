// The 37 algorithm templates, one function per index (octal in the name), grouped by
// family in their own files. Each writes exactly one line through the AlgorithmLine
// and returns None, or the message of a check of its own.
#pragma once

#include "translator/diagnostics/messages.h"

namespace vestrel {

class AlgorithmLine;

// Regulators.
SyntaxMessage Template001(AlgorithmLine& line);
SyntaxMessage Template002(AlgorithmLine& line);
SyntaxMessage Template003(AlgorithmLine& line);
SyntaxMessage Template004(AlgorithmLine& line);
// Dynamic elements.
SyntaxMessage Template010(AlgorithmLine& line);
SyntaxMessage Template011(AlgorithmLine& line);
SyntaxMessage Template012(AlgorithmLine& line);
SyntaxMessage Template013(AlgorithmLine& line);
SyntaxMessage Template014(AlgorithmLine& line);
SyntaxMessage Template015(AlgorithmLine& line);
// Analog functions.
SyntaxMessage Template030(AlgorithmLine& line);
SyntaxMessage Template031(AlgorithmLine& line);
SyntaxMessage Template032(AlgorithmLine& line);
SyntaxMessage Template033(AlgorithmLine& line);
SyntaxMessage Template034(AlgorithmLine& line);
// Double-length and mantissa/exponent arithmetic.
SyntaxMessage Template040(AlgorithmLine& line);
SyntaxMessage Template041(AlgorithmLine& line);
SyntaxMessage Template042(AlgorithmLine& line);
SyntaxMessage Template050(AlgorithmLine& line);
SyntaxMessage Template051(AlgorithmLine& line);
SyntaxMessage Template052(AlgorithmLine& line);
SyntaxMessage Template053(AlgorithmLine& line);
SyntaxMessage Template060(AlgorithmLine& line);
SyntaxMessage Template061(AlgorithmLine& line);
SyntaxMessage Template062(AlgorithmLine& line);
SyntaxMessage Template063(AlgorithmLine& line);
// Indexed transfers and selector.
SyntaxMessage Template100(AlgorithmLine& line);
SyntaxMessage Template101(AlgorithmLine& line);
SyntaxMessage Template102(AlgorithmLine& line);
SyntaxMessage Template103(AlgorithmLine& line);
SyntaxMessage Template104(AlgorithmLine& line);
// Bit-group operations.
SyntaxMessage Template130(AlgorithmLine& line);
SyntaxMessage Template131(AlgorithmLine& line);
SyntaxMessage Template132(AlgorithmLine& line);
SyntaxMessage Template133(AlgorithmLine& line);
SyntaxMessage Template134(AlgorithmLine& line);
SyntaxMessage Template135(AlgorithmLine& line);

}  // namespace vestrel
