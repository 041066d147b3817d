#include "RecentFiles.h"

#include "SettingsStore.h"

#include <QFileInfo>

namespace {

const QString kSection = QStringLiteral("RecentFiles");

QString key(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

} // namespace

void RecentFiles::read(const SettingsStore &store)
{
    m_files.clear();
    for (int i = 0; i < kMaximum; ++i) {
        const QString file = store.read(kSection, key(i), QString());
        if (!file.isEmpty() && !m_files.contains(file))
            m_files.append(file);
    }
}

bool RecentFiles::add(const QString &path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    if (!m_files.isEmpty() && m_files.first() == file)
        return false;
    m_files.removeAll(file);
    m_files.prepend(file);
    while (m_files.size() > kMaximum)
        m_files.removeLast();
    return true;
}

bool RecentFiles::dropMissing()
{
    return m_files.removeIf([](const QString &file) { return !QFileInfo::exists(file); }) > 0;
}

void RecentFiles::clear()
{
    m_files.clear();
}

bool RecentFiles::write(SettingsStore &store) const
{
    for (int i = 0; i < kMaximum; ++i) {
        if (i < m_files.size())
            store.write(kSection, key(i), m_files.at(i));
        else
            store.remove(kSection, key(i));
    }
    return store.sync();
}
