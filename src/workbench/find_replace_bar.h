// The find and replace bar under the program windows: Ctrl+F finds, F3 and Shift+F3 go
// to the next and previous match, Ctrl+H adds the replace row; it works on the editor
// that last had the focus.
#pragma once

#include <functional>

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vestrel::workbench {

struct SearchRequest;

class FindReplaceBar final : public QWidget {
    Q_OBJECT
public:
    explicit FindReplaceBar(QWidget* parent = nullptr);

    // Where the bar finds and replaces; nullptr when no editor is there.
    void setEditorProvider(std::function<QPlainTextEdit*()> provider) { m_editor = std::move(provider); }

    void showFind();
    void showReplace();
    // Each selects the match it finds; false when there is none (or no editor).
    bool findNext();
    bool findPrevious();
    // Replaces the selected match and finds the next one.
    bool replaceOne();
    // Replaces every match in one undo step; the number replaced.
    int replaceAll();

    QLineEdit* findField() const { return m_find; }
    QLineEdit* replaceField() const { return m_replace; }
    QCheckBox* caseBox() const { return m_case; }
    QString status() const;

signals:
    // The close button or Esc: whoever shows the bar puts it away.
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool find(bool forward);
    SearchRequest request(bool forward) const;
    void setReplaceShown(bool shown);
    void setStatus(const QString& text);
    void showBar(bool replace);

    std::function<QPlainTextEdit*()> m_editor;
    QLineEdit* m_find;
    QLineEdit* m_replace;
    QCheckBox* m_case;
    QLabel* m_status;
    QWidget* m_replaceRow;
};

}  // namespace vestrel::workbench
