// The real message boxes and file dialogs of the workbench.
#include "workbench/user_dialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

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
QtUserDialogs::~QtUserDialogs() = default;

void QtUserDialogs::setParent(QWidget* parent) { m_parent = parent; }

void QtUserDialogs::information(const QString& text) {
    QMessageBox::information(m_parent, qs(texts::kApplicationTitle), text);
}

void QtUserDialogs::error(const QString& text) { QMessageBox::critical(m_parent, qs(texts::kApplicationTitle), text); }

bool QtUserDialogs::question(const QString& text) {
    return QMessageBox::question(m_parent, qs(texts::kQuestionCaption), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void QtUserDialogs::notice(const QString& text) { QMessageBox::information(m_parent, qs(texts::kNoticeCaption), text); }

QFileDialog& QtUserDialogs::fileDialog(std::unique_ptr<QFileDialog>& slot) {
    if (!slot) {
        slot = std::make_unique<QFileDialog>(m_parent);
        // The current folder by its full name, so that chosen names come back whole.
        slot->setDirectory(QDir::currentPath());
        // The commands ask their own replace question.
        slot->setOption(QFileDialog::DontConfirmOverwrite);
    }
    return *slot;
}

std::optional<QString> QtUserDialogs::runFileDialog(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setWindowTitle(request.title);
    const QStringList filters = qtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    dialog.setDefaultSuffix(request.defaultExtension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtUserDialogs::openFileName(const FileDialogRequest& request) {
    QFileDialog& dialog = fileDialog(m_openDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name of a file that does not exist opens an empty window of that name.
    dialog.setFileMode(QFileDialog::AnyFile);
    return runFileDialog(dialog, request);
}

std::optional<QString> QtUserDialogs::saveFileName(const FileDialogRequest& request) {
    QFileDialog& dialog = fileDialog(m_saveDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return runFileDialog(dialog, request);
}

int QtUserDialogs::showModal(QDialog& dialog) { return dialog.exec(); }

bool QtUserDialogs::openHelpFile(const QString& path) {
    return QFileInfo(path).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace vestrel::workbench
