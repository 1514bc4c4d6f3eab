// Everything the generator routines work on during one pass 2: the seventeen program
// slots, the branch buffers, the condition state, the conversion table and the records
// that collect timer, arithmetic and algorithm constructs.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "translator/algorithms/korvel_algorithm.h"
#include "translator/generator/convert_table.h"
#include "translator/generator/operand_records.h"
#include "translator/lexer/token_reader.h"
#include "translator/diagnostics/diagnostics.h"
#include "translator/text/il_text.h"
#include "translator/diagnostics/sinks.h"
#include "translator/diagnostics/trace_log.h"
#include "translator/generator/translation_options.h"
#include "translator/generator/slots.h"
#include "translator/syntax/table_stack.h"

namespace vestrel {

struct GeneratorState {
    GeneratorState(ProgressSink& progressSink, NoticeSink& noticeSink, TraceLog& traceLog)
        : progress(progressSink), notices(noticeSink), trace(traceLog) {
        followSourceLine();
    }
    GeneratorState(const GeneratorState&) = delete;
    GeneratorState& operator=(const GeneratorState&) = delete;

    // Options of the run.
    TranslationOptions options;

    // The token reader's state: current source line and token text, LineCounter, WordCounter.
    ReaderState reader;

    // Output. Every text below follows `sourceLine`: each line it receives records the
    // Korvel line being translated (the source map).
    std::uint32_t sourceLine = IlText::kNoSourceLine;
    SlotLists slots;
    IlText ThenBuffer;
    IlText ElseBuffer;
    int CurrentSlot = 0;
    std::uint8_t CurrentSection = 0;
    TokenCode PreviousSection = 0;
    std::uint32_t sectionSourceLine = 0;  // the source line of the last section header

    // Conditions and operands.
    bool InCondition = false;
    std::uint32_t conditionSourceLine = 0;  // the line of the first "если": the IF frame's line
    bool InThen = false;
    bool InElse = false;
    bool OrMode = false;
    std::int32_t FDepth = 1;
    TokenCode StatementContext = 0;
    TableStack analyserStack{1000};  // bracket markers of conditions, 0xFFFF at the bottom

    // Registers and collected constructs.
    std::unique_ptr<TConvertTable> convertTable;
    TTimeExpression timeExpression;
    TExpression expression;
    TKorvelAlgorithm algorithm;

    // Services of the run.
    ProgressSink& progress;
    NoticeSink& notices;
    TraceLog& trace;
    DiagnosticList* messages = nullptr;

    // Clears everything for a fresh pass; without `keepTexts` the texts only count lines.
    // With a spill policy the slots set their settled lines aside by it.
    void resetForPass(bool keepTexts = true, const IlSpillPolicy* spill = nullptr);
    // A line-opening action: the lines written from now on come from the reader's source line.
    void enterSourceLine() { sourceLine = reader.sourceLineNumber; }
    // The lines that follow record the source line `line` until the returned value is
    // given back to restoreSourceLine.
    std::uint32_t writeFromSourceLine(std::uint32_t line) { return std::exchange(sourceLine, line); }
    void restoreSourceLine(std::uint32_t saved) { sourceLine = saved; }

    // Lets every output text follow `sourceLine`.
    void followSourceLine() {
        for (IlText& slot : slots) slot.followSourceLine(&sourceLine);
        ThenBuffer.followSourceLine(&sourceLine);
        ElseBuffer.followSourceLine(&sourceLine);
    }

    IlText& currentSlotList() { return slots[static_cast<std::size_t>(CurrentSlot)]; }
    // Adds "(* " + the current source line + " *)" to a text: the echo of a line that opens a construct.
    void echoCurrentLine(IlText& target) const { target.addLine("(* ", reader.currentSourceLine, " *)"); }
    // A generated statement line goes to the open branch buffer, else to the current slot.
    void StatementOutput(std::string_view line);
    // The bookkeeping of a line-opening action: LineCounter + 1, progress, trace, WordCounter 1.
    void openLine(TokenCode token);
    // Appends a message citing LineCounter + 1 (or the line given) and WordCounter; None
    // does nothing.
    void ReportSyntaxError(SyntaxMessage message) { ReportSyntaxError(message, reader.LineCounter + 1); }
    void ReportSyntaxError(SyntaxMessage message, int citedLine);
};

}  // namespace vestrel
