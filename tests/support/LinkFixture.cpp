#include "LinkFixture.h"

#include <QFile>
#include <QLocale>

qint64 LinkFixture::at(int hour, int minute, int second, int msec)
{
    return QDateTime(QDate(2001, 9, 3), QTime(hour, minute, second, msec)).toMSecsSinceEpoch();
}

QByteArray LinkFixture::pattern(int length)
{
    QByteArray bytes;
    for (int i = 0; i < length; ++i)
        bytes.append(static_cast<char>((i * 7 + i / 251) & 0xFF));
    return bytes;
}

LinkFixture::LinkFixture(LoggerSimulator::Options options, Time time, qint64 startMSecs)
    : simulator(std::move(options))
    , fakeTime(startMSecs)
    , clock(time == Time::Fake ? static_cast<const LinkClock &>(fakeTime) : systemClock)
    , events(time == Time::Fake ? static_cast<LinkEvents &>(fakeTime) : realEvents)
    , errorReport(folder.filePath(QStringLiteral("events.log")))
    , formats(QLocale(QLocale::English, QLocale::UnitedKingdom))
    , port(devices)
    , comm({ port, messages, progress, errorReport, strings, formats, clock, events })
{
    QObject::connect(&simulator, &LoggerSimulator::frameReceived, [this](const QByteArray &frame) {
        frameTimes.append({ frame, now() });
    });
}

bool LinkFixture::start()
{
    if (!simulator.start())
        return false;
    devices.setDevice(1, simulator.devicePath());
    comm.intCOMPort = 1;
    return true;
}

bool LinkFixture::run(const QString &operation)
{
    if (operation == QLatin1String("getDateAndTime"))
        return comm.getDateAndTime();
    if (operation == QLatin1String("getGeneralInfo"))
        return comm.getGeneralInfo();
    if (operation == QLatin1String("programRTC"))
        return comm.programRTC();
    if (operation == QLatin1String("reprogramNERU"))
        return comm.reprogramNERU();
    if (operation == QLatin1String("getRawData")) {
        comm.getRawData();
        return comm.lngDownloadLength <= 0;
    }
    qFatal("no operation %s", qPrintable(operation));
    return true;
}

QString LinkFixture::eventLog() const
{
    QFile file(folder.filePath(QStringLiteral("events.log")));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QString LinkFixture::framesOnTheLine() const
{
    QStringList hex;
    for (const QByteArray &frame : simulator.frames())
        hex.append(QString::fromLatin1(frame.toHex()));
    return hex.join(u' ');
}
