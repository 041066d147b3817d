#pragma once

#include "PseudoTerminal.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QObject>
#include <QTimer>

#include <deque>

class QSocketNotifier;

// A logger on a pseudo-terminal: answers the read-clock (1), set-clock (2), data-length
// (13), data-block (14), clear-memory (15) and general-information (18) commands from a
// memory image, a running clock and its identity, optionally at the real 9600-baud byte
// time, and misbehaves on request. Every frame it receives is recorded.
class LoggerSimulator : public QObject
{
    Q_OBJECT

public:
    struct Faults
    {
        bool silent = false; // answers nothing at all
        int shortReplyCommand = -1; // replies to this command are cut to half their length
        int stopAfterBlocks = -1; // answers nothing once this many blocks were sent
        int hangUpAfterBlocks = -1; // then hangs up half-way through the next block
        int garbageCommand = -1; // stray bytes come before every reply to this command
        int splitWakeUpMSecs = -1; // replies to command 1 hold back all but their first
                                   // byte for this many milliseconds
    };

    struct Options
    {
        QByteArray memory; // the bytes of a raw download
        QDateTime clock; // the logger's clock now; invalid: the PC's clock
        QByteArray serialNumber = QByteArrayLiteral("000001"); // six bytes
        QDate calibration = QDate(2001, 9, 6);
        quint8 identification = 1;
        QByteArray version = QByteArrayLiteral("V1.00"); // five bytes
        bool paced = false; // one byte every 10/9600 s, as on the real line
        Faults faults;
        QMap<int, QByteArray> replies; // fixed replies to commands, whatever their length
    };

    static constexpr int kBlockLength = 128;

    explicit LoggerSimulator(Options options, QObject *parent = nullptr);
    ~LoggerSimulator() override;

    // Opens the pseudo-terminal; false with `error` set when it cannot.
    bool start(QString *error = nullptr);
    QString devicePath() const { return m_terminal.devicePath(); }

    const QList<QByteArray> &frames() const { return m_frames; }
    QByteArray memory() const { return m_options.memory; }
    QDateTime loggerClock() const;
    int blocksSent() const { return m_blocksSent; }
    bool isHungUp() const { return m_hungUp; }
    void setFaults(const Faults &faults) { m_options.faults = faults; }

    // Pulls the cable: the device path goes away once the program lets go of it.
    void hangUp();

    // The reply bytes for a command, as a well-behaved logger sends them.
    QByteArray replyTo(const QByteArray &frame);
    static QByteArray clockBytes(const QDateTime &clock);
    static int frameLength(quint8 command);

signals:
    void frameReceived(const QByteArray &frame);
    void hungUpLine();

private:
    struct Pending
    {
        qint64 dueNSecs;
        char byte;
    };

    void onReadable();
    void handleFrame(const QByteArray &frame);
    void setClock(const QByteArray &frame);
    void queue(const QByteArray &bytes, qint64 delayNSecs = 0);
    void writeDue();

    Options m_options;
    PseudoTerminal m_terminal;
    QSocketNotifier *m_notifier = nullptr;
    QByteArray m_input;
    QList<QByteArray> m_frames;
    QDateTime m_clockBase;
    QElapsedTimer m_clockRunning;
    QElapsedTimer m_line;
    std::deque<Pending> m_pending;
    QTimer m_writeTimer;
    int m_blocksSent = 0;
    bool m_hangUpWhenSent = false;
    bool m_hungUp = false;
};
