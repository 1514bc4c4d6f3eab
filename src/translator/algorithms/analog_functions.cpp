// Analog functions: their algorithm templates.
#include "translator/algorithms/algorithm_framework.h"
#include "translator/algorithms/templates.h"

namespace vestrel {

int Template030(AlgorithmLine&) { return 0; }
int Template031(AlgorithmLine&) { return 0; }
int Template032(AlgorithmLine&) { return 0; }
int Template033(AlgorithmLine&) { return 0; }
int Template034(AlgorithmLine&) { return 0; }

}  // namespace vestrel
