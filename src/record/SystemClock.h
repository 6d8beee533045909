#pragma once

#include "record/Clock.h"

// The local wall clock.
class SystemClock : public Clock
{
public:
    ClockReading now() const override;
};
