// Every message box, question, file dialog and modal dialog of the workbench goes
// through this interface, so the tests can answer them without a modal loop.
#pragma once

#include <optional>

#include <QPointer>
#include <QString>

class QDialog;
class QWidget;

namespace vestrel::workbench {

// A file dialog as the commands describe it. The filter uses the "text|pattern|text|pattern"
// form; filterIndex counts from 1; an empty default extension appends nothing.
struct FileDialogRequest {
    QString title;
    QString filter;
    int filterIndex = 1;
    QString defaultExtension;
};

// The answers of a question about unsaved work.
enum class SaveAnswer { Save, Discard, Cancel };

class FileNameDialog;

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // A plain message box captioned with the application title.
    virtual void information(const QString& text) = 0;
    // The application's general error box (same caption, error icon).
    virtual void error(const QString& text) = 0;
    // A Yes/No question captioned "Предупреждение"; true for Yes.
    virtual bool question(const QString& text) = 0;
    // A question about unsaved work with the buttons Save, Discard and Cancel, captioned
    // "Предупреждение".
    virtual SaveAnswer askToSave(const QString& text) = 0;
    // A notice of the translation run, captioned "Message Box".
    virtual void notice(const QString& text) = 0;

    // The open and the shared save dialog; nothing when cancelled.
    virtual std::optional<QString> openFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFileName(const FileDialogRequest& request) = 0;

    // Shows a dialog modally and returns its result code.
    virtual int showModal(QDialog& dialog) = 0;
    // Opens a help file in the platform's viewer; false when it cannot be opened.
    virtual bool openHelpFile(const QString& path) = 0;
};

// The real dialogs. The open and save dialogs are created once and keep the folder and
// file name of their previous use, starting in the current folder.
class QtUserDialogs final : public UserDialogs {
public:
    explicit QtUserDialogs(QWidget* parent = nullptr);
    ~QtUserDialogs() override;
    void setParent(QWidget* parent);

    void information(const QString& text) override;
    void error(const QString& text) override;
    bool question(const QString& text) override;
    SaveAnswer askToSave(const QString& text) override;
    void notice(const QString& text) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;
    int showModal(QDialog& dialog) override;
    bool openHelpFile(const QString& path) override;

private:
    FileNameDialog& fileDialog(QPointer<FileNameDialog>& slot);
    std::optional<QString> runFileDialog(FileNameDialog& dialog, const FileDialogRequest& request);

    QWidget* m_parent;
    // The dialogs are children of the parent window, which may delete them first when
    // it goes (the main window ends before this object); QPointer knows when.
    QPointer<FileNameDialog> m_openDialog;
    QPointer<FileNameDialog> m_saveDialog;
};

// "Все файлы|*.*" -> "Все файлы (*.*)"; a text that already shows its pattern stays as it is.
QStringList qtNameFilters(const QString& filter);

}  // namespace vestrel::workbench
