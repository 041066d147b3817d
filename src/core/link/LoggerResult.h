#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>

// Something the link has to tell the user: a message with an OK button under the
// application's title. The main window shows a message box; the batch tool prints it.
struct LoggerMessage
{
    enum class Kind {
        Information, // an operation succeeded ("NERU memory has been cleared")
        Warning, // the operation goes on or ends without an error ("No data found ...")
        Failure // the operation failed
    };

    Kind kind = Kind::Information;
    // Several lines separated by CR LF; empty when there is nothing to tell.
    QString text;
    // What went wrong in the operating system's words and what the user can do about it;
    // may be empty.
    QString detail;

    bool isEmpty() const { return text.isEmpty(); }
};

// How an operation on the logger ended, and what it read.
struct LoggerResult
{
    enum class Outcome {
        Done, // everything asked for was read or done
        Failed, // the exchange, the reply or the port failed, or there is no logger port
        Stopped // a stop was asked for: the operation ended after the exchange in progress
    };

    Outcome outcome = Outcome::Failed;
    // What to tell the user of the outcome, once: the communication error of a failed
    // exchange, "NERU memory has been cleared", ... Empty when there is nothing to tell (a
    // failure the event log holds, a read whose values speak for themselves).
    LoggerMessage message;

    // The logger's clock and identity (read clock, read settings).
    double clock = 0.0;
    QString serialNumber;
    double calibration = 0.0;
    qint32 identification = 0;
    QString version;

    // A download: every byte the logger holds when whole, else the bytes of the blocks that
    // came whole before it ended (possibly none).
    QByteArray download;
    bool wholeDownload = false;

    bool done() const { return outcome == Outcome::Done; }
};

Q_DECLARE_METATYPE(LoggerMessage)
Q_DECLARE_METATYPE(LoggerResult)
