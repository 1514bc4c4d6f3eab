// Navigation of a program window between its IL texts and its Korvel source: a double
// click (or Ctrl+click) on an IL line puts the source caret on the line it came from;
// "Показать IL" (F12, the source editor's context menu) selects the IL of the caret's line.
#pragma once

#include <optional>

#include <QObject>
#include <QString>

#include "workbench/source_map_navigation.h"

class QAction;
class QPlainTextEdit;

namespace vestrel::workbench {

class TMDIChild;

class IlNavigation final : public QObject {
    Q_OBJECT
public:
    // Watches the window's editors; lives as long as the window.
    explicit IlNavigation(TMDIChild& window);
    ~IlNavigation() override;

    // After a run loaded its texts into the output editors: their map.
    void translated(const TranslationResult& result);

    // From IL line `ilLine` (from 0) of the slot to its Korvel line; false when there is none.
    bool goToSource(int slot, int ilLine);
    // "Показать IL": the IL of the source caret's line, in the next tab after the one the
    // command showed last for that same line.
    bool showIl();

    QAction* showIlAction() const { return m_showIl; }
    const SourceMapNavigation& map() const { return m_map; }
    // The last text shown in the status bar.
    const QString& lastStatus() const { return m_lastStatus; }

signals:
    void statusShown(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mapUsable();
    void showStatus(const QString& text);
    void showSourceContextMenu(const QPoint& position);

    TMDIChild& m_window;
    SourceMapNavigation m_map;
    QAction* m_showIl = nullptr;
    // The line and tab "Показать IL" showed last, so that pressing it again goes on.
    std::optional<IlLineRun> m_lastShown;
    int m_lastShownLine = 0;
    QString m_lastStatus;
};

}  // namespace vestrel::workbench
