// The progress window and its gauge.
#include "workbench/indicator_form.h"

#include <algorithm>

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "workbench/text_conversion.h"

namespace vestrel::workbench {
namespace {
constexpr int kWidth = 333;
constexpr int kHeight = 65;
constexpr int kCaptionHeight = 25;
constexpr int kGaugePanelHeight = 40;

// The window is not modal and the run keeps the thread, so paint what is pending now.
void flushPainting() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }
}  // namespace

void GaugeState::setMaximum(int maximum) {
    m_maximum = std::max(maximum, m_minimum);
    m_position = std::clamp(m_position, m_minimum, m_maximum);
}

void GaugeState::setPosition(int position) { m_position = std::clamp(position, m_minimum, m_maximum); }

int GaugeState::percent() const {
    if (m_maximum == m_minimum) return 0;
    return static_cast<int>(static_cast<long long>(m_position - m_minimum) * 100 / (static_cast<long long>(m_maximum) - m_minimum));
}

Gauge::Gauge(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("CGauge1")); }

void Gauge::setMaximum(int maximum) {
    const int before = m_state.percent();
    m_state.setMaximum(maximum);
    repaintIfChanged(before);
}

void Gauge::setPosition(int position) {
    const int before = m_state.percent();
    m_state.setPosition(position);
    repaintIfChanged(before);
}

void Gauge::repaintIfChanged(int percentBefore) {
    // A pass moves the gauge once per line or token; only a new percentage is worth a paint.
    if (m_state.percent() != percentBefore && isVisible()) repaint();
}

void Gauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, Qt::white);
    const int done = area.width() * m_state.percent() / 100;
    painter.fillRect(QRect(area.left(), area.top(), done, area.height()), QColor(0, 0, 255));
    const QString text = QString::number(m_state.percent()) + QLatin1Char('%');
    // The digits read black on white and white on the bar.
    painter.setPen(Qt::black);
    painter.drawText(area, Qt::AlignCenter, text);
    painter.setClipRect(QRect(area.left(), area.top(), done, area.height()));
    painter.setPen(Qt::white);
    painter.drawText(area, Qt::AlignCenter, text);
}

TIndicatorForm::TIndicatorForm(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("IndicatorForm"));
    // The window only reports; the main window keeps the activation and the keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    setFixedSize(kWidth, kHeight);
    QFont small(QStringLiteral("MS Sans Serif"));
    small.setPixelSize(11);
    setFont(small);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Panel2 = new QLabel(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(kCaptionHeight);
    Panel2->setAlignment(Qt::AlignCenter);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setLineWidth(2);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(kGaugePanelHeight);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(2);
    auto* gaugeLayout = new QVBoxLayout(Panel1);
    gaugeLayout->setContentsMargins(2, 2, 2, 2);
    CGauge1 = new Gauge(Panel1);
    gaugeLayout->addWidget(CGauge1);
    layout->addWidget(Panel2);
    layout->addWidget(Panel1);

    if (mainWindow) centreOn(*mainWindow);
    m_previouslyActive = QApplication::activeWindow();
    show();
    flushPainting();
}

TIndicatorForm::~TIndicatorForm() {
    // Some platforms hand the activation to a window that is shown, and take it nowhere
    // when it goes; the window that had it gets it back.
    if (m_previouslyActive && QApplication::activeWindow() != m_previouslyActive) m_previouslyActive->activateWindow();
}

void TIndicatorForm::centreOn(const QWidget& mainWindow) {
    const QRect main = mainWindow.frameGeometry();
    move(main.left() + main.width() / 2 - width() / 2, main.top() + main.height() / 2 - height() / 2);
}

QString TIndicatorForm::captionText() const { return Panel2->text(); }

void TIndicatorForm::setCaptionText(const QString& caption) {
    Panel2->setText(caption);
    Panel2->repaint();
    Panel1->repaint();
    flushPainting();
}

void TIndicatorForm::setCaption(std::string_view captionCp1251) { setCaptionText(fromCp1251(captionCp1251)); }
void TIndicatorForm::setMaximum(int maximum) { CGauge1->setMaximum(maximum); }
void TIndicatorForm::setPosition(int position) { CGauge1->setPosition(position); }
void TIndicatorForm::advance() {
    const GaugeState& state = CGauge1->state();
    if (state.position() < state.maximum()) CGauge1->setPosition(state.position() + 1);
}

}  // namespace vestrel::workbench
