#include "NERUComm.h"

#include "Checked.h"
#include "DateTime.h"
#include "DownloadProgress.h"
#include "ErrorReport.h"
#include "LinkClock.h"
#include "LinkEvents.h"
#include "NamedFormats.h"
#include "PortError.h"
#include "SerialPortControl.h"
#include "StringTable.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kModule = QStringLiteral("NERUComm");
const QString kSettings = QStringLiteral("9600,n,8,1");
const QString kRawDataFile = QStringLiteral("rawdata.bin");
// The wake-up reply is over when the line has been quiet this long (a byte takes about
// a millisecond at 9600 baud).
constexpr qint64 kQuietMSecs = 20;

quint8 toByte(qint32 value)
{
    if (value < 0 || value > 255)
        throw RuntimeError::overflow();
    return static_cast<quint8>(value);
}

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

class NERUComm::BusyScope
{
public:
    explicit BusyScope(bool &flag)
        : m_flag(flag)
    {
        m_flag = true;
    }
    ~BusyScope() { m_flag = false; }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    bool &m_flag;
};

NERUComm::NERUComm(Context context)
    : m_context(context)
{ }

// --- Exchanges ---------------------------------------------------------------------

void NERUComm::setupCOMPort()
{
    try {
        SerialPortControl &port = m_context.comSerialPort;
        port.setSettings(kSettings);
        port.setCommPort(intCOMPort);
        port.discardInput();
    } catch (...) {
        m_context.errorReport.errorReport(kModule, QStringLiteral("setupCOMPort"));
    }
}

QByteArray NERUComm::getCommandBytes(qint32 command, qint32 parameter) const
{
    QByteArray frame;
    frame.append(static_cast<char>(toByte(command)));
    if (command == kSetClock) {
        // All seven fields from one reading of the PC's local clock.
        const QDateTime now
            = QDateTime::fromMSecsSinceEpoch(m_context.clock.currentMSecsSinceEpoch());
        const QDate date = now.date();
        const QTime time = now.time();
        const int weekday = date.dayOfWeek() % 7 + 1; // 1 = Sunday
        for (int field : { time.hour(), time.minute(), time.second(), date.month(), date.day(),
                           date.year() % 100, weekday })
            frame.append(static_cast<char>(toByte(field)));
    } else if (command == kReadDataBlock) {
        frame.append(static_cast<char>(toByte(parameter)));
    }
    return frame;
}

qint32 NERUComm::getNumOfBytesReturned(qint32 command)
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

qint64 NERUComm::wholeSeconds() const
{
    return floorDiv(m_context.clock.currentMSecsSinceEpoch(), 1000);
}

qint64 NERUComm::msecsUntilSecond(qint64 second) const
{
    return second * 1000 - m_context.clock.currentMSecsSinceEpoch();
}

// Waits until `count` bytes are buffered; fails once the clock's seconds count has
// advanced by more than three, which is 3 to 4 seconds after the start.
void NERUComm::waitForInput(qint32 count, qint32 command)
{
    SerialPortControl &port = m_context.comSerialPort;
    const qint64 t0 = wholeSeconds();
    for (;;) {
        port.throwIfFailed();
        const qint64 buffered = port.bytesBuffered();
        if (buffered >= count)
            return;
        if (wholeSeconds() - t0 > kTimeOutSeconds) {
            const QString what = command == kReadClock && count == 1
                ? QStringLiteral("the wake-up")
                : QStringLiteral("command %1").arg(command);
            if (buffered == 0)
                throw PortError(QStringLiteral("%1: no reply to %2 within %3 seconds")
                                    .arg(port.deviceName(), what)
                                    .arg(kTimeOutSeconds),
                                QStringLiteral("Check that the logger is switched on and that "
                                               "its cable is plugged into %1 (COM%2).")
                                    .arg(port.deviceName())
                                    .arg(port.commPort()));
            throw PortError(QStringLiteral("%1: only %2 of the %3 bytes of the reply to %4 "
                                           "arrived within %5 seconds")
                                .arg(port.deviceName())
                                .arg(buffered)
                                .arg(count)
                                .arg(what)
                                .arg(kTimeOutSeconds),
                            QStringLiteral("Check the cable and its connectors, then try again."));
        }
        m_context.events.wait(port, msecsUntilSecond(t0 + kTimeOutSeconds + 1), true);
    }
}

void NERUComm::pauseToNextSecond()
{
    SerialPortControl &port = m_context.comSerialPort;
    const qint64 t0 = wholeSeconds();
    while (wholeSeconds() - t0 < 1) {
        port.throwIfFailed();
        m_context.events.wait(port, msecsUntilSecond(t0 + 1), false);
    }
}

// A wake-up reply that is still arriving when the second changes would otherwise spill
// into the reply to the command and shift every byte of it.
void NERUComm::settleWakeUpReply()
{
    SerialPortControl &port = m_context.comSerialPort;
    const LinkClock &clock = m_context.clock;
    const qint32 wakeUpLength = getNumOfBytesReturned(kReadClock);
    qint64 seen = port.bytesBuffered();
    qint64 lastArrival = clock.currentMSecsSinceEpoch();
    while (port.bytesBuffered() < wakeUpLength) {
        port.throwIfFailed();
        const qint64 quietFor = clock.currentMSecsSinceEpoch() - lastArrival;
        if (quietFor >= kQuietMSecs)
            return;
        m_context.events.wait(port, kQuietMSecs - quietFor, true);
        if (port.bytesBuffered() != seen) {
            seen = port.bytesBuffered();
            lastArrival = clock.currentMSecsSinceEpoch();
        }
    }
}

bool NERUComm::pollNERU(qint32 command, qint32 parameter)
{
    if (m_exchangeActive)
        return refuse(QStringLiteral("pollNERU"));
    BusyScope busy(m_exchangeActive);
    SerialPortControl &port = m_context.comSerialPort;
    setupCOMPort();
    QString reason;
    QString advice;
    try {
        port.open();
        port.send(getCommandBytes(kReadClock, 0));
        waitForInput(1, kReadClock);
        pauseToNextSecond();
        settleWakeUpReply();
        port.discardInput();
        port.send(getCommandBytes(command, parameter));
        const qint32 n = getNumOfBytesReturned(command);
        if (n >= 1)
            waitForInput(n, command);
        const QByteArray reply = port.readAll();
        port.close();
        bytReply = reply;
        return false;
    } catch (const PortError &e) {
        reason = e.description();
        advice = e.advice();
    } catch (const RuntimeError &e) {
        reason = e.description();
    } catch (const std::exception &e) {
        reason = QString::fromLocal8Bit(e.what());
    }
    // The line is let go before the user reads the message.
    port.close();
    communicationError(reason, advice);
    return true;
}

void NERUComm::communicationError(const QString &reason, const QString &advice)
{
    m_context.errorReport.report(reason, kModule, QStringLiteral("pollNERU"));
    QString detail = reason;
    if (!advice.isEmpty())
        detail += u'\n' + advice;
    const QString portAdvice = m_context.comSerialPort.undetectedAdvice();
    if (!portAdvice.isEmpty())
        detail += u'\n' + portAdvice;
    const StringTable &t = m_context.strings;
    m_context.messages.showMessage(LinkMessages::Kind::Failure,
                                   t.text(40200) + QStringLiteral("\r\n") + t.text(40210), detail);
}

bool NERUComm::refuse(const QString &procedure)
{
    m_context.errorReport.report(
        QStringLiteral("Refused while another exchange with the logger is under way"), kModule,
        procedure);
    return true;
}

// --- Operations --------------------------------------------------------------------

bool NERUComm::hasLoggerPort() const
{
    return intCOMPort >= 1 && intCOMPort <= 4;
}

void NERUComm::show(LinkMessages::Kind kind, const QString &text)
{
    m_context.messages.showMessage(kind, text, QString());
}

double NERUComm::localNow() const
{
    return DateTime::fromQDateTime(
        QDateTime::fromMSecsSinceEpoch(m_context.clock.currentMSecsSinceEpoch()));
}

QString NERUComm::replyText(const QByteArray &reply, qint32 first, qint32 length)
{
    // One character per byte, taken as it stands (a zero byte stays a NUL character).
    QString text;
    text.reserve(length);
    for (qint32 i = first; i < first + length; ++i)
        text.append(QChar(static_cast<char16_t>(Checked::byteAt(reply, i))));
    return text;
}

double NERUComm::decodeClock(const QByteArray &r)
{
    using Checked::byteAt;
    return DateTime::fromParts(byteAt(r, 5), byteAt(r, 3), byteAt(r, 4), byteAt(r, 0), byteAt(r, 1),
                               byteAt(r, 2));
}

NERUComm::GeneralInfo NERUComm::decodeGeneralInfo(const QByteArray &r)
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

qint32 NERUComm::decodeDataLength(const QByteArray &reply)
{
    return Checked::byteAt(reply, 0) * 256 + Checked::byteAt(reply, 1);
}

qint32 NERUComm::blockCount(qint32 length)
{
    // When length is a multiple of 128 that is one block more than the data needs, which
    // the logger answers like any other.
    return length / kBlockLength + 1;
}

void NERUComm::readRawDataFile()
{
    QFile file(kRawDataFile);
    if (!file.exists()) {
        show(LinkMessages::Kind::Failure,
             QStringLiteral("Unable to find rawdata in ")
                 + QDir::toNativeSeparators(QDir::currentPath()));
        return;
    }
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(QFileInfo(file).absoluteFilePath() + QStringLiteral(": ")
                           + file.errorString());
    const qint32 length = Checked::toInt32(static_cast<double>(file.size()));
    QByteArray bytes = file.read(length);
    if (bytes.size() != length)
        throw RuntimeError(QFileInfo(file).absoluteFilePath() + QStringLiteral(": ")
                           + file.errorString());
    bytDownload = std::move(bytes);
    lngDownloadLength = length;
}

void NERUComm::getRawData()
{
    if (isBusy()) {
        refuse(QStringLiteral("getRawData"));
        return;
    }
    BusyScope busy(m_operationActive);
    bool complete = false;
    try {
        bytDownload.clear();
        lngDownloadLength = 0;
        partialLength = 0;
        if (!hasLoggerPort()) {
            readRawDataFile();
            return;
        }
        complete = downloadFromLogger();
    } catch (...) {
        m_context.errorReport.errorReport(kModule, QStringLiteral("getRawData"));
    }
    // A download that failed, was cancelled or broke off part-way counts for nothing.
    if (!complete)
        lngDownloadLength = 0;
}

// The length is published only once every block has arrived: while the blocks come in,
// a caller that looks (say, a second Interrogate refused meanwhile) sees no download.
bool NERUComm::downloadFromLogger()
{
    if (pollNERU(kReadDataLength, 0))
        return false;
    qint32 n = decodeDataLength(bytReply);
    if (n == 0) {
        show(LinkMessages::Kind::Warning, m_context.strings.text(40220));
        return false;
    }
    if (n > kDownloadLimit) {
        show(LinkMessages::Kind::Warning, m_context.strings.text(50041));
        n = kDownloadLimit;
    }
    const qint32 blocks = blockCount(n);
    DownloadProgress &window = m_context.frmDownloading;
    window.showDownload();
    bool complete = true;
    try {
        window.setProgressMaximum(blocks);
        for (qint32 b = 0; b < blocks; ++b) {
            // A cancel takes effect after the block in progress.
            if (window.blnCancelDownload()) {
                complete = false;
                break;
            }
            window.setProgressValue(b);
            if (pollNERU(kReadDataBlock, b)) {
                complete = false;
                break;
            }
            appendBytes(bytDownload, bytReply);
        }
    } catch (...) {
        window.hideDownload();
        throw;
    }
    window.hideDownload();
    if (complete)
        lngDownloadLength = n;
    else
        partialLength = std::min(n, static_cast<qint32>(bytDownload.size()));
    return complete;
}

// Every operation but the download: the port check, the refusal while another exchange
// is under way, one exchange, then `onReply` decodes or tells the user. A run-time error
// goes to the error report under the operation's name.
bool NERUComm::runOperation(const QString &procedure, qint32 command,
                            const std::function<void()> &onReply)
{
    if (!hasLoggerPort())
        return true;
    if (isBusy())
        return refuse(procedure);
    BusyScope busy(m_operationActive);
    try {
        if (pollNERU(command, 0))
            return true;
        onReply();
        return false;
    } catch (...) {
        m_context.errorReport.errorReport(kModule, procedure);
    }
    return true;
}

bool NERUComm::getDateAndTime()
{
    return runOperation(QStringLiteral("getDateAndTime"), kReadClock,
                        [this] { dteLoggerClock = decodeClock(bytReply); });
}

bool NERUComm::getGeneralInfo()
{
    return runOperation(QStringLiteral("getGeneralInfo"), kReadGeneralInfo, [this] {
        // All four are decoded before any is kept: a reply that cannot be decoded leaves
        // the earlier values whole.
        GeneralInfo info = decodeGeneralInfo(bytReply);
        strSerialNumber = std::move(info.serialNumber);
        dteCalibration = info.calibration;
        lngIdentification = info.identification;
        strVersion = std::move(info.version);
    });
}

bool NERUComm::programRTC()
{
    return runOperation(QStringLiteral("programRTC"), kSetClock, [this] {
        // The time shown is read after the exchange.
        show(LinkMessages::Kind::Information,
             m_context.strings.text(40240) + u' ' + m_context.formats.dateAndTime(localNow()));
    });
}

bool NERUComm::reprogramNERU()
{
    return runOperation(QStringLiteral("reprogramNERU"), kClearMemory, [this] {
        show(LinkMessages::Kind::Information, m_context.strings.text(40230));
    });
}

void NERUComm::appendBytes(QByteArray &destination, const QByteArray &source)
{
    if (source.isEmpty())
        return;
    destination.append(source);
}

qint32 NERUComm::getUBound(const QByteArray &bytes)
{
    return Checked::toInt32(static_cast<double>(bytes.size()) - 1.0);
}
