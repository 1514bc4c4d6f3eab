// The code editor: gutter, current line, zoom and live-check marks.
#include "workbench/code_editor.h"

#include <algorithm>

#include <QHelpEvent>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>
#include <QToolTip>
#include <QUrl>
#include <QWheelEvent>

namespace vestrel::workbench {

// The strip left of the text: line numbers and the markers of the live check.
class EditorGutter final : public QWidget {
public:
    explicit EditorGutter(CodeEditor* editor) : QWidget(editor), m_editor(editor) {
        setObjectName(QStringLiteral("Gutter"));
        setMouseTracking(true);
    }
    QSize sizeHint() const override { return {m_editor->gutterWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { m_editor->paintGutter(event); }
    bool event(QEvent* event) override { return m_editor->gutterEvent(event) || QWidget::event(event); }

private:
    CodeEditor* m_editor;
};

namespace {
constexpr int kGutterPadding = 4;
constexpr int kMinimumPixelSize = 6;
constexpr int kMaximumPixelSize = 72;
const QColor kCurrentLineColour(232, 242, 254);
const QColor kGutterColour(240, 240, 240);
const QColor kGutterTextColour(128, 128, 128);
const QColor kMarkColour(220, 0, 0);
}  // namespace

CodeEditor::CodeEditor(QWidget* parent) : QPlainTextEdit(parent), m_gutter(new EditorGutter(this)) {
    connect(this, &QPlainTextEdit::blockCountChanged, this, &CodeEditor::updateGutterWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, &CodeEditor::updateGutter);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &CodeEditor::updateExtraSelections);
    updateGutterWidth();
    updateExtraSelections();
}

int CodeEditor::gutterWidth() const {
    int digits = 1;
    for (int lines = std::max(1, blockCount()); lines >= 10; lines /= 10) ++digits;
    // Room for the marker left of the numbers.
    const int marker = fontMetrics().height();
    return kGutterPadding + marker + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(digits, 3) + kGutterPadding;
}

void CodeEditor::updateGutterWidth() {
    // Setting the margins lays the scroll area out again; the highlighter asks for a
    // repaint of every line it colours, so only a new width may cost that.
    const int width = gutterWidth();
    if (width == m_appliedGutterWidth) return;
    m_appliedGutterWidth = width;
    setViewportMargins(width, 0, 0, 0);
}

void CodeEditor::updateGutter(const QRect& rect, int dy) {
    if (dy != 0)
        m_gutter->scroll(0, dy);
    else
        m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
    if (rect.contains(viewport()->rect())) updateGutterWidth();
}

void CodeEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    m_gutter->setGeometry(QRect(area.left(), area.top(), gutterWidth(), area.height()));
}

void CodeEditor::paintGutter(QPaintEvent* event) {
    QPainter painter(m_gutter);
    painter.fillRect(event->rect(), kGutterColour);
    painter.setFont(font());
    const int lineHeight = fontMetrics().height();
    std::vector<bool> marked;
    QTextBlock block = firstVisibleBlock();
    int number = block.blockNumber();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    int bottom = top + qRound(blockBoundingRect(block).height());
    while (block.isValid() && top <= event->rect().bottom()) {
        if (block.isVisible() && bottom >= event->rect().top()) {
            painter.setPen(kGutterTextColour);
            painter.drawText(0, top, m_gutter->width() - kGutterPadding, lineHeight, Qt::AlignRight,
                             QString::number(number + 1));
            if (!marksMessage(number).isEmpty()) {
                // A red disc with a white bar: the line has a message.
                const int size = lineHeight - 4;
                const QRectF disc(kGutterPadding, top + 2, size, size);
                painter.setRenderHint(QPainter::Antialiasing);
                painter.setPen(Qt::NoPen);
                painter.setBrush(kMarkColour);
                painter.drawEllipse(disc);
                painter.setBrush(Qt::white);
                painter.drawRect(QRectF(disc.left() + size * 0.2, disc.center().y() - size * 0.1, size * 0.6, size * 0.2));
                painter.setRenderHint(QPainter::Antialiasing, false);
            }
        }
        block = block.next();
        top = bottom;
        bottom = top + qRound(blockBoundingRect(block).height());
        ++number;
    }
}

bool CodeEditor::gutterEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    const QTextBlock block = cursorForPosition(QPoint(0, help->pos().y())).block();
    const QString message = marksMessage(block.blockNumber());
    if (message.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), message, m_gutter);
    return true;
}

bool CodeEditor::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const EditorMark* mark = markAt(cursorForPosition(help->pos()).position());
        if (mark)
            QToolTip::showText(help->globalPos(), mark->message, viewport());
        else
            QToolTip::hideText();
        return true;
    }
    return QPlainTextEdit::viewportEvent(event);
}

void CodeEditor::setMarks(std::vector<EditorMark> marks) {
    if (marks == m_marks) return;
    m_marks = std::move(marks);
    updateExtraSelections();
    m_gutter->update();
}

QString CodeEditor::marksMessage(int line) const {
    QStringList messages;
    for (const EditorMark& mark : m_marks)
        if (mark.line == line) messages << mark.message;
    return messages.join(QLatin1Char('\n'));
}

const EditorMark* CodeEditor::markAt(int position) const {
    const QTextBlock block = document()->findBlock(position);
    const int column = position - block.position();
    for (const EditorMark& mark : m_marks)
        if (mark.line == block.blockNumber() && column >= mark.start && column <= mark.start + mark.length) return &mark;
    return nullptr;
}

void CodeEditor::updateExtraSelections() {
    QList<QTextEdit::ExtraSelection> selections;
    QTextEdit::ExtraSelection current;
    current.format.setBackground(kCurrentLineColour);
    current.format.setProperty(QTextFormat::FullWidthSelection, true);
    current.cursor = textCursor();
    current.cursor.clearSelection();
    selections << current;
    for (const EditorMark& mark : m_marks) {
        const QTextBlock block = document()->findBlockByNumber(mark.line);
        if (!block.isValid()) continue;
        QTextEdit::ExtraSelection underline;
        underline.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        underline.format.setUnderlineColor(kMarkColour);
        underline.format.setToolTip(mark.message);
        underline.cursor = QTextCursor(block);
        const int start = std::min(mark.start, std::max(0, block.length() - 1));
        underline.cursor.setPosition(block.position() + start);
        underline.cursor.setPosition(block.position() + std::min(start + std::max(mark.length, 1), block.length() - 1),
                                     QTextCursor::KeepAnchor);
        selections << underline;
    }
    setExtraSelections(selections);
}

void CodeEditor::zoomBy(int steps) {
    if (m_basePixelSize == 0) m_basePixelSize = font().pixelSize() > 0 ? font().pixelSize() : fontInfo().pixelSize();
    const int target = std::clamp(m_basePixelSize + m_zoomSteps + steps, kMinimumPixelSize, kMaximumPixelSize);
    m_zoomSteps = target - m_basePixelSize;
    QFont zoomed = font();
    zoomed.setPixelSize(target);
    setFont(zoomed);
    updateGutterWidth();
    const QRect area = contentsRect();
    m_gutter->setGeometry(QRect(area.left(), area.top(), gutterWidth(), area.height()));
}

void CodeEditor::resetZoom() { zoomBy(-m_zoomSteps); }

void CodeEditor::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        const int delta = event->angleDelta().y();
        if (delta != 0) zoomBy(delta > 0 ? 1 : -1);
        event->accept();
        return;
    }
    QPlainTextEdit::wheelEvent(event);
}

bool CodeEditor::goToLine(int line) {
    if (line < 1 || line > blockCount()) return false;
    QTextCursor cursor(document()->findBlockByNumber(line - 1));
    setTextCursor(cursor);
    centerCursor();
    return true;
}

bool CodeEditor::canInsertFromMimeData(const QMimeData* source) const {
    // Dropped program files are opened by the main window, not pasted as their names.
    if (source->hasUrls())
        for (const QUrl& url : source->urls())
            if (url.isLocalFile() && url.toLocalFile().endsWith(QStringLiteral(".prg"), Qt::CaseInsensitive)) return false;
    return QPlainTextEdit::canInsertFromMimeData(source);
}

}  // namespace vestrel::workbench
