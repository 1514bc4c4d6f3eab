// Jumps between IL lines and Korvel lines through the source map of the last translation.
#include "workbench/il_navigation.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTextBlock>

#include "workbench/mdi_child.h"

namespace vestrel::workbench {
namespace {

constexpr const char* kShowIlCaption = "Показать IL";
constexpr const char* kNoMap = "Нет IL-текста: оттранслируйте программу (F9)";
constexpr const char* kOutOfDate =
    "Текст изменён после трансляции: соответствие строк устарело, оттранслируйте программу заново (F9)";
constexpr const char* kNoIl = "Строка %1 не порождает IL-кода";
constexpr const char* kNoSource = "Эта строка IL не порождена строкой программы";
constexpr const char* kShownIl = "Строка %1: %2, строки IL %3-%4";
constexpr const char* kShownSource = "Строка IL %1 (%2) порождена строкой %3";

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// Puts the editor's caret on lines first..last (from 0), selected, and scrolls them into view.
void selectLines(QPlainTextEdit* editor, int first, int last) {
    QTextDocument* document = editor->document();
    QTextCursor cursor(document->findBlockByNumber(last));
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.setPosition(document->findBlockByNumber(first).position(), QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
}

}  // namespace

IlNavigation::IlNavigation(TMDIChild& window) : QObject(&window), m_window(window) {
    QPlainTextEdit* source = window.sourceEditor();
    m_showIl = new QAction(text(kShowIlCaption), source);
    m_showIl->setObjectName(QStringLiteral("ShowIl"));
    m_showIl->setShortcut(QKeySequence(Qt::Key_F12));
    m_showIl->setShortcutContext(Qt::WidgetShortcut);
    source->addAction(m_showIl);
    connect(m_showIl, &QAction::triggered, this, [this] { showIl(); });
    source->viewport()->installEventFilter(this);
    connect(source->document(), &QTextDocument::contentsChanged, this, [this] { m_map.markOutOfDate(); });
    for (int slot = 0; slot < kSlotCount; ++slot) {
        QPlainTextEdit* editor = window.outputEditor(slot);
        editor->viewport()->installEventFilter(this);
        connect(editor->document(), &QTextDocument::contentsChanged, this, [this] { m_map.markOutOfDate(); });
    }
}

IlNavigation::~IlNavigation() {
    // The editors go after this object; they must not report to it.
    QPlainTextEdit* source = m_window.sourceEditor();
    disconnect(source->document(), nullptr, this, nullptr);
    source->viewport()->removeEventFilter(this);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        QPlainTextEdit* editor = m_window.outputEditor(slot);
        disconnect(editor->document(), nullptr, this, nullptr);
        editor->viewport()->removeEventFilter(this);
    }
}

void IlNavigation::translated(const TranslationResult& result) {
    m_map.reset(result.slotLines, result.slotReceivedText);
    m_lastShown.reset();
}

void IlNavigation::showStatus(const QString& status) {
    m_lastStatus = status;
    // The main window shows status tips in its first status panel.
    QStatusTipEvent tip(status);
    QApplication::sendEvent(&m_window, &tip);
    emit statusShown(status);
}

bool IlNavigation::mapUsable() {
    if (!m_map.loaded() || !m_window.outputShown()) {
        showStatus(text(kNoMap));
        return false;
    }
    if (m_map.outOfDate()) {
        showStatus(text(kOutOfDate));
        return false;
    }
    return true;
}

bool IlNavigation::goToSource(int slot, int ilLine) {
    if (!mapUsable()) return false;
    const std::optional<int> line = m_map.sourceLineOf(slot, ilLine);
    if (!line) {
        showStatus(text(kNoSource));
        return false;
    }
    QPlainTextEdit* source = m_window.sourceEditor();
    const QTextBlock block = source->document()->findBlockByNumber(*line - 1);
    if (!block.isValid()) {
        showStatus(text(kNoSource));
        return false;
    }
    source->setTextCursor(QTextCursor(block));
    source->centerCursor();
    source->setFocus();
    showStatus(text(kShownSource).arg(ilLine + 1).arg(slotCaption(slot)).arg(*line));
    return true;
}

bool IlNavigation::showIl() {
    if (!mapUsable()) return false;
    const int line = m_window.sourceEditor()->textCursor().blockNumber() + 1;
    const int after = m_lastShown && m_lastShownLine == line ? m_lastShown->slot : -1;
    const std::optional<IlLineRun> run = m_map.ilOf(line, after);
    if (!run) {
        showStatus(text(kNoIl).arg(line));
        return false;
    }
    m_lastShown = run;
    m_lastShownLine = line;
    m_window.pageControl()->setCurrentIndex(run->slot);
    selectLines(m_window.outputEditor(run->slot), run->first, run->last);
    showStatus(text(kShownIl).arg(line).arg(slotCaption(run->slot)).arg(run->first + 1).arg(run->last + 1));
    return true;
}

void IlNavigation::showSourceContextMenu(const QPoint& globalPosition) {
    QMenu* menu = m_window.sourceEditor()->createStandardContextMenu();
    menu->addSeparator();
    menu->addAction(m_showIl);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPosition);
}

bool IlNavigation::eventFilter(QObject* watched, QEvent* event) {
    QPlainTextEdit* source = m_window.sourceEditor();
    if (watched == source->viewport() && event->type() == QEvent::ContextMenu) {
        showSourceContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    if (watched == source || watched == source->viewport()) return false;
    const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
    const bool controlClick = event->type() == QEvent::MouseButtonRelease &&
                              static_cast<QMouseEvent*>(event)->modifiers().testFlag(Qt::ControlModifier);
    if (!doubleClick && !controlClick) return false;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        QPlainTextEdit* editor = m_window.outputEditor(slot);
        if (watched != editor->viewport()) continue;
        const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
        goToSource(slot, editor->cursorForPosition(position).blockNumber());
        return doubleClick;  // the jump, not a word selection in the IL editor
    }
    return false;
}

}  // namespace vestrel::workbench
