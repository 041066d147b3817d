#pragma once

#include "LoggerResult.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class ErrorReport;
class LinkClock;
class NamedFormats;
class SerialLine;
class StringTable;

// A session with the logger: one operation at a time, each made of exchanges that run on
// the event loop. An exchange is a small state machine driven by the port's input and
// failure and by the clock's alarm: it opens the port, wakes the logger, waits for the
// next clock second, sends one command frame, collects the reply whose length the command
// fixes, and closes the port. Nothing here waits in a loop of its own, so a message box
// may open during an exchange without stopping it.
//
// An operation that starts ends with one `finished` carrying its result, always from the
// event loop, never inside the call that started it; every failure is in the result once,
// with its message. An operation asked for while another is under way is refused: a line
// in the event log, and no `finished`.
class LoggerSession : public QObject
{
    Q_OBJECT

public:
    struct Context
    {
        SerialLine &port;
        ErrorReport &errorReport;
        const StringTable &strings;
        const NamedFormats &formats;
        LinkClock &clock;
    };

    // A wait for the logger fails once the clock's seconds count has advanced by more than
    // this: 3 to 4 seconds after the wait began.
    static constexpr qint64 kTimeOutSeconds = 3;

    explicit LoggerSession(Context context, QObject *parent = nullptr);
    ~LoggerSession() override;

    // The logger's port, 1 to 4. Another number has no logger: the operations fail without
    // a word, but a download reads rawdata.bin from the current folder instead.
    void setPort(qint16 port) { m_portNumber = port; }
    qint16 port() const { return m_portNumber; }

    // The logger's clock, in the result's `clock`.
    void readClock();
    // The logger's clock, then its identity: two exchanges.
    void readSettings();
    // Sets the logger's clock from the PC's; the result tells the time it was set to.
    void setClock();
    // Erases the logger's memory; the result tells that it did.
    void clearMemory();
    // The data length, then the blocks that hold it (at most 32000 bytes), each announced
    // by `progress`.
    void download();

    // Asks the operation under way to stop: a download ends after the block in progress,
    // the settings after the clock. Its result then says Stopped, even when all came.
    void stop();
    bool isBusy() const { return m_busy; }

signals:
    // Block `block` (from 0) of the `blocks` of a download is being asked for.
    void progress(qint32 block, qint32 blocks);
    // Something to tell the user while the operation goes on.
    void notice(const LoggerMessage &message);
    void finished(const LoggerResult &result);

private:
    enum class Phase { Idle, WakeUp, Pause, Settle, Reply };
    using ReplyStep = std::function<void(const QByteArray &reply)>;

    bool begin(const QString &procedure);
    bool hasLoggerPort() const;
    void finish(LoggerResult::Outcome outcome);
    void deliver();

    // --- One exchange -------------------------------------------------------------------
    void exchange(qint32 command, qint32 parameter, const QString &procedure, ReplyStep onReply);
    void setupPort();
    void awaitInput(qint32 count);
    void checkInput();
    void beginPause();
    void checkPause();
    void beginSettle();
    void checkSettle();
    void sendCommand();
    void replyArrived();
    void runStep(const QByteArray &reply);
    void onInput();
    void onAlarm();
    void onPortFailed();
    void setAlarm(qint64 at, bool inputAwaited);
    // Runs a step of the exchange; a failure ends the exchange with the communication error.
    void guarded(const std::function<void()> &step);
    void failExchange(const QString &reason, const QString &advice);
    qint64 now() const;
    qint64 wholeSeconds() const;

    // --- The download ---------------------------------------------------------------------
    void lengthArrived(const QByteArray &reply);
    void nextBlock();
    void readRawDataFile();

    Context m_context;
    qint16 m_portNumber = 1;
    bool m_busy = false;
    bool m_finishing = false;
    bool m_stopRequested = false;
    LoggerResult m_result;

    // The exchange under way.
    Phase m_phase = Phase::Idle;
    qint32 m_command = 0;
    qint32 m_parameter = 0;
    QString m_procedure; // where a reply that cannot be decoded is reported
    ReplyStep m_onReply;
    qint32 m_awaited = 0;
    qint64 m_startSecond = 0;
    qint64 m_seen = 0;
    qint64 m_lastArrival = 0;

    // The download under way.
    bool m_downloading = false;
    QByteArray m_blocksRead;
    qint32 m_length = 0;
    qint32 m_blocks = 0;
    qint32 m_block = 0;
};
