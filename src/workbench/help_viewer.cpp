// The manual window: pages from the program's resources (qrc:/manual/), a contents tree
// built from their headings, a search line that goes through all pages, and the F1 watch
// on the source editors.
#include "workbench/help_viewer.h"

#include <algorithm>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "workbench/help_topics.h"
#include "workbench/workbench_texts.h"

namespace vestrel::workbench {
using texts::qs;

namespace {

constexpr char kCaption[] = "Справка по транслятору";
constexpr char kSearchPlaceholder[] = "Поиск по справке";
constexpr char kFindCaption[] = "Найти";
constexpr char kBackCaption[] = "Назад";
constexpr char kForwardCaption[] = "Вперёд";
constexpr char kNotFound[] = "Не найдено: ";
constexpr char kSourceEditorName[] = "SourceRichEdit";
constexpr int kWidth = 980;
constexpr int kHeight = 700;
constexpr int kContentsWidth = 260;
constexpr int kPageRole = Qt::UserRole;
constexpr int kAnchorRole = Qt::UserRole + 1;

QUrl pageUrl(const QString& page) { return QUrl(QStringLiteral("qrc:/manual/") + page); }

QString pageMarkdown(const QString& page) {
    QFile file(QStringLiteral(":/manual/") + page);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}

bool anchorMatches(const QString& anchor, const QString& wanted) {
    return anchor == wanted || anchor.startsWith(wanted + QLatin1Char('-'));
}

QTextBlock headingBlock(const QTextDocument& document, const QString& anchor) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.blockFormat().headingLevel() > 0 && anchorMatches(headingAnchor(block.text()), anchor)) return block;
    return QTextBlock();
}

}  // namespace

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(qs(kCaption));
    resize(kWidth, kHeight);

    auto* back = new QToolButton(this);
    back->setObjectName(QStringLiteral("HelpBack"));
    back->setText(qs(kBackCaption));
    auto* forward = new QToolButton(this);
    forward->setObjectName(QStringLiteral("HelpForward"));
    forward->setText(qs(kForwardCaption));
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("HelpSearch"));
    m_search->setPlaceholderText(qs(kSearchPlaceholder));
    m_search->setClearButtonEnabled(true);
    auto* find = new QPushButton(qs(kFindCaption), this);
    find->setObjectName(QStringLiteral("HelpFind"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("HelpStatus"));

    auto* bar = new QHBoxLayout;
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addWidget(m_search, 1);
    bar->addWidget(find);
    bar->addWidget(m_status);

    m_contents = new QTreeWidget(this);
    m_contents->setObjectName(QStringLiteral("HelpContents"));
    m_contents->setHeaderHidden(true);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kContentsWidth, kWidth - kContentsWidth});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(splitter, 1);

    connect(back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpViewer::followLink);
    connect(m_search, &QLineEdit::returnPressed, this, [this] { findText(m_search->text()); });
    connect(find, &QPushButton::clicked, this, [this] { findText(m_search->text()); });
    connect(m_contents, &QTreeWidget::itemActivated, this, &HelpViewer::openContentsItem);
    connect(m_contents, &QTreeWidget::itemClicked, this, &HelpViewer::openContentsItem);
    auto* findShortcut = new QShortcut(QKeySequence::Find, this);
    connect(findShortcut, &QShortcut::activated, m_search, [this] {
        m_search->setFocus();
        m_search->selectAll();
    });

    qApp->installEventFilter(this);
}

HelpViewer::~HelpViewer() { qApp->removeEventFilter(this); }

QTreeWidget* HelpViewer::contents() {
    buildContents();
    return m_contents;
}

// Reading every page takes a noticeable moment, so the tree waits until the window is
// first shown.
void HelpViewer::buildContents() {
    if (m_contents->topLevelItemCount() > 0) return;
    for (const char* page : kManualPages) {
        QTextDocument document;
        document.setMarkdown(pageMarkdown(qs(page)));
        QTreeWidgetItem* pageItem = nullptr;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            const int level = block.blockFormat().headingLevel();
            if (level == 1 && pageItem == nullptr) {
                pageItem = new QTreeWidgetItem(m_contents, {block.text()});
                pageItem->setData(0, kPageRole, qs(page));
            } else if (level == 2 && pageItem != nullptr) {
                auto* item = new QTreeWidgetItem(pageItem, {block.text()});
                item->setData(0, kPageRole, qs(page));
                item->setData(0, kAnchorRole, headingAnchor(block.text()));
            }
        }
    }
}

void HelpViewer::showContents() {
    openPage(qs(kContentsTopic.page));
    present();
}

void HelpViewer::showTopicOf(const QPlainTextEdit& editor) {
    QTextCursor cursor = editor.textCursor();
    cursor.clearSelection();
    cursor.select(QTextCursor::WordUnderCursor);
    QStringList definitions;
    for (QTextBlock block = editor.document()->begin(); block.isValid() && block != cursor.block(); block = block.next())
        if (block.text().startsWith(QLatin1Char('/'))) definitions << block.text();
    const ResolvedTopic topic = helpTopicFor(cursor.selectedText(), cursor.block().text(), definitions);
    openPage(topic.page, topic.anchor);
    present();
}

bool HelpViewer::openPage(const QString& page, const QString& anchor) {
    if (pageMarkdown(page).isEmpty()) return false;
    m_status->clear();
    const QUrl url = pageUrl(page);
    if (m_browser->source() != url) m_browser->setSource(url, QTextDocument::MarkdownResource);
    const QTextBlock block = anchor.isEmpty() ? m_browser->document()->begin() : headingBlock(*m_browser->document(), anchor);
    const bool found = block.isValid();
    m_browser->setTextCursor(QTextCursor(found ? block : m_browser->document()->begin()));
    const QRectF place = m_browser->document()->documentLayout()->blockBoundingRect(m_browser->textCursor().block());
    m_browser->verticalScrollBar()->setValue(static_cast<int>(place.top()));
    return found;
}

bool HelpViewer::findText(const QString& text) {
    if (text.isEmpty()) return false;
    m_status->clear();
    if (m_browser->find(text)) return true;
    const auto here = static_cast<int>(std::find(kManualPages.begin(), kManualPages.end(), currentPage()) - kManualPages.begin());
    const int count = static_cast<int>(kManualPages.size());
    for (int step = 1; step <= count; ++step) {
        const QString page = qs(kManualPages[static_cast<std::size_t>((here + step) % count)]);
        QTextDocument document;
        document.setMarkdown(pageMarkdown(page));
        if (document.find(text).isNull()) continue;
        openPage(page);
        m_browser->moveCursor(QTextCursor::Start);
        return m_browser->find(text);
    }
    m_status->setText(qs(kNotFound) + text);
    return false;
}

QString HelpViewer::currentPage() const { return m_browser->source().fileName(); }

QString HelpViewer::currentHeading() const {
    for (QTextBlock block = m_browser->textCursor().block(); block.isValid(); block = block.previous())
        if (block.blockFormat().headingLevel() > 0) return block.text();
    return QString();
}

QString HelpViewer::statusText() const { return m_status->text(); }

void HelpViewer::followLink(const QUrl& link) {
    // The manual is read offline: links that leave it are not followed.
    if (!link.scheme().isEmpty() && link.scheme() != QLatin1String("qrc")) return;
    const QUrl target = m_browser->source().resolved(link);
    openPage(target.fileName(), link.fragment(QUrl::FullyDecoded));
}

void HelpViewer::openContentsItem(QTreeWidgetItem* item) {
    if (item == nullptr) return;
    openPage(item->data(0, kPageRole).toString(), item->data(0, kAnchorRole).toString());
}

void HelpViewer::present() {
    buildContents();
    show();
    raise();
    activateWindow();
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
    const auto* editor = qobject_cast<QPlainTextEdit*>(watched);
    if (editor == nullptr || editor->objectName() != QLatin1String(kSourceEditorName)) return false;
    // Taking the override keeps the window's F1 (the contents) from firing; the key press
    // that follows opens the topic.
    event->accept();
    if (event->type() == QEvent::KeyPress) showTopicOf(*editor);
    return true;
}

}  // namespace vestrel::workbench
