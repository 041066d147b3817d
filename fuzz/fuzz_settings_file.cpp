// The settings file as the program reads it when it starts: the start-up values (COM
// port, default folder) and the devices of COM1 to COM4. Writing them back is left out:
// that is the settings layer's own writer, and each write keeps about a kilobyte more
// in memory, which would end a long run at the memory limit.

#include "FuzzSupport.h"

#include "PortDevices.h"
#include "SettingsStore.h"
#include "StartUpSettings.h"

#include <QDateTime>
#include <QFile>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = SettingsStore().fileName();
    static qint64 run = 0;
    FuzzSupport::writeInput(path, data, size);
    // The settings layer keeps a file it has read and reads it again only when its size or
    // time differs: each input gets a time of its own.
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite)
            || !file.setFileTime(QDateTime::fromSecsSinceEpoch(++run, Qt::UTC),
                                 QFileDevice::FileModificationTime))
            std::abort();
    }
    {
        SettingsStore store;
        StartUpSettings startUp;
        startUp.readSettings(store, QStringLiteral("/fuzz/current/"));
        PortDevices devices(&store);
        devices.setDetector([] { return QStringList { QStringLiteral("/dev/ttyUSB0") }; });
        for (qint16 port = PortDevices::kFirstPort; port <= PortDevices::kLastPort; ++port) {
            devices.devicePath(port);
            devices.undetectedAdvice(port);
        }
    }
    return 0;
}
