#include "SystemClock.h"

#include <QDateTime>

#include <algorithm>
#include <chrono>
#include <utility>

SystemClock::SystemClock()
{
    m_timer.setSingleShot(true);
    // The pause ends on a clock-second boundary; a coarse timer could overshoot it.
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
        // The call may set the next alarm.
        const std::function<void()> ring = std::exchange(m_ring, nullptr);
        if (ring)
            ring();
    });
}

qint64 SystemClock::currentMSecsSinceEpoch() const
{
    return QDateTime::currentMSecsSinceEpoch();
}

void SystemClock::setAlarm(qint64 at, bool, std::function<void()> ring)
{
    m_ring = std::move(ring);
    const qint64 wait = std::clamp<qint64>(at - currentMSecsSinceEpoch(), 0, 60 * 60 * 1000);
    m_timer.start(std::chrono::milliseconds(wait));
}

void SystemClock::clearAlarm()
{
    m_timer.stop();
    m_ring = nullptr;
}
