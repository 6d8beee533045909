#pragma once

#include "record/Clock.h"

#include <cmath>
#include <functional>

// A clock that moves on one second at every reading: reading k (from 1) shows the start
// plus k - 1 seconds. The event log reads the clock twice when it opens (time base and
// header) and once per record, so record r carries the time stamp r + 1 and a reading
// number names the exact moment before a record is built. onReading runs before the
// reading is handed out.
class SteppingClock : public Clock
{
public:
    SteppingClock(float start, QDate date) : m_start(start), m_date(date) {}

    ClockReading now() const override
    {
        ++m_readings;
        if (onReading)
            onReading(m_readings);
        const float seconds = m_start + float(m_readings - 1);
        return {m_date, seconds, std::llround(double(seconds) * 1000.0), qint64(m_readings - 1) * 1000};
    }

    // Not a reading: the monotonic time of the last one, for the record beside the log.
    qint64 monotonicMs() const override { return qint64(m_readings > 0 ? m_readings - 1 : 0) * 1000; }

    int readings() const { return m_readings; }

    std::function<void(int)> onReading;

private:
    float m_start;
    QDate m_date;
    mutable int m_readings = 0;
};
