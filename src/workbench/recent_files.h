// The sources last opened or saved, newest first, at most eight, kept in the per-user
// settings file.
#pragma once

#include <QStringList>

namespace vestrel::workbench {

class RecentFiles {
public:
    static constexpr int kCapacity = 8;

    // Reads the list from the per-user settings file.
    RecentFiles();
    const QStringList& files() const { return m_files; }
    // Puts a file (made absolute) first; an entry already there moves up.
    void add(const QString& path);
    void remove(const QString& path);

private:
    void save() const;
    QStringList m_files;
};

}  // namespace vestrel::workbench
