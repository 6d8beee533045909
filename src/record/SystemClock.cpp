#include "record/SystemClock.h"

#include <QDateTime>

ClockReading SystemClock::now() const
{
    const QDateTime local = QDateTime::currentDateTime();
    const QTime time = local.time();
    const double seconds = time.msecsSinceStartOfDay() / 1000.0;
    return {local.date(), static_cast<float>(seconds)};
}
