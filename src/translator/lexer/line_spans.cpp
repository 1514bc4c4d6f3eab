// The editor's view of a source line: the items of the scan loop of pass 1, each
// classified by the scanner's own rules (character classes, macro replacement,
// ClassifyWord, the literal shapes and the section-header rule).
#include "translator/lexer/line_spans.h"

#include "translator/lexer/character_classes.h"
#include "translator/lexer/classify_word.h"
#include "translator/lexer/numbering.h"
#include "translator/lexer/numeric_literals.h"
#include "translator/text/cp1251.h"

namespace vestrel {
using namespace lexer;

namespace {

class SpanList {
public:
    void add(std::size_t start, std::size_t end, KorvelElement element, TokenCode code = 0) {
        if (end <= start) return;
        // Neighbouring blanks are one span.
        if (element == KorvelElement::Blank && !m_spans.empty() && m_spans.back().element == KorvelElement::Blank &&
            m_spans.back().start + m_spans.back().length == start) {
            m_spans.back().length += end - start;
            return;
        }
        m_spans.push_back({start, end - start, element, code});
    }
    std::vector<LineSpan> take() { return std::move(m_spans); }

private:
    std::vector<LineSpan> m_spans;
};

KorvelElement elementOfWord(TokenCode code) {
    return isVariable(code) ? KorvelElement::Variable : KorvelElement::Command;
}

}  // namespace

std::vector<LineSpan> splitKorvelLine(std::string_view sourceLine, const TMacrosTable& macros) {
    const std::string line = text::toLower(sourceLine);
    const std::size_t size = line.size();
    SpanList spans;
    if (size == 0) return spans.take();
    if (line[0] == '/') {
        spans.add(0, size, KorvelElement::MacroDefinition);
        return spans.take();
    }
    if (!text::isDigit(line[0])) {
        spans.add(0, size, KorvelElement::Comment);
        return spans.take();
    }

    // The first digit run of a numbered line is its line or parameter number.
    bool numberPending = true;
    std::size_t position = 0;
    while (position < size) {
        const char c = line[position];
        const unsigned characterClass = classOf(c);
        std::size_t next = position + 1;
        if (characterClass == Letter) {
            next = endOfRun(line, position + 1, Letter | Digit | Point);
            const std::string_view word = std::string_view(line).substr(position, next - position);
            std::string_view meaning = macros.ExpandMacro(word);
            if (meaning.empty()) meaning = word;
            NumberingState numbering;
            const WordClass found = ClassifyWord(meaning, numbering);
            if (found.message != LexicalMessage::None) {
                spans.add(position, next, KorvelElement::Unclassified);
            } else if (isMarker(found.code)) {
                // A "тс" marker takes the rest of the line as free text.
                spans.add(position, next, KorvelElement::Command, found.code);
                spans.add(next, size, KorvelElement::Comment, token::RestOfLine);
                return spans.take();
            } else {
                spans.add(position, next, elementOfWord(found.code), found.code);
            }
        } else if (characterClass == Operator) {
            spans.add(position, next, KorvelElement::Sign, operatorCode(c));
        } else if (characterClass == Point && position + 1 < size && classOf(line[position + 1]) == Digit) {
            next = endOfRun(line, position, Digit | Point);
            const bool valid = isTimeTenths(std::string_view(line).substr(position, next - position));
            spans.add(position, next, valid ? KorvelElement::Number : KorvelElement::Unclassified,
                      valid ? TokenCode{token::TimeTenths} : TokenCode{0});
        } else if (characterClass == Digit) {
            if (position + 5 < size && line[position + 2] == '.' && line[position + 5] == '.') {
                next = endOfRun(line, position, Digit | Point);
                const bool valid = isTimeOfDay(std::string_view(line).substr(position, next - position));
                spans.add(position, next, valid ? KorvelElement::Number : KorvelElement::Unclassified,
                          valid ? TokenCode{token::TimeOfDay} : TokenCode{0});
            } else if (position + 3 < size && line[position + 3] == '.' &&
                       (position + 4 == size || !text::isDigit(line[position + 4]))) {
                // A section header; whatever follows its "." is free text.
                NumberingState fresh;
                int section = 0;
                const bool valid = acceptSectionHeader(fresh, std::string_view(line).substr(position), section) ==
                                   LexicalMessage::None;
                spans.add(position, position + 4, valid ? KorvelElement::SectionNumber : KorvelElement::Unclassified,
                          valid ? token::Section + static_cast<TokenCode>(section) : 0);
                spans.add(position + 4, size, KorvelElement::Comment);
                return spans.take();
            } else if (numberPending) {
                next = endOfRun(line, position, Digit);
                spans.add(position, next, KorvelElement::SectionNumber);
                numberPending = false;
            } else {
                next = endOfRun(line, position, Digit | Point);
                const bool valid = readConstant(std::string_view(line).substr(position, next - position)).has_value();
                spans.add(position, next, valid ? KorvelElement::Number : KorvelElement::Unclassified,
                          valid ? TokenCode{token::Constant} : TokenCode{0});
            }
        } else {
            // Blanks, and what the scanner skips (tabs, commas, a lone ".").
            spans.add(position, next, KorvelElement::Blank);
        }
        position = next;
    }
    return spans.take();
}

std::vector<LineSpan> tokenSpans(const std::vector<LineSpan>& spans) {
    std::vector<LineSpan> tokens;
    for (const LineSpan& span : spans) {
        switch (span.element) {
            case KorvelElement::MacroDefinition:
            case KorvelElement::Blank:
                break;
            case KorvelElement::Comment:
                if (span.code != 0) tokens.push_back(span);
                break;
            case KorvelElement::SectionNumber:
            case KorvelElement::Variable:
            case KorvelElement::Command:
            case KorvelElement::Number:
            case KorvelElement::Sign:
            case KorvelElement::Unclassified:
                tokens.push_back(span);
                break;
        }
    }
    return tokens;
}

namespace {
bool sameEntries(const TMacrosTable& a, const TMacrosTable& b) {
    if (a.count() != b.count()) return false;
    for (int i = 0; i < a.count(); ++i)
        if (a.name(i) != b.name(i) || a.value(i) != b.value(i)) return false;
    return true;
}
}  // namespace

MacroStates::MacroStates() { clear(); }

void MacroStates::clear() {
    m_tables.clear();
    m_known.clear();
    m_tables.push_back(std::make_unique<TMacrosTable>());
}

const TMacrosTable& MacroStates::table(int state) const {
    if (state < 0 || static_cast<std::size_t>(state) >= m_tables.size()) return *m_tables.front();
    return *m_tables[static_cast<std::size_t>(state)];
}

int MacroStates::after(int state, std::string_view line) {
    if (line.empty() || line[0] != '/') return state;
    if (state < 0 || static_cast<std::size_t>(state) >= m_tables.size()) state = 0;
    std::pair<int, std::string> key{state, text::toLower(line)};
    if (const auto known = m_known.find(key); known != m_known.end()) return known->second;

    // The definitions so far in their order, then this line, as pass 1 adds them.
    auto next = std::make_unique<TMacrosTable>();
    const TMacrosTable& before = table(state);
    for (int i = 0; i < before.count(); ++i) next->AddMacro(before.name(i), before.value(i));
    int column = 0;
    int result = state;
    if (next->ScanMacroLine(key.second, column) == LexicalMessage::None && !sameEntries(*next, before)) {
        m_tables.push_back(std::move(next));
        result = static_cast<int>(m_tables.size()) - 1;
    }
    m_known.emplace(std::move(key), result);
    return result;
}

}  // namespace vestrel
