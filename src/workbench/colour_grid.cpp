// The colour grid of the editor parameters dialog.
#include "workbench/colour_grid.h"

#include <QMouseEvent>
#include <QPainter>

#include "workbench/element_styles.h"

namespace vestrel::workbench {
namespace {
constexpr int kColumns = 4;
constexpr int kCellSize = 24;

QColor paletteColour(int index) {
    const PaletteColour& colour = kPalette[static_cast<std::size_t>(index)];
    return QColor(colour.red, colour.green, colour.blue);
}
}  // namespace

ColourGrid::ColourGrid(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(kColumns * 16, kColumns * 16);
}

QSize ColourGrid::sizeHint() const { return {kColumns * kCellSize, kColumns * kCellSize}; }

void ColourGrid::setForegroundIndex(int index) {
    if (index < 0 || index >= static_cast<int>(kPalette.size()) || index == m_foreground) return;
    m_foreground = index;
    update();
    emit changed();
}

void ColourGrid::setBackgroundIndex(int index) {
    if (index < 0 || index >= static_cast<int>(kPalette.size()) || index == m_background) return;
    m_background = index;
    update();
    emit changed();
}

QRect ColourGrid::cellRect(int index) const {
    const int cellWidth = width() / kColumns;
    const int cellHeight = height() / kColumns;
    return {(index % kColumns) * cellWidth, (index / kColumns) * cellHeight, cellWidth, cellHeight};
}

void ColourGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int index = 0; index < static_cast<int>(kPalette.size()); ++index) {
        const QRect cell = cellRect(index).adjusted(1, 1, -1, -1);
        const QColor colour = paletteColour(index);
        painter.fillRect(cell, colour);
        painter.setPen(QColor(128, 128, 128));
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
        QString mark;
        if (index == m_foreground) mark += QStringLiteral("FG");
        if (index == m_background) mark += mark.isEmpty() ? QStringLiteral("BG") : QStringLiteral("/BG");
        if (mark.isEmpty()) continue;
        // The mark reads in black on light colours and in white on dark ones.
        painter.setPen(colour.lightness() > 128 ? Qt::black : Qt::white);
        QFont font = painter.font();
        font.setPixelSize(std::max(8, cell.height() / 3));
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(cell, Qt::AlignCenter, mark);
        painter.drawRect(cell.adjusted(2, 2, -3, -3));
    }
}

void ColourGrid::mousePressEvent(QMouseEvent* event) {
    for (int index = 0; index < static_cast<int>(kPalette.size()); ++index) {
        if (!cellRect(index).contains(event->position().toPoint())) continue;
        if (event->button() == Qt::LeftButton) setForegroundIndex(index);
        if (event->button() == Qt::RightButton) setBackgroundIndex(index);
        return;
    }
}

}  // namespace vestrel::workbench
