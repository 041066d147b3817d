#pragma once

#include <QString>

#include <memory>

class QSettings;

// The per-user settings store: string values addressed by application name, section
// and key, kept in an INI file under the user's configuration folder
// ($XDG_CONFIG_HOME/neru/<settings name>.ini).
class SettingsStore
{
public:
    // The program's settings file (ApplicationName::settingsName).
    SettingsStore();
    ~SettingsStore();

    QString read(const QString &section, const QString &key, const QString &fallback) const;
    void write(const QString &section, const QString &key, const QString &value);
    void remove(const QString &section, const QString &key);
    // Flushes to disk; false when the file could not be written.
    bool sync();
    // Takes in what another program or a hand edit has changed in the file since it was
    // read.
    void refresh() const;
    QString fileName() const;

private:
    std::unique_ptr<QSettings> m_settings;
};
