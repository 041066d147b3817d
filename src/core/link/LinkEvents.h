#pragma once

#include <QtGlobal>

class SerialPortControl;

// How the serial link lets the user interface work while it waits for the logger.
// Tests replace it to run the pauses and time-outs on a fake clock.
class LinkEvents
{
public:
    virtual ~LinkEvents() = default;

    // Processes events for at most `maxMSecs` milliseconds. Returns earlier when the
    // port has received bytes or reported a failure, if `inputAwaited` (a pause that
    // awaits no input may still return early).
    virtual void wait(SerialPortControl &port, qint64 maxMSecs, bool inputAwaited) = 0;
};
