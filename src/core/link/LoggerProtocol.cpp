#include "LoggerProtocol.h"

#include "Checked.h"
#include "DateTime.h"
#include "RuntimeError.h"

#include <QDateTime>

namespace {

quint8 toByte(qint32 value)
{
    if (value < 0 || value > 255)
        throw RuntimeError::overflow();
    return static_cast<quint8>(value);
}

} // namespace

QByteArray LoggerProtocol::frame(qint32 command, qint32 parameter, qint64 pcMSecsSinceEpoch)
{
    QByteArray bytes;
    bytes.append(static_cast<char>(toByte(command)));
    if (command == kSetClock) {
        // All seven fields from one reading of the PC's local clock.
        const QDateTime now = QDateTime::fromMSecsSinceEpoch(pcMSecsSinceEpoch);
        const QDate date = now.date();
        const QTime time = now.time();
        const int weekday = date.dayOfWeek() % 7 + 1; // 1 = Sunday
        for (int field : { time.hour(), time.minute(), time.second(), date.month(), date.day(),
                           date.year() % 100, weekday })
            bytes.append(static_cast<char>(toByte(field)));
    } else if (command == kReadDataBlock) {
        bytes.append(static_cast<char>(toByte(parameter)));
    }
    return bytes;
}

qint32 LoggerProtocol::replyLength(qint32 command)
{
    switch (command) {
    case kReadClock:
        return 7;
    case kReadDataLength:
        return 2;
    case kReadDataBlock:
        return kBlockLength;
    case kReadGeneralInfo:
        return 16;
    default:
        return 0;
    }
}

QString LoggerProtocol::replyText(const QByteArray &reply, qint32 first, qint32 length)
{
    // One character per byte, taken as it stands (a zero byte stays a NUL character).
    QString text;
    text.reserve(length);
    for (qint32 i = first; i < first + length; ++i)
        text.append(QChar(static_cast<char16_t>(Checked::byteAt(reply, i))));
    return text;
}

double LoggerProtocol::decodeClock(const QByteArray &r)
{
    using Checked::byteAt;
    return DateTime::fromParts(byteAt(r, 5), byteAt(r, 3), byteAt(r, 4), byteAt(r, 0), byteAt(r, 1),
                               byteAt(r, 2));
}

LoggerProtocol::GeneralInfo LoggerProtocol::decodeGeneralInfo(const QByteArray &r)
{
    using Checked::byteAt;
    GeneralInfo info;
    info.serialNumber = replyText(r, 0, 6);
    info.calibration
        = DateTime::dateSerial(byteAt(r, 8) * 100 + byteAt(r, 9), byteAt(r, 7), byteAt(r, 6));
    info.identification = byteAt(r, 10);
    info.version = replyText(r, 11, 5);
    return info;
}

qint32 LoggerProtocol::decodeDataLength(const QByteArray &reply)
{
    return Checked::byteAt(reply, 0) * 256 + Checked::byteAt(reply, 1);
}

qint32 LoggerProtocol::blockCount(qint32 length)
{
    // When length is a multiple of 128 that is one block more than the data needs, which
    // the logger answers like any other.
    return length / kBlockLength + 1;
}
