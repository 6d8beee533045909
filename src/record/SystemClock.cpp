#include "record/SystemClock.h"

#include <QDateTime>

#include <chrono>

ClockReading SystemClock::now() const
{
    const qint64 monotonic = monotonicMs();
    const QDateTime local = QDateTime::currentDateTime();
    const int msecs = local.time().msecsSinceStartOfDay();
    return {local.date(), static_cast<float>(msecs / 1000.0), msecs, monotonic};
}

qint64 SystemClock::monotonicMs() const
{
    const auto monotonic = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(monotonic).count();
}
