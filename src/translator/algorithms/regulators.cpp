// Regulators: their algorithm templates.
#include "translator/algorithms/algorithm_framework.h"
#include "translator/algorithms/templates.h"

namespace vestrel {

int Template001(AlgorithmLine&) { return 0; }
int Template002(AlgorithmLine&) { return 0; }
int Template003(AlgorithmLine&) { return 0; }
int Template004(AlgorithmLine&) { return 0; }

}  // namespace vestrel
