// The editor of the source and of the IL texts: a plain-text editor with a line-number
// gutter, the caret's line highlighted, zoom by Ctrl+wheel, and the marks of the live
// check (a marker in the gutter, a wavy underline, the message on hover).
#pragma once

#include <vector>

#include <QPlainTextEdit>
#include <QString>

namespace vestrel::workbench {

// A place the live check found fault with: a line (0-based), the characters of that
// line it concerns, and the message.
struct EditorMark {
    int line = 0;
    int start = 0;
    int length = 0;
    QString message;
    friend bool operator==(const EditorMark&, const EditorMark&) = default;
};

class CodeEditor final : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CodeEditor(QWidget* parent = nullptr);

    void setMarks(std::vector<EditorMark> marks);
    const std::vector<EditorMark>& marks() const { return m_marks; }
    // The message of the marks on a line (0-based), one per text line; empty without one.
    QString marksMessage(int line) const;
    // The mark under a document position, or nullptr.
    const EditorMark* markAt(int position) const;

    // Zoom in steps of one pixel of font height; 0 is the font the editor was given.
    void zoomBy(int steps);
    void resetZoom();
    int zoomSteps() const { return m_zoomSteps; }

    // Puts the caret at the start of a line (1-based) and scrolls it into view; false,
    // with nothing moved, for a line the text does not have.
    bool goToLine(int line);

    int gutterWidth() const;
    QWidget* gutter() const { return m_gutter; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;

private:
    friend class EditorGutter;
    void paintGutter(QPaintEvent* event);
    bool gutterEvent(QEvent* event);
    void updateGutterWidth();
    void updateGutter(const QRect& rect, int dy);
    void updateExtraSelections();

    QWidget* m_gutter;
    std::vector<EditorMark> m_marks;
    int m_zoomSteps = 0;
    int m_basePixelSize = 0;
    int m_appliedGutterWidth = -1;
};

}  // namespace vestrel::workbench
