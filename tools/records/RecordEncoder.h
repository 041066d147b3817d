#pragma once

#include <QByteArray>
#include <QString>

// Writes logger records, the inverse of the decoding: used to make sample data, the
// logger simulator's memory and test images.
class RecordEncoder
{
public:
    struct Time
    {
        int year = 2026; // written as its last two digits
        int month = 1;
        int day = 1;
        int hour = 0;
        int minute = 0;
        int second = 0;
    };

    struct District
    {
        QString number = QStringLiteral("00001"); // five nibble characters
        int intervalCode = 9; // 900 s
        int channelBits = 1; // with mode bits 00: type 1 (flow)
        quint8 modeBits = 0x00;
        QString meter = QStringLiteral("00010"); // low nibbles of bytes 6 to 10
        QString head = QStringLiteral("00100"); // high nibbles of bytes 6 to 10
        quint16 referenceRaw = 0;
    };

    // The nibble of a character: digits, "." for 10, ";<=>?" for 11 to 15.
    static int nibble(QChar c);

    static QByteArray district(const District &d);
    static QByteArray fitting(const QString &number, const Time &t, quint16 raw);
    static QByteArray simple(const Time &t, quint16 raw);
    // The 247-byte header with the four text fields filled.
    static QByteArray header(const QString &district, const QString &title = QString(),
                             const QString &comments1 = QString(),
                             const QString &comments2 = QString());

    // Adds seconds to a time by calendar arithmetic.
    static Time addSeconds(const Time &t, qint64 seconds);

private:
    static void appendTime(QByteArray &out, const Time &t);
    static void appendRaw(QByteArray &out, quint16 raw);
};
