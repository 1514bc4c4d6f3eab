// Composition of the message texts and the line a message cites.
#include "translator/run/diagnostics.h"

#include <charconv>

#include "translator/run/messages.h"
#include "translator/text/literal.h"

namespace vestrel {
using namespace text::literals;

namespace {
constexpr std::string_view kErrorWord = "Ошибка"_cp;
constexpr std::string_view kErrorPrefix = "Ошибка!!! ("_cp;
constexpr std::string_view kWordNumber = ", слово №"_cp;
}  // namespace

std::string_view lexicalGroupText() { return "Лексические ошибки"_cp; }

void DiagnosticList::AddLexicalError(int line, int column, int code) {
    if (code <= 0 || code > kLexicalMessageCount) return;
    if (m_entries.empty()) m_entries.push_back({std::string(lexicalGroupText()), 0, kGroupIcon});
    std::string text(kErrorPrefix);
    text += std::to_string(line);
    text += ',';
    text += std::to_string(column);
    text += ").";
    text += kLexicalMessages[static_cast<std::size_t>(code)];
    m_entries.push_back({std::move(text), 1, -1});
}

void DiagnosticList::AddSyntaxError(int lineCounter, int wordCounter, int code) {
    if (code == 0) return;
    if (code == syntax::EngineError) code = syntax::SyntaxError;
    if (code < 0 || code > kSyntaxMessageCount) return;
    std::string text(kErrorPrefix);
    text += std::to_string(lineCounter + 1);
    text += kWordNumber;
    text += std::to_string(wordCounter);
    text += ").";
    text += kSyntaxMessages[static_cast<std::size_t>(code)];
    m_entries.push_back({std::move(text), 0, -1});
}

std::optional<int> DiagnosticList::LineOfEntry(const Diagnostic& entry) { return LineOfEntry(entry.text); }

std::optional<int> DiagnosticList::LineOfEntry(std::string_view text) {
    if (text.substr(0, kErrorWord.size()) != kErrorWord) return std::nullopt;
    if (text.size() <= kErrorPrefix.size()) return std::nullopt;
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos || comma <= kErrorPrefix.size()) return std::nullopt;
    const std::string_view digits = text.substr(kErrorPrefix.size(), comma - kErrorPrefix.size());
    int line = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), line);
    if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    return line;
}

}  // namespace vestrel
