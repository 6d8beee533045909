#pragma once

#include <QDate>

// One reading of the clocks: the local date and the seconds since local midnight,
// rounded to single precision as the log's time base is, and a monotonic count of
// milliseconds that no setting of the wall clock or change of daylight saving moves.
struct ClockReading
{
    QDate date;
    float seconds = 0.0f;
    qint64 msecs = 0;         // the seconds since midnight in whole ms, exact
    qint64 monotonicMs = 0;   // from an arbitrary origin; only differences mean anything
};

// The clock seam: production reads the system clocks, tests pin the time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual ClockReading now() const = 0;
    // The monotonic reading alone, for what needs no wall-clock time.
    virtual qint64 monotonicMs() const { return now().monotonicMs; }
};
