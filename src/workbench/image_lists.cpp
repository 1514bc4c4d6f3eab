// Small images drawn with QPainter, so the workbench needs no image files.
#include "workbench/image_lists.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vestrel::workbench {
namespace {

constexpr int kSize = 16;

template <typename Paint>
QIcon paintedIcon(int size, Paint paint) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    painter.end();
    return QIcon(pixmap);
}

void page(QPainter& p, QRectF r) {
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.drawPath(path);
}

void floppy(QPainter& p, QColor body) {
    p.setPen(QPen(QColor(30, 30, 60), 1));
    p.setBrush(body);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
}

void windowFrame(QPainter& p, QRectF r) {
    p.setPen(QPen(QColor(40, 40, 90), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setBrush(QColor(0, 0, 128));
    p.drawRect(QRectF(r.left(), r.top(), r.width(), 2.5));
}

}  // namespace

QIcon mainImage(int index) {
    switch (index) {
        case 0:  // cut: scissors
            return paintedIcon(kSize, [](QPainter& p) {
                p.setPen(QPen(QColor(40, 40, 40), 1.3));
                p.drawLine(QPointF(4, 1), QPointF(10, 10));
                p.drawLine(QPointF(12, 1), QPointF(6, 10));
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(QColor(0, 0, 160), 1.5));
                p.drawEllipse(QPointF(4.5, 12.5), 2.5, 2.5);
                p.drawEllipse(QPointF(11.5, 12.5), 2.5, 2.5);
            });
        case 1:  // copy: two pages
            return paintedIcon(kSize, [](QPainter& p) {
                page(p, QRectF(1.5, 1.5, 8, 10));
                page(p, QRectF(6.5, 4.5, 8, 10));
            });
        case 2:  // paste: a page on a clipboard
            return paintedIcon(kSize, [](QPainter& p) {
                p.setPen(QPen(QColor(90, 60, 20), 1));
                p.setBrush(QColor(190, 140, 70));
                p.drawRect(QRectF(1.5, 2.5, 10, 12));
                p.setBrush(QColor(160, 160, 160));
                p.drawRect(QRectF(4.5, 1.5, 4, 2));
                page(p, QRectF(6.5, 6.5, 8, 8));
            });
        case 6:  // new: a blank page
            return paintedIcon(kSize, [](QPainter& p) { page(p, QRectF(3.5, 1.5, 9, 13)); });
        case 7:  // open: a folder
            return paintedIcon(kSize, [](QPainter& p) {
                p.setPen(QPen(QColor(120, 90, 0), 1));
                p.setBrush(QColor(240, 200, 80));
                p.drawRect(QRectF(1.5, 4.5, 13, 9));
                p.drawRect(QRectF(1.5, 2.5, 5, 2));
            });
        case 15:  // tile horizontally: windows one above the other
            return paintedIcon(kSize, [](QPainter& p) {
                windowFrame(p, QRectF(1.5, 1.5, 13, 6));
                windowFrame(p, QRectF(1.5, 8.5, 13, 6));
            });
        case 16:  // tile vertically: windows side by side
            return paintedIcon(kSize, [](QPainter& p) {
                windowFrame(p, QRectF(1.5, 1.5, 6, 13));
                windowFrame(p, QRectF(8.5, 1.5, 6, 13));
            });
        case 17:  // cascade
            return paintedIcon(kSize, [](QPainter& p) {
                windowFrame(p, QRectF(1.5, 1.5, 9, 8));
                windowFrame(p, QRectF(5.5, 6.5, 9, 8));
            });
        case 18:  // save the source program
            return paintedIcon(kSize, [](QPainter& p) { floppy(p, QColor(0, 0, 160)); });
        case 19:  // save the IL project
            return paintedIcon(kSize, [](QPainter& p) { floppy(p, QColor(0, 130, 0)); });
        case 20:  // translate: a green arrow
            return paintedIcon(kSize, [](QPainter& p) {
                p.setPen(QPen(QColor(0, 90, 0), 1));
                p.setBrush(QColor(0, 190, 0));
                const QPointF arrow[] = {{3, 2}, {14, 8}, {3, 14}};
                p.drawPolygon(arrow, 3);
            });
        default:
            return {};
    }
}

QIcon messageImage(int index) {
    if (index != 1) return {};
    return paintedIcon(kSize, [](QPainter& p) {
        p.setPen(QPen(QColor(128, 0, 0), 1));
        p.setBrush(QColor(220, 30, 30));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(QPointF(8, 4), QPointF(8, 9));
        p.drawPoint(QPointF(8, 12));
    });
}

QIcon programIcon() {
    return paintedIcon(32, [](QPainter& p) {
        p.setPen(QPen(QColor(0, 0, 100), 1.5));
        p.setBrush(QColor(0, 80, 170));
        p.drawRoundedRect(QRectF(2, 2, 28, 28), 4, 4);
        p.setPen(QPen(Qt::white, 2.5));
        p.drawLine(QPointF(9, 9), QPointF(16, 24));
        p.drawLine(QPointF(23, 9), QPointF(16, 24));
    });
}

}  // namespace vestrel::workbench
