// Which page and heading of the bundled manual explains a word of a Korvel program: the
// table behind F1 in the source editor.
#pragma once

#include <array>

#include <QString>

namespace vestrel::workbench {

// A place in the manual: a page file and the anchor a heading of it begins with (empty:
// the top of the page).
struct HelpTopic {
    const char* page;
    const char* anchor;
};

// The pages of the manual in the order of its contents.
inline constexpr std::array<const char*, 13> kManualPages = {
    "index.md",  "program.md",        "statements.md", "algorithms.md", "regulators.md", "dynamics.md", "analog.md",
    "long-arithmetic.md", "indexed.md", "bit-groups.md", "messages.md", "workbench.md", "vestrelc.md",
};

inline constexpr HelpTopic kContentsTopic{"index.md", ""};

// Keywords, matched as whole words.
struct KeywordTopic {
    const char* word;
    HelpTopic topic;
};
inline constexpr std::array<KeywordTopic, 10> kKeywordTopics = {{
    {"если", {"statements.md", "условный-оператор"}},
    {"тогда", {"statements.md", "условный-оператор"}},
    {"иначе", {"statements.md", "условный-оператор"}},
    {"или", {"statements.md", "условный-оператор"}},
    {"в", {"statements.md", "в-и-о"}},
    {"о", {"statements.md", "в-и-о"}},
    {"б", {"statements.md", "б"}},
    {"вск", {"statements.md", "вск"}},
    {"вкл", {"algorithms.md", "значения-параметров"}},
    {"откл", {"algorithms.md", "значения-параметров"}},
}};

// Variable families and the "тс" marker, matched by the two letters a word begins with.
struct PrefixTopic {
    const char* prefix;
    HelpTopic topic;
};
inline constexpr std::array<PrefixTopic, 10> kPrefixTopics = {{
    {"вд", {"program.md", "переменные"}},
    {"дв", {"program.md", "переменные"}},
    {"ва", {"program.md", "переменные"}},
    {"ав", {"program.md", "переменные"}},
    {"кб", {"program.md", "переменные"}},
    {"кс", {"program.md", "переменные"}},
    {"ив", {"statements.md", "выражения"}},
    {"тм", {"statements.md", "таймеры"}},
    {"тс", {"statements.md", "тс"}},
    {"алг", {"algorithms.md", "номера-алгоритмов"}},
}};

// Ranges of algorithm indexes, written as octal literals like the command words, and the
// page that describes them; within the page the heading begins with the command word
// itself ("алг013"). Indexes that pass the checks without IL text (no page) have a
// section of their own.
struct AlgorithmTopic {
    int first;
    int last;
    const char* page;
};
inline constexpr std::array<AlgorithmTopic, 11> kAlgorithmTopics = {{
    {01, 04, "regulators.md"},
    {010, 015, "dynamics.md"},
    {030, 034, "analog.md"},
    {040, 042, "long-arithmetic.md"},
    {050, 053, "long-arithmetic.md"},
    {060, 063, "long-arithmetic.md"},
    {0100, 0104, "indexed.md"},
    {0130, 0135, "bit-groups.md"},
    {0140, 0145, nullptr},
    {0160, 0163, nullptr},
    {0170, 0174, nullptr},
}};
inline constexpr HelpTopic kAlgorithmWithoutTextTopic{"algorithms.md", "команды-без-il-текста"};

// The topic of `word` (any case) as it stands in `line`, the source line that holds it.
// A macro name defined before that line (`definitions`: the lines above it) stands for
// its value. Words without a topic of their own give the contents.
struct ResolvedTopic {
    QString page;
    QString anchor;
};
ResolvedTopic helpTopicFor(const QString& word, const QString& line, const QStringList& definitions);

// The anchor of a heading, as links between the pages name it: lower case, blanks become
// "-", other punctuation is dropped.
QString headingAnchor(const QString& heading);

}  // namespace vestrel::workbench
