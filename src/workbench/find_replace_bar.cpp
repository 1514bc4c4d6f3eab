// The find and replace bar.
#include "workbench/find_replace_bar.h"

#include <vector>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

#include "workbench/text_search.h"

namespace vestrel::workbench {
namespace {

constexpr char kFindLabel[] = "Найти:";
constexpr char kReplaceLabel[] = "Заменить на:";
constexpr char kCaseCaption[] = "Учитывать регистр";
constexpr char kNextCaption[] = "Далее";
constexpr char kPreviousCaption[] = "Назад";
constexpr char kReplaceCaption[] = "Заменить";
constexpr char kReplaceAllCaption[] = "Заменить все";
constexpr char kCloseHint[] = "Закрыть";
constexpr char kWrappedToStart[] = "Поиск продолжен с начала";
constexpr char kWrappedToEnd[] = "Поиск продолжен с конца";
constexpr char kNotFound[] = "Не найдено: ";
constexpr char kReplacedCount[] = "Заменено: ";

QPushButton* button(const char* caption, const QString& name, QWidget* parent) {
    auto* made = new QPushButton(QString::fromUtf8(caption), parent);
    made->setObjectName(name);
    made->setAutoDefault(false);
    return made;
}

}  // namespace

FindReplaceBar::FindReplaceBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FindReplaceBar"));
    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("FindField"));
    m_replace = new QLineEdit(this);
    m_replace->setObjectName(QStringLiteral("ReplaceField"));
    m_case = new QCheckBox(QString::fromUtf8(kCaseCaption), this);
    m_case->setObjectName(QStringLiteral("CaseSensitiveBox"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("FindStatus"));
    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("FindCloseButton"));
    close->setText(QStringLiteral("×"));
    close->setToolTip(QString::fromUtf8(kCloseHint));
    close->setAutoRaise(true);

    QPushButton* next = button(kNextCaption, QStringLiteral("FindNextButton"), this);
    QPushButton* previous = button(kPreviousCaption, QStringLiteral("FindPreviousButton"), this);
    auto* findRow = new QHBoxLayout;
    findRow->addWidget(new QLabel(QString::fromUtf8(kFindLabel), this));
    findRow->addWidget(m_find, 1);
    findRow->addWidget(next);
    findRow->addWidget(previous);
    findRow->addWidget(m_case);
    findRow->addWidget(m_status, 1);
    findRow->addWidget(close);

    m_replaceRow = new QWidget(this);
    auto* replaceRow = new QHBoxLayout(m_replaceRow);
    replaceRow->setContentsMargins(0, 0, 0, 0);
    QPushButton* replace = button(kReplaceCaption, QStringLiteral("ReplaceButton"), m_replaceRow);
    QPushButton* replaceEvery = button(kReplaceAllCaption, QStringLiteral("ReplaceAllButton"), m_replaceRow);
    replaceRow->addWidget(new QLabel(QString::fromUtf8(kReplaceLabel), m_replaceRow));
    replaceRow->addWidget(m_replace, 1);
    replaceRow->addWidget(replace);
    replaceRow->addWidget(replaceEvery);
    replaceRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    layout->addLayout(findRow);
    layout->addWidget(m_replaceRow);

    connect(next, &QPushButton::clicked, this, &FindReplaceBar::findNext);
    connect(previous, &QPushButton::clicked, this, &FindReplaceBar::findPrevious);
    connect(replace, &QPushButton::clicked, this, &FindReplaceBar::replaceOne);
    connect(replaceEvery, &QPushButton::clicked, this, &FindReplaceBar::replaceAll);
    connect(m_find, &QLineEdit::returnPressed, this, &FindReplaceBar::findNext);
    connect(m_replace, &QLineEdit::returnPressed, this, &FindReplaceBar::replaceOne);
    connect(close, &QToolButton::clicked, this, &FindReplaceBar::closed);
    m_replaceRow->hide();
}

QString FindReplaceBar::status() const { return m_status->text(); }
void FindReplaceBar::setStatus(const QString& text) { m_status->setText(text); }
void FindReplaceBar::setReplaceShown(bool shown) { m_replaceRow->setVisible(shown); }

void FindReplaceBar::showBar(bool replace) {
    // A selection within one line is what the user wants to find.
    if (QPlainTextEdit* editor = m_editor ? m_editor() : nullptr) {
        const QString selected = editor->textCursor().selectedText();
        if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator)) m_find->setText(selected);
    }
    setReplaceShown(replace);
    setStatus(QString());
    m_find->setFocus();
    m_find->selectAll();
}

void FindReplaceBar::showFind() { showBar(false); }
void FindReplaceBar::showReplace() { showBar(true); }

SearchRequest FindReplaceBar::request(bool forward) const { return {m_find->text(), m_case->isChecked(), forward}; }

bool FindReplaceBar::findNext() { return find(true); }
bool FindReplaceBar::findPrevious() { return find(false); }

bool FindReplaceBar::find(bool forward) {
    QPlainTextEdit* editor = m_editor ? m_editor() : nullptr;
    if (!editor || m_find->text().isEmpty()) return false;
    const QTextCursor current = editor->textCursor();
    const SearchHit hit =
        findText(editor->toPlainText(), forward ? current.selectionEnd() : current.selectionStart(), request(forward));
    if (hit.position < 0) {
        setStatus(QString::fromUtf8(kNotFound) + m_find->text());
        return false;
    }
    QTextCursor match(editor->document());
    match.setPosition(hit.position);
    match.setPosition(hit.position + static_cast<int>(m_find->text().size()), QTextCursor::KeepAnchor);
    editor->setTextCursor(match);
    editor->ensureCursorVisible();
    setStatus(hit.wrapped ? QString::fromUtf8(forward ? kWrappedToStart : kWrappedToEnd) : QString());
    return true;
}

bool FindReplaceBar::replaceOne() {
    QPlainTextEdit* editor = m_editor ? m_editor() : nullptr;
    if (!editor || editor->isReadOnly() || m_find->text().isEmpty()) return false;
    QTextCursor cursor = editor->textCursor();
    if (cursor.hasSelection() && matchesNeedle(cursor.selectedText(), request(true))) {
        cursor.insertText(m_replace->text());
        editor->setTextCursor(cursor);
    }
    return findNext();
}

int FindReplaceBar::replaceAll() {
    QPlainTextEdit* editor = m_editor ? m_editor() : nullptr;
    if (!editor || editor->isReadOnly() || m_find->text().isEmpty()) return 0;
    const SearchRequest wanted = request(true);
    const QString text = wanted.caseSensitive ? editor->toPlainText() : foldCase(editor->toPlainText());
    const QString needle = wanted.caseSensitive ? wanted.needle : foldCase(wanted.needle);
    std::vector<int> hits;
    for (qsizetype at = text.indexOf(needle); at >= 0; at = text.indexOf(needle, at + needle.size()))
        hits.push_back(static_cast<int>(at));
    if (!hits.empty()) {
        // From the end backwards, so the positions found stay valid; one undo step.
        QTextCursor cursor(editor->document());
        cursor.beginEditBlock();
        for (auto hit = hits.rbegin(); hit != hits.rend(); ++hit) {
            cursor.setPosition(*hit);
            cursor.setPosition(*hit + static_cast<int>(needle.size()), QTextCursor::KeepAnchor);
            cursor.insertText(m_replace->text());
        }
        cursor.endEditBlock();
    }
    setStatus(QString::fromUtf8(kReplacedCount) + QString::number(hits.size()));
    return static_cast<int>(hits.size());
}

void FindReplaceBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit closed();
        if (QPlainTextEdit* editor = m_editor ? m_editor() : nullptr) editor->setFocus();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace vestrel::workbench
