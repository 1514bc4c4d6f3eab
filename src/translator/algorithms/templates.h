// The 37 algorithm templates, one function per index (octal in the name), grouped by
// family in their own files. Each writes exactly one line through the AlgorithmLine
// and returns 0, or a template-specific message code.
#pragma once

namespace vestrel {

class AlgorithmLine;

// Regulators.
int Template001(AlgorithmLine& line);
int Template002(AlgorithmLine& line);
int Template003(AlgorithmLine& line);
int Template004(AlgorithmLine& line);
// Dynamic elements.
int Template010(AlgorithmLine& line);
int Template011(AlgorithmLine& line);
int Template012(AlgorithmLine& line);
int Template013(AlgorithmLine& line);
int Template014(AlgorithmLine& line);
int Template015(AlgorithmLine& line);
// Analog functions.
int Template030(AlgorithmLine& line);
int Template031(AlgorithmLine& line);
int Template032(AlgorithmLine& line);
int Template033(AlgorithmLine& line);
int Template034(AlgorithmLine& line);
// Double-length and mantissa/exponent arithmetic.
int Template040(AlgorithmLine& line);
int Template041(AlgorithmLine& line);
int Template042(AlgorithmLine& line);
int Template050(AlgorithmLine& line);
int Template051(AlgorithmLine& line);
int Template052(AlgorithmLine& line);
int Template053(AlgorithmLine& line);
int Template060(AlgorithmLine& line);
int Template061(AlgorithmLine& line);
int Template062(AlgorithmLine& line);
int Template063(AlgorithmLine& line);
// Indexed transfers and selector.
int Template100(AlgorithmLine& line);
int Template101(AlgorithmLine& line);
int Template102(AlgorithmLine& line);
int Template103(AlgorithmLine& line);
int Template104(AlgorithmLine& line);
// Bit-group operations.
int Template130(AlgorithmLine& line);
int Template131(AlgorithmLine& line);
int Template132(AlgorithmLine& line);
int Template133(AlgorithmLine& line);
int Template134(AlgorithmLine& line);
int Template135(AlgorithmLine& line);

}  // namespace vestrel
