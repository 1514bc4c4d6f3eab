// The file dialog that takes a typed name as a file.
#include "workbench/file_name_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace vestrel::workbench {

FileNameDialog::FileNameDialog(QWidget* parent) : QFileDialog(parent) {
    // The widget dialog on every platform, so that accept() below decides what a name means.
    setOption(QFileDialog::DontUseNativeDialog);
    // The commands ask their own replace question.
    setOption(QFileDialog::DontConfirmOverwrite);
}

QString FileNameDialog::chosenFileName() const {
    if (m_typedFile) return *m_typedFile;
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : files.constFirst();
}

void FileNameDialog::accept() {
    m_typedFile.reset();
    const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    const QString typed = edit ? edit->text().trimmed() : QString();
    if (acceptMode() == QFileDialog::AcceptSave && !typed.isEmpty() && !typed.endsWith(QLatin1Char('/'))) {
        const QFileInfo info(QDir(directory()), typed);
        if (info.isDir()) {
            QString name = QDir::cleanPath(info.absoluteFilePath());
            if (!defaultSuffix().isEmpty() && QFileInfo(name).suffix().isEmpty()) name += QLatin1Char('.') + defaultSuffix();
            m_typedFile = name;
            // Past Qt's own accept, which would enter the folder.
            QDialog::accept();
            return;
        }
    }
    QFileDialog::accept();
}

}  // namespace vestrel::workbench
