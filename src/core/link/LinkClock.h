#pragma once

#include <QtGlobal>

// The wall clock the serial link measures its pauses and time-outs on, and reads the
// PC's date and time from. Tests drive a fake one.
class LinkClock
{
public:
    virtual ~LinkClock() = default;

    // Milliseconds since 1970-01-01 00:00 UTC.
    virtual qint64 currentMSecsSinceEpoch() const = 0;
};
