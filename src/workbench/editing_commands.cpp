// The editing commands and the tools they attach to each program window.
#include "workbench/editing_commands.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QInputDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QTextBlock>
#include <QToolBar>
#include <QUrl>

#include "workbench/code_editor.h"
#include "workbench/edit_pages_dlg.h"
#include "workbench/find_replace_bar.h"
#include "workbench/live_checker.h"
#include "workbench/main_form.h"
#include "workbench/mdi_child.h"
#include "workbench/syntax_highlighters.h"
#include "workbench/translate_pages_dlg.h"
#include "workbench/user_dialogs.h"
#include "workbench/user_settings.h"
#include "workbench/workbench_texts.h"

namespace vestrel::workbench {
using texts::qs;

namespace {

constexpr char kViewMenuCaption[] = "&Вид";
constexpr char kViewMenuHint[] = "Вид редакторов";
constexpr char kRecentMenuCaption[] = "Последние &файлы";
constexpr char kFileNotFound[] = "Файл не найден: ";
constexpr char kFindBarTitle[] = "Поиск и замена";
constexpr char kGoToLineTitle[] = "Переход к строке";
constexpr char kGoToLineLabel[] = "Номер строки (1 - %1):";
constexpr char kNoSuchLine[] = "Нет строки %1: в тексте строк %2.";

constexpr char kHighlightingKey[] = "Editor/Highlighting";
constexpr char kKorvelStylesKey[] = "Editor/KorvelStyles";
constexpr char kIlStylesKey[] = "Editor/IlStyles";
constexpr char kLiveCheckKey[] = "Editor/LiveCheck";

QString key(const char* latin) { return QString::fromLatin1(latin); }

QString shortHint(const char* hint) { return qs(hint).section(QLatin1Char('|'), 0, 0); }
QString longHint(const char* hint) { return qs(hint).section(QLatin1Char('|'), 1); }

bool isProgramFile(const QUrl& url) {
    return url.isLocalFile() && url.toLocalFile().endsWith(QStringLiteral(".prg"), Qt::CaseInsensitive);
}

// A style as "foreground,background,bold,italic,underline".
QString encodeStyle(const ElementStyle& style) {
    return QStringLiteral("%1,%2,%3,%4,%5")
        .arg(style.foreground)
        .arg(style.background)
        .arg(int(style.bold))
        .arg(int(style.italic))
        .arg(int(style.underline));
}

std::optional<ElementStyle> decodeStyle(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 5) return std::nullopt;
    std::array<int, 5> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        bool ok = false;
        values[i] = parts[static_cast<qsizetype>(i)].trimmed().toInt(&ok);
        const int highest = i < 2 ? 15 : 1;
        if (!ok || values[i] < 0 || values[i] > highest) return std::nullopt;
    }
    return ElementStyle{values[0], values[1], values[2] != 0, values[3] != 0, values[4] != 0};
}

template <std::size_t N>
QStringList encodeStyles(const std::array<ElementStyle, N>& styles) {
    QStringList list;
    for (const ElementStyle& style : styles) list << encodeStyle(style);
    return list;
}

// The stored styles, each one that cannot be read left at the given value.
template <std::size_t N>
std::array<ElementStyle, N> decodeStyles(const QStringList& list, std::array<ElementStyle, N> styles) {
    for (std::size_t i = 0; i < N && i < static_cast<std::size_t>(list.size()); ++i)
        if (const std::optional<ElementStyle> style = decodeStyle(list[static_cast<qsizetype>(i)])) styles[i] = *style;
    return styles;
}

}  // namespace

EditingCommands::EditingCommands(TMainForm& form, UserDialogs& dialogs)
    : QObject(&form), m_form(form), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("EditingCommands"));
    createActions();
    createMenus();
    createFindBar();
    loadEditorSettings();

    connect(form.mdiArea(), &QMdiArea::subWindowActivated, this, [this] { attach(m_form.activeChild()); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (auto* editor = qobject_cast<CodeEditor*>(now)) m_lastEditor = editor;
    });
    connect(&form.editPagesDlg(), &TEditPagesDlg::stylesChanged, this, &EditingCommands::applyStyles);
    connect(&form, &TMainForm::sourceFileUsed, this, &EditingCommands::noteSourceFile);
    form.setAcceptDrops(true);
    form.installEventFilter(this);
}

EditingCommands::~EditingCommands() { m_form.removeEventFilter(this); }

void EditingCommands::createActions() {
    for (const EditingCommandInfo& info : kEditingCommands) {
        auto* made = new QAction(qs(info.caption), &m_form);
        made->setObjectName(QString::fromLatin1(info.name));
        if (*info.shortcut) made->setShortcut(QKeySequence(QString::fromLatin1(info.shortcut)));
        made->setToolTip(shortHint(info.hint));
        made->setStatusTip(longHint(info.hint));
        made->setCheckable(info.checkable);
        m_form.addAction(made);
        m_actions[static_cast<std::size_t>(info.command)] = made;
    }
    action(EditingCommand::ZoomIn)->setShortcuts({QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))});
    action(EditingCommand::LiveCheck)->setChecked(true);

    connect(action(EditingCommand::Find), &QAction::triggered, this, [this] { showFindBar(false); });
    connect(action(EditingCommand::Replace), &QAction::triggered, this, [this] { showFindBar(true); });
    connect(action(EditingCommand::FindNext), &QAction::triggered, this, [this] {
        if (m_findBar->findField()->text().isEmpty()) showFindBar(false);
        else m_findBar->findNext();
    });
    connect(action(EditingCommand::FindPrevious), &QAction::triggered, this, [this] {
        if (m_findBar->findField()->text().isEmpty()) showFindBar(false);
        else m_findBar->findPrevious();
    });
    connect(action(EditingCommand::GoToLine), &QAction::triggered, this, &EditingCommands::goToLine);
    connect(action(EditingCommand::Highlighting), &QAction::toggled, this, &EditingCommands::setHighlighting);
    connect(action(EditingCommand::LiveCheck), &QAction::toggled, this, &EditingCommands::setLiveCheck);
    connect(action(EditingCommand::ZoomIn), &QAction::triggered, this, [this] {
        if (CodeEditor* editor = targetEditor()) editor->zoomBy(1);
    });
    connect(action(EditingCommand::ZoomOut), &QAction::triggered, this, [this] {
        if (CodeEditor* editor = targetEditor()) editor->zoomBy(-1);
    });
    connect(action(EditingCommand::ZoomReset), &QAction::triggered, this, [this] {
        if (CodeEditor* editor = targetEditor()) editor->resetZoom();
    });
}

void EditingCommands::createMenus() {
    QMenuBar* bar = m_form.menuBar();
    if (auto* edit = bar->findChild<QMenu*>(QStringLiteral("EditMenu"))) {
        edit->addSeparator();
        for (EditingCommand command : {EditingCommand::Find, EditingCommand::FindNext, EditingCommand::FindPrevious,
                                       EditingCommand::Replace, EditingCommand::GoToLine})
            edit->addAction(action(command));
    }

    m_viewMenu = new QMenu(qs(kViewMenuCaption), bar);
    m_viewMenu->setObjectName(QStringLiteral("ViewMenu"));
    m_viewMenu->menuAction()->setStatusTip(qs(kViewMenuHint));
    m_viewMenu->addAction(action(EditingCommand::Highlighting));
    m_viewMenu->addAction(action(EditingCommand::LiveCheck));
    m_viewMenu->addSeparator();
    for (EditingCommand command : {EditingCommand::ZoomIn, EditingCommand::ZoomOut, EditingCommand::ZoomReset})
        m_viewMenu->addAction(action(command));
    QMenu* windowMenu = bar->findChild<QMenu*>(QStringLiteral("WindowMenu"));
    if (windowMenu)
        bar->insertMenu(windowMenu->menuAction(), m_viewMenu);
    else
        bar->addMenu(m_viewMenu);

    m_recentMenu = new QMenu(qs(kRecentMenuCaption), bar);
    m_recentMenu->setObjectName(QStringLiteral("RecentFilesMenu"));
    if (auto* file = bar->findChild<QMenu*>(QStringLiteral("FileMenu"))) {
        QAction* exit = m_form.action(Command::FileExit1);
        file->insertMenu(exit, m_recentMenu);
        file->insertSeparator(exit);
    }
    rebuildRecentMenu();
}

void EditingCommands::createFindBar() {
    m_findBar = new FindReplaceBar;
    m_findBar->setEditorProvider([this]() -> QPlainTextEdit* { return targetEditor(); });
    m_findToolBar = new QToolBar(QString::fromUtf8(kFindBarTitle), &m_form);
    m_findToolBar->setObjectName(QStringLiteral("FindToolBar"));
    m_findToolBar->setMovable(false);
    m_findToolBar->addWidget(m_findBar);
    m_form.addToolBar(Qt::BottomToolBarArea, m_findToolBar);
    m_findToolBar->hide();
    connect(m_findBar, &FindReplaceBar::closed, this, [this] {
        m_findToolBar->hide();
        if (CodeEditor* editor = targetEditor()) editor->setFocus();
    });
}

void EditingCommands::showFindBar(bool replace) {
    m_findToolBar->show();
    if (replace)
        m_findBar->showReplace();
    else
        m_findBar->showFind();
}

CodeEditor* EditingCommands::targetEditor() const {
    TMDIChild* child = m_form.activeChild();
    if (!child) return nullptr;
    if (m_lastEditor && child->isAncestorOf(m_lastEditor)) return m_lastEditor;
    return qobject_cast<CodeEditor*>(child->sourceEditor());
}

LiveChecker* EditingCommands::liveChecker(const TMDIChild* child) const {
    const auto found = m_children.find(child);
    return found == m_children.end() ? nullptr : found->checker.data();
}

void EditingCommands::attach(TMDIChild* child) {
    if (!child || m_children.contains(child)) return;
    auto* source = qobject_cast<CodeEditor*>(child->sourceEditor());
    if (!source) return;
    ChildTools tools;
    tools.checker = new LiveChecker(source, [this] { return m_form.translatePagesDlg().options(); }, child);
    m_children.insert(child, tools);
    connect(child, &QObject::destroyed, this, [this, child] { m_children.remove(child); });
    if (action(EditingCommand::Highlighting)->isChecked()) setHighlighting(true);
    if (action(EditingCommand::LiveCheck)->isChecked())
        tools.checker->checkNow();
    else
        tools.checker->setEnabled(false);
}

void EditingCommands::setHighlighting(bool on) {
    {
        const QSignalBlocker block(action(EditingCommand::Highlighting));
        action(EditingCommand::Highlighting)->setChecked(on);
    }
    for (auto it = m_children.begin(); it != m_children.end(); ++it) {
        ChildTools& tools = it.value();
        auto* child = const_cast<TMDIChild*>(it.key());
        if (!on) {
            for (QPointer<QObject>& highlighter : tools.highlighters) delete highlighter.data();
            tools.highlighters.clear();
            continue;
        }
        if (!tools.highlighters.empty()) continue;
        tools.highlighters.push_back(new KorvelHighlighter(child->sourceEditor()->document()));
        for (int slot = 0; slot < kSlotCount; ++slot)
            tools.highlighters.push_back(new IlHighlighter(child->outputEditor(slot)->document()));
    }
    if (on) applyStyles();
    saveEditorSettings();
}

void EditingCommands::applyStyles() {
    const TEditPagesDlg& dialog = m_form.editPagesDlg();
    for (const ChildTools& tools : m_children) {
        for (const QPointer<QObject>& highlighter : tools.highlighters) {
            if (auto* korvel = qobject_cast<KorvelHighlighter*>(highlighter.data())) korvel->setStyles(dialog.korvelStyles());
            if (auto* il = qobject_cast<IlHighlighter*>(highlighter.data())) il->setStyles(dialog.ilStyles());
        }
    }
    if (action(EditingCommand::Highlighting)->isChecked()) saveEditorSettings();
}

void EditingCommands::setLiveCheck(bool on) {
    {
        const QSignalBlocker block(action(EditingCommand::LiveCheck));
        action(EditingCommand::LiveCheck)->setChecked(on);
    }
    for (const ChildTools& tools : m_children)
        if (tools.checker) tools.checker->setEnabled(on);
    saveEditorSettings();
}

void EditingCommands::saveEditorSettings() {
    if (m_loading) return;
    UserSettings settings;
    QSettings& store = settings.store();
    // The highlighting option and the styles are kept only while highlighting is on.
    if (action(EditingCommand::Highlighting)->isChecked()) {
        store.setValue(key(kHighlightingKey), true);
        store.setValue(key(kKorvelStylesKey), encodeStyles(m_form.editPagesDlg().korvelStyles()));
        store.setValue(key(kIlStylesKey), encodeStyles(m_form.editPagesDlg().ilStyles()));
    } else {
        store.remove(key(kHighlightingKey));
        store.remove(key(kKorvelStylesKey));
        store.remove(key(kIlStylesKey));
    }
    if (action(EditingCommand::LiveCheck)->isChecked())
        store.remove(key(kLiveCheckKey));
    else
        store.setValue(key(kLiveCheckKey), false);
    store.sync();
}

void EditingCommands::loadEditorSettings() {
    m_loading = true;
    UserSettings settings;
    QSettings& store = settings.store();
    if (store.value(key(kHighlightingKey), false).toBool()) {
        TEditPagesDlg& dialog = m_form.editPagesDlg();
        dialog.setStyles(decodeStyles(store.value(key(kKorvelStylesKey)).toStringList(), dialog.korvelStyles()),
                         decodeStyles(store.value(key(kIlStylesKey)).toStringList(), dialog.ilStyles()));
        setHighlighting(true);
    }
    if (!store.value(key(kLiveCheckKey), true).toBool()) setLiveCheck(false);
    m_loading = false;
}

void EditingCommands::noteSourceFile(const QString& path) {
    m_recent.add(path);
    rebuildRecentMenu();
}

void EditingCommands::rebuildRecentMenu() {
    m_recentMenu->clear();
    const QStringList& files = m_recent.files();
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QAction* entry = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        entry->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        connect(entry, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    m_recentMenu->setEnabled(!files.isEmpty());
}

void EditingCommands::openRecent(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        m_dialogs.error(qs(kFileNotFound) + path);
        m_recent.remove(path);
        rebuildRecentMenu();
        return;
    }
    // A program already open is brought forward rather than opened twice.
    for (TMDIChild* child : m_form.programWindows()) {
        if (child->programName() == path) {
            m_form.mdiArea()->setActiveSubWindow(m_form.subWindowOf(child));
            noteSourceFile(path);
            return;
        }
    }
    m_form.openByName(path);
}

bool EditingCommands::openDroppedFiles(const QList<QUrl>& urls) {
    bool any = false;
    for (const QUrl& url : urls) {
        if (!isProgramFile(url)) continue;
        any = true;
        m_form.openByName(QFileInfo(url.toLocalFile()).absoluteFilePath());
    }
    return any;
}

bool EditingCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_form) {
        switch (event->type()) {
            case QEvent::DragEnter:
            case QEvent::DragMove: {
                auto* drag = static_cast<QDragMoveEvent*>(event);
                const QList<QUrl> urls = drag->mimeData()->urls();
                if (std::any_of(urls.begin(), urls.end(), isProgramFile)) {
                    drag->acceptProposedAction();
                    return true;
                }
                break;
            }
            case QEvent::Drop: {
                auto* drop = static_cast<QDropEvent*>(event);
                if (openDroppedFiles(drop->mimeData()->urls())) {
                    drop->acceptProposedAction();
                    return true;
                }
                break;
            }
            default:
                break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void EditingCommands::goToLine() {
    CodeEditor* editor = targetEditor();
    if (!editor) return;
    const int current = editor->textCursor().blockNumber() + 1;
    const int last = editor->blockCount();
    std::optional<int> line;
    if (m_lineQuestion) {
        line = m_lineQuestion(current, last);
    } else {
        bool ok = false;
        const int chosen = QInputDialog::getInt(&m_form, qs(kGoToLineTitle), qs(kGoToLineLabel).arg(last), current, 1,
                                                last, 1, &ok);
        if (ok) line = chosen;
    }
    if (!line) return;
    if (!editor->goToLine(*line)) {
        m_dialogs.information(qs(kNoSuchLine).arg(*line).arg(last));
        return;
    }
    editor->setFocus();
}

}  // namespace vestrel::workbench
