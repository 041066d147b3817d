#include "StartUpSettings.h"

#include "Checked.h"
#include "SettingsStore.h"

#include <QLocale>

qint16 StartUpSettings::portFromText(const QString &text)
{
    bool ok = false;
    const double number = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok)
        return kDefaultCOMPort;
    try {
        return Checked::toInt16(number);
    } catch (const RuntimeError &) {
        // A number too large for a port cannot be used either.
        return kDefaultCOMPort;
    }
}

QString StartUpSettings::withSeparator(const QString &path)
{
    if (path.isEmpty() || path.endsWith(u'/'))
        return path;
    return path + u'/';
}

void StartUpSettings::readSettings(const SettingsStore &store, const QString &currentDir)
{
    loggerPort = portFromText(store.read(section(), portKey(), QString::number(kDefaultCOMPort)));

    // An empty directory would put the district files at the root of the file system.
    const QString dir = store.read(section(), directoryKey(), QString());
    defaultFolder = withSeparator(dir.isEmpty() ? currentDir : dir);
}

bool StartUpSettings::writeSettings(SettingsStore &store) const
{
    if (isLoggerPort(loggerPort))
        store.write(section(), portKey(), QString::number(loggerPort));
    store.write(section(), directoryKey(), defaultFolder);
    return store.sync();
}
