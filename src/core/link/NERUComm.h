#pragma once

#include "LinkMessages.h"

#include <QByteArray>
#include <QString>

#include <functional>

class DownloadProgress;
class ErrorReport;
class LinkClock;
class LinkEvents;
class NamedFormats;
class SerialPortControl;
class StringTable;

// The serial link to the logger and the operations built on it. Every conversation is
// one exchange (pollNERU): open the port, wake the logger, wait for the next clock
// second, send one command frame, collect the reply whose length the command fixes,
// close the port. Operations return True when they failed, as the rest of the program
// expects; every failure has told the user already.
class NERUComm
{
public:
    struct Context
    {
        SerialPortControl &comSerialPort;
        LinkMessages &messages;
        DownloadProgress &frmDownloading;
        ErrorReport &errorReport;
        const StringTable &strings;
        const NamedFormats &formats;
        const LinkClock &clock;
        LinkEvents &events;
    };

    static constexpr qint32 kReadClock = 1;
    static constexpr qint32 kSetClock = 2;
    static constexpr qint32 kReadDataLength = 13;
    static constexpr qint32 kReadDataBlock = 14;
    static constexpr qint32 kClearMemory = 15;
    static constexpr qint32 kReadGeneralInfo = 18;
    static constexpr qint32 kBlockLength = 128;
    static constexpr qint32 kDownloadLimit = 32000;
    // A wait fails once the clock's seconds count has advanced by more than this.
    static constexpr qint64 kTimeOutSeconds = 3;

    explicit NERUComm(Context context);

    // --- Exchanges ------------------------------------------------------------------
    void setupCOMPort();
    QByteArray getCommandBytes(qint32 command, qint32 parameter) const;
    static qint32 getNumOfBytesReturned(qint32 command);
    // One exchange. False: done, the reply is in bytReply. True: failed, after the
    // communication error has been shown (or refused while another exchange waits).
    bool pollNERU(qint32 command, qint32 parameter);

    // --- Operations -----------------------------------------------------------------
    void getRawData();
    bool getDateAndTime();
    bool getGeneralInfo();
    // True when the clock was not set (the user has been told why, if at all).
    bool programRTC();
    // True when the memory was not cleared.
    bool reprogramNERU();

    // --- Replies ----------------------------------------------------------------------
    // What the operations make of the logger's reply bytes, apart from the exchange.
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

    static void appendBytes(QByteArray &destination, const QByteArray &source);
    // Upper bound of a byte array: its last index, -1 when empty.
    static qint32 getUBound(const QByteArray &bytes);

    // An exchange or operation is under way (its waits let other events run).
    bool isBusy() const { return m_exchangeActive || m_operationActive; }

    // --- State ----------------------------------------------------------------------
    qint16 intCOMPort = 1;
    QByteArray bytReply;
    QByteArray bytDownload;
    qint32 lngDownloadLength = 0;
    // Of a download from the logger that ended without all its blocks (a failure, a cancel):
    // how many of its bytes arrived, at the start of bytDownload. 0 after a whole download.
    qint32 partialLength = 0;
    double dteLoggerClock = 0.0;
    QString strSerialNumber;
    double dteCalibration = 0.0;
    qint32 lngIdentification = 0;
    QString strVersion;

private:
    class BusyScope;

    bool hasLoggerPort() const;
    bool runOperation(const QString &procedure, qint32 command,
                      const std::function<void()> &onReply);
    qint64 wholeSeconds() const;
    qint64 msecsUntilSecond(qint64 second) const;
    void waitForInput(qint32 count, qint32 command);
    void pauseToNextSecond();
    void settleWakeUpReply();
    bool refuse(const QString &procedure);
    void communicationError(const QString &reason, const QString &advice);
    void readRawDataFile();
    bool downloadFromLogger();
    double localNow() const;
    static QString replyText(const QByteArray &reply, qint32 first, qint32 length);
    void show(LinkMessages::Kind kind, const QString &text);

    Context m_context;
    bool m_exchangeActive = false;
    bool m_operationActive = false;
};
