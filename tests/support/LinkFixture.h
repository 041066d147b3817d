#pragma once

#include "ErrorReport.h"
#include "EventLoopEvents.h"
#include "FakeLinkTime.h"
#include "NERUComm.h"
#include "NamedFormats.h"
#include "PortDevices.h"
#include "RecordingMessages.h"
#include "RecordingProgress.h"
#include "SerialPortControl.h"
#include "StringTable.h"
#include "SystemClock.h"
#include "sim/LoggerSimulator.h"

#include <QDateTime>
#include <QList>
#include <QTemporaryDir>

inline const QString kCommunicationError
    = QStringLiteral("An error has occurred communicating with the NERU unit\r\n"
                     "Check the COM port and cable and then try again");

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

    // The given time of 2001-09-03, a Monday, in local time.
    static qint64 at(int hour, int minute, int second, int msec = 0);
    // Bytes that differ from one to the next, so a misplaced block shows.
    static QByteArray pattern(int length);

    explicit LinkFixture(LoggerSimulator::Options options = LoggerSimulator::Options(),
                         Time time = Time::Fake, qint64 startMSecs = at(14, 5, 8, 400));

    // Starts the simulator and points COM1 at it.
    bool start();
    // Runs one of the logger operations by name; true when it failed (a download that
    // brought nothing counts as failed).
    bool run(const QString &operation);
    qint64 now() const { return clock.currentMSecsSinceEpoch(); }
    QString eventLog() const;
    // The frames the simulator received, in hex, separated by spaces.
    QString framesOnTheLine() const;

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
