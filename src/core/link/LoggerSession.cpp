#include "LoggerSession.h"

#include "Checked.h"
#include "DateTime.h"
#include "ErrorReport.h"
#include "EventLogNames.h"
#include "LinkClock.h"
#include "LoggerProtocol.h"
#include "NamedFormats.h"
#include "PortError.h"
#include "SerialLine.h"
#include "StringTable.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

// The event log's names for the link: stored logs and support read them.

const QString kSettings = QStringLiteral("9600,n,8,1");
const QString kRawDataFile = QStringLiteral("rawdata.bin");
// The wake-up reply is over when the line has been quiet this long (a byte takes about
// a millisecond at 9600 baud).
constexpr qint64 kQuietMSecs = 20;

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

LoggerSession::LoggerSession(Context context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    connect(&m_context.port, &SerialLine::inputArrived, this, &LoggerSession::onInput);
    connect(&m_context.port, &SerialLine::failed, this, &LoggerSession::onPortFailed);
}

LoggerSession::~LoggerSession()
{
    m_context.clock.clearAlarm();
    m_phase = Phase::Idle;
    m_context.port.close();
}

// --- Operations ------------------------------------------------------------------------

bool LoggerSession::begin(const QString &procedure)
{
    if (m_busy) {
        m_context.errorReport.report(
            QStringLiteral("Refused while another exchange with the logger is under way"),
            EventLogNames::kLoggerLink, procedure);
        return false;
    }
    m_busy = true;
    m_finishing = false;
    m_stopRequested = false;
    m_result = LoggerResult();
    m_downloading = false;
    m_blocksRead.clear();
    m_length = 0;
    m_blocks = 0;
    m_block = 0;
    return true;
}

bool LoggerSession::hasLoggerPort() const
{
    return m_portNumber >= 1 && m_portNumber <= 4;
}

void LoggerSession::stop()
{
    if (m_busy)
        m_stopRequested = true;
}

void LoggerSession::finish(LoggerResult::Outcome outcome)
{
    if (m_finishing)
        return;
    m_finishing = true;
    m_result.outcome = outcome;
    // What arrived of a download that ended short: the blocks that came whole.
    if (m_downloading && !m_result.wholeDownload)
        m_result.download
            = m_blocksRead.left(std::min(m_length, static_cast<qint32>(m_blocksRead.size())));
    QMetaObject::invokeMethod(this, &LoggerSession::deliver, Qt::QueuedConnection);
}

void LoggerSession::deliver()
{
    m_busy = false;
    const LoggerResult result = std::exchange(m_result, LoggerResult());
    // The receiver may start the next operation.
    emit finished(result);
}

void LoggerSession::readClock()
{
    if (!begin(EventLogNames::kReadClock))
        return;
    if (!hasLoggerPort())
        return finish(LoggerResult::Outcome::Failed);
    exchange(LoggerProtocol::kReadClock, 0, EventLogNames::kReadClock,
             [this](const QByteArray &reply) {
                 m_result.clock = LoggerProtocol::decodeClock(reply);
                 finish(LoggerResult::Outcome::Done);
             });
}

void LoggerSession::readSettings()
{
    if (!begin(EventLogNames::kReadClock))
        return;
    if (!hasLoggerPort())
        return finish(LoggerResult::Outcome::Failed);
    exchange(LoggerProtocol::kReadClock, 0, EventLogNames::kReadClock,
             [this](const QByteArray &clockReply) {
                 m_result.clock = LoggerProtocol::decodeClock(clockReply);
                 if (m_stopRequested)
                     return finish(LoggerResult::Outcome::Stopped);
                 exchange(LoggerProtocol::kReadGeneralInfo, 0, EventLogNames::kReadIdentity,
                          [this](const QByteArray &reply) {
                              LoggerProtocol::GeneralInfo info
                                  = LoggerProtocol::decodeGeneralInfo(reply);
                              m_result.serialNumber = std::move(info.serialNumber);
                              m_result.calibration = info.calibration;
                              m_result.identification = info.identification;
                              m_result.version = std::move(info.version);
                              finish(m_stopRequested ? LoggerResult::Outcome::Stopped
                                                     : LoggerResult::Outcome::Done);
                          });
             });
}

void LoggerSession::setClock()
{
    if (!begin(EventLogNames::kSetClock))
        return;
    if (!hasLoggerPort())
        return finish(LoggerResult::Outcome::Failed);
    exchange(LoggerProtocol::kSetClock, 0, EventLogNames::kSetClock, [this](const QByteArray &) {
        // The time shown is read after the exchange.
        const double pcClock = DateTime::fromQDateTime(QDateTime::fromMSecsSinceEpoch(now()));
        m_result.message
            = { LoggerMessage::Kind::Information,
                m_context.strings.text(40240) + u' ' + m_context.formats.dateAndTime(pcClock),
                QString() };
        finish(LoggerResult::Outcome::Done);
    });
}

void LoggerSession::clearMemory()
{
    if (!begin(EventLogNames::kClearMemory))
        return;
    if (!hasLoggerPort())
        return finish(LoggerResult::Outcome::Failed);
    exchange(
        LoggerProtocol::kClearMemory, 0, EventLogNames::kClearMemory, [this](const QByteArray &) {
            m_result.message
                = { LoggerMessage::Kind::Information, m_context.strings.text(40230), QString() };
            finish(LoggerResult::Outcome::Done);
        });
}

// --- The download ----------------------------------------------------------------------

void LoggerSession::download()
{
    if (!begin(EventLogNames::kDownload))
        return;
    m_downloading = true;
    if (!hasLoggerPort())
        return readRawDataFile();
    exchange(LoggerProtocol::kReadDataLength, 0, EventLogNames::kDownload,
             [this](const QByteArray &reply) { lengthArrived(reply); });
}

void LoggerSession::lengthArrived(const QByteArray &reply)
{
    qint32 length = LoggerProtocol::decodeDataLength(reply);
    if (length == 0) {
        m_result.message
            = { LoggerMessage::Kind::Warning, m_context.strings.text(40220), QString() };
        return finish(LoggerResult::Outcome::Failed);
    }
    if (length > LoggerProtocol::kDownloadLimit) {
        // Told before the blocks are asked for; the download goes on when it has been read.
        emit notice({ LoggerMessage::Kind::Warning, m_context.strings.text(50041), QString() });
        length = LoggerProtocol::kDownloadLimit;
    }
    m_length = length;
    m_blocks = LoggerProtocol::blockCount(length);
    nextBlock();
}

void LoggerSession::nextBlock()
{
    if (m_block == m_blocks) {
        m_result.download = m_blocksRead.left(m_length);
        m_result.wholeDownload = true;
        return finish(m_stopRequested ? LoggerResult::Outcome::Stopped
                                      : LoggerResult::Outcome::Done);
    }
    // A stop takes effect after the block in progress.
    if (m_stopRequested)
        return finish(LoggerResult::Outcome::Stopped);
    emit progress(m_block, m_blocks);
    exchange(LoggerProtocol::kReadDataBlock, m_block, EventLogNames::kDownload,
             [this](const QByteArray &reply) {
                 m_blocksRead.append(reply);
                 ++m_block;
                 nextBlock();
             });
}

void LoggerSession::readRawDataFile()
{
    try {
        QFile file(kRawDataFile);
        if (!file.exists()) {
            m_result.message = { LoggerMessage::Kind::Failure,
                                 QStringLiteral("Unable to find rawdata in ")
                                     + QDir::toNativeSeparators(QDir::currentPath()),
                                 QString() };
            return finish(LoggerResult::Outcome::Failed);
        }
        if (!file.open(QIODevice::ReadOnly))
            throw RuntimeError(QFileInfo(file).absoluteFilePath() + QStringLiteral(": ")
                               + file.errorString());
        const qint32 length = Checked::toInt32(static_cast<double>(file.size()));
        QByteArray bytes = file.read(length);
        if (bytes.size() != length)
            throw RuntimeError(QFileInfo(file).absoluteFilePath() + QStringLiteral(": ")
                               + file.errorString());
        // No limit to what a file holds.
        m_result.download = std::move(bytes);
        m_result.wholeDownload = true;
        finish(LoggerResult::Outcome::Done);
    } catch (...) {
        m_context.errorReport.errorReport(EventLogNames::kLoggerLink, EventLogNames::kDownload);
        finish(LoggerResult::Outcome::Failed);
    }
}

// --- One exchange ----------------------------------------------------------------------

qint64 LoggerSession::now() const
{
    return m_context.clock.currentMSecsSinceEpoch();
}

qint64 LoggerSession::wholeSeconds() const
{
    return floorDiv(now(), 1000);
}

void LoggerSession::setupPort()
{
    try {
        SerialLine &port = m_context.port;
        port.setSettings(kSettings);
        port.setPortNumber(m_portNumber);
        port.discardInput();
    } catch (...) {
        m_context.errorReport.errorReport(EventLogNames::kLoggerLink, EventLogNames::kOpenPort);
    }
}

void LoggerSession::exchange(qint32 command, qint32 parameter, const QString &procedure,
                             ReplyStep onReply)
{
    m_command = command;
    m_parameter = parameter;
    m_procedure = procedure;
    m_onReply = std::move(onReply);
    setupPort();
    guarded([this] {
        SerialLine &port = m_context.port;
        port.open();
        m_phase = Phase::WakeUp;
        port.send(LoggerProtocol::frame(LoggerProtocol::kReadClock, 0, now()));
        awaitInput(1);
    });
}

void LoggerSession::guarded(const std::function<void()> &step)
{
    QString reason;
    QString advice;
    try {
        step();
        return;
    } catch (const PortError &e) {
        reason = e.description();
        advice = e.advice();
    } catch (const RuntimeError &e) {
        reason = e.description();
    } catch (const std::exception &e) {
        reason = QString::fromLocal8Bit(e.what());
    }
    failExchange(reason, advice);
}

void LoggerSession::setAlarm(qint64 at, bool inputAwaited)
{
    m_context.clock.setAlarm(at, inputAwaited, [this] { onAlarm(); });
}

// Until `count` bytes are buffered; fails once the clock's seconds count has advanced by
// more than three, which is 3 to 4 seconds after the start.
void LoggerSession::awaitInput(qint32 count)
{
    m_awaited = count;
    m_startSecond = wholeSeconds();
    checkInput();
}

void LoggerSession::checkInput()
{
    SerialLine &port = m_context.port;
    const qint64 buffered = port.bytesBuffered();
    if (buffered >= m_awaited) {
        if (m_phase == Phase::WakeUp)
            beginPause();
        else
            replyArrived();
        return;
    }
    if (wholeSeconds() - m_startSecond <= kTimeOutSeconds) {
        setAlarm((m_startSecond + kTimeOutSeconds + 1) * 1000, true);
        return;
    }
    const QString what = m_phase == Phase::WakeUp ? QStringLiteral("the wake-up")
                                                  : QStringLiteral("command %1").arg(m_command);
    if (buffered == 0)
        throw PortError(QStringLiteral("%1: no reply to %2 within %3 seconds")
                            .arg(port.deviceName(), what)
                            .arg(kTimeOutSeconds),
                        QStringLiteral("Check that the logger is switched on and that its cable "
                                       "is plugged into %1 (COM%2).")
                            .arg(port.deviceName())
                            .arg(port.portNumber()));
    throw PortError(QStringLiteral("%1: only %2 of the %3 bytes of the reply to %4 arrived "
                                   "within %5 seconds")
                        .arg(port.deviceName())
                        .arg(buffered)
                        .arg(m_awaited)
                        .arg(what)
                        .arg(kTimeOutSeconds),
                    QStringLiteral("Check the cable and its connectors, then try again."));
}

// The command goes on the next clock second after the wake-up has been answered.
void LoggerSession::beginPause()
{
    m_phase = Phase::Pause;
    m_startSecond = wholeSeconds();
    checkPause();
}

void LoggerSession::checkPause()
{
    if (wholeSeconds() - m_startSecond < 1)
        return setAlarm((m_startSecond + 1) * 1000, false);
    beginSettle();
}

// A wake-up reply that is still arriving when the second changes would otherwise spill
// into the reply to the command and shift every byte of it.
void LoggerSession::beginSettle()
{
    m_phase = Phase::Settle;
    m_seen = m_context.port.bytesBuffered();
    m_lastArrival = now();
    checkSettle();
}

void LoggerSession::checkSettle()
{
    const qint64 buffered = m_context.port.bytesBuffered();
    if (buffered < LoggerProtocol::replyLength(LoggerProtocol::kReadClock)) {
        if (buffered != m_seen) {
            m_seen = buffered;
            m_lastArrival = now();
        }
        if (now() - m_lastArrival < kQuietMSecs)
            return setAlarm(m_lastArrival + kQuietMSecs, true);
    }
    sendCommand();
}

void LoggerSession::sendCommand()
{
    m_context.clock.clearAlarm();
    SerialLine &port = m_context.port;
    port.discardInput();
    m_phase = Phase::Reply;
    port.send(LoggerProtocol::frame(m_command, m_parameter, now()));
    const qint32 length = LoggerProtocol::replyLength(m_command);
    if (length < 1)
        return replyArrived();
    awaitInput(length);
}

// The reply is handed on from the event loop, once the port has let go of the line.
void LoggerSession::replyArrived()
{
    m_context.clock.clearAlarm();
    m_phase = Phase::Idle;
    const QByteArray reply = m_context.port.readAll();
    m_context.port.close();
    QMetaObject::invokeMethod(
        this, [this, reply] { runStep(reply); }, Qt::QueuedConnection);
}

void LoggerSession::runStep(const QByteArray &reply)
{
    const ReplyStep step = std::exchange(m_onReply, nullptr);
    try {
        step(reply);
    } catch (...) {
        m_context.errorReport.errorReport(EventLogNames::kLoggerLink, m_procedure);
        // A download that broke off on an error counts for nothing.
        m_blocksRead.clear();
        finish(LoggerResult::Outcome::Failed);
    }
}

void LoggerSession::onInput()
{
    if (m_phase == Phase::WakeUp || m_phase == Phase::Reply)
        guarded([this] { checkInput(); });
    else if (m_phase == Phase::Settle)
        guarded([this] { checkSettle(); });
}

void LoggerSession::onAlarm()
{
    guarded([this] {
        m_context.port.throwIfFailed();
        switch (m_phase) {
        case Phase::WakeUp:
        case Phase::Reply:
            return checkInput();
        case Phase::Pause:
            return checkPause();
        case Phase::Settle:
            return checkSettle();
        case Phase::Idle:
            return;
        }
    });
}

void LoggerSession::onPortFailed()
{
    if (m_phase != Phase::Idle)
        guarded([this] { m_context.port.throwIfFailed(); });
}

void LoggerSession::failExchange(const QString &reason, const QString &advice)
{
    m_context.clock.clearAlarm();
    m_phase = Phase::Idle;
    m_onReply = nullptr;
    // The line is let go before the user reads the message.
    m_context.port.close();
    m_context.errorReport.report(reason, EventLogNames::kLoggerLink, EventLogNames::kExchange);
    QString detail = reason;
    if (!advice.isEmpty())
        detail += u'\n' + advice;
    const QString portAdvice = m_context.port.undetectedAdvice();
    if (!portAdvice.isEmpty())
        detail += u'\n' + portAdvice;
    const StringTable &t = m_context.strings;
    m_result.message = { LoggerMessage::Kind::Failure,
                         t.text(40200) + QStringLiteral("\r\n") + t.text(40210), detail };
    finish(LoggerResult::Outcome::Failed);
}
