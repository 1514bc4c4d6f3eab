// The per-user settings file.
#include "workbench/user_settings.h"

namespace vestrel::workbench {
namespace {
QString& chosenPath() {
    static QString path;
    return path;
}
}  // namespace

QString UserSettings::defaultPath() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Vestrel"), QStringLiteral("workbench"))
        .fileName();
}

void UserSettings::setPath(const QString& path) { chosenPath() = path; }
QString UserSettings::path() { return chosenPath().isEmpty() ? defaultPath() : chosenPath(); }

UserSettings::UserSettings() : m_settings(std::make_unique<QSettings>(path(), QSettings::IniFormat)) {}

}  // namespace vestrel::workbench
