#include "record/LogTime.h"

#include <cmath>

namespace LogTime {

qint64 roundHalfEven(double value)
{
    return static_cast<qint64>(std::nearbyint(value)); // default rounding mode: to even
}

qint64 elapsedSeconds(const ClockReading &start, const ClockReading &now)
{
    double difference = double(now.seconds) - double(start.seconds);
    if (start.date.isValid() && now.date.isValid())
        difference += 86400.0 * double(start.date.daysTo(now.date));
    return roundHalfEven(difference);
}

QString clockText(float seconds, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(double(seconds), 'g', 7);
}

} // namespace LogTime
