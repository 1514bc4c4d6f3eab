// Syntax highlighting of the Korvel source and of the IL texts with the element styles
// of the editor colour dialog. The core cuts each line into spans (its own lexical rules,
// macro definitions included); these classes only paint them.
#pragma once

#include <array>
#include <span>

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include "translator/lexer/line_spans.h"
#include "workbench/element_styles.h"

namespace vestrel::workbench {

// The character format of an element style. A white background is left to the editor,
// so the highlighted current line shows through.
QTextCharFormat formatOf(const ElementStyle& style);

// A line as cp1251 bytes, one byte per character, so span offsets are text positions;
// a character outside the code page becomes "?".
std::string lineBytes(const QString& line);

class KorvelHighlighter final : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit KorvelHighlighter(QTextDocument* document);
    void setStyles(std::span<const ElementStyle, kKorvelElementCount> styles);

protected:
    void highlightBlock(const QString& text) override;

private:
    // Distinct macro tables kept before the highlighter starts afresh.
    static constexpr std::size_t kMacroStateLimit = 4096;
    std::array<QTextCharFormat, kKorvelElementCount> m_formats;
    MacroStates m_macroStates;
    std::size_t m_stateLimit = kMacroStateLimit;
    bool m_restartPending = false;
};

class IlHighlighter final : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit IlHighlighter(QTextDocument* document);
    void setStyles(std::span<const ElementStyle, kIlElementCount> styles);

protected:
    void highlightBlock(const QString& text) override;

private:
    std::array<QTextCharFormat, kIlElementCount> m_formats;
};

}  // namespace vestrel::workbench
