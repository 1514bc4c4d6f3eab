// Pass 1 driver: line dispatch, text records and message reporting.
#include "translator/lexer/lexic_analys.h"

#include <array>

#include "translator/text/cp1251.h"
#include "translator/text/literal.h"

namespace vestrel {
using namespace text::literals;

namespace {

// The code page's case mapping as one table, so a line is lower-cased in one tight loop.
const std::array<char, 256> kLowerCase = [] {
    std::array<char, 256> table{};
    for (int i = 0; i < 256; ++i) table[static_cast<std::size_t>(i)] = text::toLower(static_cast<char>(i));
    return table;
}();

void lowerCaseInto(std::string& target, std::string_view line) {
    target.resize(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) target[i] = kLowerCase[static_cast<unsigned char>(line[i])];
}

}  // namespace

int TLexicAnalys::Analyse(const TQLexicAnalys& request) {
    if (!request.File || !request.Source) return -1;
    const std::vector<std::string>& source = *request.Source;

    m_file = request.File;
    m_file->clear();
    // Openers repeat their whole line, so the records run to about twice the source.
    std::size_t sourceBytes = 0;
    for (const std::string& line : source) sourceBytes += line.size() + 1;
    m_file->reserve(2 * sourceBytes + 64);

    m_tokenCount = 0;
    m_errorCount = 0;
    m_numbering = NumberingState{};
    m_ifWordSeen = false;
    m_operationWordSeen = false;
    m_macros.clear();

    m_messages = request.Messages;
    if (m_messages) m_messages->Clear();
    if (request.MessagePanel) *request.MessagePanel = false;

    ProgressSink* const progress = request.Progress;
    if (progress) {
        progress->setMaximum(static_cast<int>(source.size()));
        progress->setCaption("Лексический анализ"_cp);
    }

    for (std::size_t i = 0; i < source.size(); ++i) {
        m_lineIndex = static_cast<int>(i);
        m_column = 1;
        lowerCaseInto(m_line, source[i]);
        AnalyseLine(m_line);
        if (progress) progress->setPosition(static_cast<int>(i));
    }

    if (m_errorCount > 0 && request.MessagePanel) *request.MessagePanel = true;
    m_file = nullptr;
    m_messages = nullptr;
    return m_tokenCount;
}

void TLexicAnalys::AnalyseLine(std::string_view line) {
    if (line.empty() || (line[0] != '/' && !text::isDigit(line[0]))) {
        WriteTextLine(line);
        return;
    }
    if (line[0] == '/') {
        const int code = m_macros.ScanMacroLine(line, m_column);
        if (code == 0) WriteTextLine(line);  // the syntax pass reads a definition as a comment
        ReportLexicalError(code);
        return;
    }
    m_numbering.lineNumberExpected = true;
    if (m_numbering.parametersRemaining > 0) m_numbering.parameterNumberExpected = true;
    ReportLexicalError(ScanNumberedLine(line));
}

void TLexicAnalys::WriteTextLine(std::string_view line) { m_file->writeRecord(token::TextLine, line); }

void TLexicAnalys::ReportLexicalError(int code) {
    if (code == 0) return;
    if (m_messages) m_messages->AddLexicalError(m_lineIndex + 1, m_column, code);
    ++m_errorCount;
}

}  // namespace vestrel
