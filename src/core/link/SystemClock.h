#pragma once

#include "LinkClock.h"

// The PC's clock.
class SystemClock : public LinkClock
{
public:
    qint64 currentMSecsSinceEpoch() const override;
};
