#pragma once

#include "LinkClock.h"

#include <QTimer>

// A clock that moves only when the link's alarm rings, so pauses and time-outs take
// milliseconds. An alarm while input is awaited first gives the simulator a short real
// while to answer over its real pseudo-terminal; a pause rings at once. Either way the
// clock then jumps to the alarm's time.
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
