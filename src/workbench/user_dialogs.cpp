// The real message boxes and file dialogs of the workbench.
#include "workbench/user_dialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "workbench/file_name_dialog.h"
#include "workbench/workbench_texts.h"

namespace vestrel::workbench {
using texts::qs;

QStringList qtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& text = parts[i];
        const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << (text.contains(QLatin1Char('(') + pattern + QLatin1Char(')')) ? text : text + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return filters;
}

QtUserDialogs::QtUserDialogs(QWidget* parent) : m_parent(parent) {}
QtUserDialogs::~QtUserDialogs() {
    delete m_openDialog.data();
    delete m_saveDialog.data();
}

void QtUserDialogs::setParent(QWidget* parent) { m_parent = parent; }

namespace {

// One button of a message box: what it answers and its caption.
struct BoxButton {
    QMessageBox::StandardButton button;
    const char* caption;
};

// A modal message box whose buttons carry Russian captions of their own, whatever Qt
// translations are installed; the first button is the default one, the last the one
// Esc and the title-bar close box stand for.
QMessageBox::StandardButton runBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
                                   std::initializer_list<BoxButton> buttons) {
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, parent);
    for (const BoxButton& entry : buttons) box.addButton(entry.button)->setText(qs(entry.caption));
    box.setDefaultButton(buttons.begin()->button);
    box.setEscapeButton(box.button((buttons.end() - 1)->button));
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    return clicked ? box.standardButton(clicked) : (buttons.end() - 1)->button;
}

}  // namespace

void QtUserDialogs::information(const QString& text) {
    runBox(m_parent, QMessageBox::Information, qs(texts::kApplicationTitle), text, {{QMessageBox::Ok, texts::kOkButton}});
}

void QtUserDialogs::error(const QString& text) {
    runBox(m_parent, QMessageBox::Critical, qs(texts::kApplicationTitle), text, {{QMessageBox::Ok, texts::kOkButton}});
}

bool QtUserDialogs::question(const QString& text) {
    return runBox(m_parent, QMessageBox::Question, qs(texts::kQuestionCaption), text,
                  {{QMessageBox::Yes, texts::kYesButton}, {QMessageBox::No, texts::kNoButton}}) == QMessageBox::Yes;
}

SaveAnswer QtUserDialogs::askToSave(const QString& text) {
    switch (runBox(m_parent, QMessageBox::Warning, qs(texts::kQuestionCaption), text,
                   {{QMessageBox::Save, texts::kSaveButton},
                    {QMessageBox::Discard, texts::kDiscardButton},
                    {QMessageBox::Cancel, texts::kCancelButton}})) {
        case QMessageBox::Save:
            return SaveAnswer::Save;
        case QMessageBox::Discard:
            return SaveAnswer::Discard;
        default:
            return SaveAnswer::Cancel;
    }
}

void QtUserDialogs::notice(const QString& text) {
    runBox(m_parent, QMessageBox::Information, qs(texts::kNoticeCaption), text, {{QMessageBox::Ok, texts::kOkButton}});
}

FileNameDialog& QtUserDialogs::fileDialog(QPointer<FileNameDialog>& slot) {
    if (!slot) {
        slot = new FileNameDialog(m_parent);
        // The current folder by its full name, so that chosen names come back whole.
        slot->setDirectory(QDir::currentPath());
    }
    return *slot;
}

std::optional<QString> QtUserDialogs::runFileDialog(FileNameDialog& dialog, const FileDialogRequest& request) {
    dialog.setWindowTitle(request.title);
    const QStringList filters = qtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    dialog.setDefaultSuffix(request.defaultExtension);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QString chosen = dialog.chosenFileName();
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

std::optional<QString> QtUserDialogs::openFileName(const FileDialogRequest& request) {
    FileNameDialog& dialog = fileDialog(m_openDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name of a file that does not exist opens an empty window of that name.
    dialog.setFileMode(QFileDialog::AnyFile);
    return runFileDialog(dialog, request);
}

std::optional<QString> QtUserDialogs::saveFileName(const FileDialogRequest& request) {
    FileNameDialog& dialog = fileDialog(m_saveDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return runFileDialog(dialog, request);
}

int QtUserDialogs::showModal(QDialog& dialog) { return dialog.exec(); }

bool QtUserDialogs::openHelpFile(const QString& path) {
    return QFileInfo(path).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace vestrel::workbench
