// The file commands driven offscreen: new and open, saving the source, saving the IL
// project, the questions asked when a window closes, and how failures are reported.
#include <QAction>
#include <QDir>

#include "translator/text/literal.h"

#include "workbench_bench.h"

using namespace vestrel;
using namespace vestrel::workbench;
using namespace vestrel::workbench::testing;
using namespace vestrel::text::literals;

class FileCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void saveOnNonameOpensSaveAs();
    void saveAsOntoExistingFileAsksFirst();
    void openLoadsTheFileIntoANewWindow();
    void closeQuestionsComeInOrder();
    void closingNonameWhoseSaveIsCancelledKeepsTheWindow();
    void saveIlProjectWritesExactlyThePresentSlots();
    void saveIlProjectAsAsksBeforeReplacing();
    void windowWithoutOutputIgnoresBothIlSaves();
    void failedSavesAreReportedAndChangeNothing();
    void exitAsksAboutUnsavedWork();
    void relativeNamesBecomeFullPaths();
};

void FileCommandsTest::saveOnNonameOpensSaveAs() {
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

void FileCommandsTest::saveAsOntoExistingFileAsksFirst() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("new text"));
    const QString target = bench.path("old.prg");
    writeFile(target, "old text\r\n");
    bench.dialogs.fileNames.push_back(target);
    bench.dialogs.answers.push_back(false);
    bench.form->action(Command::FileSaveKorvelAs1)->trigger();

    QCOMPARE(bench.dialogs.transcript(), (QStringList{qs("SaveFile:Сохранение программы"),
                                                      qs("Question:Файл ") + target + qs(" уже существует. Заменить его ?")}));
    QCOMPARE(fileBytes(target), QByteArray("old text\r\n"));
    QCOMPARE(child->programName(), qs("NONAME1"));
    QVERIFY(child->sourceModified());

    bench.dialogs.fileNames.push_back(target);
    bench.dialogs.answers.push_back(true);
    bench.form->action(Command::FileSaveKorvelAs1)->trigger();
    QCOMPARE(fileBytes(target), QByteArray("new text\r\n"));
    QCOMPARE(child->programName(), target);
}

void FileCommandsTest::openLoadsTheFileIntoANewWindow() {
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

void FileCommandsTest::closeQuestionsComeInOrder() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("x"));
    bench.translate(successfulRun({{0, {"init"}}}));
    QTest::keyClicks(child->sourceEditor(), QStringLiteral("y"));
    bench.form->action(Command::FileClose1)->trigger();
    QApplication::processEvents();

    QCOMPARE(bench.dialogs.transcript(), (QStringList{qs("AskToSave:IL-проект был изменен. Сохранить его ?"),
                                                      qs("AskToSave:Файл NONAME1 был изменен. Сохранить его ?")}));
    QTRY_VERIFY(bench.form->programWindows().isEmpty());
}

void FileCommandsTest::closingNonameWhoseSaveIsCancelledKeepsTheWindow() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("text"));
    bench.dialogs.saveAnswers.push_back(SaveAnswer::Save);
    bench.form->action(Command::FileClose1)->trigger();
    QApplication::processEvents();
    QCOMPARE(bench.dialogs.transcript(), (QStringList{qs("AskToSave:Файл NONAME1 был изменен. Сохранить его ?"),
                                                      qs("SaveFile:Сохранение программы")}));
    // The save dialog was cancelled: the window and its text stay.
    QCOMPARE(bench.form->programWindows(), QList<TMDIChild*>{child});
    QCOMPARE(child->sourceEditor()->toPlainText(), qs("text"));
    QVERIFY(child->sourceModified());
}

void FileCommandsTest::saveIlProjectWritesExactlyThePresentSlots() {
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

void FileCommandsTest::saveIlProjectAsAsksBeforeReplacing() {
    Bench bench;
    bench.newWindow(qs("x"));
    bench.translate(successfulRun({{0, {"init"}}}));
    QDir(bench.folder.path()).mkdir(QStringLiteral("plant"));
    writeFile(bench.path("plant/init.IL"), "old");

    bench.dialogs.fileNames.push_back(bench.path("plant.x"));
    bench.dialogs.answers.push_back(false);
    bench.form->action(Command::FileSaveILAs1)->trigger();
    QCOMPARE(bench.dialogs.transcript(), (QStringList{qs("SaveFile:Сохранение IL-проекта"),
                                                      qs("Question:IL-проект plant уже существует. Заменить его ?")}));
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

void FileCommandsTest::windowWithoutOutputIgnoresBothIlSaves() {
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

void FileCommandsTest::failedSavesAreReportedAndChangeNothing() {
    Bench bench;
    // A regular file where a folder should be makes every write below it fail, even for root.
    writeFile(bench.path("blocker"), "");
    TMDIChild* child = bench.newWindow(qs("x"));
    bench.dialogs.fileNames.push_back(bench.path("blocker/pump.prg"));
    bench.form->action(Command::FileSaveKorvelAs1)->trigger();
    QCOMPARE(bench.dialogs.transcript().last(), qs("Error:Не могу создать файл ") + bench.path("blocker/pump.prg"));
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

void FileCommandsTest::exitAsksAboutUnsavedWork() {
    // Exit from the menu and a close of the frame (Alt+F4, its close box) ask alike.
    enum class How { Menu, Frame };
    struct Case {
        How how;
        bool twoWindows;       // a second window with an edited source file
        SaveAnswer answer;
        bool saveDialogOpens;  // a save dialog is answered with a name, or cancelled
        bool ends;
        QStringList transcript;
    };
    const QString list = qs("AskToSave:Не сохранены:\n    IL-проект программы NONAME1\n    файл NONAME1\n    файл %1\nСохранить их ?");
    const QString single = qs("AskToSave:Файл NONAME1 был изменен. Сохранить его ?");
    const Case cases[] = {
        {How::Menu, true, SaveAnswer::Cancel, false, false, {list}},
        {How::Frame, true, SaveAnswer::Cancel, false, false, {list}},
        {How::Frame, true, SaveAnswer::Discard, false, true, {list}},
        // Saving the IL project of a NONAME window opens its dialog; cancelled, nothing ends.
        {How::Menu, true, SaveAnswer::Save, false, false, {list, qs("SaveFile:Сохранение IL-проекта")}},
        {How::Frame, false, SaveAnswer::Cancel, false, false, {qs("AskToSave:IL-проект был изменен. Сохранить его ?")}},
    };
    for (const Case& c : cases) {
        Bench bench;
        TMDIChild* noname = bench.newWindow(qs("edited"));
        bench.translate(successfulRun({{0, {"init"}}}));
        if (c.twoWindows) {
            const QString source = bench.path("pump.prg");
            writeFile(source, "x\r\n");
            TMDIChild* pump = bench.form->openByName(source);
            QTest::keyClicks(pump->sourceEditor(), QStringLiteral("y"));
        } else {
            noname->setSourceModified(false);
        }
        bench.dialogs.saveAnswers.push_back(c.answer);
        if (c.how == How::Menu)
            bench.form->action(Command::FileExit1)->trigger();
        else
            bench.form->close();
        QStringList expected;
        for (const QString& line : c.transcript) expected << (line.contains(QLatin1String("%1")) ? line.arg(bench.path("pump.prg")) : line);
        QCOMPARE(bench.dialogs.transcript(), expected);
        QCOMPARE(bench.form->isVisible(), !c.ends);
        QCOMPARE(bench.form->programWindows().size(), c.twoWindows ? 2 : 1);
        if (!c.ends) QCOMPARE(noname->sourceEditor()->toPlainText(), qs("edited"));
    }

    // Nothing unsaved: nothing is asked.
    Bench bench;
    bench.newWindow();
    bench.form->action(Command::FileExit1)->trigger();
    QVERIFY(bench.dialogs.calls.empty());
    QVERIFY(!bench.form->isVisible());
}

void FileCommandsTest::relativeNamesBecomeFullPaths() {
    Bench bench;
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(bench.folder.path()));
    bench.dialogs.fileNames.push_back(QStringLiteral("./missing.prg"));
    bench.form->action(Command::FileOpen1)->trigger();
    const QString opened = bench.form->activeChild() ? bench.form->activeChild()->programName() : QString();
    bench.dialogs.fileNames.push_back(QStringLiteral("sub/../pump.prg"));
    TMDIChild* saved = bench.newWindow(qs("x"));
    bench.form->action(Command::FileSaveKorvelAs1)->trigger();
    QDir::setCurrent(before);
    QCOMPARE(opened, bench.path("missing.prg"));
    QCOMPARE(saved->programName(), bench.path("pump.prg"));
    QCOMPARE(fileBytes(bench.path("pump.prg")), QByteArray("x\r\n"));
}

QObject* makeFileCommandsTest() { return new FileCommandsTest; }

#include "file_commands_test.moc"
