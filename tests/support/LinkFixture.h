#pragma once

#include "FakeLinkTime.h"
#include "NERUComm.h"
#include "NamedFormats.h"
#include "PortDevices.h"
#include "RecordingMessages.h"
#include "RecordingProgress.h"
#include "SerialPortControl.h"
#include "StringTable.h"
#include "TempLog.h"
#include "sim/LoggerSimulator.h"

#include <QDateTime>
#include <QList>

inline const QString kCommunicationError
    = QStringLiteral("An error has occurred communicating with the NERU unit\r\n"
                     "Check the COM port and cable and then try again");

// A link on COM1 to an in-process simulator over a real pseudo-terminal, on a fake clock,
// with messages, the download window and the event log written down for the test to read.
class LinkFixture
{
public:
    // The given time of 2001-09-03, a Monday, in local time.
    static qint64 at(int hour, int minute, int second, int msec = 0);
    // Bytes that differ from one to the next, so a misplaced block shows.
    static QByteArray pattern(int length);

    explicit LinkFixture(LoggerSimulator::Options options = LoggerSimulator::Options(),
                         qint64 startMSecs = at(14, 5, 8, 400));

    // Starts the simulator and points COM1 at it.
    bool start();
    qint64 now() const { return fakeTime.currentMSecsSinceEpoch(); }
    QString eventLog() const { return log.messages().join(u'\n'); }
    // The frames the simulator received, in hex, separated by spaces.
    QString framesOnTheLine() const;

    LoggerSimulator simulator;
    FakeLinkTime fakeTime;
    RecordingMessages messages;
    RecordingProgress progress;
    TempLog log;
    StringTable strings;
    NamedFormats formats;
    PortDevices devices;
    SerialPortControl port;
    NERUComm comm;
    QList<qint64> frameTimes; // when each frame arrived, on the link's clock
};
