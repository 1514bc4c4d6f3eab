// The two highlighters.
#include "workbench/syntax_highlighters.h"

#include <QColor>
#include <QTimer>

#include "translator/generator/il_line_spans.h"
#include "translator/text/cp1251.h"

namespace vestrel::workbench {
namespace {

static_assert(kKorvelElementKinds == kKorvelElementCount, "one style per Korvel element");
static_assert(kIlElementKinds == kIlElementCount, "one style per IL element");

constexpr int kWhite = 15;

QColor paletteColour(int index) {
    const PaletteColour& colour = kPalette[static_cast<std::size_t>(index & 15)];
    return {colour.red, colour.green, colour.blue};
}

}  // namespace

QTextCharFormat formatOf(const ElementStyle& style) {
    QTextCharFormat format;
    format.setForeground(paletteColour(style.foreground));
    if (style.background != kWhite) format.setBackground(paletteColour(style.background));
    format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(style.italic);
    format.setFontUnderline(style.underline);
    return format;
}

std::string lineBytes(const QString& line) {
    std::string bytes(static_cast<std::size_t>(line.size()), '?');
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char16_t u = line.at(i).unicode();
        if (u < 0x80) {
            bytes[static_cast<std::size_t>(i)] = static_cast<char>(u);
        } else if (const std::optional<char> byte = text::fromCodePoint(u)) {
            bytes[static_cast<std::size_t>(i)] = *byte;
        }
    }
    return bytes;
}

KorvelHighlighter::KorvelHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
    setStyles(kKorvelDefaults);
}

void KorvelHighlighter::setStyles(std::span<const ElementStyle, kKorvelElementCount> styles) {
    for (std::size_t i = 0; i < m_formats.size(); ++i) m_formats[i] = formatOf(styles[i]);
    rehighlight();
}

void KorvelHighlighter::highlightBlock(const QString& text) {
    // The block state is the macro table in force after the line; a changed definition
    // changes it, and the highlighter then goes on to the lines that follow.
    const int before = std::max(previousBlockState(), 0);
    const std::string line = lineBytes(text);
    for (const LineSpan& span : splitKorvelLine(line, m_macroStates.table(before))) {
        if (span.element == KorvelElement::Unclassified) continue;
        setFormat(static_cast<int>(span.start), static_cast<int>(span.length),
                  m_formats[static_cast<std::size_t>(span.element)]);
    }
    setCurrentBlockState(m_macroStates.after(before, line));
    if (m_macroStates.size() > m_stateLimit && !m_restartPending) {
        // Many edited definitions leave tables no line uses any more: start afresh. A text
        // that needs that many by itself raises the limit instead of starting over again.
        m_restartPending = true;
        QTimer::singleShot(0, this, [this] {
            m_macroStates.clear();
            rehighlight();
            m_stateLimit = std::max(kMacroStateLimit, 2 * m_macroStates.size());
            m_restartPending = false;
        });
    }
}

IlHighlighter::IlHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) { setStyles(kIlDefaults); }

void IlHighlighter::setStyles(std::span<const ElementStyle, kIlElementCount> styles) {
    for (std::size_t i = 0; i < m_formats.size(); ++i) m_formats[i] = formatOf(styles[i]);
    rehighlight();
}

void IlHighlighter::highlightBlock(const QString& text) {
    bool inDeclarations = previousBlockState() == 1;
    for (const IlSpan& span : splitIlLine(lineBytes(text), inDeclarations))
        setFormat(static_cast<int>(span.start), static_cast<int>(span.length),
                  m_formats[static_cast<std::size_t>(span.element)]);
    setCurrentBlockState(inDeclarations ? 1 : 0);
}

}  // namespace vestrel::workbench
