#pragma once

#include "LinkEvents.h"

// Waits in a local event loop that the port's input, a port failure or a timer ends:
// the user interface stays live and no core spins while the logger is awaited.
class EventLoopEvents : public LinkEvents
{
public:
    void wait(SerialPortControl &port, qint64 maxMSecs, bool inputAwaited) override;
};
