// The F1 table: from a word of a Korvel program to its place in the manual.
#include "workbench/help_topics.h"

#include <optional>

#include <QRegularExpression>
#include <QStringList>

namespace vestrel::workbench {
namespace {

QString utf8(const char* text) { return QString::fromUtf8(text); }

ResolvedTopic resolved(const HelpTopic& topic) { return {utf8(topic.page), utf8(topic.anchor)}; }

// "алгNNN" with three octal digits: the page of that algorithm, its own heading there.
std::optional<ResolvedTopic> algorithmTopic(const QString& word) {
    static const QRegularExpression command(QStringLiteral("^алг([0-7]{3})$"));
    const QRegularExpressionMatch match = command.match(word);
    if (!match.hasMatch()) return std::nullopt;
    const int index = match.captured(1).toInt(nullptr, 8);
    for (const AlgorithmTopic& entry : kAlgorithmTopics) {
        if (index < entry.first || index > entry.last) continue;
        if (entry.page == nullptr) return resolved(kAlgorithmWithoutTextTopic);
        return ResolvedTopic{utf8(entry.page), word};
    }
    return std::nullopt;
}

// A number that opens its line: the section header, line number or parameter number.
std::optional<ResolvedTopic> numberTopic(const QString& word, const QString& line) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    if (!digits.match(word).hasMatch()) return std::nullopt;
    if (!line.startsWith(word)) return ResolvedTopic{QStringLiteral("program.md"), QStringLiteral("константы-и-время")};
    const QString rest = line.mid(word.size());
    if (word.size() == 3 && rest.startsWith(QLatin1Char('.')))
        return ResolvedTopic{QStringLiteral("program.md"), QStringLiteral("блоки-и-секции")};
    if (rest.trimmed().startsWith(QLatin1Char('=')))
        return ResolvedTopic{QStringLiteral("program.md"), QStringLiteral("строки-параметров")};
    return ResolvedTopic{QStringLiteral("program.md"), QStringLiteral("номера-строк")};
}

// The value of the latest definition "/name value" of `word` among `definitions`.
std::optional<QString> macroValue(const QString& word, const QStringList& definitions) {
    static const QRegularExpression definition(QStringLiteral("^/([^\\s]+)\\s+([^\\s]+)"));
    std::optional<QString> value;
    for (const QString& line : definitions) {
        const QRegularExpressionMatch match = definition.match(line.toLower());
        if (match.hasMatch() && match.captured(1) == word) value = match.captured(2);
    }
    return value;
}

std::optional<ResolvedTopic> wordTopic(const QString& word) {
    for (const KeywordTopic& entry : kKeywordTopics)
        if (word == utf8(entry.word)) return resolved(entry.topic);
    if (std::optional<ResolvedTopic> algorithm = algorithmTopic(word)) return algorithm;
    for (const PrefixTopic& entry : kPrefixTopics)
        if (word.startsWith(utf8(entry.prefix))) return resolved(entry.topic);
    return std::nullopt;
}

}  // namespace

ResolvedTopic helpTopicFor(const QString& word, const QString& line, const QStringList& definitions) {
    const QString lowered = word.toLower();
    if (lowered.isEmpty()) return resolved(kContentsTopic);
    if (std::optional<QString> value = macroValue(lowered, definitions)) {
        if (std::optional<ResolvedTopic> topic = wordTopic(*value)) return *topic;
        return {QStringLiteral("program.md"), QStringLiteral("макросы")};
    }
    if (line.startsWith(QLatin1Char('/'))) return {QStringLiteral("program.md"), QStringLiteral("макросы")};
    // Lines that begin with neither a digit nor "/" are comments, whatever words they hold.
    if (line.isEmpty() || !line.front().isDigit()) return {QStringLiteral("program.md"), QStringLiteral("виды-строк")};
    if (std::optional<ResolvedTopic> number = numberTopic(lowered, line)) return *number;
    if (std::optional<ResolvedTopic> topic = wordTopic(lowered)) return *topic;
    return resolved(kContentsTopic);
}

QString headingAnchor(const QString& heading) {
    QString anchor;
    for (const QChar character : heading.toLower()) {
        if (character.isLetterOrNumber() || character == QLatin1Char('-') || character == QLatin1Char('_'))
            anchor += character;
        else if (character == QLatin1Char(' '))
            anchor += QLatin1Char('-');
    }
    return anchor;
}

}  // namespace vestrel::workbench
