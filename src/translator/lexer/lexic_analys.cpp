// Pass 1 driver.
#include "translator/lexer/lexic_analys.h"

namespace vestrel {

int TLexicAnalys::Analyse(const TQLexicAnalys& request) {
    if (!request.File || !request.Source) return -1;
    m_errorCount = 0;
    if (request.Messages) request.Messages->Clear();
    if (request.MessagePanel) *request.MessagePanel = false;
    return 0;
}

}  // namespace vestrel
