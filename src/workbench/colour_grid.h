// A 4 x 4 grid of the sixteen palette colours with a foreground and a background choice:
// a left click picks the foreground, a right click the background.
#pragma once

#include <QWidget>

namespace vestrel::workbench {

class ColourGrid final : public QWidget {
    Q_OBJECT
public:
    explicit ColourGrid(QWidget* parent = nullptr);

    int foregroundIndex() const { return m_foreground; }
    int backgroundIndex() const { return m_background; }
    void setForegroundIndex(int index);
    void setBackgroundIndex(int index);

    // The cell of a colour index, for clicks and painting.
    QRect cellRect(int index) const;

    QSize sizeHint() const override;

    // The colour of the FG/BG marks drawn on a cell of the given colour.
    static QColor markColour(const QColor& cell);

signals:
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int m_foreground = 0;
    int m_background = 15;
};

}  // namespace vestrel::workbench
