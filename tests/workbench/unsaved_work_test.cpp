// Work is never lost without a word: the "*" of unsaved windows, closing with Cancel,
// F9 over IL corrected by hand, a source changed by another program, and a name typed
// in the real save dialog meaning the file even beside a folder of that name.
#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include "workbench/file_name_dialog.h"

#include "workbench_bench.h"

using namespace vestrel;
using namespace vestrel::workbench;
using namespace vestrel::workbench::testing;

class UnsavedWorkTest : public QObject {
    Q_OBJECT
private slots:
    void captionShowsAStarWhileWorkIsUnsaved();
    void cancelledCloseKeepsTheWindow();
    void translateOverHandEditedIlAsksFirst();
    void sourceChangedOnDiskIsOfferedForReload();
    void typedNameBesideAFolderMeansTheFile();
    void typedNameOfAProjectFolderAsksToReplaceIt();
};

void UnsavedWorkTest::captionShowsAStarWhileWorkIsUnsaved() {
    Bench bench;
    TMDIChild* child = bench.newWindow();
    QMdiSubWindow* sub = bench.form->subWindowOf(child);
    const auto shows = [&](const QString& caption) {
        QCOMPARE(child->caption(), caption);
        QCOMPARE(sub->isWindowModified(), caption.endsWith(QLatin1Char('*')));
    };
    shows(qs("NONAME1"));
    QTest::keyClicks(child->sourceEditor(), QStringLiteral("000. x"));
    shows(qs("NONAME1*"));
    const QString target = bench.path("pump.prg");
    bench.dialogs.fileNames.push_back(target);
    bench.form->action(Command::FileSaveKorvel1)->trigger();
    shows(target);
    // The output of a run is unsaved until the IL project is saved.
    bench.translate(successfulRun({{0, {"init"}}}));
    shows(target + qs("*"));
    bench.form->action(Command::FileSaveIL1)->trigger();
    shows(target);
    // The window list shows the same caption.
    QTest::keyClicks(child->sourceEditor(), QStringLiteral("y"));
    emit bench.form->findChild<QMenu*>(QStringLiteral("WindowMenu"))->aboutToShow();
    QStringList entries;
    for (QAction* entry : bench.form->findChild<QMenu*>(QStringLiteral("WindowMenu"))->actions())
        if (entry->isCheckable()) entries << entry->text();
    QCOMPARE(entries, QStringList{qs("&1 ") + target + qs("*")});
}

void UnsavedWorkTest::cancelledCloseKeepsTheWindow() {
    struct Case {
        SaveAnswer ilAnswer;
        SaveAnswer sourceAnswer;
        bool closes;
        int questions;
    };
    const Case cases[] = {
        {SaveAnswer::Cancel, SaveAnswer::Discard, false, 1},
        {SaveAnswer::Discard, SaveAnswer::Cancel, false, 2},
        {SaveAnswer::Discard, SaveAnswer::Discard, true, 2},
    };
    for (const Case& c : cases) {
        Bench bench;
        TMDIChild* child = bench.newWindow(qs("x"));
        bench.translate(successfulRun({{0, {"init"}}}));
        bench.dialogs.saveAnswers = {c.ilAnswer, c.sourceAnswer};
        bench.form->subWindowOf(child)->close();
        QApplication::processEvents();
        QCOMPARE(int(bench.dialogs.calls.size()), c.questions);
        QCOMPARE(bench.form->programWindows().isEmpty(), c.closes);
    }
}

void UnsavedWorkTest::translateOverHandEditedIlAsksFirst() {
    const QString question = qs("AskToSave:IL-проект был изменен вручную и не сохранен. Трансляция заменит его. Сохранить его ?");
    struct Case {
        SaveAnswer answer;
        bool runs;
        const char* outputAfter;
        QByteArray savedInit;
    };
    const Case cases[] = {
        {SaveAnswer::Cancel, false, "init corrected", "<missing>"},
        {SaveAnswer::Discard, true, "second", "<missing>"},
        {SaveAnswer::Save, true, "second", "init corrected\r\r\n"},
    };
    for (const Case& c : cases) {
        Bench bench;
        const QString source = bench.path("pump.prg");
        writeFile(source, "x\r\n");
        TMDIChild* child = bench.form->openByName(source);
        bench.translate(successfulRun({{0, {"init"}}}));
        // A second run over output nobody touched asks nothing.
        bench.translate(successfulRun({{0, {"init"}}}));
        QVERIFY(bench.dialogs.calls.empty());

        QPlainTextEdit* output = child->outputEditor(0);
        output->moveCursor(QTextCursor::End);
        QTest::keyClicks(output, QStringLiteral(" corrected"));
        bench.dialogs.saveAnswers.push_back(c.answer);
        bench.translate(successfulRun({{0, {"second"}}}));
        QCOMPARE(bench.dialogs.transcript().value(0), question);
        QCOMPARE(int(bench.sources.size()), c.runs ? 3 : 2);
        QCOMPARE(output->toPlainText(), qs(c.outputAfter));
        QCOMPARE(fileBytes(bench.path("pump/init.IL")), c.savedInit);
    }
}

void UnsavedWorkTest::sourceChangedOnDiskIsOfferedForReload() {
    Bench bench;
    const QString source = bench.path("pump.prg");
    writeFile(source, "first\r\n");
    TMDIChild* pump = bench.form->openByName(source);
    TMDIChild* other = bench.newWindow();
    const QString question = qs("Question:Файл ") + source + qs(" изменен другой программой. Загрузить его заново ?");
    const auto activate = [&](TMDIChild* child) {
        bench.form->mdiArea()->setActiveSubWindow(bench.form->subWindowOf(child));
        QApplication::processEvents();
    };

    // Another program writes the file; coming back to the window asks. "No" keeps the
    // window's text and that version is not asked about again.
    writeFile(source, "second version\r\n");
    activate(pump);
    QCOMPARE(bench.dialogs.transcript(), QStringList{question});
    QCOMPARE(pump->sourceEditor()->toPlainText(), qs("first"));
    activate(other);
    activate(pump);
    QCOMPARE(bench.dialogs.calls.size(), std::size_t(1));

    // A later change asks again; "Yes" loads it, with edits in the window named as lost.
    QTest::keyClicks(pump->sourceEditor(), QStringLiteral("!"));
    activate(other);
    writeFile(source, "third\r\n");
    bench.dialogs.answers.push_back(true);
    activate(pump);
    QCOMPARE(bench.dialogs.transcript().last(),
             qs("Question:Файл ") + source + qs(" изменен другой программой. Загрузить его заново ?\nИзменения, сделанные в окне, будут потеряны."));
    QCOMPARE(pump->sourceEditor()->toPlainText(), qs("third"));
    QVERIFY(!pump->sourceModified());

    // Saving from the window is no change by another program.
    bench.dialogs.calls.clear();
    bench.form->action(Command::FileSaveKorvel1)->trigger();
    activate(other);
    activate(pump);
    QCOMPARE(bench.dialogs.transcript(), QStringList{qs("Information:KORVEL-Проект успешно сохранен")});
}

void UnsavedWorkTest::typedNameBesideAFolderMeansTheFile() {
    struct Case {
        const char* folder;     // a folder that exists
        const char* typed;      // what the user types before Enter
        const char* extension;  // the dialog's default extension
        const char* chosen;     // the name the dialog hands back
    };
    const Case cases[] = {
        {"pump", "pump", "prg", "pump.prg"},     // Save source program as
        {"newproj", "newproj", "", "newproj"},  // Save IL project as: the project folder
        {"pump", "pump.prg", "prg", "pump.prg"},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QString::fromLatin1(c.folder)));
        const QString before = QDir::currentPath();
        QDir::setCurrent(folder.path());
        QtUserDialogs dialogs;
        QString title;
        // The dialog runs modally; the user's typing comes from a timer inside its loop.
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<FileNameDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            title = dialog->windowTitle();
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(edit);
            edit->setText(QString::fromLatin1(c.typed));
            QTest::keyClick(edit, Qt::Key_Return);
            // A dialog that went into the folder instead is closed, so the test ends.
            QTimer::singleShot(200, dialog, [dialog] { dialog->reject(); });
        });
        const std::optional<QString> chosen =
            dialogs.saveFileName({qs("Сохранение программы"), qs("Фаилы PRG|*.prg"), 1, QString::fromLatin1(c.extension)});
        QDir::setCurrent(before);
        QCOMPARE(title, qs("Сохранение программы"));
        QCOMPARE(chosen.value_or(QStringLiteral("<cancelled>")), folder.filePath(QString::fromLatin1(c.chosen)));
    }
}

void UnsavedWorkTest::typedNameOfAProjectFolderAsksToReplaceIt() {
    // The whole story with the real dialogs: F9, Save IL project as, "newproj" typed
    // beside the project folder of that name, Enter; the replace question comes up.
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("newproj")));
    writeFile(folder.filePath(QStringLiteral("newproj/init.IL")), "old");
    const QString before = QDir::currentPath();
    QDir::setCurrent(folder.path());
    QtUserDialogs dialogs;
    TMainForm form(dialogs, folder.filePath(QStringLiteral("Vestrel.ini")));
    dialogs.setParent(&form);
    form.setTranslateFunction([](std::string_view, const TranslationOptions&, const RunHooks&) {
        return successfulRun({{0, {"init"}}});
    });
    form.show();
    form.FileNew1Execute();
    form.TranslateExecute();

    // The user at the modal windows in turn: types the name, answers Yes, reads the result.
    QStringList seen;
    QTimer user;
    user.setInterval(20);
    int step = 0;
    QObject::connect(&user, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<FileNameDialog*>(modal); dialog && step == 0) {
            ++step;
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            edit->setText(QStringLiteral("newproj"));
            QTest::keyClick(edit, Qt::Key_Return);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            ++step;
            seen << box->text();
            box->button(box->button(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok)->click();
        } else if (modal && step > 4) {
            modal->close();  // anything else: the test must not hang
        } else if (modal) {
            ++step;
        }
    });
    user.start();
    form.FileSaveILAs1Execute();
    user.stop();
    QDir::setCurrent(before);
    QCOMPARE(seen, (QStringList{qs("IL-проект newproj уже существует. Заменить его ?"), qs("IL-Проект успешно сохранен")}));
    QCOMPARE(fileBytes(folder.filePath(QStringLiteral("newproj/init.IL"))), QByteArray("init\r\r\n"));
    QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("newproj/newproj"))));
}

QObject* makeUnsavedWorkTest() { return new UnsavedWorkTest; }

#include "unsaved_work_test.moc"
