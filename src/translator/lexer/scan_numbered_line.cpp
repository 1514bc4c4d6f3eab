// The scanner of a line that begins with a digit: section headers, line and parameter
// numbers, words, operators, time literals and constants, left to right. The first
// error ends the line; the records written before it stay.
#include <array>
#include <cstring>
#include <string_view>

#include "translator/lexer/character_classes.h"
#include "translator/lexer/classify_word.h"
#include "translator/lexer/lexic_analys.h"
#include "translator/lexer/numeric_literals.h"
#include "translator/diagnostics/messages.h"
#include "translator/text/cp1251.h"

namespace vestrel {
using namespace lexer;

void TLexicAnalys::writeToken(TokenCode code, std::string_view text) {
    ++m_tokenCount;
    const auto offset = static_cast<std::size_t>(text.data() - m_line.data());
    m_tokens->addFromLine(code, text, offset, static_cast<std::uint32_t>(offset) + 1);
}

LexicalMessage TLexicAnalys::ScanNumberedLine(std::string_view line) {
    std::size_t position = m_resumeAt.value_or(0);
    m_resumeAt.reset();
    for (;;) {
        while (position < line.size() && line[position] == ' ') ++position;
        if (position >= line.size()) return LexicalMessage::None;
        if (m_pauseAt != SIZE_MAX && m_tokens->size() >= m_pauseAt) {
            m_resumeAt = position;
            return LexicalMessage::None;
        }

        const char c = line[position];
        std::size_t next = position + 1;  // anything not named below (tab, comma, ...) is skipped
        LexicalMessage result = LexicalMessage::None;
        const unsigned characterClass = classOf(c);
        if (characterClass == Letter) {
            result = scanWord(line, position, next);
        } else if (characterClass == Operator) {
            setColumnAt(position);
            writeToken(operatorCode(c), line.substr(position, 1));
        } else if (characterClass == Point && position + 1 < line.size() && classOf(line[position + 1]) == Digit) {
            next = endOfRun(line, position, Digit | Point);
            const std::string_view run = line.substr(position, next - position);
            setColumnAt(position);
            if (!isTimeTenths(run)) return LexicalMessage::WrongConstant;
            writeToken(token::TimeTenths, run);
        } else if (characterClass == Digit) {
            result = scanDigits(line, position, next);
        }
        if (result != LexicalMessage::None) return result;
        position = next;
    }
}

LexicalMessage TLexicAnalys::scanWord(std::string_view line, std::size_t start, std::size_t& next) {
    next = endOfRun(line, start + 1, Letter | Digit | Point);
    const std::string_view word = line.substr(start, next - start);
    std::string_view meaning = m_macros.ExpandMacro(word);
    if (meaning.empty()) meaning = word;
    setColumnAt(start);

    const WordClass found = ClassifyWord(meaning, m_numbering);
    if (found.message != LexicalMessage::None) return found.message;
    // The record keeps the word as written, whatever a macro made of it.
    if (isConditionWord(found.code)) {
        if (m_ifWordSeen) return LexicalMessage::SeveralCommands;
        m_ifWordSeen = true;
    } else if (isOperationWord(found.code)) {
        if (m_operationWordSeen) return LexicalMessage::SeveralCommands;
        m_operationWordSeen = true;
    } else if (isMarker(found.code)) {
        // A "тс" marker takes the rest of the line as free text.
        writeToken(found.code, word);
        m_tokens->addFromLine(token::RestOfLine, line.substr(start), start, static_cast<std::uint32_t>(start) + 1);
        next = line.size();
        return LexicalMessage::None;
    }
    writeToken(found.code, word);
    return LexicalMessage::None;
}

LexicalMessage TLexicAnalys::scanDigits(std::string_view line, std::size_t start, std::size_t& next) {
    const std::size_t size = line.size();
    if (start + 5 < size && line[start + 2] == '.' && line[start + 5] == '.') {
        next = endOfRun(line, start, Digit | Point);
        const std::string_view run = line.substr(start, next - start);
        setColumnAt(start);
        if (!isTimeOfDay(run)) return LexicalMessage::WrongConstant;
        writeToken(token::TimeOfDay, run);
        return LexicalMessage::None;
    }
    if (start + 3 < size && line[start + 3] == '.' && (start + 4 == size || !text::isDigit(line[start + 4])))
        return scanSectionHeader(line, start, next);

    next = endOfRun(line, start, Digit);
    setColumnAt(start);
    const std::string_view digitRun = line.substr(start, next - start);
    if (m_numbering.parameterNumberExpected) return scanParameterNumber(line, digitRun);
    if (m_numbering.lineNumberExpected) return scanLineNumber(line, digitRun);
    return scanConstant(line, start, next);
}

LexicalMessage TLexicAnalys::scanSectionHeader(std::string_view line, std::size_t start, std::size_t& next) {
    setColumnAt(start);
    int section = 0;
    const LexicalMessage message = acceptSectionHeader(m_numbering, line.substr(start), section);
    if (message != LexicalMessage::None) return message;
    // Whatever follows the "." is free text.
    writeToken(token::Section + static_cast<TokenCode>(section), line);
    next = line.size();
    return LexicalMessage::None;
}

LexicalMessage TLexicAnalys::scanLineNumber(std::string_view line, std::string_view digitRun) {
    int number = 0;
    const LexicalMessage message = acceptLineNumber(m_numbering, digitRun, number);
    if (message != LexicalMessage::None) return message;
    m_ifWordSeen = false;
    m_operationWordSeen = false;
    writeToken(token::StatementLine + static_cast<TokenCode>(number), line);
    return LexicalMessage::None;
}

LexicalMessage TLexicAnalys::scanParameterNumber(std::string_view line, std::string_view digitRun) {
    int number = 0;
    const LexicalMessage message = acceptParameterNumber(m_numbering, digitRun, number);
    if (message != LexicalMessage::None) return message;
    m_ifWordSeen = false;
    m_operationWordSeen = false;
    writeToken(token::ParameterLine + static_cast<TokenCode>(number), line);
    return LexicalMessage::None;
}

LexicalMessage TLexicAnalys::scanConstant(std::string_view line, std::size_t start, std::size_t& next) {
    next = endOfRun(line, start, Digit | Point);
    const std::string_view run = line.substr(start, next - start);
    char text[kFixedTextCapacity];
    std::size_t length = 0;
    if (const std::size_t digits = endOfRun(run, 0, Digit); digits == run.size() && digits <= 15) {
        // Most constants are whole numbers: up to 15 digits are read exactly, so their "%f"
        // is the digits without leading zeros and six zeros after the point.
        std::size_t first = 0;
        while (first + 1 < digits && run[first] == '0') ++first;
        length = digits - first;
        run.copy(text, length, first);
        std::memcpy(text + length, ".000000", 7);
        length += 7;
    } else {
        const std::optional<double> value = readConstant(run);
        if (!value) return LexicalMessage::WrongConstant;
        length = formatFixed6Into(text, *value);
    }
    ++m_tokenCount;
    m_tokens->add(token::Constant, std::string_view(text, length), static_cast<std::uint32_t>(start) + 1);
    return LexicalMessage::None;
}

}  // namespace vestrel
