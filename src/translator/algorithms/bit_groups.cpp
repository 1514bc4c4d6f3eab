// Bit-group operations: their algorithm templates.
#include "translator/algorithms/algorithm_framework.h"
#include "translator/algorithms/templates.h"

namespace vestrel {

int Template130(AlgorithmLine&) { return 0; }
int Template131(AlgorithmLine&) { return 0; }
int Template132(AlgorithmLine&) { return 0; }
int Template133(AlgorithmLine&) { return 0; }
int Template134(AlgorithmLine&) { return 0; }
int Template135(AlgorithmLine&) { return 0; }

}  // namespace vestrel
