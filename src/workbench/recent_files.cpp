// The recent-files list.
#include "workbench/recent_files.h"

#include <QFileInfo>

#include "workbench/user_settings.h"

namespace vestrel::workbench {
namespace {
constexpr char kKey[] = "RecentFiles/files";
}

RecentFiles::RecentFiles() {
    UserSettings settings;
    m_files = settings.store().value(QString::fromLatin1(kKey)).toStringList();
    while (m_files.size() > kCapacity) m_files.removeLast();
}

void RecentFiles::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_files.removeAll(absolute);
    m_files.prepend(absolute);
    while (m_files.size() > kCapacity) m_files.removeLast();
    save();
}

void RecentFiles::remove(const QString& path) {
    m_files.removeAll(QFileInfo(path).absoluteFilePath());
    save();
}

void RecentFiles::save() const {
    UserSettings settings;
    settings.store().setValue(QString::fromLatin1(kKey), m_files);
    settings.store().sync();
}

}  // namespace vestrel::workbench
