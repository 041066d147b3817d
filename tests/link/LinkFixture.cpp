#include "LinkFixture.h"

#include <QFile>
#include <QLocale>

qint64 LinkFixture::msecsAt(const QDate &date, const QTime &time)
{
    return QDateTime(date, time).toMSecsSinceEpoch();
}

qint64 LinkFixture::defaultStart()
{
    return msecsAt(QDate(2001, 9, 3), QTime(14, 5, 8, 400));
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

QString LinkFixture::eventLog() const
{
    QFile file(folder.filePath(QStringLiteral("events.log")));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}
