#pragma once

#include <QDate>

// One reading of the wall clock: the local date and the seconds since local midnight,
// rounded to single precision as the log's time base is.
struct ClockReading
{
    QDate date;
    float seconds = 0.0f;
};

// The clock seam: production reads the system clock, tests pin the time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual ClockReading now() const = 0;
};
