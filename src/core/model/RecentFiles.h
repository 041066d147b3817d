#pragma once

#include <QStringList>

class SettingsStore;

// File > Recent Files: the last district files opened or saved, most recent first, kept in
// the settings file as [RecentFiles] File1 to File8 so that the list outlives the run.
class RecentFiles
{
public:
    static constexpr int kMaximum = 8;

    // The list as stored: empty and repeated entries are skipped.
    void read(const SettingsStore &store);
    const QStringList &files() const { return m_files; }

    // Puts `path` (made absolute) first, once; the ninth falls off. True when the list changed.
    bool add(const QString &path);
    // Drops the files that no longer exist; true when any was dropped.
    bool dropMissing();
    void clear();

    // Writes the list; keys past its end are removed. False when the file could not be
    // written.
    bool write(SettingsStore &store) const;

private:
    QStringList m_files;
};
