// Pass 2 around the engine: the generator prepared before the walk, its output handed
// over after it.
#include "translator/generator/sintax_analys.h"

#include <algorithm>

#include "translator/generator/actions.h"
#include "translator/generator/init_program.h"
#include "translator/syntax/syntax_engine.h"
#include "translator/text/literal.h"

namespace vestrel {
using namespace text::literals;

namespace {
constexpr std::int32_t kAnalyserStackBottom = 0xFFFF;
}

void TSintaxAnalys::act(SyntaxAction action, TokenCode token) { RunAction(action, token, m_generator); }

void TSintaxAnalys::report(SyntaxMessage message) { m_generator.ReportSyntaxError(message); }

void TSintaxAnalys::abandon() {
    GeneratorState& g = m_generator;
    g.slots = SlotLists{};
    g.ThenBuffer.clear();
    g.ElseBuffer.clear();
    g.convertTable.reset();
}

void TSintaxAnalys::commentLine(std::string_view text) {
    // A comment line between the lines of a construct is its own source line.
    const std::uint32_t current = m_generator.writeFromSourceLine(m_generator.reader.sourceLineNumber);
    m_generator.currentSlotList().addLine("(* ", text, " *)");
    m_generator.restoreSourceLine(current);
}

void TSintaxAnalys::advanceProgress() { m_generator.progress.advance(); }

void TSintaxAnalys::notice(std::string_view textCp1251) { m_generator.notices.notice(textCp1251); }

int TSintaxAnalys::Analyse(const TQSintaxAnalys& request) {
    GeneratorState& g = m_generator;
    g.resetForPass(request.KeepTexts, request.Spill);
    g.options = request.Options;
    g.messages = request.Messages;
    if (request.Editors)
        for (auto& editor : *request.Editors) editor.clear();

    WriteInitialisationHead(g);

    if (!request.Tokens || !request.Editors) {
        for (auto& slot : g.slots) slot.clear();
        g.convertTable.reset();
        return -1;
    }

    // Tokens that record text would not carry unchanged (only tokens made by hand can be
    // such) are read as that text says, as pass 2 has always read it.
    TokenInput input{request.Tokens, request.Refill};
    TokenSequence reread;
    if (!request.Refill && request.Tokens->needsRecordReading()) {
        reread = readTokenRecords(renderTokenRecords(*request.Tokens));
        input.tokens = &reread;
    }

    // A block program's text runs to about a sixteenth of some 24 bytes a token when
    // every block half holds code; room for that much up front saves growing it step by
    // step (room not written to costs no memory).
    constexpr std::size_t kLargestShare = std::size_t{16} << 20;
    const std::size_t share =
        std::min(static_cast<std::size_t>(std::max(request.TokenCount, 0)) * 3 / 2, kLargestShare) + 4096;
    if (request.KeepTexts)
        for (int k = 1; k < kSlotCount; ++k) g.slots[static_cast<std::size_t>(k)].reserve(share, share / 24);
    g.progress.setMaximum(request.TokenCount);
    g.progress.setPosition(0);
    g.progress.setCaption("Синтаксический анализ"_cp);

    g.analyserStack.Clear();
    g.analyserStack.Push(kAnalyserStackBottom);
    g.FDepth = 1;

    SyntaxEngine engine(*this, g.trace, g.progress);
    if (const std::optional<TokenCode> stoppedAt = engine.walk(input, g.reader, g.options.AddComment))
        return static_cast<int>(*stoppedAt);

    // The section-key lines of the initialisation program are written for all sections
    // at once: they record no source line.
    const std::uint32_t current = g.writeFromSourceLine(IlText::kNoSourceLine);
    InsertSectionKeys(g);
    g.restoreSourceLine(current);
    g.convertTable.reset();
    g.ThenBuffer.clear();
    g.ElseBuffer.clear();
    for (int k = 0; k < kSlotCount; ++k) {
        auto& slot = g.slots[static_cast<std::size_t>(k)];
        if (slot.empty()) continue;
        (*request.Editors)[static_cast<std::size_t>(k)] = std::move(slot);
        slot.clear();
    }
    return 0;
}

}  // namespace vestrel
