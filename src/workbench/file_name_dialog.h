// The open and save dialog of the workbench: Qt's own file dialog, except that a name
// typed for saving always means a file, even when a folder of that name exists.
#pragma once

#include <optional>

#include <QFileDialog>

namespace vestrel::workbench {

class FileNameDialog final : public QFileDialog {
    Q_OBJECT
public:
    explicit FileNameDialog(QWidget* parent = nullptr);

    // The full name chosen by the last accepted showing.
    QString chosenFileName() const;

    // Typing "pump" beside a folder "pump/" and pressing Enter chooses the file
    // "pump.prg" (with the default extension), where Qt's dialog would enter the folder.
    // A folder is entered by double-clicking it or by typing its name with a trailing "/".
    void accept() override;

private:
    std::optional<QString> m_typedFile;
};

}  // namespace vestrel::workbench
