#pragma once

#include "ApplicationName.h"
#include "SettingsStore.h"

#include <QSettings>
#include <QString>

// The "StartUp" section of the program's settings in the test's own configuration folder:
// emptied before a test, filled as an earlier run would have left it, read back as the
// next run will read it.
class StartUpStore
{
public:
    static void clear()
    {
        QSettings(QSettings::IniFormat, QSettings::UserScope, ApplicationName::systemName(),
                  ApplicationName::settingsName())
            .clear(); // written out as the statement ends
    }

    static bool store(const QString &key, const QString &value)
    {
        SettingsStore settings;
        settings.write(QStringLiteral("StartUp"), key, value);
        return settings.sync();
    }

    // The stored value, or "absent".
    static QString stored(const QString &key)
    {
        return SettingsStore().read(QStringLiteral("StartUp"), key, QStringLiteral("absent"));
    }
};
