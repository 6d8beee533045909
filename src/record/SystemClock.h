#pragma once

#include "record/Clock.h"

// The local wall clock, and the steady clock beside it.
class SystemClock : public Clock
{
public:
    ClockReading now() const override;
    qint64 monotonicMs() const override;
};
