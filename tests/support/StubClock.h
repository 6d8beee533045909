#pragma once

#include "record/Clock.h"

#include <cmath>

// A clock that stands still until a test moves it. Moving it (set, advance, setDate) is
// time passing: the monotonic reading moves with it. stepWallClock moves the wall clock
// alone, as a person or daylight saving setting the clock does.
class StubClock : public Clock
{
public:
    explicit StubClock(float seconds = 0.0f, QDate date = QDate(2009, 3, 4))
        : m_reading{date, seconds}
    {
    }

    ClockReading now() const override
    {
        ClockReading reading = m_reading;
        reading.msecs = std::llround(double(reading.seconds) * 1000.0);
        return reading;
    }

    void set(float seconds) { pass(m_reading.date, seconds); }
    void setDate(QDate date) { pass(date, m_reading.seconds); }
    void advance(float seconds) { set(m_reading.seconds + seconds); }
    void stepWallClock(float seconds) { m_reading.seconds += seconds; }

private:
    void pass(QDate date, float seconds)
    {
        const double days = m_reading.date.isValid() && date.isValid()
            ? double(m_reading.date.daysTo(date)) : 0.0;
        m_reading.monotonicMs += std::llround(
            (days * 86400.0 + double(seconds) - double(m_reading.seconds)) * 1000.0);
        m_reading.date = date;
        m_reading.seconds = seconds;
    }

    ClockReading m_reading;
};
