// The about box: the product caption and the version the build was stamped with.
#pragma once

#include <QDialog>

class QLabel;

namespace vestrel::workbench {

struct FileVersion {
    int major = 0;
    int minor = 0;
    int release = 0;
    int build = 0;
};

// The version numbers of this build (1.0.0.772 for the present product).
FileVersion programFileVersion();
// "Версия 1.0.0.772".
QString versionText(const FileVersion& version);

class TAboutBox final : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QString productText() const;
    QString versionLabelText() const;

private:
    void FormCreate();

    QLabel* ProductName;
    QLabel* Version;
};

}  // namespace vestrel::workbench
