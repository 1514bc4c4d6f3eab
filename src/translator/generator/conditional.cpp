// Conditional statements: one IF block per statement, the condition computed into the
// accumulators F0, F1, ... (one per nesting level), the branches collected in the
// ThenBuffer and ElseBuffer and copied into the block program at the end.
#include "translator/generator/actions.h"
#include "translator/generator/conditional.h"
#include "translator/generator/generator_state.h"
#include "translator/generator/scratch_register.h"

namespace vestrel {

namespace {
// Markers on the analyser stack: how an open group joins its enclosing level.
constexpr std::int32_t kGroupJoinedByOr = 0x9101;
constexpr std::int32_t kGroupJoinedByAnd = 0x9102;

using text::append;
}  // namespace

void combineIntoAccumulator(GeneratorState& state, std::string_view value) {
    if (state.FDepth <= 0) return;
    auto& slot = state.currentSlotList();
    slot.extendLastLine("; ", F{state.FDepth - 1}, state.OrMode ? " | " : " & ", value);
}

// A statement line that begins with "(" or "если".
void StartConditional(TokenCode, GeneratorState& state) { state.FDepth = 1; }

// "(": a group gets an accumulator of its own, starting at 1.
void OpenGroup(TokenCode token, GeneratorState& state) {
    BeginStatement(token, state);
    if (state.InCondition) {
        state.analyserStack.Push(state.OrMode ? kGroupJoinedByOr : kGroupJoinedByAnd);
        state.OrMode = false;
        state.FDepth += 1;
    } else {
        state.FDepth = 1;
    }
    state.currentSlotList().addLine("  ", F{state.FDepth - 1}, " = 1");
}

// ")": the group's accumulator joins the enclosing one as its marker says.
void CloseGroup(TokenCode token, GeneratorState& state) {
    BeginStatement(token, state);
    // Parentheses opened before the first "если" are transparent.
    if (state.analyserStack.Count() < 2) return;
    const std::int32_t marker = state.analyserStack.Pop();
    const std::int32_t d = state.FDepth;
    switch (marker & 0xFF) {
        case 1: state.currentSlotList().addLine("  ", F{d - 2}, " | ", F{d - 1}); break;
        case 2: state.currentSlotList().addLine("  ", F{d - 2}, " & ", F{d - 1}); break;
        default: return;
    }
    if (state.FDepth > 0) state.FDepth -= 1;
}

// "если": the first one of a statement opens the IF block.
void BeginConditionItem(TokenCode token, GeneratorState& state) {
    BeginStatement(token, state);
    if (state.InCondition) return;
    state.InCondition = true;
    state.conditionSourceLine = state.sourceLine;
    state.InThen = false;
    state.InElse = false;
    state.currentSlotList().push_back(" IF");
    state.currentSlotList().addLine("  ", F{state.FDepth - 1}, " = 1");
    state.ThenBuffer.clear();
    state.ElseBuffer.clear();
}

// After every condition item, before "или" is tested.
void EndConditionItem(TokenCode, GeneratorState& state) { state.OrMode = false; }

// "или": the next item is joined by OR.
void OrItem(TokenCode token, GeneratorState& state) {
    BeginStatement(token, state);
    state.OrMode = true;
}

// "тогда": the following statement goes to the ThenBuffer.
void BeginThen(TokenCode token, GeneratorState& state) {
    state.enterSourceLine();
    if (state.options.AddProgramText) state.echoCurrentLine(state.ThenBuffer);
    state.openLine(token);
    if (!state.InThen) {
        state.FDepth = 1;
        state.InCondition = false;
        state.InThen = true;
        state.InElse = false;
    }
}

// "иначе": the following statement goes to the ElseBuffer.
void BeginElse(TokenCode token, GeneratorState& state) {
    state.enterSourceLine();
    if (state.options.AddProgramText) state.echoCurrentLine(state.ElseBuffer);
    state.openLine(token);
    if (!state.InElse) {
        state.InCondition = false;
        state.InThen = false;
        state.InElse = true;
    }
}

// The first token after the last branch line: the branches go into the block program.
void EndConditional(TokenCode, GeneratorState& state) {
    state.InCondition = false;
    state.InThen = false;
    state.InElse = false;
    // The frame belongs to the "если" line; the branch lines keep their own.
    const std::uint32_t current = state.writeFromSourceLine(state.conditionSourceLine);
    auto& slot = state.currentSlotList();
    slot.push_back("  F0 > 0");
    slot.push_back(" THEN");
    slot.append(state.ThenBuffer);
    if (!state.ElseBuffer.empty()) {
        slot.push_back(" ELSE");
        slot.append(state.ElseBuffer);
    }
    slot.push_back(" END_IF");
    state.restoreSourceLine(current);
}

}  // namespace vestrel
