// Runs the QtTest classes of the main window and of the file commands in one program.
#include <QApplication>
#include <QTest>

#include <memory>

#include "workbench/qt_translations.h"

QObject* makeMainWindowTest();
QObject* makeFileCommandsTest();
QObject* makeDisplaysTest();
QObject* makeUnsavedWorkTest();
QObject* makeRussianTextsTest();

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // As the workbench starts: Qt's own texts in Russian.
    if (!vestrel::workbench::installRussianTranslations(application)) qWarning("Qt's Russian translations are missing");
    int failures = 0;
    for (QObject* (*make)() : {&makeMainWindowTest, &makeFileCommandsTest, &makeDisplaysTest, &makeUnsavedWorkTest,
                              &makeRussianTextsTest}) {
        const std::unique_ptr<QObject> test(make());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures;
}
