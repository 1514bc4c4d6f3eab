// The routine behind each name the grammar uses.
#include "translator/generator/actions.h"

#include <array>

namespace vestrel {
namespace {
#define VESTREL_ACTION_ROUTINE(name) &name,
constexpr std::array<Action, kSyntaxActionCount + 1> kRoutines = {nullptr, VESTREL_SYNTAX_ACTIONS(VESTREL_ACTION_ROUTINE)};
#undef VESTREL_ACTION_ROUTINE
}  // namespace

void RunAction(SyntaxAction action, TokenCode token, GeneratorState& state) {
    if (const Action routine = kRoutines[static_cast<std::size_t>(action)]) routine(token, state);
}

}  // namespace vestrel
