// The initialisation program: every variable 0, the key of the first block and of the
// first section on, PROGRAMS := 0xFFFE, TSTEP with the cycle-time register.
#include "translator/generator/init_program.h"

#include "translator/generator/generator_state.h"
#include "translator/text/literal.h"

namespace vestrel {
using namespace text::literals;

namespace {
struct HeadLine {
    std::string_view text;
    bool commentOnly;
};
constexpr HeadLine kHead[] = {
    {"PROGRAM", false},
    {"(*   -= Программа инициализации =-   *)"_cp, true},
    {"(* Все переменные равны 0 *)"_cp, true},
    {"VAR_IN_OUT", false},
    {" Q0 KB_-lm00-0000 In", false},
    {" Q1 KS_-lm00-0000 In", false},
    {" Q2 PROGRAMS In", false},
    {" Q3 CYCLE_TIME In", false},
    {"END_VAR", false},
    {" F0 = 255", false},
    {" WHILE F0", false},
    {"  CALL WRTW 0 ( F0, 0, F1)", false},
    {"  F0 - 1", false},
    {" END_WHILE", false},
    {"(* Ключ первого блока включен *)"_cp, true},
    {" Q0 = 1", false},
    {"(* Ключ первой секции включен *)"_cp, true},
    {" Q1 = 1", false},
    {" Q2 = 0xFFFE", false},
    {" CALL TSTEP (Q3)", false},
};
static_assert(std::size(kHead) == 20);

// The declarations go after " Q3 CYCLE_TIME In" without comments (line 6 counted from 0).
constexpr std::size_t kDeclarationOffset = 5;
}  // namespace

void WriteInitialisationHead(GeneratorState& state) {
    auto& slot = state.slots[0];
    for (const HeadLine& line : kHead)
        if (!line.commentOnly || state.options.AddComment) slot.push_back(line.text);
}

void InsertSectionKeys(GeneratorState& state) {
    if (!state.convertTable) return;
    auto& slot = state.slots[0];
    // The first register used is the one the head declares as Q1 and switches on.
    std::vector<std::string> declarations;
    state.convertTable->InsertSectionKeyDeclarations(declarations);
    for (std::size_t l = 1; l < declarations.size(); ++l) {
        const std::size_t at = std::min(l + kDeclarationOffset, slot.size());
        slot.insert(at, declarations[l]);
    }
    std::vector<std::string> resets;
    state.convertTable->InsertSectionKeyResets(resets);
    for (std::size_t m = 1; m < resets.size(); ++m) {
        const std::size_t at = slot.empty() ? 0 : slot.size() - 1;
        slot.insert(at, resets[m]);
    }
}

}  // namespace vestrel
