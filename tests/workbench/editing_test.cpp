// The editing commands: find and replace, go to line, zoom and gutter, recent files and
// dropped files, highlighting (off by default, kept only when on) and the live check.
#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolBar>
#include <QToolTip>
#include <QUrl>

#include "workbench/code_editor.h"
#include "workbench/edit_pages_dlg.h"
#include "workbench/editing_commands.h"
#include "workbench/find_replace_bar.h"
#include "workbench/live_checker.h"
#include "workbench/text_search.h"
#include "workbench_bench.h"

namespace vestrel::workbench::testing {
namespace {

CodeEditor* sourceOf(TMDIChild* child) { return qobject_cast<CodeEditor*>(child->sourceEditor()); }

// "start-end" of the selection, so a comparison names both ends.
QString selection(const QPlainTextEdit* editor) {
    const QTextCursor cursor = editor->textCursor();
    return QStringLiteral("%1-%2").arg(cursor.selectionStart()).arg(cursor.selectionEnd());
}

// The formats the highlighter put on one line, as "start+length:bold/colour".
QStringList formatsOf(const QPlainTextEdit* editor, int line) {
    QStringList out;
    for (const QTextLayout::FormatRange& range : editor->document()->findBlockByNumber(line).layout()->formats())
        out << QStringLiteral("%1+%2:%3%4")
                   .arg(range.start)
                   .arg(range.length)
                   .arg(range.format.fontWeight() == QFont::Bold ? QStringLiteral("b") : QString())
                   .arg(range.format.foreground().color().name());
    return out;
}

QStringList settingsKeys(const QString& path) {
    QSettings settings(path, QSettings::IniFormat);
    return settings.allKeys();
}

bool waitForCheck(LiveChecker* checker) {
    QSignalSpy spy(checker, &LiveChecker::checked);
    return spy.wait(5000);
}

}  // namespace

class EditingTest final : public QObject {
    Q_OBJECT
private slots:
    void findGoesRoundTheEndAndFoldsCaseAsTheTranslator();
    void replaceOneAndReplaceAllInOneUndoStep();
    void goToLineRefusesALineTheTextDoesNotHave();
    void gutterCurrentLineAndZoom();
    void recentFilesKeepOrderAndDropMissingFiles();
    void droppedProgramFilesOpen();
    void highlightingIsOffByDefaultAndKeptOnlyWhenOn();
    void highlightingFollowsMacroDefinitionsAndColoursTheOutput();
    void liveCheckMarksAppearAndClear();
    void liveCheckDropsStaleResultsAndCanBeSwitchedOff();
};

void EditingTest::findGoesRoundTheEndAndFoldsCaseAsTheTranslator() {
    // The translator's case mapping: А-Я, Ё and the Latin capitals fold; nothing else.
    QCOMPARE(foldCase(qs("ДВ001 Ёлка ВКЛ abcXYZ ẞ")), qs("дв001 ёлка вкл abcxyz ẞ"));

    Bench bench;
    TMDIChild* child = bench.newWindow(qs("00 в ДВ001\n01 о дв001\n02 в дв002"));
    CodeEditor* editor = sourceOf(child);
    editor->setFocus();
    FindReplaceBar& bar = bench.form->editing().findBar();
    bench.form->editing().action(EditingCommand::Find)->trigger();
    QVERIFY(bench.form->editing().findToolBar().isVisible());
    bar.findField()->setText(qs("дв001"));

    struct Step {
        EditingCommand command;
        const char* selected;
        const char* status;
    };
    const Step steps[] = {
        {EditingCommand::FindNext, "5-10", ""},
        {EditingCommand::FindNext, "16-21", ""},
        {EditingCommand::FindNext, "5-10", "Поиск продолжен с начала"},
        {EditingCommand::FindPrevious, "16-21", "Поиск продолжен с конца"},
        {EditingCommand::FindPrevious, "5-10", ""},
    };
    for (const Step& step : steps) {
        bench.form->editing().action(step.command)->trigger();
        QCOMPARE(selection(editor), qs(step.selected));
        QCOMPARE(bar.status(), qs(step.status));
    }

    bar.caseBox()->setChecked(true);
    editor->moveCursor(QTextCursor::Start);
    QVERIFY(bar.findNext());
    QCOMPARE(selection(editor), qs("16-21"));
    bar.findField()->setText(qs("дв003"));
    QVERIFY(!bar.findNext());
    QCOMPARE(bar.status(), qs("Не найдено: дв003"));
    QCOMPARE(selection(editor), qs("16-21"));
}

void EditingTest::replaceOneAndReplaceAllInOneUndoStep() {
    Bench bench;
    const QString original = qs("00 в ДВ001\n01 о дв001\n02 в дв002");
    TMDIChild* child = bench.newWindow(original);
    CodeEditor* editor = sourceOf(child);
    editor->setFocus();
    bench.form->editing().action(EditingCommand::Replace)->trigger();
    FindReplaceBar& bar = bench.form->editing().findBar();
    QVERIFY(bar.replaceField()->isVisible());
    bar.findField()->setText(qs("дв001"));
    bar.replaceField()->setText(qs("дв010"));

    // Replace with no match selected only finds; the next one replaces it.
    editor->moveCursor(QTextCursor::Start);
    QVERIFY(bar.replaceOne());
    QCOMPARE(editor->toPlainText(), original);
    QVERIFY(bar.replaceOne());
    QCOMPARE(editor->toPlainText(), qs("00 в дв010\n01 о дв001\n02 в дв002"));
    QCOMPARE(selection(editor), qs("16-21"));
    editor->undo();
    QCOMPARE(editor->toPlainText(), original);

    QCOMPARE(bar.replaceAll(), 2);
    QCOMPARE(bar.status(), qs("Заменено: 2"));
    QCOMPARE(editor->toPlainText(), qs("00 в дв010\n01 о дв010\n02 в дв002"));
    editor->undo();
    QCOMPARE(editor->toPlainText(), original);

    // The output editors are read as well as the source: the bar works on the one focused.
    QPlainTextEdit* output = child->outputEditor(0);
    output->setPlainText(qs("  Q1 = 1; Q1 = 2"));
    output->setFocus();
    bar.findField()->setText(qs("q1"));
    bar.replaceField()->setText(qs("Q7"));
    QCOMPARE(bar.replaceAll(), 2);
    QCOMPARE(output->toPlainText(), qs("  Q7 = 1; Q7 = 2"));
    QCOMPARE(editor->toPlainText(), original);
}

void EditingTest::goToLineRefusesALineTheTextDoesNotHave() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("000.\n00 в дв001\n01 о дв002\n02 вск"));
    CodeEditor* editor = sourceOf(child);
    editor->setFocus();
    std::vector<std::pair<int, int>> asked;
    int answer = 0;
    bench.form->editing().setLineQuestion([&](int current, int last) -> std::optional<int> {
        asked.emplace_back(current, last);
        return answer;
    });
    QAction* command = bench.form->editing().action(EditingCommand::GoToLine);
    QCOMPARE(command->shortcut(), QKeySequence(QStringLiteral("Ctrl+G")));

    answer = 3;
    command->trigger();
    QCOMPARE(editor->textCursor().blockNumber(), 2);
    QCOMPARE(editor->textCursor().positionInBlock(), 0);
    for (int outside : {0, 5, -1}) {
        answer = outside;
        command->trigger();
        QCOMPARE(editor->textCursor().blockNumber(), 2);
        QCOMPARE(bench.dialogs.transcript().last(), qs("Information:Нет строки %1: в тексте строк 4.").arg(outside));
    }
    QCOMPARE(asked.front(), (std::pair<int, int>{1, 4}));
    QCOMPARE(asked.back(), (std::pair<int, int>{3, 4}));
}

void EditingTest::gutterCurrentLineAndZoom() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("000.\n00 в дв001"));
    CodeEditor* editor = sourceOf(child);
    editor->setFocus();
    // The gutter holds three digits and a marker, and more digits when the text has more lines.
    const int narrow = editor->gutterWidth();
    QCOMPARE(editor->gutter()->width(), narrow);
    QString many;
    for (int i = 0; i < 12000; ++i) many += qs("комментарий\n");
    editor->setPlainText(many);
    QVERIFY(editor->gutterWidth() > narrow);

    // The caret's line is highlighted across the width.
    editor->goToLine(7);
    const QList<QTextEdit::ExtraSelection> extra = editor->extraSelections();
    QCOMPARE(extra.size(), 1);
    QVERIFY(extra[0].format.boolProperty(QTextFormat::FullWidthSelection));
    QCOMPARE(extra[0].cursor.blockNumber(), 6);

    const int pixels = editor->font().pixelSize();
    EditingCommands& editing = bench.form->editing();
    editing.action(EditingCommand::ZoomIn)->trigger();
    editing.action(EditingCommand::ZoomIn)->trigger();
    QCOMPARE(editor->font().pixelSize(), pixels + 2);
    QWheelEvent wheel(QPointF(5, 5), editor->viewport()->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(editor->viewport(), &wheel);
    QCOMPARE(editor->font().pixelSize(), pixels + 1);
    QCOMPARE(editing.action(EditingCommand::ZoomReset)->shortcut(), QKeySequence(QStringLiteral("Ctrl+0")));
    editing.action(EditingCommand::ZoomReset)->trigger();
    QCOMPARE(editor->font().pixelSize(), pixels);
    // Other editors keep their size.
    QCOMPARE(child->outputEditor(0)->font().pixelSize(), pixels);
}

void EditingTest::recentFilesKeepOrderAndDropMissingFiles() {
    Bench bench;
    QStringList paths;
    for (int i = 0; i < 10; ++i) {
        paths << bench.path("") + QStringLiteral("p%1.prg").arg(i);
        writeFile(paths.last(), "000.\r\n");
    }
    for (int i = 0; i < 3; ++i) QVERIFY(bench.form->openByName(paths[i]));
    EditingCommands& editing = bench.form->editing();
    QCOMPARE(editing.recentFiles().files(), (QStringList{paths[2], paths[1], paths[0]}));
    QCOMPARE(editing.recentMenu().actions().size(), 3);
    QCOMPARE(editing.recentMenu().actions()[0]->text(), QStringLiteral("&1 ") + paths[2]);

    // Choosing an open one brings its window forward and moves it up; a missing file is
    // reported and leaves the list.
    editing.recentMenu().actions()[2]->trigger();
    QCOMPARE(bench.form->programWindows().size(), 3);
    QCOMPARE(bench.form->activeChild()->programName(), paths[0]);
    QCOMPARE(editing.recentFiles().files(), (QStringList{paths[0], paths[2], paths[1]}));
    QVERIFY(QFile::remove(paths[2]));
    editing.recentMenu().actions()[1]->trigger();
    QCOMPARE(bench.dialogs.transcript().last(), qs("Error:Файл не найден: ") + paths[2]);
    QCOMPARE(editing.recentFiles().files(), (QStringList{paths[0], paths[1]}));

    // A saved source counts too; the list keeps the eight newest.
    TMDIChild* fresh = bench.newWindow(qs("000."));
    const QString saved = bench.path("saved.prg");
    bench.dialogs.fileNames.push_back(saved);
    bench.form->FileSaveKorvelAs1Execute();
    QCOMPARE(fresh->programName(), saved);
    QCOMPARE(editing.recentFiles().files().front(), saved);
    for (int i = 3; i < 10; ++i) QVERIFY(bench.form->openByName(paths[i]));
    QCOMPARE(editing.recentFiles().files().size(), 8);
    QCOMPARE(editing.recentFiles().files().front(), paths[9]);
    QCOMPARE(editing.recentFiles().files().back(), saved);

    // Kept in the per-user file, never in Vestrel.ini.
    QCOMPARE(RecentFiles().files(), editing.recentFiles().files());
    QVERIFY(!fileBytes(bench.path("Vestrel.ini")).contains("prg"));
    QCOMPARE(UserSettings::path(), bench.path("user-settings.ini"));
}

void EditingTest::droppedProgramFilesOpen() {
    Bench bench;
    const QString program = bench.path("dropped.prg");
    writeFile(program, "000.\r\n00 \xe2 \xe4\xe2" "001\r\n");
    writeFile(bench.path("notes.txt"), "text");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(bench.path("notes.txt")), QUrl::fromLocalFile(program)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bench.form.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bench.form.get(), &drop);
    QCOMPARE(bench.form->programWindows().size(), 1);
    QCOMPARE(bench.form->activeChild()->programName(), program);
    QCOMPARE(bench.form->activeChild()->sourceEditor()->toPlainText(), qs("000.\n00 в дв001"));

    // Dropped on an editor, the file opens too and its name is not pasted.
    QWidget* viewport = bench.form->activeChild()->sourceEditor()->viewport();
    QDragEnterEvent onEditor(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &onEditor);
    QVERIFY(onEditor.isAccepted());
    QDropEvent dropOnEditor(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &dropOnEditor);
    QCOMPARE(bench.form->programWindows().size(), 2);
    QCOMPARE(bench.form->programWindows().front()->sourceEditor()->toPlainText(), qs("000.\n00 в дв001"));

    // Nothing but other files: the drop is not taken, and the editors do not paste the names.
    QMimeData other;
    other.setUrls({QUrl::fromLocalFile(bench.path("notes.txt"))});
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &other, Qt::LeftButton, Qt::NoModifier);
    refused.ignore();
    QApplication::sendEvent(bench.form.get(), &refused);
    QVERIFY(!refused.isAccepted());
}

void EditingTest::highlightingIsOffByDefaultAndKeptOnlyWhenOn() {
    {
        Bench bench;
        QAction* highlighting = bench.form->editing().action(EditingCommand::Highlighting);
        QVERIFY(highlighting->isCheckable());
        QVERIFY(!highlighting->isChecked());
        QCOMPARE(highlighting->text(), qs("Подсветка &синтаксиса"));
        TMDIChild* child = bench.newWindow(qs("000.\n00 в дв001"));
        QCOMPARE(formatsOf(child->sourceEditor(), 1), QStringList());
        QCOMPARE(settingsKeys(UserSettings::path()), QStringList());

        highlighting->trigger();
        // "00" section number green, " в " black, "дв001" bold black (the dialog's defaults).
        QCOMPARE(formatsOf(child->sourceEditor(), 1), (QStringList{qs("0+2:#00ff00"), qs("2+3:#000000"), qs("5+5:b#000000")}));
        QCOMPARE(settingsKeys(UserSettings::path()),
                 (QStringList{qs("Editor/Highlighting"), qs("Editor/IlStyles"), qs("Editor/KorvelStyles")}));

        // A change in the colour dialog shows at once and is kept: variables in red, not bold.
        TEditPagesDlg& dialog = bench.form->editPagesDlg();
        std::array<ElementStyle, kKorvelElementCount> korvel = dialog.korvelStyles();
        korvel[3] = {9, 15, false, false, false};
        dialog.setStyles(korvel, dialog.ilStyles());
        QCOMPARE(formatsOf(child->sourceEditor(), 1).last(), qs("5+5:#ff0000"));
        QSettings stored(UserSettings::path(), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("Editor/KorvelStyles")).toStringList()[3], qs("9,15,0,0,0"));
    }
}

void EditingTest::highlightingFollowsMacroDefinitionsAndColoursTheOutput() {
    // A later window (a restart) finds the option and the styles that were kept.
    Bench bench;
    QSettings(UserSettings::path(), QSettings::IniFormat)
        .setValue(QStringLiteral("Editor/Highlighting"), true);
    {
        QSettings stored(UserSettings::path(), QSettings::IniFormat);
        QStringList korvel;
        for (int i = 0; i < kKorvelElementCount; ++i) korvel << (i == 3 ? qs("9,15,1,0,0") : qs("0,15,0,0,0"));
        stored.setValue(QStringLiteral("Editor/KorvelStyles"), korvel);
        stored.setValue(QStringLiteral("Editor/IlStyles"), QStringList{qs("12,15,0,0,0"), qs("bad")});
    }
    TMainForm restarted(bench.dialogs, bench.path("Vestrel.ini"));
    EditingCommands& editing = restarted.editing();
    QVERIFY(editing.action(EditingCommand::Highlighting)->isChecked());
    QCOMPARE(restarted.editPagesDlg().korvelStyles()[3], (ElementStyle{9, 15, true, false, false}));
    QCOMPARE(restarted.editPagesDlg().ilStyles()[1], kIlDefaults[1]);

    restarted.show();
    restarted.FileNew1Execute();
    TMDIChild* child = restarted.activeChild();
    child->sourceEditor()->setPlainText(qs("/клапан дв001\n000.\n00 в клапан"));
    QApplication::processEvents();
    QCOMPARE(formatsOf(child->sourceEditor(), 2).last(), qs("5+6:b#ff0000"));
    // A changed definition reaches the lines after it.
    QTextCursor cursor(child->sourceEditor()->document()->findBlockByNumber(0));
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(qs("х"));  // "/клапан дв001х" names no variable
    QApplication::processEvents();
    QCOMPARE(formatsOf(child->sourceEditor(), 2), QStringList{qs("0+5:#000000")});

    // The IL output is coloured with the IL styles.
    QPlainTextEdit* output = child->outputEditor(1);
    output->setPlainText(qs("PROGRAM\n  Q0 TEST 1; JMPN M39 (* ключ *)"));
    QApplication::processEvents();
    // Q0 and M39 bold (variables), ";" cyan (signs), the comment blue; neighbours alike merge.
    QCOMPARE(formatsOf(output, 1), (QStringList{qs("0+2:#000000"), qs("2+2:b#000000"), qs("4+7:#000000"), qs("11+1:#00ffff"),
                                                qs("12+6:#000000"), qs("18+3:b#000000"), qs("21+1:#000000"),
                                                qs("22+10:#0000ff")}));

    // A text that redefines a macro on every line needs more tables than the highlighter
    // keeps; it starts afresh once and then keeps them all.
    QString redefinitions;
    for (int i = 0; i < 5000; ++i) redefinitions += qs("/клапан дв%1\n").arg(i % 512, 3, 8, QLatin1Char('0'));
    child->sourceEditor()->setPlainText(redefinitions + qs("000.\n00 в клапан"));
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    QCOMPARE(formatsOf(child->sourceEditor(), 5001).last(), qs("5+6:b#ff0000"));

    // Switched off, nothing is kept and the editors are plain again.
    editing.action(EditingCommand::Highlighting)->trigger();
    QCOMPARE(formatsOf(child->sourceEditor(), 2), QStringList());
    QCOMPARE(settingsKeys(UserSettings::path()), QStringList());
}

void EditingTest::liveCheckMarksAppearAndClear() {
    Bench bench;
    EditingCommands& editing = bench.form->editing();
    QVERIFY(editing.action(EditingCommand::LiveCheck)->isChecked());
    TMDIChild* child = bench.newWindow();
    CodeEditor* editor = sourceOf(child);
    LiveChecker* checker = editing.liveChecker(child);
    QVERIFY(checker);

    struct Case {
        const char* text;
        std::vector<EditorMark> marks;
    };
    const Case cases[] = {
        // A lexical message: from its column to the end of the item.
        {"000.\n00 в вд01", {{1, 5, 4, qs("Ошибка!!! (2,6).Неизвестная переменная")}}},
        {"000.\n00 в вд001 в", {{1, 11, 1, qs("Ошибка!!! (2,12).Фрагмент содержит несколько команд")}}},
        // A syntax message: the word it cites, on the line it cites.
        {"000.\n00 в дв001 дв002\n01 в дв003", {{2, 5, 5, qs("Ошибка!!! (3, слово №3).Синтаксическая ошибка!")}}},
        // Beyond the last line: the last line.
        {"000.\n00 в", {{1, 0, 2, qs("Ошибка!!! (3, слово №1).Синтаксическая ошибка!")}}},
        {"000.\n00 в дв001", {}},
    };
    for (const Case& c : cases) {
        editor->setPlainText(qs(c.text));
        QVERIFY(waitForCheck(checker));
        QCOMPARE(editor->marks(), c.marks);
    }

    // The marks show in the gutter and on hover; the message tree and output stay untouched.
    editor->setPlainText(qs("000.\n00 в вд01"));
    QVERIFY(waitForCheck(checker));
    QCOMPARE(editor->marksMessage(1), qs("Ошибка!!! (2,6).Неизвестная переменная"));
    QCOMPARE(editor->marksMessage(0), QString());
    const int inWord = editor->document()->findBlockByNumber(1).position() + 7;
    QVERIFY(editor->markAt(inWord));
    QVERIFY(!editor->markAt(inWord - 5));
    // Hovering over the word shows the message.
    QTextCursor atWord(editor->document());
    atWord.setPosition(inWord);
    const QPoint over = editor->cursorRect(atWord).center();
    QHelpEvent hover(QEvent::ToolTip, over, editor->viewport()->mapToGlobal(over));
    QApplication::sendEvent(editor->viewport(), &hover);
    QCOMPARE(QToolTip::text(), qs("Ошибка!!! (2,6).Неизвестная переменная"));
    QToolTip::hideText();
    const QList<QTextEdit::ExtraSelection> extra = editor->extraSelections();
    QCOMPARE(extra.size(), 2);
    QCOMPARE(extra[1].format.underlineStyle(), QTextCharFormat::WaveUnderline);
    QCOMPARE(extra[1].cursor.selectedText(), qs("вд01"));
    QVERIFY(!child->messagesShown());
    QCOMPARE(child->messageTree()->topLevelItemCount(), 0);
    QVERIFY(bench.sources.empty());
    QCOMPARE(bench.dialogs.calls.size(), std::size_t{0});
}

void EditingTest::liveCheckDropsStaleResultsAndCanBeSwitchedOff() {
    Bench bench;
    EditingCommands& editing = bench.form->editing();
    TMDIChild* child = bench.newWindow();
    CodeEditor* editor = sourceOf(child);
    LiveChecker* checker = editing.liveChecker(child);

    // A check of a text that is edited before its result arrives is dropped.
    editor->setPlainText(qs("000.\n00 в вд01"));
    checker->checkNow();
    QVERIFY(checker->busy());
    editor->setPlainText(qs("000.\n00 в вд001"));
    QVERIFY(waitForCheck(checker));
    QCOMPARE(checker->resultsDropped(), 1);
    QCOMPARE(editor->marks(), std::vector<EditorMark>{});

    // Typing waits for a pause before it checks.
    QTest::keyClicks(editor, QStringLiteral(" x"));
    QSignalSpy spy(checker, &LiveChecker::checked);
    QElapsedTimer typed;
    typed.start();
    QTest::qWait(LiveChecker::kPauseMs / 3);
    // (A machine too busy to come back within the pause proves nothing here.)
    if (typed.elapsed() < LiveChecker::kPauseMs) QCOMPARE(spy.count(), 0);
    QVERIFY(spy.wait(5000));
    QCOMPARE(editor->marks().size(), std::size_t{1});

    // Switched off: the marks go and nothing is checked; the choice is kept.
    editing.action(EditingCommand::LiveCheck)->trigger();
    QCOMPARE(editor->marks(), std::vector<EditorMark>{});
    QTest::keyClicks(editor, QStringLiteral(" x"));
    QVERIFY(!spy.wait(LiveChecker::kPauseMs * 2));
    QCOMPARE(editor->marks(), std::vector<EditorMark>{});
    QCOMPARE(settingsKeys(UserSettings::path()), QStringList{qs("Editor/LiveCheck")});
    editing.action(EditingCommand::LiveCheck)->trigger();
    QVERIFY(waitForCheck(checker));
    QCOMPARE(editor->marks().size(), std::size_t{1});
    QCOMPARE(settingsKeys(UserSettings::path()), QStringList());
}

}  // namespace vestrel::workbench::testing

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    vestrel::workbench::testing::EditingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "editing_test.moc"
