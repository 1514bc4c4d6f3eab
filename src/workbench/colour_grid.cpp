// The colour grid of the editor parameters dialog.
#include "workbench/colour_grid.h"

#include <cmath>

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
        painter.setPen(markColour(colour));
        QFont font = painter.font();
        font.setPixelSize(std::max(8, cell.height() / 3));
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(cell, Qt::AlignCenter, mark);
        painter.drawRect(cell.adjusted(2, 2, -3, -3));
    }
}

namespace {
// Relative luminance of an sRGB colour (0 black .. 1 white).
double luminance(const QColor& colour) {
    const auto channel = [](int value) {
        const double share = value / 255.0;
        return share <= 0.03928 ? share / 12.92 : std::pow((share + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) + 0.0722 * channel(colour.blue());
}
}  // namespace

QColor ColourGrid::markColour(const QColor& cell) {
    // Black or white, whichever stands out more from the cell (yellow, green and cyan
    // are light although their HSL lightness is only one half).
    const double cellLuminance = luminance(cell);
    const double onBlack = (cellLuminance + 0.05) / 0.05;
    const double onWhite = 1.05 / (cellLuminance + 0.05);
    return onBlack >= onWhite ? QColor(Qt::black) : QColor(Qt::white);
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
