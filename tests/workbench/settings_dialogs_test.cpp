// The two settings dialogs: the translation settings with their ini file, reaching the
// next translation, and the editor colour tables with their snapshot and defaults.
#include <cmath>

#include <QApplication>
#include <QCheckBox>
#include <QScreen>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "scripted_dialogs.h"
#include "settings/ini_store.h"
#include "settings/translation_settings.h"
#include "translator/text/literal.h"
#include "workbench/about_box.h"
#include "workbench/colour_grid.h"
#include "workbench/edit_pages_dlg.h"
#include "workbench/main_form.h"
#include "workbench/mdi_child.h"
#include "workbench/translate_pages_dlg.h"
#include "workbench/workbench_texts.h"

using namespace vestrel;
using namespace vestrel::workbench;
using namespace vestrel::workbench::testing;
using namespace vestrel::text::literals;
using vestrel::workbench::texts::qs;

namespace {

std::string native(const QString& path) { return path.toStdString(); }

constexpr std::string_view kTranslationSection = "Параметры трансляции"_cp;
constexpr std::string_view kTimeSection = "Параметры времени"_cp;
constexpr std::string_view kCommentKey = "Добавлять комментарий"_cp;
constexpr std::string_view kProgramTextKey = "Добавлять текст программы"_cp;
constexpr std::string_view kResolutionKey = "Разрешение"_cp;
constexpr std::string_view kPeriodKey = "Период пересчета"_cp;

struct Stored {
    int comment, programText, resolution, period;
};

void writeIni(const QString& path, const Stored& values) {
    settings::IniStore store(native(path));
    store.writeInteger(kTranslationSection, kCommentKey, values.comment);
    store.writeInteger(kTranslationSection, kProgramTextKey, values.programText);
    store.writeInteger(kTimeSection, kResolutionKey, values.resolution);
    store.writeInteger(kTimeSection, kPeriodKey, values.period);
    QVERIFY(store.flush());
}

Stored readIni(const QString& path) {
    const settings::IniStore store(native(path));
    return {store.readInteger(kTranslationSection, kCommentKey, -1), store.readInteger(kTranslationSection, kProgramTextKey, -1),
            store.readInteger(kTimeSection, kResolutionKey, -1), store.readInteger(kTimeSection, kPeriodKey, -1)};
}

bool operator==(const Stored& a, const Stored& b) {
    return a.comment == b.comment && a.programText == b.programText && a.resolution == b.resolution && a.period == b.period;
}
char* toString(const Stored& s) {
    return QTest::toString(QStringLiteral("{%1,%2,%3,%4}").arg(s.comment).arg(s.programText).arg(s.resolution).arg(s.period));
}

template <typename T>
T* child(QObject& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

// The dialog is shown as the main window would show it, edited, and closed by `button`.
std::function<int(QDialog&)> editAndClose(int resolution, bool comment, const char* button) {
    return [=](QDialog& dialog) {
        dialog.show();
        child<QSpinBox>(dialog, "TicCSpinEdit")->setValue(resolution);
        child<QCheckBox>(dialog, "CommentCheckBox")->setChecked(comment);
        child<QPushButton>(dialog, button)->click();
        return dialog.result();
    };
}

}  // namespace

class SettingsDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void firstStartCreatesTheFileWithDefaults();
    void storedValuesAreReadWithTheDialogsRules();
    void missingKeyIsPutBack();
    void cancelKeepsTheOldValuesAndOkStoresTheNewOnes();
    void titleBarCloseCountsAsCancel();
    void unwritableIniIsReportedAndTheEditsStay();
    void colourDialogStartsWithTheDefaults();
    void colourDialogCancelRestoresBothPages();
    void defaultButtonResetsOnlyItsPageAndOkKeepsEdits();
    void typedOutOfRangeValueIsReadAsTheRangeEnd();
    void dialogsShowTheirWholeCaptionCentred();
    void colourMarksReadOnEveryCell();
};

void SettingsDialogsTest::firstStartCreatesTheFileWithDefaults() {
    QTemporaryDir folder;
    const QString ini = folder.filePath(QStringLiteral("Vestrel.ini"));
    ScriptedDialogs dialogs;
    TTranslatePagesDlg dialog(dialogs, ini);
    QCOMPARE(readIni(ini), (Stored{1, 1, 55, 10}));
    QVERIFY(dialogs.calls.empty());
    const TranslationOptions options = dialog.options();
    QVERIFY(options.AddComment && options.AddProgramText);
    QCOMPARE(options.TickResolution, 55);
    QCOMPARE(options.RecalcPeriod, 10);
    QCOMPARE(dialog.windowTitle(), qs("Параметры трансляции"));
}

void SettingsDialogsTest::storedValuesAreReadWithTheDialogsRules() {
    struct Case {
        Stored stored;
        bool comment, programText;
        int resolution, period;
    };
    const Case cases[] = {
        {{1, 0, 70, 20}, true, false, 70, 20},
        {{2, 1, 20, 0}, false, true, 55, 1},
        {{0, 5, 250, 300}, false, false, 100, 100},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        const QString ini = folder.filePath(QStringLiteral("Vestrel.ini"));
        writeIni(ini, c.stored);
        ScriptedDialogs dialogs;
        const TTranslatePagesDlg dialog(dialogs, ini);
        const TranslationOptions options = dialog.options();
        QCOMPARE(options.AddComment, c.comment);
        QCOMPARE(options.AddProgramText, c.programText);
        QCOMPARE(options.TickResolution, c.resolution);
        QCOMPARE(options.RecalcPeriod, c.period);
        // Reading does not rewrite values that are present.
        QCOMPARE(readIni(ini), c.stored);
    }
}

void SettingsDialogsTest::missingKeyIsPutBack() {
    QTemporaryDir folder;
    const QString ini = folder.filePath(QStringLiteral("Vestrel.ini"));
    {
        settings::IniStore store(native(ini));
        store.writeInteger(kTranslationSection, kCommentKey, 0);
        store.writeInteger(kTimeSection, kPeriodKey, 40);
        QVERIFY(store.flush());
    }
    ScriptedDialogs dialogs;
    const TTranslatePagesDlg dialog(dialogs, ini);
    QCOMPARE(readIni(ini), (Stored{0, 1, 55, 40}));
    QCOMPARE(dialog.options().RecalcPeriod, 40);
    QVERIFY(!dialog.options().AddComment);
}

void SettingsDialogsTest::cancelKeepsTheOldValuesAndOkStoresTheNewOnes() {
    QTemporaryDir folder;
    const QString ini = folder.filePath(QStringLiteral("Vestrel.ini"));
    ScriptedDialogs dialogs;
    TMainForm form(dialogs, ini);
    std::vector<TranslationOptions> runs;
    form.setTranslateFunction([&](const std::vector<std::string>&, const TranslationOptions& options, const RunHooks&) {
        runs.push_back(options);
        return TranslationResult{};
    });
    form.show();
    form.FileNew1Execute();

    dialogs.modal = editAndClose(70, false, "CancelBtn");
    form.TranslateParametrsExecute();
    form.TranslateExecute();
    QCOMPARE(runs.back().TickResolution, 55);
    QVERIFY(runs.back().AddComment);
    QCOMPARE(readIni(ini), (Stored{1, 1, 55, 10}));

    dialogs.modal = editAndClose(80, false, "OKBtn");
    form.TranslateParametrsExecute();
    form.TranslateExecute();
    QCOMPARE(runs.back().TickResolution, 80);
    QVERIFY(!runs.back().AddComment);
    QCOMPARE(readIni(ini), (Stored{0, 1, 80, 10}));
    QCOMPARE(dialogs.transcript(), (QStringList{qs("Modal:TranslatePagesDlg"), qs("Modal:TranslatePagesDlg")}));
}

void SettingsDialogsTest::titleBarCloseCountsAsCancel() {
    QTemporaryDir folder;
    const QString ini = folder.filePath(QStringLiteral("Vestrel.ini"));
    ScriptedDialogs dialogs;
    TTranslatePagesDlg dialog(dialogs, ini);
    dialog.show();
    child<QSpinBox>(dialog, "ScalingCSpinEdit")->setValue(33);
    dialog.close();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.options().RecalcPeriod, 10);
    QCOMPARE(readIni(ini), (Stored{1, 1, 55, 10}));
}

void SettingsDialogsTest::unwritableIniIsReportedAndTheEditsStay() {
    // Tests may run as root, for whom permissions do not stop a write: the ini file's
    // folder is a regular file instead.
    QTemporaryDir folder;
    const QString blocker = folder.filePath(QStringLiteral("blocker"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString ini = blocker + QStringLiteral("/Vestrel.ini");
    const QString expected = qs("Error:Не могу записать файл настроек ") + ini;

    ScriptedDialogs dialogs;
    TTranslatePagesDlg dialog(dialogs, ini);
    QCOMPARE(dialogs.transcript(), QStringList{expected});
    QCOMPARE(dialog.options().TickResolution, 55);

    dialog.show();
    child<QSpinBox>(dialog, "TicCSpinEdit")->setValue(90);
    child<QCheckBox>(dialog, "ProgCodeCheckBox")->setChecked(false);
    child<QPushButton>(dialog, "OKBtn")->click();
    QCOMPARE(dialogs.transcript(), (QStringList{expected, expected}));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.isHidden());
    QCOMPARE(dialog.options().TickResolution, 90);
    QVERIFY(!dialog.options().AddProgramText);
}

void SettingsDialogsTest::colourDialogStartsWithTheDefaults() {
    TEditPagesDlg dialog;
    dialog.show();
    auto* list = child<QListWidget>(dialog, "KorvelListBox");
    auto* grid = child<ColourGrid>(dialog, "KorvelCColorGrid");
    auto* bold = child<QCheckBox>(dialog, "KorvelBoldCheckBox");
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(list->currentItem()->text(), qs("Макроопределение"));
    QCOMPARE(grid->foregroundIndex(), 10);
    QCOMPARE(grid->backgroundIndex(), 15);
    QVERIFY(!bold->isChecked());
    QVERIFY(!child<QCheckBox>(dialog, "KorvelItalicCheckBox")->isChecked());
    QVERIFY(!child<QCheckBox>(dialog, "KorvelUnderlineCheckBox")->isChecked());
    QVERIFY(bold->font().bold());
    QVERIFY(child<QCheckBox>(dialog, "KorvelItalicCheckBox")->font().italic());
    QVERIFY(child<QCheckBox>(dialog, "KorvelUnderlineCheckBox")->font().underline());

    list->setCurrentRow(3);  // "Переменные"
    QVERIFY(bold->isChecked());
    QCOMPARE(grid->foregroundIndex(), 0);
    QVERIFY(dialog.korvelStyles() == kKorvelDefaults);
    QVERIFY(dialog.ilStyles() == kIlDefaults);
}

void SettingsDialogsTest::colourDialogCancelRestoresBothPages() {
    TEditPagesDlg dialog;
    dialog.show();
    auto* grid = child<ColourGrid>(dialog, "KorvelCColorGrid");
    child<QListWidget>(dialog, "KorvelListBox")->setCurrentRow(6);
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->cellRect(9).center());
    QTest::mouseClick(grid, Qt::RightButton, {}, grid->cellRect(4).center());
    QCOMPARE(dialog.korvelStyles()[6], (ElementStyle{9, 4, false, false, false}));

    child<QTabWidget>(dialog, "PageControl1")->setCurrentIndex(1);
    QCOMPARE(child<QListWidget>(dialog, "ILListBox")->currentRow(), 0);
    child<QCheckBox>(dialog, "ILItalicCheckBox")->click();
    QVERIFY(dialog.ilStyles()[0].italic);

    child<QPushButton>(dialog, "CancelBtn")->click();
    QVERIFY(dialog.korvelStyles() == kKorvelDefaults);
    QVERIFY(dialog.ilStyles() == kIlDefaults);
}

void SettingsDialogsTest::defaultButtonResetsOnlyItsPageAndOkKeepsEdits() {
    TEditPagesDlg dialog;
    dialog.show();
    child<QCheckBox>(dialog, "KorvelUnderlineCheckBox")->click();
    child<QTabWidget>(dialog, "PageControl1")->setCurrentIndex(1);
    child<QListWidget>(dialog, "ILListBox")->setCurrentRow(2);
    child<QCheckBox>(dialog, "ILBoldCheckBox")->click();  // "Переменные" loses its bold
    QVERIFY(!dialog.ilStyles()[2].bold);

    child<QTabWidget>(dialog, "PageControl1")->setCurrentIndex(0);
    QVERIFY(dialog.korvelStyles()[0].underline);
    child<QPushButton>(dialog, "KorvelDefaultButton")->click();
    QVERIFY(dialog.korvelStyles() == kKorvelDefaults);
    QVERIFY(!dialog.ilStyles()[2].bold);
    QVERIFY(!child<QCheckBox>(dialog, "KorvelUnderlineCheckBox")->isChecked());

    child<QPushButton>(dialog, "OKBtn")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.ilStyles()[2].bold);

    // Reopened, the dialog shows the kept edit; its page starts at element 0 again.
    dialog.show();
    child<QTabWidget>(dialog, "PageControl1")->setCurrentIndex(1);
    child<QListWidget>(dialog, "ILListBox")->setCurrentRow(2);
    QVERIFY(!child<QCheckBox>(dialog, "ILBoldCheckBox")->isChecked());
    child<QPushButton>(dialog, "CancelBtn")->click();
    QVERIFY(!dialog.ilStyles()[2].bold);
}

void SettingsDialogsTest::typedOutOfRangeValueIsReadAsTheRangeEnd() {
    // Typed text that the spin box cannot take as it stands: too small, or nothing.
    struct Case {
        const char* typed;
        bool byMouse;  // OK clicked, or Enter pressed in the spin box
        int expected;
    };
    const Case cases[] = {{"5", true, 55}, {"5", false, 55}, {"", true, 55}, {"7", true, 55}};
    for (const Case& c : cases) {
        QTemporaryDir folder;
        const QString ini = folder.filePath(QStringLiteral("Vestrel.ini"));
        ScriptedDialogs dialogs;
        TTranslatePagesDlg dialog(dialogs, ini);
        child<QSpinBox>(dialog, "TicCSpinEdit")->setValue(70);
        dialog.show();
        child<QTabWidget>(dialog, "PageControl1")->setCurrentIndex(1);
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* spin = child<QSpinBox>(dialog, "TicCSpinEdit");
        spin->setFocus();
        spin->selectAll();
        QTest::keyClick(spin, Qt::Key_Delete);
        QTest::keyClicks(spin, QString::fromLatin1(c.typed));
        if (c.byMouse)
            QTest::mouseClick(child<QPushButton>(dialog, "OKBtn"), Qt::LeftButton);
        else
            QTest::keyClick(spin, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.options().TickResolution, c.expected);
        QCOMPARE(readIni(ini).resolution, c.expected);
    }
}

void SettingsDialogsTest::dialogsShowTheirWholeCaptionCentred() {
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    // A main window in a corner of the screen: the dialogs centre on the screen, not on it.
    TMainForm form(dialogs, folder.filePath(QStringLiteral("Vestrel.ini")));
    form.setGeometry(0, 0, 300, 200);
    form.show();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (QDialog* dialog : std::initializer_list<QDialog*>{&form.translatePagesDlg(), &form.editPagesDlg(), &form.aboutBox()}) {
        // The first showing is centred on the screen like every later one.
        dialog->show();
        QApplication::processEvents();
        // Room for the caption in a bold title font, the window icon and three buttons.
        QFont titleFont = QApplication::font();
        titleFont.setBold(true);
        const int needed = QFontMetrics(titleFont).horizontalAdvance(dialog->windowTitle()) + 120;
        QVERIFY2(dialog->width() >= needed, qPrintable(dialog->objectName()));
        const QPoint offset = dialog->frameGeometry().center() - screen.center();
        QVERIFY2(offset.manhattanLength() <= 2, qPrintable(dialog->objectName() + QStringLiteral(" %1,%2").arg(offset.x()).arg(offset.y())));
        dialog->hide();
    }
}

void SettingsDialogsTest::colourMarksReadOnEveryCell() {
    // Relative luminance and contrast ratio of two sRGB colours.
    const auto luminance = [](const QColor& colour) {
        const auto channel = [](double value) {
            value /= 255.0;
            return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) + 0.0722 * channel(colour.blue());
    };
    for (const PaletteColour& entry : kPalette) {
        const QColor cell(entry.red, entry.green, entry.blue);
        const double a = luminance(cell);
        const double b = luminance(ColourGrid::markColour(cell));
        const double contrast = (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
        QVERIFY2(contrast >= 4.5, qPrintable(cell.name() + QStringLiteral(" %1").arg(contrast)));
    }
}

QTEST_MAIN(SettingsDialogsTest)
#include "settings_dialogs_test.moc"
