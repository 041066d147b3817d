#pragma once

#include <QByteArray>
#include <QString>

// The logger's protocol: the command frames, the length of each reply, and what the
// replies mean. Every conversation is one exchange: wake the logger, wait for the next
// clock second, send one command frame, collect the reply whose length the command fixes.
// LoggerSession runs the exchanges.
class LoggerProtocol
{
public:
    static constexpr qint32 kReadClock = 1;
    static constexpr qint32 kSetClock = 2;
    static constexpr qint32 kReadDataLength = 13;
    static constexpr qint32 kReadDataBlock = 14;
    static constexpr qint32 kClearMemory = 15;
    static constexpr qint32 kReadGeneralInfo = 18;
    static constexpr qint32 kBlockLength = 128;
    static constexpr qint32 kDownloadLimit = 32000;

    // The frame of `command`. Set-clock carries all seven fields of the PC's local clock at
    // `pcMSecsSinceEpoch`, read whole seconds down; read-block carries the block number.
    // Raises "Overflow" for a code or field outside a byte.
    static QByteArray frame(qint32 command, qint32 parameter, qint64 pcMSecsSinceEpoch);
    static qint32 replyLength(qint32 command);

    // --- Replies ----------------------------------------------------------------------
    // Each raises a RuntimeError ("Subscript out of range" for a reply cut short,
    // "Invalid procedure call or argument" for a date it cannot be) and keeps nothing.
    // The clock from the reply to kReadClock: hour, minute, second, day, month, two-digit
    // year (byte 6, the weekday, is not used).
    static double decodeClock(const QByteArray &reply);
    struct GeneralInfo
    {
        QString serialNumber;
        double calibration = 0.0;
        qint32 identification = 0;
        QString version;
    };
    // The identity from the reply to kReadGeneralInfo: serial number (6 characters),
    // calibration day, month, century and year, identification, version (5 characters).
    static GeneralInfo decodeGeneralInfo(const QByteArray &reply);
    // The number of data bytes the logger holds, from the reply to kReadDataLength (high
    // byte first).
    static qint32 decodeDataLength(const QByteArray &reply);
    // The blocks to ask for `length` bytes: length \ 128 + 1.
    static qint32 blockCount(qint32 length);

private:
    static QString replyText(const QByteArray &reply, qint32 first, qint32 length);
};
