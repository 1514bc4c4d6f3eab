// Runs the QtTest classes of the main window and of the file commands in one program.
#include <QApplication>
#include <QTest>

#include <memory>

QObject* makeMainWindowTest();
QObject* makeFileCommandsTest();
QObject* makeDisplaysTest();
QObject* makeUnsavedWorkTest();

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    int failures = 0;
    for (QObject* (*make)() : {&makeMainWindowTest, &makeFileCommandsTest, &makeDisplaysTest, &makeUnsavedWorkTest}) {
        const std::unique_ptr<QObject> test(make());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures;
}
