// The pass-2 engine: rows, the stack of return rows and the token reader.
#include "translator/syntax/syntax_engine.h"

#include "translator/syntax/syntax_graph.h"
#include "translator/syntax/table_stack.h"

namespace vestrel {

std::optional<TokenCode> SyntaxEngine::walk(TokenInput tokens, ReaderState& reader, bool addComment) {
    TableStack engineStack(kStackCapacity);
    engineStack.Push(0);

    TokenReader tokenReader(tokens, reader, m_actions, m_trace, addComment);
    int row = 1;
    TokenCode token = tokenReader.ReadToken();
    int tokenClass = TokenClassOf(token);
    m_trace.row(row);
    m_progress.advance();

    // Stops the pass where the engine cannot go on: the message, and no output at all.
    auto stopWithError = [&](SyntaxMessage message, int atRow) {
        m_actions.report(message);
        m_trace.error(token, atRow);
        m_actions.abandon();
        return std::optional<TokenCode>(token);
    };
    auto readNextToken = [&] {
        token = tokenReader.ReadToken();
        tokenClass = TokenClassOf(token);
        m_progress.advance();
    };

    // Without a trace nobody sees the rows one by one: a token takes its compiled walk.
    const bool compiledWalks = !m_trace.enabled();
    while (row != 0) {
        if (compiledWalks) {
            const EngineSegment& segment =
                SyntaxSegments[static_cast<std::size_t>(row)][static_cast<std::size_t>(tokenClass)];
            if (segment.end != EngineSegment::End::RowByRow &&
                engineStack.Count() + segment.pushCount <= engineStack.Capacity()) {
                for (int i = 0; i < segment.actionCount; ++i)
                    m_actions.act(segment.actions[static_cast<std::size_t>(i)], token);
                for (int i = 0; i < segment.pushCount; ++i)
                    engineStack.Push(segment.pushRows[static_cast<std::size_t>(i)]);
                if (segment.end == EngineSegment::End::AtRow) {
                    row = segment.next;  // the rejecting row, taken row by row below
                } else {
                    const int nextRow = segment.end == EngineSegment::End::Next ? segment.next : engineStack.Pop();
                    if (nextRow < 0 || nextRow >= kSyntaxRowCount) return stopWithError(SyntaxMessage::SyntaxError, row);
                    row = nextRow;
                    if (segment.consume) readNextToken();
                    continue;
                }
            }
        }

        const SyntaxRow& current = SyntaxGraph[static_cast<std::size_t>(row)];
        if (current.action != SyntaxAction::None) m_actions.act(current.action, token);
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
            m_trace.row(row);
        } else if (current.error != SyntaxMessage::None) {
            return stopWithError(current.error, row);
        } else {
            ++row;
            m_trace.row(row);
        }
        if (consumed) readNextToken();
    }
    return std::nullopt;
}

}  // namespace vestrel
