// Double-length and mantissa/exponent arithmetic: their algorithm templates.
#include "translator/algorithms/algorithm_framework.h"
#include "translator/algorithms/templates.h"

namespace vestrel {

int Template040(AlgorithmLine&) { return 0; }
int Template041(AlgorithmLine&) { return 0; }
int Template042(AlgorithmLine&) { return 0; }
int Template050(AlgorithmLine&) { return 0; }
int Template051(AlgorithmLine&) { return 0; }
int Template052(AlgorithmLine&) { return 0; }
int Template053(AlgorithmLine&) { return 0; }
int Template060(AlgorithmLine&) { return 0; }
int Template061(AlgorithmLine&) { return 0; }
int Template062(AlgorithmLine&) { return 0; }
int Template063(AlgorithmLine&) { return 0; }

}  // namespace vestrel
