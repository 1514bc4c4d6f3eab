// The main window and the program window driven offscreen: translating, the message
// tree, the caret panel, menus, hints, help, the progress window and the about box.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTextBlock>

#include "translator/text/literal.h"
#include "workbench/about_box.h"
#include "workbench/indicator_form.h"

#include "workbench_bench.h"

using namespace vestrel;
using namespace vestrel::workbench;
using namespace vestrel::workbench::testing;
using namespace vestrel::text::literals;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void commandsWithoutWindowDoNothing();
    void successfulRunShowsTabsOfSlotsThatReceivedText();
    void lexicalFailureShowsGroupAndKeepsPreviousTexts();
    void parameterMessagesLoadTextsButLeaveOutputHidden();
    void syntaxErrorEmptiesTheOutputEditors();
    void unconvertibleCharacterIsReportedBeforeTranslating();
    void doubleClickJumpsToTheCitedLine();
    void caretPanelReportsLineAndColumn();
    void newWindowsAreNumbered();
    void realRunOfAnEmptyProgramShowsOnlyTheInitialisation();
    void noticesOfARunAreShownAsMessageBoxes();
    void windowMenuListsTheProgramWindows();
    void editCommandsFollowTheFocusedEditor();
    void hiddenEditorParametersEntryKeepsItsShortcut();
    void hintsGoToStatusPanelZero();
    void gaugeKeepsItsPositionInRange();
    void aboutBoxShowsProductAndVersion();
};

void MainWindowTest::commandsWithoutWindowDoNothing() {
    Bench bench;
    for (Command command : {Command::Translate, Command::FileSaveKorvel1, Command::FileSaveKorvelAs1, Command::FileSaveIL1,
                            Command::FileSaveILAs1, Command::ViewStructWindow, Command::FileClose1})
        bench.form->action(command)->trigger();
    QTest::keyClick(bench.form.get(), Qt::Key_F9);
    QVERIFY(bench.sources.empty());
    QVERIFY(bench.dialogs.calls.empty());
    QVERIFY(bench.form->programWindows().isEmpty());
    QVERIFY(!bench.form->action(Command::FileClose1)->isEnabled());
    QVERIFY(!bench.form->action(Command::WindowCascade1)->isEnabled());
}

void MainWindowTest::successfulRunShowsTabsOfSlotsThatReceivedText() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("000. Насос\n00 в дв001"));
    bench.translate(successfulRun({{0, {"PROGRAM init", std::string("(* Насос *)"_cp)}}, {1, {"PROGRAM B0"}}, {4, {"x"}}}));

    QCOMPARE(bench.sources.size(), std::size_t(1));
    QCOMPARE(bench.sources[0], (std::vector<std::string>{std::string("000. Насос"_cp), std::string("00 в дв001"_cp)}));
    QCOMPARE(visibleTabs(*child), (QList<int>{0, 1, 4}));
    QCOMPARE(child->pageControl()->currentIndex(), 0);
    QCOMPARE(child->outputEditor(0)->toPlainText(), qs("PROGRAM init\n(* Насос *)"));
    QCOMPARE(child->outputEditor(4)->toPlainText(), qs("x"));
    QVERIFY(child->outputEditor(4)->document()->isModified());
    QVERIFY(child->outputShown());
    QVERIFY(!child->messagesShown());
    QCOMPARE(child->state(), TMDIChild::State::Translated);
    QCOMPARE(child->destPanel()->width(), child->programmsPanel()->width() / 2);
    QVERIFY(bench.dialogs.calls.empty());

    // A second successful run shows only its own slots.
    bench.translate(successfulRun({{0, {"PROGRAM init"}}, {16, {"y"}}}));
    QCOMPARE(visibleTabs(*child), (QList<int>{0, 16}));
    QCOMPARE(child->pageControl()->tabText(16), qs("Блок №7.(720-737)"));
}

void MainWindowTest::lexicalFailureShowsGroupAndKeepsPreviousTexts() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("a\nb\nc\nd"));
    bench.translate(successfulRun({{0, {"init"}}, {2, {"second"}}}));
    bench.translate(lexicalFailure());

    QVERIFY(!child->outputShown());
    QVERIFY(child->messagesShown());
    QCOMPARE(child->state(), TMDIChild::State::Failed);
    QCOMPARE(child->messagePanel()->height(), child->height() / 8);
    QTreeWidget* tree = child->messageTree();
    QCOMPARE(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* group = tree->topLevelItem(0);
    QCOMPARE(group->text(0), qs("Лексические ошибки"));
    QVERIFY(!group->icon(0).isNull());
    QCOMPARE(group->childCount(), 2);
    QCOMPARE(group->child(0)->text(0), qs("Ошибка!!! (2,5).Неизвестная переменная"));
    QCOMPARE(group->child(1)->text(0), qs("Ошибка!!! (4,1).Неизвестная переменная"));
    QVERIFY(group->child(1)->icon(0).isNull());
    // The editors and the tabs keep what the successful run left.
    QCOMPARE(child->outputEditor(2)->toPlainText(), qs("second"));
    QCOMPARE(visibleTabs(*child), (QList<int>{0, 2}));

    // The next successful run clears the tree and hides the message area.
    bench.translate(successfulRun({{0, {"init"}}}));
    QCOMPARE(tree->topLevelItemCount(), 0);
    QVERIFY(!child->messagesShown());
    QVERIFY(child->outputShown());
}

void MainWindowTest::parameterMessagesLoadTextsButLeaveOutputHidden() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("x"));
    bench.translate(successfulRun({{0, {"old"}}, {1, {"old1"}}}));
    TranslationResult run = successfulRun({{0, {"new"}}, {3, {"new3"}}});
    run.diagnostics.AddSyntaxError(5, 2, SyntaxMessage::ParameterNotBitOrSwitch);
    bench.translate(run);

    QCOMPARE(child->state(), TMDIChild::State::Failed);
    QVERIFY(!child->outputShown());
    QVERIFY(child->messagesShown());
    QCOMPARE(child->outputEditor(0)->toPlainText(), qs("new"));
    QCOMPARE(child->outputEditor(1)->toPlainText(), QString());
    QCOMPARE(child->outputEditor(3)->toPlainText(), qs("new3"));
    QCOMPARE(visibleTabs(*child), (QList<int>{0, 1}));
    QCOMPARE(child->messageTree()->topLevelItemCount(), 1);
}

void MainWindowTest::syntaxErrorEmptiesTheOutputEditors() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("x"));
    bench.translate(successfulRun({{0, {"old"}}}));
    TranslationResult run;
    run.tokenCount = 3;
    run.syntaxStatus = 0xF300;
    run.diagnostics.AddSyntaxError(1, 1, SyntaxMessage::SyntaxError);
    bench.translate(run);

    QVERIFY(!child->outputShown());
    QVERIFY(child->messagesShown());
    QCOMPARE(child->outputEditor(0)->toPlainText(), QString());
    QCOMPARE(child->messageTree()->topLevelItem(0)->text(0), qs("Ошибка!!! (1, слово №1).Синтаксическая ошибка!"));
}

void MainWindowTest::unconvertibleCharacterIsReportedBeforeTranslating() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("000. Насос\n00 в ✓1"));
    bench.translate(successfulRun({{0, {"init"}}}));
    QVERIFY(bench.sources.empty());
    QCOMPARE(bench.dialogs.transcript(),
             QStringList{qs("Error:Строка 2, позиция 6: символ «✓» (U+2713) не входит в кодовую страницу 1251.")});
    QCOMPARE(child->state(), TMDIChild::State::Opened);
}

void MainWindowTest::doubleClickJumpsToTheCitedLine() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("line one\nline two\nthird line here\nfour"));
    child->setSourceModified(false);
    TranslationResult run;
    run.tokenCount = 3;
    run.syntaxStatus = 0xF300;
    run.diagnostics.AddSyntaxError(3, 4, SyntaxMessage::SyntaxError);
    bench.translate(run);

    QTreeWidget* tree = child->messageTree();
    QTreeWidgetItem* item = tree->topLevelItem(0);
    doubleClick(*tree, tree->visualItemRect(item).center());
    const QTextCursor cursor = child->sourceEditor()->textCursor();
    QCOMPARE(cursor.blockNumber(), 2);
    QCOMPARE(cursor.positionInBlock(), 15);
    QCOMPARE(child->sourceEditor()->toPlainText(), qs("line one\nline two\nthird line here\nfour"));
    QVERIFY(!child->sourceModified());
    QVERIFY(child->sourceEditor()->hasFocus());

    // A group node cites no line: the caret stays where it is.
    bench.translate(lexicalFailure());
    QTextCursor start(child->sourceEditor()->document());
    child->sourceEditor()->setTextCursor(start);
    QTreeWidgetItem* group = tree->topLevelItem(0);
    doubleClick(*tree, tree->visualItemRect(group).center());
    QCOMPARE(child->sourceEditor()->textCursor().position(), 0);
    // A message citing a line beyond the end goes to the end of the last line.
    TranslationResult beyond;
    beyond.tokenCount = 3;
    beyond.syntaxStatus = 0xF300;
    beyond.diagnostics.AddSyntaxError(41, 1, SyntaxMessage::SyntaxError);
    bench.translate(beyond);
    tree->setCurrentItem(tree->topLevelItem(0));
    child->MessageTreeViewDblClick();
    QCOMPARE(child->sourceEditor()->textCursor().position(), 38);
}

void MainWindowTest::caretPanelReportsLineAndColumn() {
    Bench bench;
    TMDIChild* child = bench.newWindow();
    QPlainTextEdit* source = child->sourceEditor();
    QTest::mouseClick(source->viewport(), Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(bench.form->statusPanelText(1), qs("1:1"));
    QTest::keyClicks(source, QStringLiteral("ab"));
    QTest::keyClick(source, Qt::Key_Return);
    QTest::keyClicks(source, QStringLiteral("cde"));
    QCOMPARE(bench.form->statusPanelText(1), qs("2:4"));

    // Output editors report too.
    bench.translate(successfulRun({{0, {"PROGRAM x"}}}));
    QPlainTextEdit* output = child->outputEditor(0);
    output->setFocus();
    output->moveCursor(QTextCursor::End);
    QCOMPARE(bench.form->statusPanelText(1), qs("1:10"));
}

void MainWindowTest::newWindowsAreNumbered() {
    Bench bench;
    bench.newWindow();
    bench.newWindow();
    TMDIChild* third = bench.newWindow();
    QCOMPARE(third->programName(), qs("NONAME3"));
    QCOMPARE(bench.form->programWindows().size(), 3);
    QVERIFY(bench.form->action(Command::FileClose1)->isEnabled());
}

void MainWindowTest::realRunOfAnEmptyProgramShowsOnlyTheInitialisation() {
    Bench bench;
    bench.form->setTranslateFunction([](std::string_view source, const TranslationOptions& options, const RunHooks& hooks) {
        return runTranslation(source, options, hooks);
    });
    TMDIChild* child = bench.newWindow();
    bench.press(QKeySequence(Qt::Key_F9));
    QCOMPARE(visibleTabs(*child), QList<int>{0});
    QVERIFY(child->outputShown());
    QVERIFY(child->outputEditor(0)->toPlainText().startsWith(qs("PROGRAM")));
    QVERIFY(bench.dialogs.calls.empty());
}

void MainWindowTest::noticesOfARunAreShownAsMessageBoxes() {
    Bench bench;
    bench.form->setTranslateFunction([](std::string_view, const TranslationOptions&, const RunHooks& hooks) {
        hooks.progress->setCaption("Лексический анализ"_cp);
        hooks.notices->notice("Не хватает переменных W"_cp);
        return successfulRun({{0, {"init"}}});
    });
    bench.newWindow(qs("x"));
    bench.press(QKeySequence(Qt::Key_F9));
    QCOMPARE(bench.dialogs.transcript(), QStringList{qs("Notice:Не хватает переменных W")});
}

void MainWindowTest::windowMenuListsTheProgramWindows() {
    Bench bench;
    bench.newWindow();
    bench.newWindow();
    QMenu* menu = bench.form->findChild<QMenu*>(QStringLiteral("WindowMenu"));
    QVERIFY(menu);
    emit menu->aboutToShow();
    QStringList entries;
    for (QAction* entry : menu->actions())
        if (entry->isCheckable()) entries << entry->text() + (entry->isChecked() ? QStringLiteral(" *") : QString());
    QCOMPARE(entries, (QStringList{qs("&1 NONAME1"), qs("&2 NONAME2 *")}));

    menu->actions().at(menu->actions().indexOf(bench.form->action(Command::ViewStructWindow)) + 1)->trigger();
    QCOMPARE(bench.form->activeChild()->programName(), qs("NONAME1"));
}

void MainWindowTest::editCommandsFollowTheFocusedEditor() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("alpha beta"));
    QPlainTextEdit* source = child->sourceEditor();
    source->setFocus();
    QApplication::processEvents();
    QVERIFY(!bench.form->action(Command::EditCopy1)->isEnabled());
    QTextCursor cursor = source->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    source->setTextCursor(cursor);
    QVERIFY(bench.form->action(Command::EditCut1)->isEnabled());
    bench.form->action(Command::EditCut1)->trigger();
    QCOMPARE(source->toPlainText(), qs(" beta"));
    QVERIFY(bench.form->action(Command::EditPaste1)->isEnabled());
    source->moveCursor(QTextCursor::End);
    bench.form->action(Command::EditPaste1)->trigger();
    QCOMPARE(source->toPlainText(), qs(" betaalpha"));
}

void MainWindowTest::hiddenEditorParametersEntryKeepsItsShortcut() {
    Bench bench;
    QMenu* project = bench.form->findChild<QMenu*>(QStringLiteral("ProjectMenu"));
    QVERIFY(project);
    QStringList visible;
    for (QAction* entry : project->actions())
        if (entry->isVisible() && !entry->isSeparator()) visible << entry->text();
    QCOMPARE(visible, (QStringList{qs("&Трансляция"), qs("&Параметры трансляции ...")}));

    QTest::keySequence(bench.form.get(), QKeySequence(QStringLiteral("Ctrl+Shift+F12")));
    QTest::keySequence(bench.form.get(), QKeySequence(QStringLiteral("Ctrl+Shift+F11")));
    QCOMPARE(bench.dialogs.transcript(), (QStringList{qs("Modal:EditPagesDlg"), qs("Modal:TranslatePagesDlg")}));
}

void MainWindowTest::hintsGoToStatusPanelZero() {
    Bench bench;
    QStatusTipEvent tip(bench.form->action(Command::Translate)->statusTip());
    QApplication::sendEvent(bench.form.get(), &tip);
    QCOMPARE(bench.form->statusPanelText(0), qs("Перевод программы"));
    QCOMPARE(bench.form->action(Command::Translate)->toolTip(), qs("Трансляция"));
    QAction* newButton = bench.form->findChild<QAction*>(QStringLiteral("FileNew1Button"));
    QVERIFY(newButton);
    QCOMPARE(newButton->toolTip(), qs("Новая программа"));
    QCOMPARE(newButton->statusTip(), qs("Создать новую программу"));
    QCOMPARE(bench.form->action(Command::FileNew1)->statusTip(), qs("Создать новый файл"));
}

void MainWindowTest::gaugeKeepsItsPositionInRange() {
    struct Case {
        int maximum;
        int position;
        int expectedPosition;
        int expectedPercent;
    };
    const Case cases[] = {
        {10, 9, 9, 90}, {17, 17, 17, 100}, {10, 25, 10, 100}, {10, -3, 0, 0}, {0, 5, 0, 0}, {3, 1, 1, 33},
    };
    for (const Case& c : cases) {
        GaugeState gauge;
        gauge.setMaximum(c.maximum);
        gauge.setPosition(c.position);
        QCOMPARE(gauge.position(), c.expectedPosition);
        QCOMPARE(gauge.percent(), c.expectedPercent);
    }
    // Lowering the maximum pulls the position along.
    GaugeState gauge;
    gauge.setMaximum(20);
    gauge.setPosition(15);
    gauge.setMaximum(10);
    QCOMPARE(gauge.position(), 10);

    TIndicatorForm indicator(nullptr);
    indicator.setCaption("Синтаксический анализ"_cp);
    QCOMPARE(indicator.captionText(), qs("Синтаксический анализ"));
    indicator.setMaximum(2);
    indicator.advance();
    indicator.advance();
    indicator.advance();
    QCOMPARE(indicator.gauge().position(), 2);
    QCOMPARE(indicator.size(), QSize(333, 65));
}

void MainWindowTest::aboutBoxShowsProductAndVersion() {
    QCOMPARE(versionText({2, 3, 4, 5}), qs("Версия 2.3.4.5"));
    TAboutBox about;
    QCOMPARE(about.versionLabelText(), qs("Версия 1.0.0.772"));
    QCOMPARE(about.productText(), qs("Транслятор \"Korvel  => DravoIL\""));
}

QObject* makeMainWindowTest() { return new MainWindowTest; }

#include "main_window_test.moc"
