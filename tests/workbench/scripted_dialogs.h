// A UserDialogs that records every box and dialog and answers from a script, so the
// tests drive the workbench without modal loops.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include <QDialog>
#include <QStringList>

#include "workbench/user_dialogs.h"

namespace vestrel::workbench::testing {

struct DialogCall {
    enum Kind { Information, Error, Question, Notice, OpenFile, SaveFile, Modal, Help, AskToSave };
    Kind kind;
    QString text;  // message text, dialog object name or help path
    FileDialogRequest request;
};

class ScriptedDialogs final : public UserDialogs {
public:
    std::vector<DialogCall> calls;
    std::deque<bool> answers;                       // Yes/No of the next questions; none answers No
    std::deque<SaveAnswer> saveAnswers;             // the next questions about unsaved work; none discards
    std::deque<QString> fileNames;                  // the next file dialogs; none or an empty name cancels
    std::function<int(QDialog&)> modal;             // runs a modal dialog; none rejects it
    bool helpOpens = false;

    void information(const QString& text) override { calls.push_back({DialogCall::Information, text, {}}); }
    void error(const QString& text) override { calls.push_back({DialogCall::Error, text, {}}); }
    bool question(const QString& text) override {
        calls.push_back({DialogCall::Question, text, {}});
        if (answers.empty()) return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    SaveAnswer askToSave(const QString& text) override {
        calls.push_back({DialogCall::AskToSave, text, {}});
        if (saveAnswers.empty()) return SaveAnswer::Discard;
        const SaveAnswer answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    void notice(const QString& text) override { calls.push_back({DialogCall::Notice, text, {}}); }
    std::optional<QString> openFileName(const FileDialogRequest& request) override {
        calls.push_back({DialogCall::OpenFile, request.title, request});
        return nextFileName();
    }
    std::optional<QString> saveFileName(const FileDialogRequest& request) override {
        calls.push_back({DialogCall::SaveFile, request.title, request});
        return nextFileName();
    }
    int showModal(QDialog& dialog) override {
        calls.push_back({DialogCall::Modal, dialog.objectName(), {}});
        if (!modal) return QDialog::Rejected;
        return modal(dialog);
    }
    bool openHelpFile(const QString& path) override {
        calls.push_back({DialogCall::Help, path, {}});
        return helpOpens;
    }

    // "Kind:text" of every call in order, for exact comparisons.
    QStringList transcript() const {
        static const char* const names[] = {"Information", "Error", "Question", "Notice", "OpenFile",
                                            "SaveFile",    "Modal", "Help",     "AskToSave"};
        QStringList lines;
        for (const DialogCall& call : calls) lines << QString::fromLatin1(names[call.kind]) + QLatin1Char(':') + call.text;
        return lines;
    }

private:
    std::optional<QString> nextFileName() {
        if (fileNames.empty()) return std::nullopt;
        const QString name = fileNames.front();
        fileNames.pop_front();
        if (name.isEmpty()) return std::nullopt;
        return name;
    }
};

}  // namespace vestrel::workbench::testing
