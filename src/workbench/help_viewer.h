// The manual inside the workbench: a window with the contents, the page and a search line
// over the pages compiled into the program (no network, no external viewer). F1 in a
// source editor opens the topic of the word under the caret.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

namespace vestrel::workbench {

class HelpViewer final : public QWidget {
    Q_OBJECT
public:
    // A window of its own over `parent`; it watches F1 in every source editor
    // ("SourceRichEdit") of the application while it lives.
    explicit HelpViewer(QWidget* parent);
    ~HelpViewer() override;

    // Help → Contents: the first page of the manual.
    void showContents();
    // F1 in a source editor: the topic of the word under its caret.
    void showTopicOf(const QPlainTextEdit& editor);
    // Shows `page` at the heading whose anchor is `anchor` or begins with `anchor` + "-"
    // (the top of the page for an empty anchor); false when there is no such page or
    // heading (the page is then shown from its top).
    bool openPage(const QString& page, const QString& anchor = QString());
    // The next occurrence of `text` after the caret, on this page and then on the pages
    // after it, round to this one again; false when no page holds it.
    bool findText(const QString& text);

    // What is shown: the page's file name and the heading at or above the caret.
    QString currentPage() const;
    QString currentHeading() const;
    QTextBrowser* browser() const { return m_browser; }
    // The contents tree, built from the pages' headings when it is first needed.
    QTreeWidget* contents();
    QLineEdit* searchLine() const { return m_search; }
    QString statusText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildContents();
    void followLink(const QUrl& link);
    void openContentsItem(QTreeWidgetItem* item);
    void present();

    QTreeWidget* m_contents = nullptr;
    QTextBrowser* m_browser = nullptr;
    QLineEdit* m_search = nullptr;
    QLabel* m_status = nullptr;
};

}  // namespace vestrel::workbench
