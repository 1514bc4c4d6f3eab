// The texts of the messages as the user sees them, rendered from their values.
#include "translator/diagnostics/diagnostics.h"

#include "translator/text/append.h"
#include "translator/text/literal.h"

namespace vestrel {
using namespace text::literals;

namespace {
constexpr std::string_view kErrorPrefix = "Ошибка!!! ("_cp;
constexpr std::string_view kWordNumber = ", слово №"_cp;
}  // namespace

std::string_view lexicalGroupText() { return "Лексические ошибки"_cp; }

Diagnostic Diagnostic::lexical(int line, int column, LexicalMessage message) {
    return {Severity::Error, TranslationPass::Lexical, codeOf(message), line, column, 0};
}

Diagnostic Diagnostic::syntax(int line, int word, SyntaxMessage message) {
    return {Severity::Error, TranslationPass::Syntax, codeOf(message), line, 0, word};
}

LexicalMessage Diagnostic::lexicalMessage() const {
    return pass == TranslationPass::Lexical ? lexicalMessageOfCode(code) : LexicalMessage::None;
}

SyntaxMessage Diagnostic::syntaxMessage() const {
    return pass == TranslationPass::Syntax ? syntaxMessageOfCode(code) : SyntaxMessage::None;
}

std::string_view Diagnostic::messageText() const {
    switch (pass) {
        case TranslationPass::Lexical: return textOf(lexicalMessage());
        case TranslationPass::Syntax: return textOf(syntaxMessage());
    }
    return {};
}

std::string_view Diagnostic::messageName() const {
    switch (pass) {
        case TranslationPass::Lexical: return nameOf(lexicalMessage());
        case TranslationPass::Syntax: return nameOf(syntaxMessage());
    }
    return {};
}

void Diagnostic::appendText(std::string& target) const {
    target += kErrorPrefix;
    text::appendPart(target, line);
    switch (pass) {
        case TranslationPass::Lexical:
            target += ',';
            text::appendPart(target, column);
            break;
        case TranslationPass::Syntax:
            target += kWordNumber;
            text::appendPart(target, word);
            break;
    }
    target += ").";
    target += messageText();
}

std::string Diagnostic::text() const {
    std::string rendered;
    appendText(rendered);
    return rendered;
}

void DiagnosticList::AddLexicalError(int line, int column, LexicalMessage message) {
    if (message == LexicalMessage::None) return;
    m_entries.push_back(Diagnostic::lexical(line, column, message));
}

void DiagnosticList::AddSyntaxError(int line, int word, SyntaxMessage message) {
    if (message == SyntaxMessage::None) return;
    m_entries.push_back(Diagnostic::syntax(line, word, message));
}

}  // namespace vestrel
