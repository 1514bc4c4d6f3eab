// Word classification: keywords first, then the variable prefixes, "тс" and "алг".
#include "translator/lexer/classify_word.h"

#include <array>

#include "translator/lexer/algorithm_table.h"
#include "translator/diagnostics/messages.h"
#include "translator/text/literal.h"

namespace vestrel {
using namespace text::literals;

namespace {

struct Keyword {
    std::string_view word;
    TokenCode code;
};

// Tried in this order; a word must match one whole.
constexpr std::array<Keyword, 10> kKeywords = {{
    {"если"_cp, token::If},
    {"тогда"_cp, token::Then},
    {"или"_cp, token::Or},
    {"иначе"_cp, token::Else},
    {"о"_cp, token::Off},
    {"в"_cp, token::On},
    {"б"_cp, token::Bit},
    {"вск"_cp, token::ExitSection},
    {"вкл"_cp, token::ValueOn},
    {"откл"_cp, token::ValueOff},
}};
static_assert(kKeywords.size() == 10, "ten keywords");

// A variable family's index digits, each with its highest allowed digit and its weight
// in the index. The code is the family's first code ORed with the index; for "кс" the
// index is block * 32 + section, as in OctalTriple. The prefix is the family's own.
struct VariableFamily {
    TokenFamily family;
    int digitCount;
    std::array<char, 3> highestDigit;
    std::array<TokenCode, 3> weight;
    std::string_view prefix = familyPrefix(family);
    TokenCode base = familyBase(family);
};

// Tried in this order.
constexpr std::array<VariableFamily, 8> kFamilies = {{
    {TokenFamily::AnalogInput, 3, {'1', '7', '7'}, {64, 8, 1}},
    {TokenFamily::DiscreteInput, 3, {'7', '7', '7'}, {64, 8, 1}},
    {TokenFamily::AnalogOutput, 3, {'1', '7', '7'}, {64, 8, 1}},
    {TokenFamily::DiscreteOutput, 3, {'7', '7', '7'}, {64, 8, 1}},
    {TokenFamily::SectionKey, 3, {'7', '3', '7'}, {32, 8, 1}},
    {TokenFamily::IvVariable, 2, {'3', '7', '0'}, {8, 1, 0}},
    {TokenFamily::BlockKey, 1, {'7', '0', '0'}, {1, 0, 0}},
    {TokenFamily::Timer, 2, {'7', '7', '0'}, {8, 1, 0}},
}};
// Every variable family once: a family left out would make its words unknown identifiers.
static_assert([] {
    for (const TokenFamily family : kVariableFamilies) {
        int found = 0;
        for (const VariableFamily& scanned : kFamilies) found += scanned.family == family ? 1 : 0;
        if (found != 1) return false;
    }
    return true;
}(), "the scanner knows each variable family once");

constexpr std::string_view kMarkerPrefix = "тс"_cp;
constexpr std::string_view kAlgorithmPrefix = "алг"_cp;

WordClass rejected(LexicalMessage message) { return {message, 0}; }

WordClass classifyVariable(std::string_view word, const VariableFamily& family) {
    const std::size_t length = family.prefix.size() + static_cast<std::size_t>(family.digitCount);
    if (word.size() != length) return rejected(LexicalMessage::UnknownVariable);
    TokenCode index = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(family.digitCount); ++i) {
        const char digit = word[family.prefix.size() + i];
        if (digit < '0' || digit > family.highestDigit[i]) return rejected(LexicalMessage::WrongVariableIndex);
        index += family.weight[i] * static_cast<TokenCode>(digit - '0');
    }
    return {LexicalMessage::None, family.base | index};
}

// "тс" d "." d "." d, each d 0 or 1.
WordClass classifyMarker(std::string_view word) {
    if (word.size() != 7 || word[3] != '.' || word[5] != '.') return rejected(LexicalMessage::UnknownVariable);
    TokenCode bits = 0;
    for (const std::size_t at : {2u, 4u, 6u}) {
        if (word[at] != '0' && word[at] != '1') return rejected(LexicalMessage::WrongVariableIndex);
        bits = bits * 2 + static_cast<TokenCode>(word[at] - '0');
    }
    return {LexicalMessage::None, token::Marker + bits};
}

// "алг" and three octal digits, the first 0 or 1, naming an implemented algorithm.
WordClass classifyAlgorithm(std::string_view word, NumberingState& numbering) {
    if (word.size() != 6) return rejected(LexicalMessage::UnknownCommand);
    int index = 0;
    for (std::size_t i = 3; i < 6; ++i) {
        const char highest = i == 3 ? '1' : '7';
        if (word[i] < '0' || word[i] > highest) return rejected(LexicalMessage::WrongAlgorithmIndex);
        index = index * 8 + (word[i] - '0');
    }
    const AlgorithmInfoEntry& info = AlgorithmInfo[static_cast<std::size_t>(index)];
    if (!info.implemented) return rejected(LexicalMessage::AlgorithmNotImplemented);
    numbering.parametersRemaining = info.parameterCount;
    numbering.lastParameter = 0;
    return {LexicalMessage::None, token::Algorithm + static_cast<TokenCode>(index)};
}

// The first bytes are compared before the whole texts: a word is classified for every
// word of every statement, and almost every comparison fails there.
bool startsWith(std::string_view word, std::string_view prefix) {
    return word.size() >= prefix.size() && word[0] == prefix[0] && word[1] == prefix[1] &&
           word.substr(0, prefix.size()) == prefix;
}

}  // namespace

WordClass ClassifyWord(std::string_view word, NumberingState& numbering) {
    for (const Keyword& keyword : kKeywords)
        if (word.size() == keyword.word.size() && word[0] == keyword.word[0] && word == keyword.word)
            return {LexicalMessage::None, keyword.code};
    if (word.size() < 2) return rejected(LexicalMessage::UnknownIdentifier);

    for (const VariableFamily& family : kFamilies)
        if (startsWith(word, family.prefix)) return classifyVariable(word, family);
    if (startsWith(word, kMarkerPrefix)) return classifyMarker(word);
    if (startsWith(word, kAlgorithmPrefix)) return classifyAlgorithm(word, numbering);
    return rejected(LexicalMessage::UnknownIdentifier);
}

}  // namespace vestrel
