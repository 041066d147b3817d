#pragma once

#include <QtGlobal>

#include <functional>

// The wall clock the serial link measures its pauses and time-outs on, reads the PC's date
// and time from, and sets its one alarm on. Tests drive a fake one.
class LinkClock
{
public:
    virtual ~LinkClock() = default;

    // Milliseconds since 1970-01-01 00:00 UTC.
    virtual qint64 currentMSecsSinceEpoch() const = 0;

    // Calls `ring` once, from the event loop, when the clock reads `at` or later; replaces
    // the alarm set before. `inputAwaited`: the logger may answer meanwhile (a fake clock
    // gives it real time to before it moves on).
    virtual void setAlarm(qint64 at, bool inputAwaited, std::function<void()> ring) = 0;
    virtual void clearAlarm() = 0;
};
