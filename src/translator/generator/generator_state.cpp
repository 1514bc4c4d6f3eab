// Routing of statement lines and the bookkeeping shared by the line-opening actions.
#include "translator/generator/generator_state.h"

namespace vestrel {

void GeneratorState::resetForPass(bool keepTexts, const IlSpillPolicy* spill) {
    reader = ReaderState{};
    sourceLine = IlText::kNoSourceLine;
    sectionSourceLine = IlText::kNoSourceLine;
    conditionSourceLine = IlText::kNoSourceLine;
    for (auto& slot : slots) {
        slot.countLinesOnly(!keepTexts);
        slot.spillWith(keepTexts ? spill : nullptr);
    }
    ThenBuffer.countLinesOnly(!keepTexts);
    ElseBuffer.countLinesOnly(!keepTexts);
    CurrentSlot = 0;
    CurrentSection = 0;
    PreviousSection = 0;
    InCondition = InThen = InElse = OrMode = false;
    FDepth = 1;
    StatementContext = 0;
    analyserStack.Clear();
    convertTable = std::make_unique<TConvertTable>(notices);
    timeExpression = TTimeExpression{};
    expression = TExpression{};
    algorithm = TKorvelAlgorithm{};
}

void GeneratorState::StatementOutput(std::string_view line) {
    if (InThen) ThenBuffer.push_back(line);
    if (InElse) ElseBuffer.push_back(line);
    if (!InThen && !InElse) currentSlotList().push_back(line);
}

void GeneratorState::openLine(TokenCode token) {
    enterSourceLine();
    ++reader.LineCounter;
    progress.advance();
    trace.record(token, reader.currentSourceLine);
    reader.WordCounter = 1;
}

void GeneratorState::ReportSyntaxError(SyntaxMessage message, int citedLine) {
    if (message == SyntaxMessage::None) return;
    if (messages) messages->AddSyntaxError(citedLine, reader.WordCounter, message);
}

}  // namespace vestrel
