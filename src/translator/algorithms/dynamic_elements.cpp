// Dynamic elements: their algorithm templates.
#include "translator/algorithms/algorithm_framework.h"
#include "translator/algorithms/templates.h"

namespace vestrel {

int Template010(AlgorithmLine&) { return 0; }
int Template011(AlgorithmLine&) { return 0; }
int Template012(AlgorithmLine&) { return 0; }
int Template013(AlgorithmLine&) { return 0; }
int Template014(AlgorithmLine&) { return 0; }
int Template015(AlgorithmLine&) { return 0; }

}  // namespace vestrel
