#include "FakeLinkTime.h"

#include <algorithm>
#include <utility>

FakeLinkTime::FakeLinkTime(qint64 startMSecsSinceEpoch)
    : m_now(startMSecsSinceEpoch)
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
        m_now = std::max(m_now, m_alarm);
        const std::function<void()> ring = std::exchange(m_ring, nullptr);
        if (ring)
            ring();
    });
}

void FakeLinkTime::setAlarm(qint64 at, bool inputAwaited, std::function<void()> ring)
{
    m_alarm = at;
    m_ring = std::move(ring);
    m_timer.start(inputAwaited ? kQuietMSecs : 0);
}

void FakeLinkTime::clearAlarm()
{
    m_timer.stop();
    m_ring = nullptr;
}
