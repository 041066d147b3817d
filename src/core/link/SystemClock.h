#pragma once

#include "LinkClock.h"

#include <QTimer>

// The PC's clock, and its alarm on a precise timer of the event loop.
class SystemClock : public LinkClock
{
public:
    SystemClock();

    qint64 currentMSecsSinceEpoch() const override;
    void setAlarm(qint64 at, bool inputAwaited, std::function<void()> ring) override;
    void clearAlarm() override;

private:
    QTimer m_timer;
    std::function<void()> m_ring;
};
