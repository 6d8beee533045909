#include "record/SystemClock.h"

#include <QDateTime>

#include <chrono>

ClockReading SystemClock::now() const
{
    const auto monotonic = std::chrono::steady_clock::now().time_since_epoch();
    const QDateTime local = QDateTime::currentDateTime();
    const int msecs = local.time().msecsSinceStartOfDay();
    return {local.date(), static_cast<float>(msecs / 1000.0), msecs,
            std::chrono::duration_cast<std::chrono::milliseconds>(monotonic).count()};
}
