// What the windows show: the way from a message to its line, the caret panel, and the
// window arrangements of the frame.
#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSplitter>
#include <QTextBlock>

#include "workbench_bench.h"

using namespace vestrel;
using namespace vestrel::workbench;
using namespace vestrel::workbench::testing;

namespace {

// A failed run with messages about lines 2 and 4 under the lexical group.
TranslationResult twoLexicalMessages() { return lexicalFailure(); }

// The caret of the source editor as "line:column", counted from 1.
QString caretOf(const TMDIChild& child) {
    const QTextCursor cursor = child.sourceEditor()->textCursor();
    return QStringLiteral("%1:%2").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1);
}

// The line the source editor marks as the one a message cites; -1 for none.
int highlightedLine(const TMDIChild& child) {
    const QList<QTextEdit::ExtraSelection> marks = child.sourceEditor()->extraSelections();
    if (marks.size() != 1 || !marks[0].format.boolProperty(QTextFormat::FullWidthSelection)) return -1;
    return marks[0].cursor.blockNumber() + 1;
}

}  // namespace

class DisplaysTest : public QObject {
    Q_OBJECT
private slots:
    void failedRunSelectsTheFirstMessageAndCountsThem();
    void keysOnAMessageJumpAndMarkTheLine();
    void f8WalksThroughTheMessages();
    void messagePastTheEndGoesToTheLastLine();
    void caretPanelFollowsTheEditorInUse();
    void tilingLeavesSourceAndOutputVisible();
    void cascadeGivesEveryWindowAShareOfTheFrame();
};

void DisplaysTest::failedRunSelectsTheFirstMessageAndCountsThem() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("a\nb\nc\nd\ne"));
    bench.translate(twoLexicalMessages());
    QTreeWidget* tree = child->messageTree();
    // The group node cites no line; its first child is the first message.
    QTreeWidgetItem* first = tree->topLevelItem(0)->child(0);
    QCOMPARE(tree->currentItem(), first);
    QVERIFY(first->isSelected());
    auto* count = child->findChild<QLabel*>(QStringLiteral("MessageCountLabel"));
    QVERIFY(count);
    QVERIFY(count->isVisible());
    QCOMPARE(count->text(), qs("Сообщений: 2"));

    // The area cannot be squeezed below its count and three message lines.
    auto* splitter = child->findChild<QSplitter*>(QStringLiteral("Splitter2"));
    splitter->setSizes({splitter->height(), 1});
    QApplication::processEvents();
    QVERIFY(child->messagePanel()->height() >= count->sizeHint().height() + 3 * tree->visualItemRect(first).height());
}

void DisplaysTest::keysOnAMessageJumpAndMarkTheLine() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("line one\nline two\nthird line here\nfour"));
    child->setSourceModified(false);
    TranslationResult run;
    run.tokenCount = 3;
    run.syntaxStatus = 0xF300;
    run.diagnostics.AddSyntaxError(3, 4, SyntaxMessage::SyntaxError);  // cites line 3
    bench.translate(run);
    QTreeWidget* tree = child->messageTree();
    QCOMPARE(highlightedLine(*child), -1);

    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        child->sourceEditor()->setTextCursor(QTextCursor(child->sourceEditor()->document()));
        child->sourceEditor()->setExtraSelections({});
        tree->setFocus();
        QTest::keyClick(tree, key);
        QCOMPARE(caretOf(*child), qs("3:16"));
        QCOMPARE(highlightedLine(*child), 3);
        QVERIFY(child->sourceEditor()->hasFocus());
    }
    QVERIFY(!child->sourceModified());
}

void DisplaysTest::f8WalksThroughTheMessages() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("a\nbb\nccc\ndddd\neeeee"));
    bench.translate(twoLexicalMessages());  // lines 2 and 4
    QTreeWidget* tree = child->messageTree();
    QTreeWidgetItem* group = tree->topLevelItem(0);

    struct Step {
        QKeySequence keys;
        int message;  // child of the group
        const char* caret;
    };
    const Step steps[] = {
        {QKeySequence(Qt::Key_F8), 1, "4:5"},
        {QKeySequence(Qt::Key_F8), 0, "2:3"},  // round to the first again
        {QKeySequence(Qt::SHIFT | Qt::Key_F8), 1, "4:5"},
        {QKeySequence(Qt::SHIFT | Qt::Key_F8), 0, "2:3"},
    };
    for (const Step& step : steps) {
        bench.press(step.keys);
        QCOMPARE(tree->currentItem(), group->child(step.message));
        QCOMPARE(caretOf(*child), qs(step.caret));
        QCOMPARE(highlightedLine(*child), QString::fromLatin1(step.caret).section(QLatin1Char(':'), 0, 0).toInt());
    }
}

void DisplaysTest::messagePastTheEndGoesToTheLastLine() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("one\ntwo\nlast line"));
    TranslationResult beyond;
    beyond.tokenCount = 3;
    beyond.syntaxStatus = 0xF300;
    beyond.diagnostics.AddSyntaxError(41, 1, SyntaxMessage::SyntaxError);
    bench.translate(beyond);
    child->messageTree()->setCurrentItem(child->messageTree()->topLevelItem(0));
    child->MessageTreeViewDblClick();
    QCOMPARE(caretOf(*child), qs("3:10"));
    QCOMPARE(highlightedLine(*child), 3);
}

void DisplaysTest::caretPanelFollowsTheEditorInUse() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("a\nb\nc"));
    QPlainTextEdit* source = child->sourceEditor();
    source->setFocus();
    source->moveCursor(QTextCursor::End);
    QCOMPARE(bench.form->statusPanelText(1), qs("3:2"));
    // The output editors are refilled out of sight; the panel keeps the source's caret.
    // (started from the menu, so no key in the editor reports it again).
    bench.runs.push_back(successfulRun({{0, {"PROGRAM x", "y"}}, {1, {"z"}}}));
    bench.form->action(Command::Translate)->trigger();
    QCOMPARE(bench.form->statusPanelText(1), qs("3:2"));

    // A long position is shown whole.
    TMDIChild* big = bench.newWindow(QString(40496, QLatin1Char('\n')) + QString(15, QLatin1Char('x')));
    big->sourceEditor()->setFocus();
    big->sourceEditor()->moveCursor(QTextCursor::End);
    QApplication::processEvents();
    auto* panel = bench.form->findChild<QLabel*>(QStringLiteral("StatusPanel1"));
    QCOMPARE(panel->text(), qs("40497:16"));
    QVERIFY(panel->fontMetrics().horizontalAdvance(panel->text()) <= panel->contentsRect().width());

    // With the last window gone, no position is left standing.
    for (TMDIChild* window : bench.form->programWindows()) {
        window->setSourceModified(false);
        window->clearOutputModified();
    }
    bench.form->action(Command::FileClose1)->trigger();
    bench.form->action(Command::FileClose1)->trigger();
    QTRY_VERIFY(bench.form->programWindows().isEmpty());
    QCOMPARE(bench.form->statusPanelText(1), QString());
}

void DisplaysTest::tilingLeavesSourceAndOutputVisible() {
    for (const bool vertical : {true, false}) {
        Bench bench;
        bench.form->resize(1600, 1000);
        QApplication::processEvents();
        for (int i = 0; i < 3; ++i) {
            bench.newWindow(qs("x"));
            bench.translate(successfulRun({{0, {"init"}}}));
        }
        if (vertical)
            bench.form->tileVertically();
        else
            bench.form->tileHorizontally();
        QApplication::processEvents();
        for (TMDIChild* child : bench.form->programWindows()) {
            const int width = child->programmsPanel()->width();
            QVERIFY2(child->sourceEditor()->width() >= width / 4, qPrintable(QString::number(child->sourceEditor()->width())));
            QVERIFY2(child->destPanel()->width() >= width / 4, qPrintable(QString::number(child->destPanel()->width())));
        }
    }
}

void DisplaysTest::cascadeGivesEveryWindowAShareOfTheFrame() {
    Bench bench;
    bench.form->resize(1600, 1000);
    QApplication::processEvents();
    for (int i = 0; i < 3; ++i) bench.newWindow();
    bench.form->cascade();
    QApplication::processEvents();
    const QRect area = bench.form->mdiArea()->viewport()->rect();
    QPoint previous(-1, -1);
    for (QMdiSubWindow* sub : bench.form->mdiArea()->subWindowList()) {
        const QRect frame = sub->geometry();
        QVERIFY2(frame.width() >= area.width() / 2 && frame.height() >= area.height() / 2,
                 qPrintable(QStringLiteral("%1x%2").arg(frame.width()).arg(frame.height())));
        QVERIFY(area.contains(frame));
        QVERIFY(frame.left() > previous.x() && frame.top() > previous.y());
        previous = frame.topLeft();
    }
}

QObject* makeDisplaysTest() { return new DisplaysTest; }

#include "displays_test.moc"
