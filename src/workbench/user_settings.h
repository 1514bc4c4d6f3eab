// The workbench's own per-user settings file (recent files, the highlighting option and
// its styles, the live check). It is never "Vestrel.ini", whose contents stay as they are.
#pragma once

#include <memory>

#include <QSettings>
#include <QString>

namespace vestrel::workbench {

class UserSettings {
public:
    // The file in the user's configuration folder ("Vestrel/workbench.ini").
    static QString defaultPath();
    // The file every new UserSettings uses; an empty path returns to the default.
    static void setPath(const QString& path);
    static QString path();

    UserSettings();
    QSettings& store() { return *m_settings; }

private:
    std::unique_ptr<QSettings> m_settings;
};

}  // namespace vestrel::workbench
