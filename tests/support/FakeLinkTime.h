#pragma once

#include "LinkClock.h"
#include "LinkEvents.h"

#include <functional>

// A clock that moves only when the link waits, so pauses and time-outs take
// milliseconds. A wait for input still lets real events run (the simulator answers over
// a real pseudo-terminal) and takes no fake time; when nothing arrives for a short real
// while, the clock jumps to the end of the wait.
class FakeLinkTime : public LinkClock, public LinkEvents
{
public:
    explicit FakeLinkTime(qint64 startMSecsSinceEpoch);

    qint64 currentMSecsSinceEpoch() const override { return m_now; }
    void wait(SerialPortControl &port, qint64 maxMSecs, bool inputAwaited) override;

    // Runs at the start of every wait: a test's way to act while the link is waiting.
    std::function<void()> duringWait;

private:
    // Real time granted to the simulator to answer before the clock jumps.
    static constexpr int kQuietMSecs = 250;
    qint64 m_now;
};
