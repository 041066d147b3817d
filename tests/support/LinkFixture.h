#pragma once

#include "FakeLinkTime.h"
#include "LoggerProtocol.h"
#include "LoggerSession.h"
#include "NamedFormats.h"
#include "PortDevices.h"
#include "SerialLine.h"
#include "StringTable.h"
#include "TempLog.h"
#include "sim/LoggerSimulator.h"

#include <QDateTime>
#include <QList>

inline const QString kCommunicationError
    = QStringLiteral("An error has occurred communicating with the NERU unit\r\n"
                     "Check the COM port and cable and then try again");

// A session on COM1 with an in-process simulator over a real pseudo-terminal, on a fake
// clock, with what it reports and the event log written down for the test to read.
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
    // Starts `operation` and returns its result once it has finished.
    LoggerResult run(void (LoggerSession::*operation)());
    qint64 now() const { return fakeTime.currentMSecsSinceEpoch(); }
    QString eventLog() const { return log.messages().join(u'\n'); }
    // The frames the simulator received, in hex, separated by spaces.
    QString framesOnTheLine() const;

    LoggerSimulator simulator;
    FakeLinkTime fakeTime;
    TempLog log;
    StringTable strings;
    NamedFormats formats;
    PortDevices devices;
    SerialLine port;
    LoggerSession session;
    QList<qint64> frameTimes; // when each frame arrived, on the link's clock
    QList<LoggerResult> results; // every finished
    QList<LoggerMessage> notices;
    QList<qint32> blocks; // every progress, the block asked for
    qint32 blockCount = -1; // of the last progress
};
