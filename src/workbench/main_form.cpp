// The main window: start-up of the frame, the command vocabulary, window arrangement,
// the translate command, help and about.
#include "workbench/main_form.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolBar>

#include "workbench/about_box.h"
#include "workbench/edit_pages_dlg.h"
#include "workbench/editing_commands.h"
#include "workbench/help_viewer.h"
#include "workbench/image_lists.h"
#include "workbench/indicator_form.h"
#include "workbench/mdi_child.h"
#include "workbench/screen_centring.h"
#include "workbench/text_conversion.h"
#include "workbench/translate_pages_dlg.h"
#include "workbench/user_dialogs.h"
#include "workbench/workbench_texts.h"

namespace vestrel::workbench {
using texts::qs;

namespace {

constexpr std::array<int, 3> kStatusPanelWidths = {300, 50, 50};
constexpr int kFontPixels = 11;

// "short|long": the short part is a tooltip, the long part goes to the status bar.
QString shortHint(const char* hint) { return qs(hint).section(QLatin1Char('|'), 0, 0); }
QString longHint(const char* hint) {
    const QString text = qs(hint);
    return text.contains(QLatin1Char('|')) ? text.section(QLatin1Char('|'), 1) : text;
}

// The notices of a run come up as modal boxes captioned "Message Box".
class NoticeBoxes final : public NoticeSink {
public:
    explicit NoticeBoxes(UserDialogs& dialogs) : m_dialogs(dialogs) {}
    void notice(std::string_view textCp1251) override { m_dialogs.notice(fromCp1251(textCp1251)); }

private:
    UserDialogs& m_dialogs;
};

}  // namespace

TMainForm::TMainForm(UserDialogs& dialogs, const QString& iniPath, QWidget* parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_translate([](std::string_view source, const TranslationOptions& options, const RunHooks& hooks) {
          return runTranslation(source, options, hooks);
      }) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(qs(texts::kMainCaption));
    setWindowIcon(programIcon());
    QFont font = this->font();
    font.setPixelSize(kFontPixels);
    setFont(font);

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("MDIArea"));
    m_mdiArea->setBackground(palette().brush(QPalette::Dark));
    m_mdiArea->setContextMenuPolicy(Qt::CustomContextMenu);
    setCentralWidget(m_mdiArea);

    createActions();
    createMenus();
    createToolbar();
    createStatusBar();
    connectCommands();
    updateCommandStates();
    updateEditCommands();

    // The about box and the two settings dialogs live as long as the main window; the
    // translation settings are read from the ini file while their dialog is created.
    m_aboutBox = new TAboutBox(this);
    m_translatePagesDlg = new TTranslatePagesDlg(m_dialogs, iniPath, this);
    m_editPagesDlg = new TEditPagesDlg(this);
    m_editing = new EditingCommands(*this, m_dialogs);
    // The manual's window; it also answers F1 in the source editors.
    m_helpViewer = new HelpViewer(this);
    for (QWidget* dialog : std::initializer_list<QWidget*>{m_aboutBox, m_translatePagesDlg, m_editPagesDlg})
        keepCentredOnScreen(*dialog);
}

TMainForm::~TMainForm() {
    // The program windows go without their close questions, and while they go nothing
    // may call back into this half-destroyed window.
    m_ending = true;
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    disconnect(m_mdiArea, nullptr, this, nullptr);
    for (QMdiSubWindow* sub : m_mdiArea->subWindowList()) disconnect(sub, nullptr, this, nullptr);
    delete m_mdiArea;
}

void TMainForm::createActions() {
    for (const CommandInfo& info : kCommands) {
        auto* action = new QAction(qs(info.caption), this);
        action->setObjectName(QString::fromLatin1(info.name));
        if (*info.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(info.shortcut)));
        if (*info.hint) {
            action->setToolTip(shortHint(info.hint));
            action->setStatusTip(longHint(info.hint));
        }
        action->setProperty("helpContext", info.helpContext);
        if (info.imageIndex >= 0) action->setIcon(mainImage(info.imageIndex));
        // Shortcuts work whether or not a visible menu entry carries the command.
        addAction(action);
        m_actions[static_cast<std::size_t>(info.command)] = action;
    }
}

void TMainForm::createMenus() {
    for (const MenuInfo& menuInfo : kMenus) {
        QMenu* menu = menuBar()->addMenu(qs(menuInfo.caption));
        menu->setObjectName(QString::fromLatin1(menuInfo.name));
        menu->menuAction()->setStatusTip(longHint(menuInfo.hint));
        menu->menuAction()->setToolTip(shortHint(menuInfo.hint));
        menu->menuAction()->setProperty("helpContext", menuInfo.helpContext);
        for (std::size_t i = 0; i < menuInfo.entryCount; ++i) {
            const MenuEntry& item = menuInfo.entries[i];
            switch (item.kind) {
                case MenuEntryKind::Separator:
                    menu->addSeparator();
                    break;
                case MenuEntryKind::WindowList:
                    m_windowMenu = menu;
                    break;
                case MenuEntryKind::Command:
                    if (item.command == Command::EditParametrs) {
                        // The menu-bar entry is there but hidden; hidden actions lose their
                        // shortcut, so the command itself stays outside the menu bar.
                        const CommandInfo& info = commandInfo(item.command);
                        m_hiddenEditParametrsEntry = menu->addAction(qs(info.caption));
                        m_hiddenEditParametrsEntry->setObjectName(QStringLiteral("EditParametrsMenuItem"));
                        m_hiddenEditParametrsEntry->setStatusTip(longHint(info.hint));
                        m_hiddenEditParametrsEntry->setVisible(false);
                        connect(m_hiddenEditParametrsEntry, &QAction::triggered, this, &TMainForm::EditParametrsExecute);
                    } else {
                        menu->addAction(action(item.command));
                    }
                    break;
            }
        }
    }
    connect(m_windowMenu, &QMenu::aboutToShow, this, &TMainForm::rebuildWindowList);

    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName(QStringLiteral("PopupMenu1"));
    for (Command command : kContextMenu) m_contextMenu->addAction(action(command));
    connect(m_mdiArea, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) { m_contextMenu->popup(m_mdiArea->viewport()->mapToGlobal(position)); });
}

void TMainForm::createToolbar() {
    QToolBar* toolbar = addToolBar(qs(texts::kToolbarTitle));
    toolbar->setObjectName(QStringLiteral("ToolBar2"));
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(16, 16));
    for (const ToolButtonInfo& button : kToolbar) {
        if (!button.hint) {
            toolbar->addSeparator();
            continue;
        }
        // A button has its own hint, so it is an action of its own that runs the command.
        QAction* command = action(button.command);
        auto* buttonAction = new QAction(command->icon(), shortHint(button.hint), toolbar);
        buttonAction->setObjectName(command->objectName() + QStringLiteral("Button"));
        buttonAction->setToolTip(shortHint(button.hint));
        buttonAction->setStatusTip(longHint(button.hint));
        buttonAction->setEnabled(command->isEnabled());
        connect(buttonAction, &QAction::triggered, command, &QAction::trigger);
        connect(command, &QAction::enabledChanged, buttonAction, &QAction::setEnabled);
        toolbar->addAction(buttonAction);
    }
}

void TMainForm::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    for (std::size_t i = 0; i < m_statusPanels.size(); ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        // A panel is at least its design width and grows for a longer text (40497:16).
        panel->setMinimumWidth(kStatusPanelWidths[i]);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addWidget(panel);
        m_statusPanels[i] = panel;
    }
}

void TMainForm::connectCommands() {
    const auto on = [this](Command command, void (TMainForm::*handler)()) {
        connect(action(command), &QAction::triggered, this, handler);
    };
    on(Command::FileNew1, &TMainForm::FileNew1Execute);
    on(Command::FileOpen1, &TMainForm::FileOpen1Execute);
    on(Command::FileClose1, &TMainForm::FileClose1Execute);
    on(Command::FileSaveKorvel1, &TMainForm::FileSaveKorvel1Execute);
    on(Command::FileSaveKorvelAs1, &TMainForm::FileSaveKorvelAs1Execute);
    on(Command::FileSaveIL1, &TMainForm::FileSaveIL1Execute);
    on(Command::FileSaveILAs1, &TMainForm::FileSaveILAs1Execute);
    on(Command::FileExit1, &TMainForm::FileExit1Execute);
    on(Command::Translate, &TMainForm::TranslateExecute);
    on(Command::TranslateParametrs, &TMainForm::TranslateParametrsExecute);
    on(Command::EditParametrs, &TMainForm::EditParametrsExecute);
    on(Command::WindowCascade1, &TMainForm::cascade);
    on(Command::WindowTileHorizontal1, &TMainForm::tileHorizontally);
    on(Command::WindowTileVertical1, &TMainForm::tileVertically);
    on(Command::WindowMinimizeAll1, &TMainForm::minimizeAll);
    on(Command::WindowArrangeAll1, &TMainForm::arrangeIcons);
    on(Command::ViewStructWindow, &TMainForm::ViewStructWindowExecute);
    on(Command::N15, &TMainForm::N15Click);
    on(Command::HelpAbout1, &TMainForm::HelpAbout1Execute);
    connect(action(Command::EditCut1), &QAction::triggered, this, [this] {
        if (QPlainTextEdit* editor = focusedEditor()) editor->cut();
    });
    connect(action(Command::EditCopy1), &QAction::triggered, this, [this] {
        if (QPlainTextEdit* editor = focusedEditor()) editor->copy();
    });
    connect(action(Command::EditPaste1), &QAction::triggered, this, [this] {
        if (QPlainTextEdit* editor = focusedEditor()) editor->paste();
    });

    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] {
        updateCommandStates();
        rebuildWindowList();
        if (TMDIChild* child = activeChild()) checkDiskChange(*child);
    });
    // Coming back from another program counts as activating the window in front.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            if (TMDIChild* child = activeChild()) checkDiskChange(*child);
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { watchFocusedEditor(now); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TMainForm::updateEditCommands);
}

bool TMainForm::event(QEvent* event) {
    // The long hint of the entry under the pointer goes to panel 0.
    if (event->type() == QEvent::StatusTip) {
        m_statusPanels[0]->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // Exit, Alt+F4 and the frame's close box all come here; unsaved work is asked about
    // first, and Cancel (or a save that fails) keeps everything open.
    if (!m_ending && !askBeforeEnding()) {
        event->ignore();
        return;
    }
    m_ending = true;
    event->accept();
}

QString TMainForm::statusPanelText(int panel) const { return m_statusPanels[static_cast<std::size_t>(panel)]->text(); }

TMDIChild* TMainForm::activeChild() const {
    QMdiSubWindow* sub = m_mdiArea->currentSubWindow();
    return sub ? qobject_cast<TMDIChild*>(sub->widget()) : nullptr;
}

QList<TMDIChild*> TMainForm::programWindows() const {
    QList<TMDIChild*> windows;
    for (QMdiSubWindow* sub : m_mdiArea->subWindowList())
        if (auto* child = qobject_cast<TMDIChild*>(sub->widget())) windows << child;
    return windows;
}

QMdiSubWindow* TMainForm::subWindowOf(const TMDIChild* child) const {
    for (QMdiSubWindow* sub : m_mdiArea->subWindowList())
        if (sub->widget() == child) return sub;
    return nullptr;
}

void TMainForm::updateCommandStates() {
    const bool anyWindow = !m_mdiArea->subWindowList().isEmpty();
    // With no editor left, no caret position stands in the panel.
    if (!anyWindow) m_statusPanels[1]->clear();
    for (Command command : {Command::FileClose1, Command::WindowCascade1, Command::WindowTileHorizontal1,
                            Command::WindowTileVertical1, Command::WindowMinimizeAll1, Command::WindowArrangeAll1})
        action(command)->setEnabled(anyWindow);
}

QPlainTextEdit* TMainForm::focusedEditor() const { return qobject_cast<QPlainTextEdit*>(QApplication::focusWidget()); }

void TMainForm::watchFocusedEditor(QWidget* now) {
    // Cut and copy follow the selection of the focused editor.
    if (auto* editor = qobject_cast<QPlainTextEdit*>(now); editor && editor != m_watchedEditor) {
        disconnect(m_watchedEditorConnection);
        m_watchedEditor = editor;
        m_watchedEditorConnection = connect(editor, &QPlainTextEdit::copyAvailable, this, &TMainForm::updateEditCommands);
    }
    updateEditCommands();
}

void TMainForm::updateEditCommands() {
    const QPlainTextEdit* editor = focusedEditor();
    const bool selection = editor && editor->textCursor().hasSelection();
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    action(Command::EditCut1)->setEnabled(selection && !editor->isReadOnly());
    action(Command::EditCopy1)->setEnabled(selection);
    action(Command::EditPaste1)->setEnabled(editor && !editor->isReadOnly() && clipboard && clipboard->hasText());
}

void TMainForm::rebuildWindowList() {
    for (QAction* entry : m_windowListActions) {
        m_windowMenu->removeAction(entry);
        entry->deleteLater();
    }
    m_windowListActions.clear();
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    for (qsizetype i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* sub = windows[i];
        const auto* child = qobject_cast<const TMDIChild*>(sub->widget());
        const QString title = child ? child->caption() : sub->windowTitle();
        const QString caption = i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(title) : QStringLiteral("%1 %2").arg(i + 1).arg(title);
        QAction* entry = m_windowMenu->addAction(caption);
        entry->setCheckable(true);
        entry->setChecked(sub == m_mdiArea->currentSubWindow());
        connect(entry, &QAction::triggered, this, [this, sub] { m_mdiArea->setActiveSubWindow(sub); });
        m_windowListActions << entry;
    }
}

void TMainForm::FileNew1Execute() {
    // A new program starts empty, even when a file of its NONAME name happens to exist.
    createProgramWindow(qs(texts::kNoName) + QString::number(programWindows().size() + 1), QString());
}

void TMainForm::FileClose1Execute() {
    if (QMdiSubWindow* sub = m_mdiArea->currentSubWindow()) sub->close();
}

void TMainForm::FileExit1Execute() { close(); }

void TMainForm::TranslateExecute() {
    TMDIChild* child = activeChild();
    if (!child) return;
    if (!askBeforeTranslating(*child)) return;
    UnconvertibleCharacter unconvertible;
    const std::optional<std::string> source = child->sourceText(&unconvertible);
    if (!source) {
        m_dialogs.error(describeUnconvertible(unconvertible));
        return;
    }
    const TranslationOptions options = m_translatePagesDlg->options();
    NoticeBoxes notices(m_dialogs);
    TranslationResult result;
    {
        TIndicatorForm indicator(this);
        RunHooks hooks;
        hooks.progress = &indicator;
        hooks.notices = &notices;
        result = m_translate(*source, options, hooks);
    }
    child->showTranslationResult(result);
    ViewStructWindowExecute();
}

void TMainForm::TranslateParametrsExecute() { m_dialogs.showModal(*m_translatePagesDlg); }
void TMainForm::EditParametrsExecute() { m_dialogs.showModal(*m_editPagesDlg); }

void TMainForm::ViewStructWindowExecute() {
    if (TMDIChild* child = activeChild()) child->restoreStructure();
}

void TMainForm::N15Click() { m_helpViewer->showContents(); }

void TMainForm::HelpAbout1Execute() { m_dialogs.showModal(*m_aboutBox); }

namespace {
// The program windows that take part in tiling: those that are not minimised.
QList<QMdiSubWindow*> tileable(const QMdiArea& area) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : area.subWindowList())
        if (!sub->isMinimized()) windows << sub;
    return windows;
}

// Cascaded windows step down and right by a title bar's height and take the room the
// steps leave, but never less than two thirds of the frame in each direction.
constexpr int kCascadeMinimumShare = 3;  // 1 / share less than the frame
}  // namespace

void TMainForm::cascade() {
    const QList<QMdiSubWindow*> windows = tileable(*m_mdiArea);
    if (windows.isEmpty()) return;
    const QRect area = m_mdiArea->viewport()->rect();
    const int step = std::max(16, windows.first()->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.first()));
    const int count = static_cast<int>(windows.size());
    const int width = std::max(area.width() - (count - 1) * step, area.width() - area.width() / kCascadeMinimumShare);
    const int height = std::max(area.height() - (count - 1) * step, area.height() - area.height() / kCascadeMinimumShare);
    // When the steps would run out of the frame they start again at the top left.
    const int stepsThatFit = std::max(1, std::min((area.width() - width) / step, (area.height() - height) / step) + 1);
    for (int i = 0; i < count; ++i) {
        QMdiSubWindow* sub = windows[i];
        sub->showNormal();
        const int offset = (i % stepsThatFit) * step;
        sub->setGeometry(offset, offset, width, height);
        sub->raise();
    }
    windows.last()->setFocus();
    m_mdiArea->setActiveSubWindow(windows.last());
}

void TMainForm::tile(Qt::Orientation orientation) {
    // Horizontally: one above the other, each the full width of the frame; vertically:
    // side by side, each the full height.
    const QList<QMdiSubWindow*> windows = tileable(*m_mdiArea);
    if (windows.isEmpty()) return;
    const QRect area = m_mdiArea->viewport()->rect();
    const int count = static_cast<int>(windows.size());
    for (int i = 0; i < count; ++i) {
        QMdiSubWindow* sub = windows[i];
        sub->showNormal();
        if (orientation == Qt::Horizontal)
            sub->setGeometry(0, i * (area.height() / count), area.width(), area.height() / count);
        else
            sub->setGeometry(i * (area.width() / count), 0, area.width() / count, area.height());
    }
}

void TMainForm::tileHorizontally() { tile(Qt::Horizontal); }
void TMainForm::tileVertically() { tile(Qt::Vertical); }

void TMainForm::minimizeAll() {
    for (QMdiSubWindow* sub : m_mdiArea->subWindowList()) sub->showMinimized();
}

void TMainForm::arrangeIcons() {
    // The minimised windows line up from the bottom left corner, row above row.
    const QRect area = m_mdiArea->viewport()->rect();
    int x = 0;
    int rowTop = -1;
    for (QMdiSubWindow* sub : m_mdiArea->subWindowList()) {
        if (!sub->isMinimized()) continue;
        const QSize size = sub->size();
        if (rowTop < 0) rowTop = area.height() - size.height();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            rowTop -= size.height();
        }
        sub->move(x, rowTop);
        x += size.width();
    }
}

}  // namespace vestrel::workbench
