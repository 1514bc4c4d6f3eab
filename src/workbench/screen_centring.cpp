// Centring a window on its screen.
#include "workbench/screen_centring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace vestrel::workbench {
namespace {

void centre(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    // The frame as it stands: before the first mapping it is the window itself.
    const QRect frame = window.frameGeometry();
    const QPoint frameTopLeft = area.center() - QPoint(frame.width() / 2, frame.height() / 2);
    window.move(frameTopLeft + (window.pos() - frame.topLeft()));
}

class Centring final : public QObject {
public:
    explicit Centring(QWidget& window) : QObject(&window), m_window(&window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        // Moving the window before QDialog's own placement (which centres on the
        // parent, with a guessed frame) also keeps that placement out.
        if (watched == m_window && event->type() == QEvent::Show) {
            centre(*m_window);
            QTimer::singleShot(0, this, [window = m_window] {
                if (window && window->isVisible()) centre(*window);
            });
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
};

}  // namespace

void keepCentredOnScreen(QWidget& window) { window.installEventFilter(new Centring(window)); }

}  // namespace vestrel::workbench
