// The main window and the program window driven offscreen: translating, the message
// tree, the caret panel, the file commands, the IL project save and the close questions.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>

#include "scripted_dialogs.h"
#include "translator/text/literal.h"
#include "workbench/about_box.h"
#include "workbench/edit_pages_dlg.h"
#include "workbench/indicator_form.h"
#include "workbench/main_form.h"
#include "workbench/mdi_child.h"

using namespace vestrel;
using namespace vestrel::workbench;
using namespace vestrel::workbench::testing;
using namespace vestrel::text::literals;

namespace {

QString qs(const char* utf8) { return QString::fromUtf8(utf8); }

// A run that completed without messages; the listed slots received the given lines.
TranslationResult successfulRun(const std::vector<std::pair<int, std::vector<std::string>>>& filled) {
    TranslationResult result;
    result.tokenCount = 10;
    result.syntaxStatus = 0;
    for (const auto& [slot, lines] : filled) {
        result.slotLines[static_cast<std::size_t>(slot)] = lines;
        result.slotReceivedText[static_cast<std::size_t>(slot)] = true;
    }
    return result;
}

TranslationResult lexicalFailure() {
    TranslationResult result;
    result.tokenCount = 4;
    result.lexicalErrorCount = 2;
    result.diagnostics.AddLexicalError(2, 5, 4);
    result.diagnostics.AddLexicalError(4, 1, 4);
    return result;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A main window with scripted dialogs and a translate function that plays back results.
struct Bench {
    ScriptedDialogs dialogs;
    QTemporaryDir folder;
    std::unique_ptr<TMainForm> form;
    std::deque<TranslationResult> runs;
    std::vector<std::vector<std::string>> sources;  // what each run was given

    Bench() {
        form = std::make_unique<TMainForm>(dialogs, folder.filePath(QStringLiteral("Vestrel.ini")));
        form->setTranslateFunction([this](const std::vector<std::string>& lines, const TranslationOptions&, const RunHooks&) {
            sources.push_back(lines);
            TranslationResult result = runs.empty() ? TranslationResult{} : runs.front();
            if (!runs.empty()) runs.pop_front();
            return result;
        });
        form->resize(1000, 720);
        form->show();
        form->activateWindow();
        (void)QTest::qWaitForWindowActive(form.get());
    }
    TMDIChild* newWindow(const QString& text = {}) {
        form->action(Command::FileNew1)->trigger();
        TMDIChild* child = form->activeChild();
        if (!text.isEmpty()) {
            child->sourceEditor()->setPlainText(text);
            child->setSourceModified(true);  // as typed
        }
        QApplication::processEvents();
        return child;
    }
    void translate(TranslationResult result) {
        runs.push_back(std::move(result));
        press(QKeySequence(Qt::Key_F9));
    }
    // A key as the user presses it in the source editor; shortcuts need the main window
    // active, which a progress window that came and went may have taken away.
    void press(const QKeySequence& keys) {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::keySequence(form->activeChild()->sourceEditor(), keys);
        QApplication::processEvents();  // lets the layouts settle
    }
    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
};

// A double click as a user makes it: the first click selects, the second reports.
void doubleClick(QTreeWidget& tree, QPoint at) {
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, at);
}

QList<int> visibleTabs(const TMDIChild& child) {
    QList<int> tabs;
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (child.slotPresent(slot)) tabs << slot;
    return tabs;
}

}  // namespace

class WorkbenchTest : public QObject {
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
    void saveOnNonameOpensSaveAs();
    void saveAsOntoExistingFileAsksFirst();
    void openLoadsTheFileIntoANewWindow();
    void closeQuestionsComeInOrder();
    void closingNonameWithYesOpensSaveDialog();
    void saveIlProjectWritesExactlyThePresentSlots();
    void saveIlProjectAsAsksBeforeReplacing();
    void windowWithoutOutputIgnoresBothIlSaves();
    void realRunOfAnEmptyProgramShowsOnlyTheInitialisation();
    void noticesOfARunAreShownAsMessageBoxes();
    void failedSavesAreReportedAndChangeNothing();
    void exitAsksNothing();
    void windowMenuListsTheProgramWindows();
    void editCommandsFollowTheFocusedEditor();
    void hiddenEditorParametersEntryKeepsItsShortcut();
    void hintsGoToStatusPanelZero();
    void helpContentsReportsAMissingFile();
    void gaugeKeepsItsPositionInRange();
    void aboutBoxShowsProductAndVersion();
};

void WorkbenchTest::commandsWithoutWindowDoNothing() {
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

void WorkbenchTest::successfulRunShowsTabsOfSlotsThatReceivedText() {
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

void WorkbenchTest::lexicalFailureShowsGroupAndKeepsPreviousTexts() {
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

void WorkbenchTest::parameterMessagesLoadTextsButLeaveOutputHidden() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("x"));
    bench.translate(successfulRun({{0, {"old"}}, {1, {"old1"}}}));
    TranslationResult run = successfulRun({{0, {"new"}}, {3, {"new3"}}});
    run.diagnostics.AddSyntaxError(4, 2, 5);
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

void WorkbenchTest::syntaxErrorEmptiesTheOutputEditors() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("x"));
    bench.translate(successfulRun({{0, {"old"}}}));
    TranslationResult run;
    run.tokenCount = 3;
    run.syntaxStatus = 0xF300;
    run.diagnostics.AddSyntaxError(0, 1, 1);
    bench.translate(run);

    QVERIFY(!child->outputShown());
    QVERIFY(child->messagesShown());
    QCOMPARE(child->outputEditor(0)->toPlainText(), QString());
    QCOMPARE(child->messageTree()->topLevelItem(0)->text(0), qs("Ошибка!!! (1, слово №1).Синтаксическая ошибка!"));
}

void WorkbenchTest::unconvertibleCharacterIsReportedBeforeTranslating() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("000. Насос\n00 в ✓1"));
    bench.translate(successfulRun({{0, {"init"}}}));
    QVERIFY(bench.sources.empty());
    QCOMPARE(bench.dialogs.transcript(),
             QStringList{qs("Error:Строка 2, позиция 6: символ «✓» (U+2713) не входит в кодовую страницу 1251.")});
    QCOMPARE(child->state(), TMDIChild::State::Opened);
}

void WorkbenchTest::doubleClickJumpsToTheCitedLine() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("line one\nline two\nthird line here\nfour"));
    child->setSourceModified(false);
    TranslationResult run;
    run.tokenCount = 3;
    run.syntaxStatus = 0xF300;
    run.diagnostics.AddSyntaxError(2, 4, 1);  // cites line 3
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
    // A message citing a line beyond the end changes nothing either.
    TranslationResult beyond;
    beyond.tokenCount = 3;
    beyond.syntaxStatus = 0xF300;
    beyond.diagnostics.AddSyntaxError(40, 1, 1);
    bench.translate(beyond);
    tree->setCurrentItem(tree->topLevelItem(0));
    child->MessageTreeViewDblClick();
    QCOMPARE(child->sourceEditor()->textCursor().position(), 0);
}

void WorkbenchTest::caretPanelReportsLineAndColumn() {
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

void WorkbenchTest::newWindowsAreNumbered() {
    Bench bench;
    bench.newWindow();
    bench.newWindow();
    TMDIChild* third = bench.newWindow();
    QCOMPARE(third->programName(), qs("NONAME3"));
    QCOMPARE(bench.form->programWindows().size(), 3);
    QVERIFY(bench.form->action(Command::FileClose1)->isEnabled());
}

void WorkbenchTest::saveOnNonameOpensSaveAs() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("Насос\n00 в дв001"));
    const QString target = bench.path("pump.prg");
    bench.dialogs.fileNames.push_back(target);
    bench.form->action(Command::FileSaveKorvel1)->trigger();

    QCOMPARE(bench.dialogs.calls.size(), std::size_t(2));
    QCOMPARE(bench.dialogs.calls[0].kind, DialogCall::SaveFile);
    QCOMPARE(bench.dialogs.calls[0].request.filter, qs("Фаилы PRG|*.prg"));
    QCOMPARE(bench.dialogs.calls[0].request.defaultExtension, qs("prg"));
    QCOMPARE(bench.dialogs.transcript()[1], qs("Information:KORVEL-Проект успешно сохранен"));
    QCOMPARE(fileBytes(target), QByteArray("\xcd\xe0\xf1\xee\xf1\r\n00 \xe2 \xe4\xe2\x30\x30\x31\r\n"));
    QCOMPARE(child->programName(), target);
    QVERIFY(!child->sourceModified());

    // A later Save writes there without a dialog.
    child->sourceEditor()->setPlainText(qs("x"));
    bench.dialogs.calls.clear();
    bench.form->action(Command::FileSaveKorvel1)->trigger();
    QCOMPARE(bench.dialogs.transcript(), QStringList{qs("Information:KORVEL-Проект успешно сохранен")});
    QCOMPARE(fileBytes(target), QByteArray("x\r\n"));
}

void WorkbenchTest::saveAsOntoExistingFileAsksFirst() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("new text"));
    const QString target = bench.path("old.prg");
    writeFile(target, "old text\r\n");
    bench.dialogs.fileNames.push_back(target);
    bench.dialogs.answers.push_back(false);
    bench.form->action(Command::FileSaveKorvelAs1)->trigger();

    QCOMPARE(bench.dialogs.transcript(), (QStringList{qs("SaveFile:"), qs("Question:Файл ") + target + qs(" уже существует. Заменить его ?")}));
    QCOMPARE(fileBytes(target), QByteArray("old text\r\n"));
    QCOMPARE(child->programName(), qs("NONAME1"));
    QVERIFY(child->sourceModified());

    bench.dialogs.fileNames.push_back(target);
    bench.dialogs.answers.push_back(true);
    bench.form->action(Command::FileSaveKorvelAs1)->trigger();
    QCOMPARE(fileBytes(target), QByteArray("new text\r\n"));
    QCOMPARE(child->programName(), target);
}

void WorkbenchTest::openLoadsTheFileIntoANewWindow() {
    Bench bench;
    const QString source = bench.path("open.prg");
    writeFile(source, "\xcd\xe0\xf1\xee\xf1\r\n000. x\r\n");
    bench.dialogs.fileNames.push_back(source);
    bench.form->action(Command::FileOpen1)->trigger();

    QCOMPARE(bench.dialogs.calls[0].request.title, qs("Загрузка программы"));
    QCOMPARE(bench.dialogs.calls[0].request.filter, qs("Все файлы (*.*)|*.*|Формат PRG (*.prg)|*.prg"));
    QCOMPARE(bench.dialogs.calls[0].request.filterIndex, 2);
    TMDIChild* child = bench.form->activeChild();
    QCOMPARE(child->programName(), source);
    QCOMPARE(child->sourceEditor()->toPlainText(), qs("Насос\n000. x"));
    QVERIFY(!child->sourceModified());

    // A typed name of a missing file opens an empty window of that name.
    bench.dialogs.fileNames.push_back(bench.path("missing.prg"));
    bench.form->action(Command::FileOpen1)->trigger();
    QCOMPARE(bench.form->activeChild()->programName(), bench.path("missing.prg"));
    QCOMPARE(bench.form->activeChild()->sourceEditor()->toPlainText(), QString());
    QCOMPARE(bench.form->programWindows().size(), 2);
}

void WorkbenchTest::closeQuestionsComeInOrder() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("x"));
    bench.translate(successfulRun({{0, {"init"}}}));
    QTest::keyClicks(child->sourceEditor(), QStringLiteral("y"));
    bench.form->action(Command::FileClose1)->trigger();
    QApplication::processEvents();

    QCOMPARE(bench.dialogs.transcript(), (QStringList{qs("Question:IL-проект был изменен. Сохранить его ?"),
                                                      qs("Question:Файл NONAME1 был изменен. Сохранить его ?")}));
    QTRY_VERIFY(bench.form->programWindows().isEmpty());
}

void WorkbenchTest::closingNonameWithYesOpensSaveDialog() {
    Bench bench;
    bench.newWindow(qs("text"));
    bench.dialogs.answers.push_back(true);
    bench.form->action(Command::FileClose1)->trigger();
    QCOMPARE(bench.dialogs.transcript(), (QStringList{qs("Question:Файл NONAME1 был изменен. Сохранить его ?"), qs("SaveFile:")}));
    QTRY_VERIFY(bench.form->programWindows().isEmpty());
}

void WorkbenchTest::saveIlProjectWritesExactlyThePresentSlots() {
    Bench bench;
    const QString source = bench.path("pump.prg");
    writeFile(source, "000. x\r\n");
    TMDIChild* child = bench.form->openByName(source);
    bench.translate(successfulRun({{0, {"A", "B"}}, {1, {"PROGRAM"}}, {4, {}}}));
    QDir(bench.folder.path()).mkdir(QStringLiteral("pump"));
    writeFile(bench.path("pump/2.IL"), "stale");
    writeFile(bench.path("pump/16.IL"), "stale");
    writeFile(bench.path("pump/notes.txt"), "kept");

    bench.press(QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(bench.dialogs.transcript(), QStringList{qs("Information:IL-Проект успешно сохранен")});
    QDir project(bench.path("pump"));
    QCOMPARE(project.entryList(QDir::Files, QDir::Name),
             (QStringList{QStringLiteral("1.IL"), QStringLiteral("4.IL"), QStringLiteral("init.IL"), QStringLiteral("notes.txt")}));
    QCOMPARE(fileBytes(bench.path("pump/init.IL")), QByteArray("A\r\r\nB\r\r\n"));
    QCOMPARE(fileBytes(bench.path("pump/1.IL")), QByteArray("PROGRAM\r\r\n"));
    QCOMPARE(fileBytes(bench.path("pump/4.IL")), QByteArray());
    QVERIFY(!child->anyOutputModified());

    // After the save, closing asks nothing about the IL project.
    bench.dialogs.calls.clear();
    bench.form->action(Command::FileClose1)->trigger();
    QVERIFY(bench.dialogs.calls.empty());
}

void WorkbenchTest::saveIlProjectAsAsksBeforeReplacing() {
    Bench bench;
    bench.newWindow(qs("x"));
    bench.translate(successfulRun({{0, {"init"}}}));
    QDir(bench.folder.path()).mkdir(QStringLiteral("plant"));
    writeFile(bench.path("plant/init.IL"), "old");

    bench.dialogs.fileNames.push_back(bench.path("plant.x"));
    bench.dialogs.answers.push_back(false);
    bench.form->action(Command::FileSaveILAs1)->trigger();
    QCOMPARE(bench.dialogs.transcript(), (QStringList{qs("SaveFile:"), qs("Question:IL-проект plant уже существует. Заменить его ?")}));
    QCOMPARE(bench.dialogs.calls[0].request.filter, qs("Все файлы|*.*"));
    QCOMPARE(bench.dialogs.calls[0].request.defaultExtension, QString());
    QCOMPARE(fileBytes(bench.path("plant/init.IL")), QByteArray("old"));

    bench.dialogs.calls.clear();
    bench.dialogs.fileNames.push_back(bench.path("plant.x"));
    bench.dialogs.answers.push_back(true);
    bench.form->action(Command::FileSaveILAs1)->trigger();
    QCOMPARE(bench.dialogs.transcript().last(), qs("Information:IL-Проект успешно сохранен"));
    QCOMPARE(fileBytes(bench.path("plant/init.IL")), QByteArray("init\r\r\n"));
    // The window keeps its name.
    QCOMPARE(bench.form->activeChild()->programName(), qs("NONAME1"));
}

void WorkbenchTest::windowWithoutOutputIgnoresBothIlSaves() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("x"));
    bench.form->action(Command::FileSaveIL1)->trigger();
    bench.form->action(Command::FileSaveILAs1)->trigger();
    // A failed run leaves no output to save either.
    bench.translate(lexicalFailure());
    bench.form->action(Command::FileSaveIL1)->trigger();
    bench.form->action(Command::FileSaveILAs1)->trigger();
    QVERIFY(bench.dialogs.calls.empty());
    QVERIFY(!child->outputShown());
}

void WorkbenchTest::realRunOfAnEmptyProgramShowsOnlyTheInitialisation() {
    Bench bench;
    bench.form->setTranslateFunction(&runTranslation);
    TMDIChild* child = bench.newWindow();
    bench.press(QKeySequence(Qt::Key_F9));
    QCOMPARE(visibleTabs(*child), QList<int>{0});
    QVERIFY(child->outputShown());
    QVERIFY(child->outputEditor(0)->toPlainText().startsWith(qs("PROGRAM")));
    QVERIFY(bench.dialogs.calls.empty());
}

void WorkbenchTest::noticesOfARunAreShownAsMessageBoxes() {
    Bench bench;
    bench.form->setTranslateFunction([](const std::vector<std::string>&, const TranslationOptions&, const RunHooks& hooks) {
        hooks.progress->setCaption("Лексический анализ"_cp);
        hooks.notices->notice("Не хватает переменных W"_cp);
        return successfulRun({{0, {"init"}}});
    });
    bench.newWindow(qs("x"));
    bench.press(QKeySequence(Qt::Key_F9));
    QCOMPARE(bench.dialogs.transcript(), QStringList{qs("Notice:Не хватает переменных W")});
}

void WorkbenchTest::failedSavesAreReportedAndChangeNothing() {
    Bench bench;
    // A regular file where a folder should be makes every write below it fail, even for root.
    writeFile(bench.path("blocker"), "");
    TMDIChild* child = bench.newWindow(qs("x"));
    bench.dialogs.fileNames.push_back(bench.path("blocker/pump.prg"));
    bench.form->action(Command::FileSaveKorvelAs1)->trigger();
    QCOMPARE(bench.dialogs.transcript().last(), qs("Error:Cannot create file ") + bench.path("blocker/pump.prg"));
    QCOMPARE(child->programName(), qs("NONAME1"));
    QVERIFY(child->sourceModified());

    TMDIChild* blocked = bench.form->openByName(bench.path("blocker/plant.prg"));
    bench.translate(successfulRun({{0, {"init"}}}));
    bench.dialogs.calls.clear();
    bench.form->action(Command::FileSaveIL1)->trigger();
    QCOMPARE(bench.dialogs.transcript(), QStringList{qs("Information:Не могу создать каталог: ") + bench.path("blocker/plant")});
    QVERIFY(blocked->anyOutputModified());

    // A stale slot file that cannot go (a folder of that name) stops the save there.
    const QString source = bench.path("pump.prg");
    writeFile(source, "x\r\n");
    TMDIChild* pump = bench.form->openByName(source);
    bench.translate(successfulRun({{0, {"init"}}}));
    QVERIFY(QDir(bench.folder.path()).mkpath(QStringLiteral("pump/2.IL")));
    writeFile(bench.path("pump/2.IL/keep"), "x");
    bench.dialogs.calls.clear();
    bench.form->action(Command::FileSaveIL1)->trigger();
    QCOMPARE(bench.dialogs.transcript(), QStringList{qs("Information:Не могу удалить : ") + bench.path("pump/2.IL")});
    QCOMPARE(fileBytes(bench.path("pump/init.IL")), QByteArray("init\r\r\n"));
    QVERIFY(pump->anyOutputModified());
}

void WorkbenchTest::exitAsksNothing() {
    Bench bench;
    bench.newWindow(qs("edited"));
    bench.translate(successfulRun({{0, {"init"}}}));
    bench.form->action(Command::FileExit1)->trigger();
    QVERIFY(bench.dialogs.calls.empty());
    QVERIFY(!bench.form->isVisible());
}

void WorkbenchTest::windowMenuListsTheProgramWindows() {
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

void WorkbenchTest::editCommandsFollowTheFocusedEditor() {
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

void WorkbenchTest::hiddenEditorParametersEntryKeepsItsShortcut() {
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

void WorkbenchTest::hintsGoToStatusPanelZero() {
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

void WorkbenchTest::helpContentsReportsAMissingFile() {
    Bench bench;
    QTest::keyClick(bench.form.get(), Qt::Key_F1);
    const QString path = QCoreApplication::applicationDirPath() + qs("/VESTREL.HLP");
    QCOMPARE(bench.dialogs.transcript(), (QStringList{qs("Help:") + path, qs("Error:Не могу открыть файл справки: ") + path}));
}

void WorkbenchTest::gaugeKeepsItsPositionInRange() {
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

void WorkbenchTest::aboutBoxShowsProductAndVersion() {
    QCOMPARE(versionText({2, 3, 4, 5}), qs("Версия 2.3.4.5"));
    TAboutBox about;
    QCOMPARE(about.versionLabelText(), qs("Версия 1.0.0.772"));
    QCOMPARE(about.productText(), qs("Транслятор \"Korvel  => DravoIL\""));
}

QTEST_MAIN(WorkbenchTest)
#include "workbench_test.moc"
