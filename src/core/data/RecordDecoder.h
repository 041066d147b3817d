#pragma once

#include "DistrictImage.h"
#include "DistrictSettings.h"
#include "EventLogNames.h"
#include "RuntimeError.h"
#include "SampleSeries.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Reads the records of a district image into its sample series and logging settings. It
// holds no state between images and touches no file: what it could not read comes back
// as problems for the user and faults for the event log.
class RecordDecoder
{
public:
    static constexpr qint32 kDistrictRecordLength = 15;
    static constexpr qint32 kFittingRecordLength = 15;
    static constexpr qint32 kSimpleRecordLength = 10;

    enum class RecordKind { District, Fitting, Simple, Undefined };

    // A record the decode could not take in full: what kind of problem, where it starts in
    // the image (the byte offset in its file) and why, in the run-time error's words. Once
    // the series is full, one problem stands for every record dropped.
    struct Problem
    {
        enum class Kind {
            Unreadable, // the record was skipped
            Overflow, // its value does not fit a signed 16-bit quantity
            SeriesFull, // no room left in the series
            CutShort // the file ends inside the record
        };
        Kind kind = Kind::Unreadable;
        qint32 offset = 0;
        QString reason;
        qint32 count = 1;
    };

    // One run-time error raised while reading a record, in the order they were raised: the
    // event log's entry for it names the procedure that read the record.
    struct Fault
    {
        QString description; // "Overflow", "Subscript out of range", ...
        QString procedure; // "getDateAndValue", ...
        qint32 offset = 0; // of the record
    };

    struct Result
    {
        SampleSeries series;
        // Those of the last district record read; the ones in force before it until then.
        DistrictSettings settings;
        QList<Problem> problems;
        QList<Fault> faults;
    };

    // The module the event log names for a record that failed to decode; the procedure is
    // the fault's.
    static QString loggedModule() { return EventLogNames::kDistrictRecords; }

    // Reads every record behind the header of `image` into `result`. Readings before the
    // first district record are read with the settings `result` holds (those of the image
    // decoded before, or none). Its series' arrays are used again, so that decoding one
    // image after another allocates them once.
    static void decode(const QByteArray &image, Result &result);

    static RecordKind recordKind(quint8 firstByte)
    {
        switch (firstByte & 0xC0) {
        case 0x80:
            return RecordKind::District;
        case 0x40:
            return RecordKind::Fitting;
        case 0x00:
            return RecordKind::Simple;
        default:
            return RecordKind::Undefined;
        }
    }
    // Length to step over a record of this kind (1 for the undefined kind: the walk
    // moves on byte by byte until it meets a defined record again).
    static qint32 recordLength(RecordKind kind)
    {
        switch (kind) {
        case RecordKind::District:
            return kDistrictRecordLength;
        case RecordKind::Fitting:
            return kFittingRecordLength;
        case RecordKind::Simple:
            return kSimpleRecordLength;
        case RecordKind::Undefined:
            break;
        }
        return 1;
    }
    // Seconds between readings for the interval code of a district record; 0 when unknown.
    static qint32 intervalSeconds(int code);
    // 1 to 3 flow, 4 to 7 pressure.
    static qint32 channelType(int channelBits, quint8 modeBits);
    // The character a nibble stands for: a digit, "." for 10, the next characters after
    // "9" for the other codes.
    static QChar lowNibbleChar(quint8 byte);
    static QChar highNibbleChar(quint8 byte);
    // The longest leading run of digits with at most one decimal point; no digit reads 0.
    static double readNumber(const QString &nibbleText);

private:
    RecordDecoder(const QByteArray &image, Result &result);

    void walk();
    void readDistrictRecord(qint32 position);
    void readFittingRecord(qint32 position);
    void readSimpleRecord(qint32 position);
    // Appends the sample whose time stamp starts at `position` (value right behind it);
    // a failure is told at `recordPosition`, the record that holds the time stamp.
    void appendSample(qint32 position, qint32 recordPosition);
    qint16 loggingInterval(qint32 position);
    // The value whose two bytes start at `position`, or the description of the run-time
    // error working it out raises. Told, not thrown: in a damaged file most records fail,
    // and a decode must stay quick however many do.
    double value(qint32 position, QString &error) const;
    QString nibbleText(qint32 first, qint32 last, bool high) const;
    quint8 byteAt(qint32 position) const;
    // Raises "Subscript out of range" unless `count` bytes from `position` lie in the image.
    void requireBytes(qint32 position, qint32 count) const
    {
        if (position < 0 || static_cast<qint64>(position) + count > m_image.size())
            throw RuntimeError::subscriptOutOfRange();
    }

    // Consecutive samples mostly share their date: the last day number is kept.
    struct DayCache
    {
        int year = -1;
        int month = -1;
        int day = -1;
        qint64 number = 0;
    };
    qint64 sampleSeconds(const quint8 *timeStamp);
    // A problem for the user: a record cut short by the end of the image says so.
    Problem describeProblem(const QString &description, qint32 recordPosition) const;
    // Keeps the run-time error `description` as a fault and a problem.
    void keepProblem(const QString &description, const QString &procedure, qint32 recordPosition,
                     bool seriesFull = false) noexcept;
    // From a catch block: keeps the error being handled.
    void keepCurrentProblem(const QString &procedure, qint32 recordPosition) noexcept;

    const QByteArray &m_image;
    Result &m_result;
    DayCache m_dayCache;
    qint64 m_lastSampleSeconds = 0; // whole seconds of the last entry of the series
    qsizetype m_seriesFullProblem = -1; // the one problem that says the series is full
};
