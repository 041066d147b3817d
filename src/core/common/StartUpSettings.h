#pragma once

#include "SettingsStore.h"

#include <QString>

// The program's persistent state: the COM port and the default directory, read when
// the program starts and written back when the main window closes.
class StartUpSettings
{
public:
    static constexpr qint16 kDefaultCOMPort = 2;

    static QString section() { return QStringLiteral("StartUp"); }
    static QString portKey() { return QStringLiteral("COMPort"); }
    static QString directoryKey() { return QStringLiteral("DefaultDir"); }

    // Ports 1 to 4 reach the logger; any other number makes a download read a file.
    static bool isLoggerPort(qint16 port) { return port >= 1 && port <= 4; }

    // The stored port as a 16-bit number (rounded, a tie to the even one); 2 when the
    // text is not a number or does not fit.
    static qint16 portFromText(const QString &text);

    // `path` with a "/" at its end (an empty path stays empty).
    static QString withSeparator(const QString &path);

    // Reads both values; `currentDir` is the fallback of "DefaultDir".
    void readSettings(const SettingsStore &store, const QString &currentDir);

    // Stores the port when it is 1 to 4 and always the directory. False when the
    // settings file could not be written.
    bool writeSettings(SettingsStore &store) const;

    qint16 loggerPort = kDefaultCOMPort;
    QString defaultFolder; // always ends in "/"
};
