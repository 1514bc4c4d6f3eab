// The program window: its areas, editors, message tree and what a run shows in them.
#include "workbench/mdi_child.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTreeWidget>
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
    MessageTreeView = new QTreeWidget(MessagePanel);
    MessageTreeView->setObjectName(QStringLiteral("MessageTreeView"));
    MessageTreeView->setHeaderHidden(true);
    MessageTreeView->setIndentation(kTreeIndent);
    MessageTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MessageTreeView->setColumnCount(1);
    MessageTreeView->viewport()->installEventFilter(this);
    MessagePanel->layout()->addWidget(MessageTreeView);

    buildEditors();
    m_ilNavigation = new IlNavigation(*this);

    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter2->setStretchFactor(0, 1);
    Splitter2->setStretchFactor(1, 0);
    // The splitters keep the sizes the user drags them to.
    connect(Splitter1, &QSplitter::splitterMoved, this, [this] { m_outputWidth = DestPanel->width(); });
    connect(Splitter2, &QSplitter::splitterMoved, this, [this] { m_messageHeight = MessagePanel->height(); });

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

void TMDIChild::setSourceText(const QString& text) {
    SourceRichEdit->setPlainText(text);
    SourceRichEdit->document()->setModified(false);
}

bool TMDIChild::sourceModified() const { return SourceRichEdit->document()->isModified(); }
void TMDIChild::setSourceModified(bool modified) { SourceRichEdit->document()->setModified(modified); }

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
}

std::optional<std::vector<std::string>> TMDIChild::sourceLines(UnconvertibleCharacter* error) const {
    return toCp1251Lines(SourceRichEdit->toPlainText(), error);
}

std::optional<std::vector<std::string>> TMDIChild::outputLines(int slot, UnconvertibleCharacter* error) const {
    return toCp1251Lines(outputEditor(slot)->toPlainText(), error);
}

void TMDIChild::showTranslationResult(const TranslationResult& result) {
    m_state = State::Translating;
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
}

void TMDIChild::setPanelVisible(QWidget* panel, bool visible) {
    if (panel->isHidden() == !visible) return;
    panel->setVisible(visible);
    if (visible) applyPanelSizes();
}

void TMDIChild::restoreStructure() {
    m_outputWidth = ProgrammsPanel->width() / 2;
    m_messageHeight = height() / 8;
    applyPanelSizes();
}

void TMDIChild::applyPanelSizes() {
    if (!DestPanel->isHidden()) {
        const int available = Splitter1->width() - Splitter1->handleWidth();
        Splitter1->setSizes({available - m_outputWidth, m_outputWidth});
    }
    if (!MessagePanel->isHidden()) {
        const int available = Splitter2->height() - Splitter2->handleWidth();
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
    if (line < 1 || line > SourceRichEdit->document()->blockCount()) return;
    // The caret goes to the end of the cited line, which scrolls it into view; the text
    // and its modified flag stay as they are.
    const QTextBlock block = SourceRichEdit->document()->findBlockByNumber(line - 1);
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock);
    SourceRichEdit->setTextCursor(cursor);
    SourceRichEdit->ensureCursorVisible();
}

void TMDIChild::reportCaret(const QPlainTextEdit* editor) {
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
    // Entering an editor, a key and a mouse press report the caret as it stands before
    // they take effect; the selection change that follows reports it after.
    switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress: {
            QObject* owner = watched;
            if (auto* viewport = qobject_cast<QWidget*>(watched); viewport && !qobject_cast<QPlainTextEdit*>(watched))
                owner = viewport->parent();
            if (auto* editor = qobject_cast<QPlainTextEdit*>(owner)) reportCaret(editor);
            break;
        }
        default:
            break;
    }
    return false;
}

void TMDIChild::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TMDIChild::FormClose() {
    if (m_closeHandler) m_closeHandler(*this);
}

}  // namespace vestrel::workbench
