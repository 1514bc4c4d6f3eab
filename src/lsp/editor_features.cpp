// Hover, definition, completion and symbols over the outline of a program.
#include "lsp/editor_features.h"

#include "lsp/korvel_words.h"
#include "lsp/text_document.h"
#include "translator/lexer/classify_word.h"
#include "translator/lexer/algorithm_table.h"
#include "translator/text/append.h"
#include "translator/text/cp1251.h"

namespace vestrel::lsp {
namespace {

// Kinds of the protocol's enumerations used here.
constexpr int kSymbolNamespace = 3, kSymbolConstant = 14;
constexpr int kCompletionFunction = 3, kCompletionVariable = 6, kCompletionConstant = 21;
constexpr int kSnippetFormat = 2;

std::string utf8(std::string_view cp1251) { return text::toUtf8(cp1251); }

std::string sectionDetail(int code) {
    return text::concat("блок ", code / 32, ", секция ", text::Octal{static_cast<unsigned>(code % 32), 2});
}

}  // namespace

Json rangeJson(int startLine, std::size_t startCharacter, int endLine, std::size_t endCharacter) {
    return {{"start", {{"line", startLine}, {"character", startCharacter}}},
            {"end", {{"line", endLine}, {"character", endCharacter}}}};
}

std::string describeVariable(TokenCode code) {
    if (!isVariable(code)) return {};
    const FamilyWords& words = kFamilyWords[static_cast<std::size_t>(familyOf(code))];
    const unsigned number = variableIndex(code);
    if (familyOf(code) == TokenFamily::SectionKey)  // a section key is named by its section
        return text::concat(words.name, " ", sectionDetail(static_cast<int>(number)));
    const int digits = static_cast<int>(utf16Length(words.first)) - 2;
    return text::concat(words.name, " № ", text::Octal{number, digits}, " (", number, ")");
}

std::string describeAlgorithm(int index) {
    if (index < 0 || index >= kAlgorithmCount) return {};
    const AlgorithmInfoEntry& info = AlgorithmInfo[static_cast<std::size_t>(index)];
    const std::string_view name = algorithmName(index);
    std::string out = text::concat("**", algorithmWord(index), "** — ");
    if (!name.empty()) {
        out += name;
    } else if (info.parameterCount > 0 && info.kinds[0] == ParameterKind::None) {
        out += "алгоритм без шаблона IL: трансляция сообщает о неверных параметрах";
    } else {
        out += "алгоритм без шаблона IL: параметры проверяются, текст IL не создаётся";
    }
    if (info.parameterCount == 0) return out + "\n\nБез параметров.";
    out += "\n\nПараметры:\n";
    for (int i = 0; i < info.parameterCount; ++i) {
        const ParameterKind kind = i < kMaxCheckedParameters ? info.kinds[static_cast<std::size_t>(i)] : ParameterKind::None;
        text::append(out, "\n", i + 1, ". ");
        if (kind == ParameterKind::None)
            out += "не принимается";
        else
            out += parameterKindText(kind);
    }
    return out;
}

std::string algorithmSnippet(int index) {
    std::string out = algorithmWord(index);
    for (int i = 1; i <= ExpectedParameterCount(index); ++i) text::append(out, "\n", i, " = ${", i, "}");
    return out;
}

Json hoverAt(const ProgramOutline& outline, int line, int character) {
    if (character < 0) return nullptr;
    const std::optional<WordMeaning> word = outline.wordAt(line, static_cast<std::size_t>(character));
    if (!word) return nullptr;
    std::string value;
    if (word->macro)
        value = text::concat("**", utf8(word->word), "** — макрос, обозначает **", utf8(word->macro->value), "**\n\n");
    switch (word->kind) {
        case WordMeaning::Kind::Variable:
            text::append(value, "**", utf8(word->macro ? word->macro->value : word->word), "** — ",
                         describeVariable(word->code));
            break;
        case WordMeaning::Kind::Algorithm:
            value += describeAlgorithm(algorithmIndexOf(word->code));
            break;
        case WordMeaning::Kind::Keyword:
        case WordMeaning::Kind::Marker:
        case WordMeaning::Kind::Unknown:
            if (!word->macro) return nullptr;
            value.resize(value.size() - 2);  // the macro line alone
            break;
    }
    return {{"contents", {{"kind", "markdown"}, {"value", value}}},
            {"range", rangeJson(line, word->start, line, word->end)}};
}

Json definitionAt(const ProgramOutline& outline, const std::string& uri, int line, int character) {
    if (character < 0) return nullptr;
    const std::optional<WordMeaning> word = outline.wordAt(line, static_cast<std::size_t>(character));
    if (!word || !word->macro) return nullptr;
    const MacroEntry& entry = *word->macro;
    return {{"uri", uri}, {"range", rangeJson(entry.line, entry.nameStart, entry.line, entry.nameEnd)}};
}

Json completionAt(const ProgramOutline& outline, int line) {
    Json items = Json::array();
    for (const MacroEntry* entry : outline.macrosInForce(line))
        items.push_back({{"label", utf8(entry->name)},
                         {"kind", kCompletionConstant},
                         {"detail", "макрос: " + utf8(entry->value)}});
    for (std::size_t family = 1; family < kFamilyWords.size(); ++family) {
        const FamilyWords& words = kFamilyWords[family];
        items.push_back({{"label", std::string(words.prefix)},
                         {"kind", kCompletionVariable},
                         {"detail", text::concat(words.name, ", ", words.first, "..", words.last)}});
    }
    for (int index = 0; index < kAlgorithmCount; ++index) {
        if (!AlgorithmInfo[static_cast<std::size_t>(index)].implemented) continue;
        const std::string name(algorithmName(index));
        items.push_back({{"label", algorithmWord(index)},
                         {"kind", kCompletionFunction},
                         {"detail", name.empty() ? std::string("алгоритм без шаблона IL") : name},
                         {"documentation", {{"kind", "markdown"}, {"value", describeAlgorithm(index)}}},
                         {"insertTextFormat", kSnippetFormat},
                         {"insertText", algorithmSnippet(index)}});
    }
    return {{"isIncomplete", false}, {"items", std::move(items)}};
}

Json documentSymbols(const ProgramOutline& outline, const std::vector<std::string>& lines) {
    auto lineLength = [&](int line) {
        return line >= 0 && static_cast<std::size_t>(line) < lines.size() ? lines[static_cast<std::size_t>(line)].size() : 0u;
    };
    auto macroSymbol = [&](const MacroEntry& entry) {
        return Json{{"name", utf8(entry.name)},
                    {"detail", utf8(entry.value)},
                    {"kind", kSymbolConstant},
                    {"range", rangeJson(entry.line, 0, entry.line, lineLength(entry.line))},
                    {"selectionRange", rangeJson(entry.line, entry.nameStart, entry.line, entry.nameEnd)}};
    };
    Json symbols = Json::array();
    const std::vector<MacroEntry>& macros = outline.macros();
    std::size_t nextMacro = 0;
    for (const SectionEntry& section : outline.sections()) {
        for (; nextMacro < macros.size() && macros[nextMacro].line < section.line; ++nextMacro)
            symbols.push_back(macroSymbol(macros[nextMacro]));
        Json children = Json::array();
        for (; nextMacro < macros.size() && macros[nextMacro].line <= section.lastLine; ++nextMacro)
            children.push_back(macroSymbol(macros[nextMacro]));
        std::string header = utf8(section.header);
        while (!header.empty() && (header.back() == ' ' || header.back() == '\t')) header.pop_back();
        symbols.push_back({{"name", header},
                           {"detail", sectionDetail(section.code)},
                           {"kind", kSymbolNamespace},
                           {"range", rangeJson(section.line, 0, section.lastLine, lineLength(section.lastLine))},
                           {"selectionRange", rangeJson(section.line, 0, section.line, 3)},
                           {"children", std::move(children)}});
    }
    for (; nextMacro < macros.size(); ++nextMacro) symbols.push_back(macroSymbol(macros[nextMacro]));
    return symbols;
}

}  // namespace vestrel::lsp
