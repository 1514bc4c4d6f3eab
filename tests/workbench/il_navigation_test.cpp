// Navigation between IL lines and Korvel lines in a program window driven offscreen:
// double click and Ctrl+click on IL, "Показать IL" by F12 and by the context menu, a
// line without IL, a line whose IL lies in two block halves, an outdated map.
#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTabWidget>
#include <QTextBlock>

#include "workbench/il_navigation.h"

#include "workbench_bench.h"

using namespace vestrel;
using namespace vestrel::workbench;
using namespace vestrel::workbench::testing;

namespace {

// The source of the prepared run, one Korvel line a row.
const char* const kSource =
    "000.\n"            // 1: opens block half 0
    "00 в дв001\n"      // 2: two IL lines in half 0
    "комментарий\n"     // 3: no IL
    "020.\n"            // 4: closes half 0 (EXIT) and opens half 1 (PROGRAM)
    "00 в дв002\n"      // 5
    "01 в дв003";       // 6

struct MappedLine {
    std::uint32_t source;
    const char* text;
};

// A successful run whose texts carry the source map given line by line.
TranslationResult mappedRun(const std::vector<std::pair<int, std::vector<MappedLine>>>& filled) {
    TranslationResult result;
    result.tokenCount = 10;
    result.syntaxStatus = 0;
    std::uint32_t current = 0;
    for (const auto& [slot, lines] : filled) {
        IlText& text = result.slotLines[static_cast<std::size_t>(slot)];
        text.followSourceLine(&current);
        for (const MappedLine& line : lines) {
            current = line.source;
            text.push_back(line.text);
        }
        text.followSourceLine(nullptr);
        result.slotReceivedText[static_cast<std::size_t>(slot)] = true;
    }
    return result;
}

TranslationResult preparedRun() {
    return mappedRun({
        {0, {{0, "PROGRAM INIT"}, {1, "  Q1 := 0"}, {0, "END_PROGRAM"}}},
        {1, {{1, "PROGRAM B0"}, {2, "  Q2 | 2"}, {2, "  Q2 & 4"}, {4, "EXIT"}}},
        {2, {{4, "PROGRAM B1"}, {5, "  Q2 | 2"}, {6, "  Q2 | 4"}, {0, "END"}}},
    });
}

QPoint pointOfLine(QPlainTextEdit* editor, int line) {
    QTextCursor cursor(editor->document()->findBlockByNumber(line));
    return editor->cursorRect(cursor).center();
}

void putCaretOnLine(TMDIChild& child, int line) {
    QTextCursor cursor(child.sourceEditor()->document()->findBlockByNumber(line - 1));
    child.sourceEditor()->setTextCursor(cursor);
    child.sourceEditor()->setFocus();
}

QString selectedIl(TMDIChild& child) {
    const int slot = child.pageControl()->currentIndex();
    return child.outputEditor(slot)->textCursor().selectedText().replace(QChar(0x2029), QChar('\n'));
}

}  // namespace

class IlNavigationTest : public QObject {
    Q_OBJECT
private slots:
    void doubleClickAndCtrlClickOnIlGoToTheKorvelLine();
    void showIlSelectsTheLinesAndGoesOnToTheNextTab();
    void aLineWithoutIlAndAnIlLineWithoutSource();
    void editsMakeTheMapOutOfDate();
    void theContextMenuOffersShowIl();
};

void IlNavigationTest::doubleClickAndCtrlClickOnIlGoToTheKorvelLine() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs(kSource));
    bench.translate(preparedRun());
    QVERIFY(child->outputShown());

    // Half 1, its "  Q2 | 4" line came from line 6.
    child->pageControl()->setCurrentIndex(2);
    QApplication::processEvents();
    QPlainTextEdit* half1 = child->outputEditor(2);
    QTest::mouseDClick(half1->viewport(), Qt::LeftButton, {}, pointOfLine(half1, 2));
    QCOMPARE(child->sourceEditor()->textCursor().blockNumber(), 5);
    QCOMPARE(child->sourceEditor()->textCursor().positionInBlock(), 0);
    QVERIFY(child->sourceEditor()->hasFocus());
    QCOMPARE(child->ilNavigation().lastStatus(), qs("Строка IL 3 (Блок №0.(020-037)) порождена строкой 6"));
    QCOMPARE(bench.form->statusPanelText(0), child->ilNavigation().lastStatus());
    QCOMPARE(child->sourceEditor()->toPlainText(), qs(kSource));  // the jump edits nothing

    // Ctrl+click on the EXIT of half 0: the section header that closed the half.
    child->pageControl()->setCurrentIndex(1);
    QApplication::processEvents();
    QPlainTextEdit* half0 = child->outputEditor(1);
    QTest::mouseClick(half0->viewport(), Qt::LeftButton, Qt::ControlModifier, pointOfLine(half0, 3));
    QCOMPARE(child->sourceEditor()->textCursor().blockNumber(), 3);
    // A plain click only moves the IL caret.
    putCaretOnLine(*child, 1);
    QTest::mouseClick(half0->viewport(), Qt::LeftButton, {}, pointOfLine(half0, 1));
    QCOMPARE(child->sourceEditor()->textCursor().blockNumber(), 0);
}

void IlNavigationTest::showIlSelectsTheLinesAndGoesOnToTheNextTab() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs(kSource));
    bench.translate(preparedRun());

    // Line 2: both of its lines in half 0, by F12.
    putCaretOnLine(*child, 2);
    bench.press(QKeySequence(Qt::Key_F12));
    QCOMPARE(child->pageControl()->currentIndex(), 1);
    QCOMPARE(selectedIl(*child), qs("  Q2 | 2\n  Q2 & 4"));
    QCOMPARE(child->ilNavigation().lastStatus(), qs("Строка 2: Блок №0.(000-017), строки IL 2-3"));

    // Line 4 gave IL to two block halves: the first press shows half 0, the next half 1,
    // the next half 0 again.
    putCaretOnLine(*child, 4);
    bench.press(QKeySequence(Qt::Key_F12));
    QCOMPARE(child->pageControl()->currentIndex(), 1);
    QCOMPARE(selectedIl(*child), qs("EXIT"));
    putCaretOnLine(*child, 4);
    bench.press(QKeySequence(Qt::Key_F12));
    QCOMPARE(child->pageControl()->currentIndex(), 2);
    QCOMPARE(selectedIl(*child), qs("PROGRAM B1"));
    QCOMPARE(child->outputEditor(2)->textCursor().blockNumber(), 0);
    putCaretOnLine(*child, 4);
    bench.press(QKeySequence(Qt::Key_F12));
    QCOMPARE(child->pageControl()->currentIndex(), 1);

    // Line 1 gave a line to the initialisation program before its block half.
    putCaretOnLine(*child, 1);
    QVERIFY(child->ilNavigation().showIl());
    QCOMPARE(child->pageControl()->currentIndex(), 0);
    QCOMPARE(selectedIl(*child), qs("  Q1 := 0"));
    putCaretOnLine(*child, 1);
    QVERIFY(child->ilNavigation().showIl());
    QCOMPARE(child->pageControl()->currentIndex(), 1);
    QCOMPARE(selectedIl(*child), qs("PROGRAM B0"));
}

void IlNavigationTest::aLineWithoutIlAndAnIlLineWithoutSource() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs(kSource));
    bench.translate(preparedRun());
    child->pageControl()->setCurrentIndex(2);

    putCaretOnLine(*child, 3);
    QVERIFY(!child->ilNavigation().showIl());
    QCOMPARE(child->ilNavigation().lastStatus(), qs("Строка 3 не порождает IL-кода"));
    QCOMPARE(child->pageControl()->currentIndex(), 2);

    // The fixed lines of the initialisation program came from no source line.
    child->pageControl()->setCurrentIndex(0);
    QApplication::processEvents();
    putCaretOnLine(*child, 5);
    QPlainTextEdit* init = child->outputEditor(0);
    QTest::mouseDClick(init->viewport(), Qt::LeftButton, {}, pointOfLine(init, 0));
    QCOMPARE(child->ilNavigation().lastStatus(), qs("Эта строка IL не порождена строкой программы"));
    QCOMPARE(child->sourceEditor()->textCursor().blockNumber(), 4);
}

void IlNavigationTest::editsMakeTheMapOutOfDate() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs(kSource));
    QVERIFY(!child->ilNavigation().showIl());
    QCOMPARE(child->ilNavigation().lastStatus(), qs("Нет IL-текста: оттранслируйте программу (F9)"));

    bench.translate(preparedRun());
    QVERIFY(child->ilNavigation().map().available());
    putCaretOnLine(*child, 2);
    QTest::keyClick(child->sourceEditor(), Qt::Key_Home);
    QTest::keyClick(child->sourceEditor(), Qt::Key_Return);  // every line below moves down
    const QString outOfDate =
        qs("Текст изменён после трансляции: соответствие строк устарело, оттранслируйте программу заново (F9)");
    QVERIFY(!child->ilNavigation().showIl());
    QCOMPARE(child->ilNavigation().lastStatus(), outOfDate);
    QCOMPARE(child->pageControl()->currentIndex(), 0);
    QVERIFY(!child->ilNavigation().goToSource(1, 1));
    QCOMPARE(child->ilNavigation().lastStatus(), outOfDate);

    // A new translation brings a fresh map; an edit of an IL text outdates it too.
    bench.translate(preparedRun());
    QVERIFY(child->ilNavigation().goToSource(1, 1));
    child->outputEditor(1)->appendPlainText(qs("  Q3 | 1"));
    QVERIFY(!child->ilNavigation().goToSource(1, 1));
    QCOMPARE(child->ilNavigation().lastStatus(), outOfDate);
}

void IlNavigationTest::theContextMenuOffersShowIl() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs(kSource));
    bench.translate(preparedRun());
    QPlainTextEdit* source = child->sourceEditor();
    putCaretOnLine(*child, 5);

    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), source->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(source->viewport(), &event);
    QMenu* menu = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* shown = qobject_cast<QMenu*>(widget); shown && shown->isVisible()) menu = shown;
    QVERIFY(menu);
    QAction* showIl = nullptr;
    for (QAction* action : menu->actions())
        if (action->text() == qs("Показать IL")) showIl = action;
    QVERIFY(showIl);
    QCOMPARE(showIl->shortcut(), QKeySequence(Qt::Key_F12));
    menu->close();
    showIl->trigger();
    QCOMPARE(child->pageControl()->currentIndex(), 2);
    QCOMPARE(selectedIl(*child), qs("  Q2 | 2"));
}

QTEST_MAIN(IlNavigationTest)
#include "il_navigation_test.moc"
