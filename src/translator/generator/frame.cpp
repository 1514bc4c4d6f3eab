// Sections and block programs: headers, key tests, labels, "вск", closing lines.
#include "translator/generator/frame.h"

#include "translator/generator/actions.h"
#include "translator/generator/generator_state.h"
#include "translator/text/append.h"
#include "translator/text/literal.h"

namespace vestrel {
using namespace text::literals;
using text::concat;

namespace {

constexpr TokenCode kBlockKey = token::BlockKey;  // кб0, mask 1: the key of every block program

std::string endLabel(TokenCode sectionToken) { return concat('M', sectionCodeOf(sectionToken) % 32, ':'); }

// "  N TEST K; JMPN Mx": skip to the label when the key bit is off.
void appendKeyTest(GeneratorState& state, TokenCode keyCode, std::string_view label, unsigned labelNumber) {
    const OperandNameSet names = registeredNames(state, keyCode);
    state.currentSlotList().addLine("  ", names.name(), " TEST ", names.mask(), "; JMPN ", label, labelNumber);
}

void appendSectionKeyTest(GeneratorState& state, TokenCode sectionToken) {
    if (state.options.AddComment) state.currentSlotList().push_back("(*  Проверка ключа секции  *)"_cp);
    appendKeyTest(state, sectionToken, "M", sectionCodeOf(sectionToken) % 32);
}

// Each flag-pair register keeps the previous value of each pair's first bit in its second.
void appendFlagPairShifts(GeneratorState& state, bool includeWList) {
    auto& slot = state.currentSlotList();
    const TConvertTable& table = *state.convertTable;
    for (int i = 0; i < TConvertTable::kIListSize; ++i)
        if (isFlagPairKey(table.iEntry(i).key))
            slot.addLine("  I", i, " * 2; I", i, " & 170");
    if (!includeWList) return;
    for (int j = 0; j < TConvertTable::kWListSize; ++j)
        if (isFlagPairKey(table.wEntry(j).key))
            slot.addLine("  W", j, " * 2; W", j, " & 170");
}

}  // namespace

OperandNameSet registeredNames(GeneratorState& state, TokenCode code) {
    OperandNameSet names;
    state.convertTable->RegisterVariable(code);
    if (state.convertTable->OperandNames(code, names) != 0) {
        if (kindOf(code) == token::BlockKey || isSectionHeader(code) || familyOf(code) == TokenFamily::SectionKey)
            state.notices.notice("Не хватает переменных IQ"_cp);
    }
    return names;
}

void CloseSlot(GeneratorState& state, int slot) {
    const int current = state.CurrentSlot;
    state.CurrentSlot = slot;
    // The end of the initialisation program is fixed text, caused by no source line.
    const std::uint32_t line = state.writeFromSourceLine(slot == 0 ? IlText::kNoSourceLine : state.sourceLine);
    auto& list = state.currentSlotList();
    if (slot != 0) {
        list.push_back(endLabel(state.PreviousSection));
        list.push_back("M39:");
    }
    appendFlagPairShifts(state, false);
    list.push_back("EXIT");
    if (slot >= 1) {
        state.convertTable->DeclareSlot(list, state.options.AddComment);
        state.convertTable->ResetSlotRegisters();
    }
    state.CurrentSlot = current;
    state.restoreSourceLine(line);
}

// The section header, once per section.
void BeginSection(TokenCode token, GeneratorState& state) {
    // The header causes every frame line it writes, the previous block program's close included.
    state.enterSourceLine();
    state.sectionSourceLine = state.sourceLine;
    const unsigned section = sectionCodeOf(token);
    const int newSlot = slotOfSection(section);
    const int oldSlot = state.CurrentSlot;
    state.CurrentSlot = newSlot;
    state.CurrentSection = static_cast<std::uint8_t>(section);

    if (newSlot == oldSlot) {
        state.currentSlotList().push_back(endLabel(state.PreviousSection));
        appendSectionKeyTest(state, token);
    } else {
        CloseSlot(state, oldSlot);
        state.currentSlotList().push_back("PROGRAM");
        if (state.options.AddComment) state.currentSlotList().push_back("(*  Проверка ключа блока  *)"_cp);
        appendKeyTest(state, kBlockKey, "M", 39);
        appendSectionKeyTest(state, token);
    }
    state.PreviousSection = token;
    if (state.options.AddProgramText) state.echoCurrentLine(state.currentSlotList());
    state.openLine(token);
}

// End of input after the last section.
void EndProgram(TokenCode, GeneratorState& state) {
    // No header follows: the close belongs to the header of the last section.
    state.sourceLine = state.sectionSourceLine;
    auto& list = state.currentSlotList();
    list.push_back(endLabel(state.PreviousSection));
    list.push_back("M39:");
    appendFlagPairShifts(state, true);
    list.push_back("EXIT");
    state.convertTable->DeclareSlot(list, state.options.AddComment);
    state.convertTable->ResetSlotRegisters();
}

// The first token of a statement line, every "=" of an algorithm parameter, and the
// condition lines that open with "(", ")", "если" or "или".
void BeginStatement(TokenCode token, GeneratorState& state) {
    state.enterSourceLine();
    if (state.options.AddProgramText) state.echoCurrentLine(state.currentSlotList());
    state.openLine(token);
}

// "вск": jump to the label that ends the current section.
void ExitSection(TokenCode, GeneratorState& state) {
    if (state.options.AddComment) state.currentSlotList().push_back("(*  Выход из секции  *)"_cp);
    state.StatementOutput(concat("  JMP M", state.CurrentSection % 32));
}

}  // namespace vestrel
