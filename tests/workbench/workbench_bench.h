// What the workbench tests share: a main window with scripted dialogs and a translate
// function that plays back prepared results, and small helpers around it.
#pragma once

#include <deque>
#include <memory>

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "scripted_dialogs.h"
#include "translator/run/translation.h"
#include "workbench/main_form.h"
#include "workbench/mdi_child.h"
#include "workbench/user_settings.h"
#include "workbench/workbench_texts.h"

namespace vestrel::workbench::testing {

using texts::qs;

// A run that completed without messages; the listed slots received the given lines.
inline TranslationResult successfulRun(const std::vector<std::pair<int, std::vector<std::string>>>& filled) {
    TranslationResult result;
    result.tokenCount = 10;
    result.syntaxStatus = 0;
    for (const auto& [slot, lines] : filled) {
        for (const std::string& line : lines) result.slotLines[static_cast<std::size_t>(slot)].push_back(line);
        result.slotReceivedText[static_cast<std::size_t>(slot)] = true;
    }
    return result;
}

inline TranslationResult lexicalFailure() {
    TranslationResult result;
    result.tokenCount = 4;
    result.lexicalErrorCount = 2;
    result.diagnostics.AddLexicalError(2, 5, LexicalMessage::UnknownVariable);
    result.diagnostics.AddLexicalError(4, 1, LexicalMessage::UnknownVariable);
    return result;
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll();
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
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
        // Recent files and editor options of this window only.
        UserSettings::setPath(folder.filePath(QStringLiteral("user-settings.ini")));
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
inline void doubleClick(QTreeWidget& tree, QPoint at) {
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, at);
}

inline QList<int> visibleTabs(const TMDIChild& child) {
    QList<int> tabs;
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (child.slotPresent(slot)) tabs << slot;
    return tabs;
}


}  // namespace vestrel::workbench::testing
