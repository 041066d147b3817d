#pragma once

#include "FakeLinkTime.h"
#include "RecordingMessages.h"
#include "RecordingProgress.h"
#include "data/NamedFormats.h"
#include "link/EventLoopEvents.h"
#include "link/NERUComm.h"
#include "link/PortDevices.h"
#include "link/SerialPortControl.h"
#include "link/SystemClock.h"
#include "shell/ErrorReport.h"
#include "shell/StringTable.h"
#include "sim/LoggerSimulator.h"

#include <QDateTime>
#include <QList>
#include <QTemporaryDir>

// A link on COM1 to an in-process simulator over a real pseudo-terminal, with messages,
// the download window and the event log written down for the test to read.
class LinkFixture
{
public:
    enum class Time { Fake, Real };

    struct Frame
    {
        QByteArray bytes;
        qint64 atMSecs; // on the link's clock
    };

    // 2001-09-03 14:05:08.400 local time.
    static qint64 defaultStart();
    static qint64 msecsAt(const QDate &date, const QTime &time);

    explicit LinkFixture(LoggerSimulator::Options options = LoggerSimulator::Options(),
                         Time time = Time::Fake, qint64 startMSecs = defaultStart());

    // Starts the simulator and points COM1 at it.
    bool start();
    qint64 now() const { return clock.currentMSecsSinceEpoch(); }
    QString eventLog() const;
    QList<QByteArray> frames() const { return simulator.frames(); }

    QTemporaryDir folder;
    LoggerSimulator simulator;
    FakeLinkTime fakeTime;
    SystemClock systemClock;
    EventLoopEvents realEvents;
    const LinkClock &clock;
    LinkEvents &events;
    RecordingMessages messages;
    RecordingProgress progress;
    ErrorReport errorReport;
    StringTable strings;
    NamedFormats formats;
    PortDevices devices;
    SerialPortControl port;
    NERUComm comm;
    QList<Frame> frameTimes;
};
