// vestrel: the Korvel workbench. Optional arguments open program files at start;
// --translate translates each of them, --arrange tiles their windows, --show opens a
// dialog afterwards and --show-il selects the IL of a source line (the screenshot script
// uses these).
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>

#include <QPlainTextEdit>
#include <QTextBlock>

#include "settings/ini_location.h"
#include "settings/translation_settings.h"
#include "vestrel_version.h"
#include "workbench/il_navigation.h"
#include "workbench/mdi_child.h"
#include "workbench/main_form.h"
#include "workbench/qt_translations.h"
#include "workbench/user_dialogs.h"
#include "workbench/workbench_texts.h"

using namespace vestrel::workbench;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    installRussianTranslations(application);
    QApplication::setApplicationName(QStringLiteral("vestrel"));
    // No display name: Qt would add it to every caption ("Параметры трансляции — Транслятор
    // программ"), which cut the dialogs' captions short; the message boxes carry the
    // application title as their own caption.
    QApplication::setApplicationVersion(
        QString::fromLatin1(vestrel::kVersionText.data(), static_cast<qsizetype>(vestrel::kVersionText.size())));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Korvel to Dravo IL workbench"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption translate(QStringLiteral("translate"), QStringLiteral("Translate each program opened."));
    const QCommandLineOption arrange(QStringLiteral("arrange"),
                                     QStringLiteral("Arrange the program windows: cascade, horizontal or vertical."),
                                     QStringLiteral("layout"));
    const QCommandLineOption show(QStringLiteral("show"),
                                  QStringLiteral("Open a dialog after start: translation-settings, editor-settings, about or help."),
                                  QStringLiteral("dialog"));
    const QCommandLineOption showIl(QStringLiteral("show-il"),
                                    QStringLiteral("Put the caret on this line of the active program and show its IL."),
                                    QStringLiteral("line"));
    parser.addOption(translate);
    parser.addOption(showIl);
    parser.addOption(arrange);
    parser.addOption(show);
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("Korvel programs (.prg) to open."),
                                 QStringLiteral("[files...]"));
    parser.process(application);

    QtUserDialogs dialogs;
    const std::optional<vestrel::settings::IniLocation> iniLocation = vestrel::settings::iniLocation();
    const std::string iniPath = iniLocation ? vestrel::settings::prepareIniFile(*iniLocation) : std::string();
    TMainForm mainForm(dialogs, QString::fromStdString(iniPath));
    dialogs.setParent(&mainForm);
    // Without a window manager nothing maximises a window; fill the screen first.
    mainForm.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    mainForm.showMaximized();

    QTimer::singleShot(0, &mainForm, [&] {
        for (const QString& file : parser.positionalArguments()) {
            if (!mainForm.openByName(QFileInfo(file).absoluteFilePath())) continue;
            if (parser.isSet(translate)) mainForm.TranslateExecute();
        }
        const QString layout = parser.value(arrange);
        if (layout == QLatin1String("cascade")) mainForm.cascade();
        if (layout == QLatin1String("horizontal")) mainForm.tileHorizontally();
        if (layout == QLatin1String("vertical")) mainForm.tileVertically();
        if (TMDIChild* child = mainForm.activeChild(); child && parser.isSet(showIl)) {
            QPlainTextEdit* source = child->sourceEditor();
            source->setTextCursor(QTextCursor(source->document()->findBlockByNumber(parser.value(showIl).toInt() - 1)));
            child->ilNavigation().showIl();
        }
        const QString dialog = parser.value(show);
        if (dialog == QLatin1String("translation-settings")) mainForm.TranslateParametrsExecute();
        if (dialog == QLatin1String("editor-settings")) mainForm.EditParametrsExecute();
        if (dialog == QLatin1String("about")) mainForm.HelpAbout1Execute();
        if (dialog == QLatin1String("help")) mainForm.N15Click();
    });
    return QApplication::exec();
}
