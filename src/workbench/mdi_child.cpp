// The program window: its areas, editors, message tree and what a run shows in them.
#include "workbench/mdi_child.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "workbench/code_editor.h"
#include "workbench/il_navigation.h"
#include "workbench/image_lists.h"
#include "workbench/text_conversion.h"

namespace vestrel::workbench {
namespace {

constexpr std::array<const char*, kSlotCount> kSlotCaptions = {
    "Инициализация",     "Блок №0.(000-017)", "Блок №0.(020-037)", "Блок №1.(100-117)", "Блок №1.(120-137)",
    "Блок №2.(200-217)", "Блок №2.(220-237)", "Блок №3.(300-317)", "Блок №3.(320-337)", "Блок №4.(400-417)",
    "Блок №4.(420-437)", "Блок №5.(500-517)", "Блок №5.(520-537)", "Блок №6.(600-617)", "Блок №6.(620-637)",
    "Блок №7.(700-717)", "Блок №7.(720-737)",
};
static_assert(kSlotCaptions.size() == kSlotCount);

constexpr char kMessageCount[] = "Сообщений: ";
// The background of the source line a message jump went to.
constexpr QRgb kCitedLineColour = 0xFFFFF0A0;

constexpr int kSplitterWidth = 3;
// The image of the lexical group heading in the message tree.
constexpr int kGroupImage = 1;
// Where a message item keeps the source line it cites.
constexpr int kCitedLineRole = Qt::UserRole + 1;
constexpr int kTreeIndent = 19;
constexpr int kEditorFontPixels = 11;

QWidget* makePanel(const QString& name, QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    // The splitters may make a panel small; its contents must not hold it open.
    panel->setMinimumSize(1, 1);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    return panel;
}

QFont editorFont() {
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(kEditorFontPixels);
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPixelSize(kEditorFontPixels);
    }
    return font;
}

}  // namespace

QString slotCaption(int slot) { return QString::fromUtf8(kSlotCaptions[static_cast<std::size_t>(slot)]); }

TMDIChild::TMDIChild(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MDIChild"));
    setAttribute(Qt::WA_DeleteOnClose);

    Splitter2 = new QSplitter(Qt::Vertical, this);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->setHandleWidth(kSplitterWidth);
    Splitter2->setChildrenCollapsible(false);

    ProgrammsPanel = makePanel(QStringLiteral("ProgrammsPanel"), Splitter2);
    Splitter1 = new QSplitter(Qt::Horizontal, ProgrammsPanel);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(kSplitterWidth);
    Splitter1->setChildrenCollapsible(false);
    ProgrammsPanel->layout()->addWidget(Splitter1);

    SourcePanel = makePanel(QStringLiteral("SourcePanel"), Splitter1);
    DestPanel = makePanel(QStringLiteral("DestPanel"), Splitter1);
    PageControl1 = new QTabWidget(DestPanel);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setUsesScrollButtons(true);
    DestPanel->layout()->addWidget(PageControl1);

    MessagePanel = makePanel(QStringLiteral("MessagePanel"), Splitter2);
    m_messageCount = new QLabel(MessagePanel);
    m_messageCount->setObjectName(QStringLiteral("MessageCountLabel"));
    m_messageCount->setContentsMargins(2, 0, 2, 0);
    MessagePanel->layout()->addWidget(m_messageCount);
    MessageTreeView = new QTreeWidget(MessagePanel);
    MessageTreeView->setObjectName(QStringLiteral("MessageTreeView"));
    MessageTreeView->setHeaderHidden(true);
    MessageTreeView->setIndentation(kTreeIndent);
    MessageTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MessageTreeView->setColumnCount(1);
    MessageTreeView->viewport()->installEventFilter(this);
    MessageTreeView->installEventFilter(this);
    MessagePanel->layout()->addWidget(MessageTreeView);

    buildEditors();
    m_ilNavigation = new IlNavigation(*this);
    m_caretEditor = SourceRichEdit;

    // F8 and Shift+F8 walk the messages from anywhere in the window.
    const auto messageKey = [this](const QKeySequence& keys, int direction) {
        auto* walk = new QAction(this);
        walk->setShortcut(keys);
        walk->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(walk, &QAction::triggered, this, [this, direction] { jumpToNextMessage(direction); });
        addAction(walk);
    };
    messageKey(QKeySequence(Qt::Key_F8), 1);
    messageKey(QKeySequence(Qt::SHIFT | Qt::Key_F8), -1);

    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter2->setStretchFactor(0, 1);
    Splitter2->setStretchFactor(1, 0);
    // The splitters keep the share of the window the user drags them to.
    connect(Splitter1, &QSplitter::splitterMoved, this, [this] {
        m_outputWidth = DestPanel->width();
        m_outputShare = double(m_outputWidth) / std::max(1, ProgrammsPanel->width());
    });
    connect(Splitter2, &QSplitter::splitterMoved, this, [this] {
        m_messageHeight = MessagePanel->height();
        m_messageShare = double(m_messageHeight) / std::max(1, height());
    });
    Splitter1->installEventFilter(this);
    Splitter2->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Splitter2);

    DestPanel->hide();
    MessagePanel->hide();
}

TMDIChild::~TMDIChild() {
    delete m_ilNavigation;
    // The editors and the tree go after this object; they must not report to it.
    for (QPlainTextEdit* editor : m_outputEditors) {
        disconnect(editor, nullptr, this, nullptr);
        editor->removeEventFilter(this);
        editor->viewport()->removeEventFilter(this);
    }
    disconnect(SourceRichEdit, nullptr, this, nullptr);
    SourceRichEdit->removeEventFilter(this);
    SourceRichEdit->viewport()->removeEventFilter(this);
    MessageTreeView->viewport()->removeEventFilter(this);
    MessageTreeView->removeEventFilter(this);
    Splitter1->removeEventFilter(this);
    Splitter2->removeEventFilter(this);
}

QPlainTextEdit* TMDIChild::makeEditor(const QString& name, QWidget* parent) {
    auto* editor = new CodeEditor(parent);
    editor->setObjectName(name);
    editor->setFont(editorFont());
    editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor->setTabChangesFocus(false);
    editor->setWordWrapMode(QTextOption::NoWrap);
    editor->installEventFilter(this);
    editor->viewport()->installEventFilter(this);
    connect(editor, &QPlainTextEdit::cursorPositionChanged, this, [this, editor] { reportCaret(editor); });
    connect(editor, &QPlainTextEdit::selectionChanged, this, [this, editor] { reportCaret(editor); });
    connect(editor->document(), &QTextDocument::modificationChanged, this, [this] { updateModifiedMark(); });
    return editor;
}

void TMDIChild::buildEditors() {
    SourceRichEdit = makeEditor(QStringLiteral("SourceRichEdit"), SourcePanel);
    SourcePanel->layout()->addWidget(SourceRichEdit);

    for (int slot = 0; slot < kSlotCount; ++slot) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("TabSheet%1").arg(slot + 1));
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        const QString name = slot == 0 ? QStringLiteral("InitDestRichEdit") : QStringLiteral("DestRichEdit%1").arg(slot - 1);
        QPlainTextEdit* editor = makeEditor(name, page);
        connect(editor->document(), &QTextDocument::contentsChanged, this, [this] {
            if (!m_filling) m_outputEdited = true;
        });
        layout->addWidget(editor);
        PageControl1->addTab(page, slotCaption(slot));
        m_outputEditors[static_cast<std::size_t>(slot)] = editor;
        if (slot == 0)
            InitDestRichEdit = editor;
        else
            DestRichEdit[static_cast<std::size_t>(slot - 1)] = editor;
    }
}

bool TMDIChild::hasFileName() const { return !programName().startsWith(QStringLiteral("NONAME")); }

void TMDIChild::setProgramName(const QString& name) {
    m_programName = name;
    // "[*]" is where the frame puts the "*" of a modified window.
    QString title = name;
    setWindowTitle(title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")) + QStringLiteral("[*]"));
}

QString TMDIChild::caption() const { return m_programName + (isWindowModified() ? QStringLiteral("*") : QString()); }

bool TMDIChild::hasUnsavedWork() const { return sourceModified() || (outputShown() && anyOutputModified()); }

void TMDIChild::updateModifiedMark() { setWindowModified(hasUnsavedWork()); }

TMDIChild::DiskStamp TMDIChild::stampOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile()) return {};
    return {true, info.lastModified(), info.size()};
}

void TMDIChild::setSourceText(const QString& text) {
    SourceRichEdit->setPlainText(text);
    SourceRichEdit->document()->setModified(false);
    // Loading sets and clears the flag with the document's signals held back.
    updateModifiedMark();
}

bool TMDIChild::sourceModified() const { return SourceRichEdit->document()->isModified(); }
void TMDIChild::setSourceModified(bool modified) {
    SourceRichEdit->document()->setModified(modified);
    updateModifiedMark();
}

bool TMDIChild::outputShown() const { return !DestPanel->isHidden(); }
bool TMDIChild::messagesShown() const { return !MessagePanel->isHidden(); }
bool TMDIChild::slotPresent(int slot) const { return PageControl1->isTabVisible(slot); }

bool TMDIChild::anyOutputModified() const {
    for (const QPlainTextEdit* editor : m_outputEditors)
        if (editor->document()->isModified()) return true;
    return false;
}

void TMDIChild::clearOutputModified() {
    for (QPlainTextEdit* editor : m_outputEditors) editor->document()->setModified(false);
    m_outputEdited = false;
    updateModifiedMark();
}

std::optional<std::vector<std::string>> TMDIChild::sourceLines(UnconvertibleCharacter* error) const {
    return toCp1251Lines(SourceRichEdit->toPlainText(), error);
}

std::optional<std::vector<std::string>> TMDIChild::outputLines(int slot, UnconvertibleCharacter* error) const {
    return toCp1251Lines(outputEditor(slot)->toPlainText(), error);
}

void TMDIChild::showTranslationResult(const TranslationResult& result) {
    SourceRichEdit->setExtraSelections({});
    setPanelVisible(DestPanel, false);

    // Pass 1 empties the tree when it starts; it shows the area when it reported errors.
    if (result.tokenCount >= 0) {
        fillMessageTree(result.diagnostics);
        setPanelVisible(MessagePanel, result.lexicalErrorCount > 0);
    }

    if (result.syntaxStatus) {
        // Pass 2 empties every output editor when it starts and loads the slots that
        // received text when it completes; loading sets an editor's modified flag.
        bool anyText = false;
        m_filling = true;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            QPlainTextEdit* editor = outputEditor(slot);
            editor->clear();
            editor->document()->setModified(false);
            if (*result.syntaxStatus == 0 && result.slotReceivedText[static_cast<std::size_t>(slot)]) {
                editor->setPlainText(fromCp1251(result.slotText(slot)));
                editor->document()->setModified(true);
                anyText = true;
            }
        }
        m_filling = false;
        m_outputEdited = false;
        if (*result.syntaxStatus == 0) m_ilNavigation->translated(result);
        if (!result.diagnostics.empty()) setPanelVisible(MessagePanel, true);
        setPanelVisible(DestPanel, anyText && result.diagnostics.empty());
    }

    // Any message leaves the output hidden, even when pass 2 delivered new texts.
    if (messagesShown()) setPanelVisible(DestPanel, false);

    if (outputShown()) {
        PageControl1->setCurrentIndex(0);
        restoreStructure();
        for (int slot = 0; slot < kSlotCount; ++slot)
            PageControl1->setTabVisible(slot, outputEditor(slot)->document()->isModified());
        PageControl1->setCurrentIndex(0);
    }
    m_state = outputShown() ? State::Translated : State::Failed;
    updateModifiedMark();
}

void TMDIChild::fillMessageTree(const DiagnosticList& diagnostics) {
    MessageTreeView->clear();
    QTreeWidgetItem* firstTopLevel = nullptr;
    diagnostics.forEachShown([&](const ShownEntry& entry) {
        QTreeWidgetItem* item = nullptr;
        if (entry.level == 1 && firstTopLevel) {
            item = new QTreeWidgetItem(firstTopLevel);
        } else {
            item = new QTreeWidgetItem(MessageTreeView);
            if (!firstTopLevel) firstTopLevel = item;
        }
        item->setText(0, fromCp1251(entry.text));
        // A message keeps the line it cites for the double click; the group heading
        // carries the group image.
        if (entry.message) item->setData(0, kCitedLineRole, entry.message->line);
        else item->setIcon(0, messageImage(kGroupImage));
    });
    MessageTreeView->expandAll();

    // The first message is selected, ready for Enter or F8; the count names the messages,
    // not the group node.
    const QList<QTreeWidgetItem*> messages = messagesWithLines();
    if (!messages.isEmpty()) MessageTreeView->setCurrentItem(messages.first());
    m_messageCount->setText(QString::fromUtf8(kMessageCount) + QString::number(messages.size()));
    // However small the user drags it, the area keeps its count and three message lines
    // (the lexical group and its first two messages).
    const int row = MessageTreeView->topLevelItemCount() > 0 ? MessageTreeView->sizeHintForRow(0)
                                                             : MessageTreeView->fontMetrics().height();
    MessagePanel->setMinimumHeight(m_messageCount->sizeHint().height() + 3 * row + 2 * MessageTreeView->frameWidth());
}

QList<QTreeWidgetItem*> TMDIChild::messagesWithLines() const {
    QList<QTreeWidgetItem*> messages;
    for (QTreeWidgetItemIterator it(MessageTreeView); *it; ++it)
        if ((*it)->data(0, kCitedLineRole).isValid()) messages << *it;
    return messages;
}

void TMDIChild::setPanelVisible(QWidget* panel, bool visible) {
    if (panel->isHidden() == !visible) return;
    panel->setVisible(visible);
    if (visible) applyPanelSizes();
}

void TMDIChild::restoreStructure() {
    m_outputWidth = ProgrammsPanel->width() / 2;
    m_messageHeight = height() / 8;
    m_outputShare = 0.5;
    m_messageShare = 1.0 / 8;
    applyPanelSizes();
}

void TMDIChild::applyPanelSizes() {
    if (!DestPanel->isHidden()) {
        const int available = Splitter1->width() - Splitter1->handleWidth();
        if (m_outputShare) m_outputWidth = static_cast<int>(*m_outputShare * ProgrammsPanel->width());
        Splitter1->setSizes({available - m_outputWidth, m_outputWidth});
    }
    if (!MessagePanel->isHidden()) {
        const int available = Splitter2->height() - Splitter2->handleWidth();
        if (m_messageShare) m_messageHeight = static_cast<int>(*m_messageShare * height());
        Splitter2->setSizes({available - m_messageHeight, m_messageHeight});
    }
}

void TMDIChild::MessageTreeViewDblClick() {
    const QTreeWidgetItem* item = MessageTreeView->currentItem();
    if (!item || !item->isSelected()) return;
    const QVariant cited = item->data(0, kCitedLineRole);
    if (!cited.isValid()) return;
    const int line = cited.toInt();

    SourceRichEdit->setFocus();
    if (line < 1) return;
    // A line past the end (the message counts one line on, or the text was shortened
    // since) goes to the last line.
    markLine(std::min(line, SourceRichEdit->document()->blockCount()));
}

void TMDIChild::markLine(int line) {
    // The caret goes to the end of the cited line, which scrolls it into view, and the
    // line is marked; the text and its modified flag stay as they are.
    const QTextBlock block = SourceRichEdit->document()->findBlockByNumber(line - 1);
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock);
    SourceRichEdit->setTextCursor(cursor);
    SourceRichEdit->ensureCursorVisible();
    QTextEdit::ExtraSelection mark;
    mark.cursor = cursor;
    mark.format.setBackground(QColor::fromRgba(kCitedLineColour));
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    SourceRichEdit->setExtraSelections({mark});
}

void TMDIChild::jumpToNextMessage(int direction) {
    const QList<QTreeWidgetItem*> messages = messagesWithLines();
    if (messages.isEmpty() || MessagePanel->isHidden()) return;
    const qsizetype current = messages.indexOf(MessageTreeView->currentItem());
    const qsizetype count = messages.size();
    const qsizetype next = current < 0 ? (direction > 0 ? 0 : count - 1) : (current + direction + count) % count;
    MessageTreeView->setCurrentItem(messages[next]);
    MessageTreeViewDblClick();
}

void TMDIChild::reportCaret(const QPlainTextEdit* editor) {
    // Editors refilled out of sight (the output pages after a run) move their caret
    // too; only the editor the user works in reports.
    if (editor != m_caretEditor) return;
    const QTextCursor cursor = editor->textCursor();
    const int position = cursor.selectionEnd();
    const QTextBlock block = editor->document()->findBlock(position);
    emit caretReported(QString::number(block.blockNumber() + 1) + QLatin1Char(':') +
                       QString::number(position - block.position() + 1));
}

bool TMDIChild::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MessageTreeView->viewport()) {
        if (event->type() == QEvent::MouseButtonDblClick) MessageTreeViewDblClick();
        return false;
    }
    if (watched == MessageTreeView) {
        // Enter or Space on a message jumps like a double click.
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space) return false;
        MessageTreeViewDblClick();
        return true;
    }
    if (watched == Splitter1 || watched == Splitter2) {
        if (event->type() == QEvent::Resize) applyPanelSizes();
        return false;
    }
    // Entering an editor, a key and a mouse press report the caret as it stands before
    // they take effect; the selection change that follows reports it after.
    switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress: {
            QObject* owner = watched;
            if (auto* viewport = qobject_cast<QWidget*>(watched); viewport && !qobject_cast<QPlainTextEdit*>(watched))
                owner = viewport->parent();
            if (auto* editor = qobject_cast<QPlainTextEdit*>(owner)) {
                m_caretEditor = editor;
                reportCaret(editor);
            }
            break;
        }
        default:
            break;
    }
    return false;
}

void TMDIChild::closeEvent(QCloseEvent* event) {
    // A window whose questions were cancelled, or whose save failed, stays open.
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

bool TMDIChild::FormClose() { return !m_closeHandler || m_closeHandler(*this); }

}  // namespace vestrel::workbench
