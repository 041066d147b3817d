#include "SystemClock.h"

#include <QDateTime>

qint64 SystemClock::currentMSecsSinceEpoch() const
{
    return QDateTime::currentMSecsSinceEpoch();
}
