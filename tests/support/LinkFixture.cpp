#include "LinkFixture.h"

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

LinkFixture::LinkFixture(LoggerSimulator::Options options, qint64 startMSecs)
    : simulator(std::move(options))
    , fakeTime(startMSecs)
    , formats(QLocale(QLocale::English, QLocale::UnitedKingdom))
    , port(devices)
    , comm({ port, messages, progress, log.report, strings, formats, fakeTime, fakeTime })
{
    QObject::connect(&simulator, &LoggerSimulator::frameReceived,
                     [this] { frameTimes.append(now()); });
}

bool LinkFixture::start()
{
    if (!simulator.start())
        return false;
    devices.setDevice(1, simulator.devicePath());
    comm.intCOMPort = 1;
    return true;
}

QString LinkFixture::framesOnTheLine() const
{
    QStringList hex;
    for (const QByteArray &frame : simulator.frames())
        hex.append(QString::fromLatin1(frame.toHex()));
    return hex.join(u' ');
}
