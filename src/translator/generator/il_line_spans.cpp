// IL lines for the editor: the names the generator writes are registers (a letter of
// the I and W lists, a key register, a scratch register or a label, then digits), the
// frame words and commands are upper-case words, comments are "(* ... *)".
#include "translator/generator/il_line_spans.h"

namespace vestrel {
namespace {

// I and Q registers of a block half's I list, W of the whole run, F scratch, M labels.
constexpr std::string_view kRegisterLetters = "IQWFM";
constexpr std::string_view kProgramHeader = "PROGRAM";
constexpr std::string_view kDeclarationsBegin = "VAR_IN_OUT";
constexpr std::string_view kDeclarationsEnd = "END_VAR";

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isRegister(std::string_view word) {
    if (word.size() < 2 || kRegisterLetters.find(word[0]) == std::string_view::npos) return false;
    for (char c : word.substr(1))
        if (!isAsciiDigit(c)) return false;
    return true;
}

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
    return line;
}

class Spans {
public:
    void add(std::size_t start, std::size_t end, IlElement element) {
        if (end <= start) return;
        if (!m_spans.empty() && m_spans.back().element == element && m_spans.back().start + m_spans.back().length == start &&
            (element == IlElement::Blank || element == IlElement::Sign)) {
            m_spans.back().length += end - start;
            return;
        }
        m_spans.push_back({start, end - start, element});
    }
    std::vector<IlSpan> take() { return std::move(m_spans); }

private:
    std::vector<IlSpan> m_spans;
};

}  // namespace

std::vector<IlSpan> splitIlLine(std::string_view line, bool& inDeclarations) {
    Spans spans;
    const std::size_t size = line.size();
    const std::string_view content = trimmed(line);
    if (content == kDeclarationsEnd) inDeclarations = false;
    const bool declaration = inDeclarations;
    if (content == kDeclarationsBegin) inDeclarations = true;
    const bool header = content.substr(0, kProgramHeader.size()) == kProgramHeader &&
                        (content.size() == kProgramHeader.size() || isBlank(content[kProgramHeader.size()]));

    int field = 0;  // fields of a declaration: register, external name, kind
    std::size_t position = 0;
    while (position < size) {
        const char c = line[position];
        std::size_t next = position + 1;
        if (c == '(' && position + 1 < size && line[position + 1] == '*') {
            const std::size_t close = line.find("*)", position + 2);
            next = close == std::string_view::npos ? size : close + 2;
            spans.add(position, next, IlElement::Comment);
        } else if (isBlank(c)) {
            while (next < size && isBlank(line[next])) ++next;
            spans.add(position, next, IlElement::Blank);
        } else if (header) {
            while (next < size && !(line[next] == '(' && next + 1 < size && line[next + 1] == '*')) ++next;
            while (next > position + 1 && isBlank(line[next - 1])) --next;
            spans.add(position, next, IlElement::ProgramName);
        } else if (declaration && field == 1) {
            // The external name runs to the next blank ("KB_-lm00-0000").
            while (next < size && !isBlank(line[next])) ++next;
            spans.add(position, next, IlElement::Variable);
            ++field;
        } else if (isAsciiLetter(c)) {
            while (next < size && (isAsciiLetter(line[next]) || isAsciiDigit(line[next]))) ++next;
            const std::string_view word = line.substr(position, next - position);
            spans.add(position, next, isRegister(word) ? IlElement::Variable : IlElement::Command);
            ++field;
        } else if (isAsciiDigit(c)) {
            while (next < size && (isAsciiLetter(line[next]) || isAsciiDigit(line[next]) || line[next] == '.')) {
                ++next;
                // An exponent may carry a sign: 1.5E-7.
                if ((line[next - 1] == 'E' || line[next - 1] == 'e') && next + 1 < size &&
                    (line[next] == '-' || line[next] == '+') && isAsciiDigit(line[next + 1]))
                    ++next;
            }
            spans.add(position, next, IlElement::Number);
            ++field;
        } else {
            spans.add(position, next, IlElement::Sign);
        }
        position = next;
    }
    return spans.take();
}

}  // namespace vestrel
