#pragma once

#include "record/Clock.h"

// A clock that stands still until a test moves it.
class StubClock : public Clock
{
public:
    explicit StubClock(float seconds = 0.0f, QDate date = QDate(2009, 3, 4))
        : m_reading{date, seconds}
    {
    }

    ClockReading now() const override { return m_reading; }

    void set(float seconds) { m_reading.seconds = seconds; }
    void setDate(QDate date) { m_reading.date = date; }
    void advance(float seconds) { m_reading.seconds += seconds; }

private:
    ClockReading m_reading;
};
