// The pass-2 engine: rows, two stacks and the token reader; the generator does the rest.
#include "translator/syntax/sintax_analys.h"

#include <algorithm>

#include "translator/generator/init_program.h"
#include "translator/diagnostics/messages.h"
#include "translator/syntax/syntax_graph.h"
#include "translator/syntax/table_stack.h"
#include "translator/text/literal.h"

namespace vestrel {
using namespace text::literals;

namespace {
constexpr std::int32_t kAnalyserStackBottom = 0xFFFF;
}

void TSintaxAnalys::commentLine(std::string_view text) {
    // A comment line between the lines of a construct is its own source line.
    const std::uint32_t current = writeFromSourceLine(reader.sourceLineNumber);
    currentSlotList().addLine("(* ", text, " *)");
    restoreSourceLine(current);
}

void TSintaxAnalys::advanceProgress() { progress.advance(); }

void TSintaxAnalys::notice(std::string_view textCp1251) { notices.notice(textCp1251); }

int TSintaxAnalys::Analyse(const TQSintaxAnalys& request) {
    resetForPass();
    options = request.Options;
    messages = request.Messages;
    messagePanel = request.MessagePanel;
    destPanel = request.DestPanel;
    if (request.Editors)
        for (auto& editor : *request.Editors) editor.clear();

    writeInitialisationHead();

    if (!request.File || !request.Editors) {
        for (auto& slot : slots) slot.clear();
        convertTable.reset();
        return -1;
    }

    // A block program's text runs to about a tenth of all the records when every block
    // half holds code; room for that much up front saves growing it step by step (room
    // not written to costs no memory).
    constexpr std::size_t kLargestShare = std::size_t{16} << 20;
    const std::size_t share = std::min(request.File->bytes().size() / 10, kLargestShare) + 4096;
    for (int k = 1; k < kSlotCount; ++k) slots[static_cast<std::size_t>(k)].reserve(share, share / 24);
    progress.setMaximum(request.TokenCount);
    progress.setPosition(0);
    progress.setCaption("Синтаксический анализ"_cp);

    analyserStack.Clear();
    analyserStack.Push(kAnalyserStackBottom);
    TableStack engineStack(kStackCapacity);
    engineStack.Push(0);

    TokenReader tokenReader(request.File->bytes(), reader, *this, trace, options.AddComment);
    int row = 1;
    TokenCode token = tokenReader.ReadToken();
    int tokenClass = TokenClassOf(token);
    FDepth = 1;
    trace.row(row);
    progress.advance();

    // Stops the pass where the engine cannot go on: the message, and no output at all.
    auto stopWithError = [&](SyntaxMessage message, int atRow) {
        ReportSyntaxError(message);
        trace.error(token, atRow);
        slots = SlotLists{};
        ThenBuffer.clear();
        ElseBuffer.clear();
        convertTable.reset();
        if (destPanel) *destPanel = false;
        return static_cast<int>(token);
    };
    auto readNextToken = [&] {
        token = tokenReader.ReadToken();
        tokenClass = TokenClassOf(token);
        progress.advance();
    };

    // Without a trace nobody sees the rows one by one: a token takes its compiled walk.
    const bool compiledWalks = !trace.enabled();
    while (row != 0) {
        if (compiledWalks) {
            const EngineSegment& walk =
                SyntaxSegments[static_cast<std::size_t>(row)][static_cast<std::size_t>(tokenClass)];
            if (walk.end != EngineSegment::End::RowByRow &&
                engineStack.Count() + walk.pushCount <= engineStack.Capacity()) {
                for (int i = 0; i < walk.actionCount; ++i)
                    SyntaxGraph[walk.actionRows[static_cast<std::size_t>(i)]].action(token, *this);
                for (int i = 0; i < walk.pushCount; ++i) engineStack.Push(walk.pushRows[static_cast<std::size_t>(i)]);
                if (walk.end == EngineSegment::End::AtRow) {
                    row = walk.next;  // the rejecting row, taken row by row below
                } else {
                    const int nextRow = walk.end == EngineSegment::End::Next ? walk.next : engineStack.Pop();
                    if (nextRow < 0 || nextRow >= kSyntaxRowCount) return stopWithError(SyntaxMessage::SyntaxError, row);
                    row = nextRow;
                    if (walk.consume) readNextToken();
                    continue;
                }
            }
        }

        const SyntaxRow& current = SyntaxGraph[static_cast<std::size_t>(row)];
        if (current.action) current.action(token, *this);
        bool consumed = false;
        if (rowAccepts(row, tokenClass)) {
            consumed = current.consume;
            int nextRow = current.next;
            if (current.pop) {
                nextRow = engineStack.Pop();
            } else if (current.push) {
                // A call that cannot be remembered could never return: stop with a message.
                if (engineStack.Count() >= engineStack.Capacity()) nextRow = -1;
                else engineStack.Push(row + 1);
            }
            if (nextRow < 0 || nextRow >= kSyntaxRowCount) return stopWithError(SyntaxMessage::SyntaxError, row);
            row = nextRow;
            trace.row(row);
        } else if (current.error != SyntaxMessage::None) {
            return stopWithError(current.error, row);
        } else {
            ++row;
            trace.row(row);
        }
        if (consumed) readNextToken();
    }

    finishInitialisation();
    convertTable.reset();
    ThenBuffer.clear();
    ElseBuffer.clear();
    bool anyText = false;
    for (int k = 0; k < kSlotCount; ++k) {
        auto& slot = slots[static_cast<std::size_t>(k)];
        if (slot.empty()) continue;
        (*request.Editors)[static_cast<std::size_t>(k)] = std::move(slot);
        slot.clear();
        anyText = true;
    }
    if (anyText && destPanel) *destPanel = true;
    return 0;
}

void TSintaxAnalys::writeInitialisationHead() { WriteInitialisationHead(*this); }

void TSintaxAnalys::finishInitialisation() {
    // The section-key lines of the initialisation program are written for all sections
    // at once: they record no source line.
    const std::uint32_t current = writeFromSourceLine(IlText::kNoSourceLine);
    InsertSectionKeys(*this);
    restoreSourceLine(current);
}

}  // namespace vestrel
