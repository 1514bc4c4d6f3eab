// Pass 2 driver.
#include "translator/syntax/sintax_analys.h"

namespace vestrel {

int TSintaxAnalys::Analyse(const TQSintaxAnalys& request) {
    if (!request.File || !request.Editors) return -1;
    for (auto& slot : *request.Editors) slot.clear();
    return 0;
}

}  // namespace vestrel
