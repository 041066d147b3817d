#pragma once

#include "LinkClock.h"

#include <QTimer>

// A clock that jumps to the alarm's time when it rings: a pause at once, a wait for input
// after a short real while for the simulator to answer over its pseudo-terminal.
class FakeLinkTime : public LinkClock
{
public:
    explicit FakeLinkTime(qint64 startMSecsSinceEpoch);

    qint64 currentMSecsSinceEpoch() const override { return m_now; }
    void setAlarm(qint64 at, bool inputAwaited, std::function<void()> ring) override;
    void clearAlarm() override;

private:
    // Real time granted to the simulator to answer before the clock jumps.
    static constexpr int kQuietMSecs = 250;
    qint64 m_now;
    qint64 m_alarm = 0;
    std::function<void()> m_ring;
    QTimer m_timer;
};
