// Conversion of editor text to and from cp1251 through the core's code page module.
#include "workbench/text_conversion.h"

#include <QFile>

#include "translator/run/translation.h"
#include "translator/text/cp1251.h"
#include "workbench/workbench_texts.h"

namespace vestrel::workbench {

QString fromCp1251(std::string_view bytes) {
    const std::string utf8 = text::toUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string nativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString fromNativePath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

std::optional<std::string> toCp1251(const QString& textValue, UnconvertibleCharacter* error) {
    const QByteArray utf8 = textValue.toUtf8();
    text::ConversionError failure;
    std::optional<std::string> bytes = text::fromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), &failure);
    if (bytes || !error) return bytes;

    // Walk the text by characters (code points) to the one the conversion stopped at.
    UnconvertibleCharacter place{1, 1, failure.codePoint};
    std::size_t character = 0;
    for (qsizetype i = 0; i < textValue.size(); ++i) {
        const bool pair = textValue[i].isHighSurrogate() && i + 1 < textValue.size() && textValue[i + 1].isLowSurrogate();
        if (character == failure.characterIndex) {
            if (place.codePoint == 0)
                place.codePoint = pair ? QChar::surrogateToUcs4(textValue[i], textValue[i + 1]) : textValue[i].unicode();
            break;
        }
        if (textValue[i] == u'\n') {
            ++place.line;
            place.column = 1;
        } else {
            ++place.column;
        }
        if (pair) ++i;
        ++character;
    }
    *error = place;
    return std::nullopt;
}

std::optional<std::vector<std::string>> toCp1251Lines(const QString& textValue, UnconvertibleCharacter* error) {
    std::optional<std::string> bytes = toCp1251(textValue, error);
    if (!bytes) return std::nullopt;
    return splitSourceLines(*bytes);
}

QString describeUnconvertible(const UnconvertibleCharacter& error) {
    using texts::qs;
    const QString character = QString::fromUcs4(&error.codePoint, 1);
    const QString code = QStringLiteral("U+%1").arg(static_cast<uint>(error.codePoint), 4, 16, QLatin1Char('0')).toUpper();
    return qs(texts::kUnconvertibleLine) + QString::number(error.line) + qs(texts::kUnconvertibleColumn) +
           QString::number(error.column) + qs(texts::kUnconvertibleCharacter) + QStringLiteral("«") + character +
           QStringLiteral("» (") + code + QStringLiteral(")") + qs(texts::kUnconvertibleTail);
}

}  // namespace vestrel::workbench
