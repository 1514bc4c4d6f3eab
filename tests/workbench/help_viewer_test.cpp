// The manual inside the workbench: Help → Contents, F1 on a word of the source, links,
// the contents tree and the search over all pages.
#include <QDir>
#include <QMdiArea>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

#include "workbench/help_topics.h"
#include "workbench/help_viewer.h"
#include "workbench_bench.h"

using namespace vestrel::workbench;
using namespace vestrel::workbench::testing;

class HelpViewerTest final : public QObject {
    Q_OBJECT
private slots:
    void contentsOpensTheFirstPageWithoutAnyDialog();
    void everyBundledPageIsInTheContents();
    void f1OpensTheTopicOfTheWordUnderTheCaret();
    void f1OutsideTheSourceEditorOpensTheContents();
    void everyTopicOfTheTableHasItsHeading();
    void linksOpenTheirPageAtTheirHeading();
    void searchGoesOnToTheNextPageThatHoldsTheText();
};

void HelpViewerTest::contentsOpensTheFirstPageWithoutAnyDialog() {
    Bench bench;
    bench.form->action(Command::N15)->trigger();
    HelpViewer& viewer = bench.form->helpViewer();
    QVERIFY(viewer.isVisible());
    QCOMPARE(viewer.windowTitle(), qs("Справка по транслятору"));
    QCOMPARE(viewer.currentPage(), qs("index.md"));
    QCOMPARE(viewer.currentHeading(), qs("Руководство Vestrel"));
    QVERIFY(viewer.browser()->toPlainText().contains(qs("Первая программа")));
    QCOMPARE(bench.dialogs.transcript(), QStringList());
}

void HelpViewerTest::everyBundledPageIsInTheContents() {
    Bench bench;
    HelpViewer& viewer = bench.form->helpViewer();
    QStringList listed;
    for (const char* page : kManualPages) listed << QString::fromUtf8(page);
    QStringList bundled = QDir(QStringLiteral(":/manual")).entryList(QDir::Files);
    bundled.sort();
    QStringList sortedListed = listed;
    sortedListed.sort();
    QCOMPARE(bundled, sortedListed);
    QCOMPARE(viewer.contents()->topLevelItemCount(), static_cast<int>(kManualPages.size()));
    QCOMPARE(viewer.contents()->topLevelItem(2)->text(0), qs("Операторы"));
    QTreeWidgetItem* conditional = viewer.contents()->topLevelItem(2)->child(4);
    QCOMPARE(conditional->text(0), qs("Условный оператор"));
    viewer.contents()->itemClicked(conditional, 0);
    QCOMPARE(viewer.currentPage(), qs("statements.md"));
    QCOMPARE(viewer.currentHeading(), qs("Условный оператор"));
}

void HelpViewerTest::f1OpensTheTopicOfTheWordUnderTheCaret() {
    struct Case {
        const char* context;  // the caret goes before the first character of this text
        const char* page;
        const char* heading;
    };
    const Case cases[] = {
        {"алг001", "regulators.md", "алг001 — ПИ-регулятор с ограничением выхода"},
        {"алг133", "bit-groups.md", "алг133 — ИЛИ битов группы"},
        {"алг062", "long-arithmetic.md", "алг062 — число с порядком в величину"},
        {"алг170", "algorithms.md", "Команды без IL-текста"},
        {"если", "statements.md", "Условный оператор"},
        {"тогда", "statements.md", "Условный оператор"},
        {"вск", "statements.md", "вск — выход из секции"},
        {"дв001\n11", "program.md", "Переменные"},
        {"тм01", "statements.md", "Таймеры"},
        {"клапан\n", "program.md", "Переменные"},        // a macro that stands for дв001
        {"клапан дв", "program.md", "Макросы"},           // its definition
        {"пуск\n", "program.md", "Макросы"},             // a macro whose value has no topic
        {"вкл\n5", "algorithms.md", "Значения параметров"},
        {"000.", "program.md", "Блоки и секции"},
        {"03 ", "program.md", "Номера строк"},
        {"3 = 4", "program.md", "Строки параметров"},
        {"10\n06", "program.md", "Константы и время"},
        {"Насосная", "program.md", "Виды строк"},
    };
    const QString program = qs(
        "Насосная станция\n/клапан дв001\n/пуск откл2\n000. Секция\n00 если в пуск\n01 тогда в клапан\n"
        "02 тогда вск\n03 тм01 = 00.00.10\n04 алг170\n05 ав001 = ва001 + 10\n06 алг133\n1 = дв001\n2 = дв002\n3 = 4\n4 = вкл\n5 = вкл\n"
        "07 алг001\n10 в дв001\n11 алг062\n");
    Bench bench;
    TMDIChild* child = bench.newWindow(program);
    QPlainTextEdit* editor = child->sourceEditor();
    for (const Case& c : cases) {
        const auto at = program.indexOf(qs(c.context));
        QVERIFY2(at >= 0, c.context);
        QTextCursor cursor(editor->document());
        cursor.setPosition(static_cast<int>(at));
        editor->setTextCursor(cursor);
        bench.press(QKeySequence(Qt::Key_F1));
        HelpViewer& viewer = bench.form->helpViewer();
        QVERIFY2(viewer.isVisible(), c.context);
        QCOMPARE(viewer.currentPage(), qs(c.page));
        QCOMPARE(viewer.currentHeading(), qs(c.heading));
    }
    QCOMPARE(bench.dialogs.transcript(), QStringList());
}

void HelpViewerTest::f1OutsideTheSourceEditorOpensTheContents() {
    Bench bench;
    bench.newWindow(qs("000.\n00 алг001\n"));
    HelpViewer& viewer = bench.form->helpViewer();
    viewer.openPage(QStringLiteral("regulators.md"));
    bench.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(bench.form.get()));
    bench.form->mdiArea()->setFocus();
    QTest::keyClick(bench.form->mdiArea(), Qt::Key_F1);
    QCOMPARE(viewer.currentPage(), qs("index.md"));
}

void HelpViewerTest::everyTopicOfTheTableHasItsHeading() {
    Bench bench;
    HelpViewer& viewer = bench.form->helpViewer();
    for (const KeywordTopic& entry : kKeywordTopics)
        QVERIFY2(viewer.openPage(qs(entry.topic.page), qs(entry.topic.anchor)), entry.word);
    for (const PrefixTopic& entry : kPrefixTopics)
        QVERIFY2(viewer.openPage(qs(entry.topic.page), qs(entry.topic.anchor)), entry.prefix);
    QVERIFY(viewer.openPage(qs(kAlgorithmWithoutTextTopic.page), qs(kAlgorithmWithoutTextTopic.anchor)));
    for (const AlgorithmTopic& entry : kAlgorithmTopics) {
        if (entry.page == nullptr) continue;
        for (int index = entry.first; index <= entry.last; ++index) {
            const QString command = QStringLiteral("алг%1").arg(index, 3, 8, QLatin1Char('0'));
            QVERIFY2(viewer.openPage(qs(entry.page), command), qPrintable(command));
            QVERIFY2(viewer.currentHeading().startsWith(command + qs(" — ")), qPrintable(command));
        }
    }
    QVERIFY(!viewer.openPage(QStringLiteral("program.md"), QStringLiteral("нет-такого-раздела")));
    QCOMPARE(viewer.currentHeading(), qs("Программа на языке Korvel"));
    QVERIFY(!viewer.openPage(QStringLiteral("no-such-page.md")));
}

void HelpViewerTest::linksOpenTheirPageAtTheirHeading() {
    Bench bench;
    HelpViewer& viewer = bench.form->helpViewer();
    viewer.openPage(QStringLiteral("messages.md"));
    emit viewer.browser()->anchorClicked(QUrl(qs("regulators.md#алг003--пид-регулятор-с-ограничением-выхода")));
    QCOMPARE(viewer.currentPage(), qs("regulators.md"));
    QCOMPARE(viewer.currentHeading(), qs("алг003 — ПИД-регулятор с ограничением выхода"));
    emit viewer.browser()->anchorClicked(QUrl(QStringLiteral("https://example.org/")));
    QCOMPARE(viewer.currentPage(), qs("regulators.md"));
    viewer.browser()->backward();
    QCOMPARE(viewer.currentPage(), qs("messages.md"));
}

void HelpViewerTest::searchGoesOnToTheNextPageThatHoldsTheText() {
    Bench bench;
    HelpViewer& viewer = bench.form->helpViewer();
    viewer.showContents();
    viewer.searchLine()->setText(qs("Масштабный коэффициент"));
    QTest::keyClick(viewer.searchLine(), Qt::Key_Return);
    QCOMPARE(viewer.currentPage(), qs("algorithms.md"));
    QCOMPARE(viewer.browser()->textCursor().selectedText(), qs("Масштабный коэффициент"));
    QCOMPARE(viewer.currentHeading(), qs("Виды параметров"));
    QVERIFY(viewer.findText(qs("Масштабный коэффициент")));  // the example's message below the table
    QCOMPARE(viewer.currentPage(), qs("algorithms.md"));
    QVERIFY(viewer.currentHeading() == qs("Виды параметров"));
    QVERIFY(!viewer.findText(qs("такого текста в справке нет")));
    QCOMPARE(viewer.statusText(), qs("Не найдено: такого текста в справке нет"));
}

QTEST_MAIN(HelpViewerTest)
#include "help_viewer_test.moc"
