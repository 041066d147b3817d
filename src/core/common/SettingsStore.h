#pragma once

#include <QString>

#include <memory>

class QSettings;

// The per-user settings store: string values addressed by application name, section
// and key, kept in an INI file under the user's configuration folder
// ($XDG_CONFIG_HOME/neru/<application>.ini).
class SettingsStore
{
public:
    // The application name the program uses: string 10010, " - ", the title "Neru".
    static QString applicationName();

    explicit SettingsStore(const QString &applicationName = SettingsStore::applicationName());
    ~SettingsStore();

    QString read(const QString &section, const QString &key, const QString &fallback) const;
    void write(const QString &section, const QString &key, const QString &value);
    // Flushes to disk; false when the file could not be written.
    bool sync();
    // Takes in what another program or a hand edit has changed in the file since it was
    // read.
    void refresh() const;
    QString fileName() const;

private:
    std::unique_ptr<QSettings> m_settings;
};
