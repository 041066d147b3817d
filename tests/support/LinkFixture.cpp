#include "LinkFixture.h"

#include <QEventLoop>
#include <QLocale>
#include <QTimer>

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
    , session({ port, log.report, strings, formats, fakeTime })
{
    QObject::connect(&simulator, &LoggerSimulator::frameReceived,
                     [this] { frameTimes.append(now()); });
    QObject::connect(&session, &LoggerSession::finished,
                     [this](const LoggerResult &result) { results.append(result); });
    QObject::connect(&session, &LoggerSession::notice,
                     [this](const LoggerMessage &message) { notices.append(message); });
    QObject::connect(&session, &LoggerSession::progress, [this](qint32 block, qint32 count) {
        blocks.append(block);
        blockCount = count;
    });
}

bool LinkFixture::start()
{
    if (!simulator.start())
        return false;
    devices.setDevice(1, simulator.devicePath());
    session.setPort(1);
    return true;
}

LoggerResult LinkFixture::run(void (LoggerSession::*operation)())
{
    const qsizetype before = results.size();
    QEventLoop loop;
    QObject::connect(&session, &LoggerSession::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    (session.*operation)();
    if (results.size() == before)
        loop.exec();
    if (results.size() == before)
        qFatal("the operation never finished");
    return results.last();
}

QString LinkFixture::framesOnTheLine() const
{
    QStringList hex;
    for (const QByteArray &frame : simulator.frames())
        hex.append(QString::fromLatin1(frame.toHex()));
    return hex.join(u' ');
}
