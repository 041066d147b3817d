#pragma once

#include "Checked.h"
#include "DistrictSettings.h"
#include "SampleSeries.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class ErrorReport;
class SaveDistrictPrompt;

// One district of logger data: the raw image (a 247-byte text header followed by the
// logger's records), the sample series and district settings decoded from it, and the
// cutting of a download into district files.
class FileProcessing
{
public:
    static constexpr qint32 kHeaderLength = 247;
    static constexpr qint32 kDistrictRecordLength = 15;
    static constexpr qint32 kFittingRecordLength = 15;
    static constexpr qint32 kSimpleRecordLength = 10;
    // Characters the header keeps of the district text and of the title and comment lines.
    static constexpr qint32 kDistrictLength = 8;
    static constexpr qint32 kTextLength = 60;

    enum class RecordKind { District, Fitting, Simple, Undefined };

    // A record the last processRecords could not take in full: what kind of problem, where
    // it starts in the image (the byte offset in its file) and why, in the run-time error's
    // words. Once the series is full, one problem stands for every record dropped.
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

    explicit FileProcessing(ErrorReport &errorReport);

    // --- Raw image and header -------------------------------------------------------
    const QByteArray &RawImage() const { return m_rawImage; }
    qint32 lngImageLength() const { return m_lngImageLength; }
    const QString &strDataFile() const { return m_strDataFile; }
    void setDataFile(const QString &path) { m_strDataFile = path; }

    void initialiseHeader();
    void copyDistrictRecords(const QByteArray &bytDownload, qint32 from, qint32 to);
    void readImageFile(const QString &path);
    // The whole file as readImageFile takes it: raises a RuntimeError naming the file when
    // it cannot be read, is empty or too large for an image.
    static QByteArray readFileBytes(const QString &path);
    void writeImageFile(const QString &path) const;
    // Replaces the image by the given bytes (tests, tools).
    void setImage(const QByteArray &bytes);

    void setDistrict(const QString &text);
    void setTitle(const QString &text);
    void setComments1(const QString &text);
    void setComments2(const QString &text);
    QString getDistrict() const;
    QString getTitle() const;
    QString getComments1() const;
    QString getComments2() const;

    // The four texts of the header, trailing spaces removed.
    struct HeaderTexts
    {
        QString district;
        QString title;
        QString comments1;
        QString comments2;
    };
    HeaderTexts headerTexts() const;
    void setHeaderTexts(const HeaderTexts &texts);
    // Puts the texts in the header and writes the image back to strDataFile, whose length
    // does not change. When the file cannot be written, the header gets its old texts back
    // (so no later save writes texts that are in no file) and the RuntimeError goes on.
    void saveHeaderTexts(const HeaderTexts &texts);
    // The texts are stored one byte per character in Windows-1252, as the logger software
    // writes them. textRefusal is empty when the header can hold every character of
    // `text`; else it is the one sentence that tells the user which character it cannot.
    // The dialogs and the batch tool refuse such a text before it reaches putHeaderText.
    static QString textRefusal(const QString &text);
    void putHeaderText(const QString &text, qint32 offset, qint32 width);
    QString getHeaderText(qint32 offset, qint32 width) const;

    // --- Record decoding ------------------------------------------------------------
    const SampleSeries &series() const { return m_series; }
    const DistrictSettings &settings() const { return m_settings; }

    // Decodes the whole image; sets intUnits to 1 (flow) or 4 (pressure).
    void processRecords(qint16 &intUnits);
    // The records of the last processRecords that failed to decode or were dropped.
    const QList<Problem> &problems() const { return m_problems; }
    void processDistrictRecord(qint32 position);
    void processFittingRecord(qint32 position);
    void processSimpleRecord(qint32 position);
    // Appends the sample whose time stamp starts at `position` (value right behind it);
    // a failure is reported at `recordPosition`, the record that holds the time stamp.
    void getDateAndValue(qint32 position, qint32 recordPosition);
    qint16 getLoggingInterval(qint32 position);
    double getValue(qint32 position) const;
    double getMeterLitres(qint32 position) const;
    double getHeadPulses(qint32 position) const;
    double getTransducerOffset(qint32 position) const;
    double getTransducerRange(qint32 position) const;
    QString getFittingNumber(qint32 position) const;
    static QString getDistrictNumber(const QByteArray &bytDownload, qint32 position);

    static QChar lowNibbleChar(quint8 byte);
    static QChar highNibbleChar(quint8 byte);
    static double readNumber(const QString &nibbleText);
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
    static qint32 recordStep(RecordKind kind)
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
    static qint32 intervalSeconds(int code);
    static qint32 channelType(int channelBits, quint8 modeBits);

    // --- Download files -------------------------------------------------------------
    // Cuts a download at every district record into files defaultDir + name + ".dat".
    // Returns the paths written; the image keeps the last district, and strDataFile names
    // its file, or is empty when that district was not written.
    QStringList saveDistricts(const QByteArray &bytDownload, qint32 lngDownloadLength,
                              QString &strDefaultDir, SaveDistrictPrompt &prompt);
    static QList<qint32> districtPositions(const QByteArray &bytDownload, qint32 lngDownloadLength);

private:
    // The image is exactly lngImageLength bytes long.
    quint8 imageByte(qint32 position) const { return Checked::byteAt(m_rawImage, position); }
    QString nibbleText(qint32 first, qint32 last, bool high) const;
    // Raises "Subscript out of range" unless `count` bytes from `position` lie in the image.
    void requireBytes(qint32 position, qint32 count) const
    {
        if (position < 0 || static_cast<qint64>(position) + count > m_lngImageLength)
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
    // From a catch block: logs the error being handled with the file and offset of the
    // record, and keeps it as a problem of this decode.
    void reportProblem(const QString &procedure, qint32 recordPosition,
                       bool seriesFull = false) noexcept;

    ErrorReport &m_errorReport;
    DayCache m_dayCache;
    qint64 m_lastSampleSeconds = 0; // whole seconds of the last entry of the series
    QByteArray m_rawImage;
    qint32 m_lngImageLength = 0;
    QString m_strDataFile;
    SampleSeries m_series;
    DistrictSettings m_settings;
    QList<Problem> m_problems;
    qsizetype m_seriesFullProblem = -1; // the one problem that says the series is full
};
