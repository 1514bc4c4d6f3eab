// The progress window of the lexical pass, the syntax pass and the IL project save:
// a caption naming the stage above a gauge that shows the percentage done.
#pragma once

#include <QPointer>
#include <QWidget>

#include "translator/diagnostics/sinks.h"

class QFrame;
class QLabel;

namespace vestrel::workbench {

// The gauge's numbers: the position is always kept inside minimum..maximum.
class GaugeState {
public:
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    int position() const { return m_position; }
    void setMaximum(int maximum);
    void setPosition(int position);
    // (position - minimum) * 100 / (maximum - minimum), rounded down; 0 for an empty range.
    int percent() const;

private:
    int m_minimum = 0;
    int m_maximum = 100;
    int m_position = 0;
};

// CGauge1: a blue bar on white with the percentage written on it.
class Gauge final : public QWidget {
    Q_OBJECT
public:
    explicit Gauge(QWidget* parent = nullptr);
    const GaugeState& state() const { return m_state; }
    void setMaximum(int maximum);
    void setPosition(int position);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void repaintIfChanged(int percentBefore);
    GaugeState m_state;
};

class TIndicatorForm final : public QWidget, public ProgressSink {
    Q_OBJECT
public:
    // Shown at once, centred on `mainWindow` when one is given.
    explicit TIndicatorForm(QWidget* mainWindow);
    ~TIndicatorForm() override;

    QString captionText() const;
    const GaugeState& gauge() const { return CGauge1->state(); }

    void setCaption(std::string_view captionCp1251) override;
    void setMaximum(int maximum) override;
    void setPosition(int position) override;
    void advance() override;

    void setCaptionText(const QString& caption);
    void centreOn(const QWidget& mainWindow);

private:
    QLabel* Panel2;
    QFrame* Panel1;
    Gauge* CGauge1;
    QPointer<QWidget> m_previouslyActive;
};

}  // namespace vestrel::workbench
