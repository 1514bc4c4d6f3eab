// Indexed transfers and the selector: their algorithm templates.
#include "translator/algorithms/algorithm_framework.h"
#include "translator/algorithms/templates.h"

namespace vestrel {

int Template100(AlgorithmLine&) { return 0; }
int Template101(AlgorithmLine&) { return 0; }
int Template102(AlgorithmLine&) { return 0; }
int Template103(AlgorithmLine&) { return 0; }
int Template104(AlgorithmLine&) { return 0; }

}  // namespace vestrel
