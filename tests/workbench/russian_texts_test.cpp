// Every text a user sees is Russian: the main window with its menus, context menus and
// window system menus, the dialogs, the file dialogs and the message boxes, and the
// messages of the commands.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTabBar>
#include <QTimer>
#include <QTreeView>

#include "workbench/about_box.h"
#include "workbench/edit_pages_dlg.h"
#include "workbench/file_name_dialog.h"
#include "workbench/translate_pages_dlg.h"

#include "workbench_bench.h"

using namespace vestrel;
using namespace vestrel::workbench;
using namespace vestrel::workbench::testing;

namespace {

// Latin words that are names, not English: the product and languages, file types, the
// name of programs without a file, and the button caption "OK".
const QStringList kNames = {QStringLiteral("Vestrel"), QStringLiteral("Korvel"), QStringLiteral("KORVEL"),
                            QStringLiteral("Dravo"),   QStringLiteral("DravoIL"), QStringLiteral("IL"),
                            QStringLiteral("PRG"),     QStringLiteral("prg"),     QStringLiteral("NONAME"),
                            QStringLiteral("OK")};
// Texts kept exactly as the system has always shown them: the caption of the notices.
const QStringList kKeptTexts = {QStringLiteral("Message Box")};

// The text itself when it holds an English word; nothing otherwise. Access-key marks and
// the shortcut after a tab do not count.
QString english(const QString& shown) {
    const QString text = QString(shown).remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    if (kKeptTexts.contains(text)) return {};
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    for (auto it = word.globalMatch(text); it.hasNext();)
        if (!kNames.contains(it.next().captured())) return text;
    return {};
}

struct Collector {
    QStringList found;
    void text(const QString& where, const QString& shown) {
        if (const QString bad = english(shown); !bad.isEmpty()) found << where + QStringLiteral(": ") + bad;
    }
    void menu(const QString& where, const QMenu& menu) {
        text(where, menu.title());
        for (const QAction* action : menu.actions())
            if (action->isVisible() && !action->isSeparator()) text(where, action->text());
    }
    // The texts of a window and of its visible widgets; file and folder names shown in
    // lists and in the folder box are the user's, not the program's.
    void window(QWidget& root) {
        const QString where = root.objectName();
        text(where, root.windowTitle());
        for (QWidget* widget : root.findChildren<QWidget*>()) {
            if (!widget->isVisibleTo(&root)) continue;
            if (auto* label = qobject_cast<QLabel*>(widget)) text(where, label->text());
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) text(where, button->text());
            if (auto* group = qobject_cast<QGroupBox*>(widget)) text(where, group->title());
            if (auto* edit = qobject_cast<QLineEdit*>(widget)) text(where, edit->placeholderText());
            if (auto* tabs = qobject_cast<QTabBar*>(widget))
                for (int i = 0; i < tabs->count(); ++i)
                    if (tabs->isTabVisible(i)) text(where, tabs->tabText(i));
            if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->objectName() != QLatin1String("lookInCombo"))
                for (int i = 0; i < combo->count(); ++i) text(where, combo->itemText(i));
            if (auto* header = qobject_cast<QHeaderView*>(widget); header && header->model())
                for (int i = 0; i < header->count(); ++i)
                    if (!header->isSectionHidden(i))
                        text(where, header->model()->headerData(i, header->orientation()).toString());
            if (auto* bar = qobject_cast<QMenuBar*>(widget))
                for (const QAction* action : bar->actions()) text(where, action->text());
        }
        // Actions that a context menu of the window offers (the file dialog's list).
        for (const QAction* action : root.findChildren<QAction*>(Qt::FindDirectChildrenOnly))
            if (action->isVisible() && !action->isSeparator() && !action->text().isEmpty()) text(where, action->text());
        for (QMenu* menu : root.findChildren<QMenu*>()) this->menu(where + QLatin1Char('/') + menu->objectName(), *menu);
    }
};

}  // namespace

class RussianTextsTest : public QObject {
    Q_OBJECT
private slots:
    void mainWindowAndItsMenus();
    void dialogs();
    void fileDialogs();
    void messageBoxes();
    void messagesOfTheCommands();
};

void RussianTextsTest::mainWindowAndItsMenus() {
    Bench bench;
    TMDIChild* child = bench.newWindow(qs("x"));
    bench.translate(successfulRun({{0, {"init"}}, {1, {"b"}}}));
    TMDIChild* failed = bench.newWindow(qs("y"));
    bench.translate(lexicalFailure());
    bench.form->findChild<QMenu*>(QStringLiteral("WindowMenu"))->aboutToShow();

    Collector collector;
    collector.window(*bench.form);
    // The window system menu, the frame's own menu of bars, and the editors' menus.
    for (QMdiSubWindow* sub : bench.form->mdiArea()->subWindowList()) collector.menu(QStringLiteral("system menu"), *sub->systemMenu());
    const std::unique_ptr<QMenu> bars(bench.form->createPopupMenu());
    collector.menu(QStringLiteral("bars"), *bars);
    for (QPlainTextEdit* editor : {child->sourceEditor(), child->outputEditor(0), failed->sourceEditor()}) {
        editor->selectAll();
        const std::unique_ptr<QMenu> menu(editor->createStandardContextMenu());
        collector.menu(editor->objectName(), *menu);
    }
    QVERIFY2(collector.found.isEmpty(), qPrintable(collector.found.join(QStringLiteral(" / "))));
}

void RussianTextsTest::dialogs() {
    QTemporaryDir folder;
    ScriptedDialogs scripted;
    TTranslatePagesDlg translation(scripted, folder.filePath(QStringLiteral("Vestrel.ini")));
    TEditPagesDlg editor;
    TAboutBox about;
    Collector collector;
    for (QDialog* dialog : std::initializer_list<QDialog*>{&translation, &editor, &about}) {
        dialog->show();
        // Every page in turn.
        for (QTabWidget* pages : dialog->findChildren<QTabWidget*>())
            for (int i = 0; i < pages->count(); ++i) {
                pages->setCurrentIndex(i);
                collector.window(*dialog);
            }
        collector.window(*dialog);
        QVERIFY2(!dialog->windowTitle().isEmpty(), qPrintable(dialog->objectName()));
        dialog->hide();
    }
    QVERIFY2(collector.found.isEmpty(), qPrintable(collector.found.join(QStringLiteral(" / "))));
}

void RussianTextsTest::fileDialogs() {
    QTemporaryDir folder;
    const QString before = QDir::currentPath();
    QDir::setCurrent(folder.path());
    QtUserDialogs dialogs;
    Collector collector;
    QStringList titles;
    const auto look = [&] {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<FileNameDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->setObjectName(QStringLiteral("FileNameDialog"));
            titles << dialog->windowTitle();
            collector.window(*dialog);
            dialog->reject();
        });
    };
    look();
    dialogs.openFileName({qs("Загрузка программы"), qs("Все файлы (*.*)|*.*|Формат PRG (*.prg)|*.prg"), 2, QString()});
    look();
    dialogs.saveFileName({qs("Сохранение программы"), qs("Фаилы PRG|*.prg"), 1, qs("prg")});
    QDir::setCurrent(before);
    QCOMPARE(titles, (QStringList{qs("Загрузка программы"), qs("Сохранение программы")}));
    QVERIFY2(collector.found.isEmpty(), qPrintable(collector.found.join(QStringLiteral(" / "))));
}

void RussianTextsTest::messageBoxes() {
    QtUserDialogs dialogs;
    Collector collector;
    QStringList buttons;
    const auto answer = [&](QMessageBox::StandardButton press) {
        QTimer::singleShot(0, [&, press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            box->setObjectName(QStringLiteral("MessageBox"));
            collector.window(*box);
            QStringList captions;
            for (QAbstractButton* button : box->buttons()) captions << button->text();
            captions.sort();
            buttons << box->windowTitle() + QStringLiteral(": ") + captions.join(QLatin1Char('|'));
            box->button(press)->click();
        });
    };
    answer(QMessageBox::Ok);
    dialogs.information(qs("Сообщение"));
    answer(QMessageBox::Ok);
    dialogs.error(qs("Ошибка"));
    answer(QMessageBox::Ok);
    dialogs.notice(qs("Не хватает переменных W"));
    answer(QMessageBox::Yes);
    QVERIFY(dialogs.question(qs("Заменить ?")));
    answer(QMessageBox::No);
    QVERIFY(!dialogs.question(qs("Заменить ?")));
    for (const auto& [press, expected] : {std::pair{QMessageBox::Save, SaveAnswer::Save},
                                          std::pair{QMessageBox::Discard, SaveAnswer::Discard},
                                          std::pair{QMessageBox::Cancel, SaveAnswer::Cancel}}) {
        answer(press);
        QCOMPARE(dialogs.askToSave(qs("Сохранить ?")), expected);
    }
    QCOMPARE(buttons, (QStringList{qs("Транслятор программ: OK"), qs("Транслятор программ: OK"), qs("Message Box: OK"),
                                   qs("Предупреждение: &Да|&Нет"), qs("Предупреждение: &Да|&Нет"),
                                   qs("Предупреждение: &Не сохранять|&Сохранить|Отмена"),
                                   qs("Предупреждение: &Не сохранять|&Сохранить|Отмена"),
                                   qs("Предупреждение: &Не сохранять|&Сохранить|Отмена")}));
    QVERIFY2(collector.found.isEmpty(), qPrintable(collector.found.join(QStringLiteral(" / "))));
}

void RussianTextsTest::messagesOfTheCommands() {
    Bench bench;
    // A file with a character that code page 1251 cannot hold.
    const QString chinese = bench.path("chinese.prg");
    writeFile(chinese, "\xe4\xb8\xad\r\n");
    QVERIFY(!bench.form->openByName(chinese));
    // A source that cannot be written, and an IL project whose slot file cannot be.
    writeFile(bench.path("blocker"), "");
    bench.newWindow(qs("x"));
    bench.dialogs.fileNames.push_back(bench.path("blocker/pump.prg"));
    bench.form->action(Command::FileSaveKorvelAs1)->trigger();
    const QString source = bench.path("plant.prg");
    writeFile(source, "x\r\n");
    bench.form->openByName(source);
    bench.translate(successfulRun({{0, {"init"}}}));
    QVERIFY(QDir(bench.folder.path()).mkpath(QStringLiteral("plant/init.IL")));
    bench.form->action(Command::FileSaveIL1)->trigger();

    QCOMPARE(bench.dialogs.transcript(),
             (QStringList{qs("Error:Не могу открыть файл ") + chinese +
                              qs(". Строка 1, позиция 1: символ «中» (U+4E2D) не входит в кодовую страницу 1251."),
                          qs("SaveFile:Сохранение программы"),
                          qs("Error:Не могу создать файл ") + bench.path("blocker/pump.prg"),
                          qs("Error:Не могу создать файл ") + bench.path("plant/init.IL")}));
}

QObject* makeRussianTextsTest() { return new RussianTextsTest; }

#include "russian_texts_test.moc"
