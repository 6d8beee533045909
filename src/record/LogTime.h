#pragma once

#include "record/Clock.h"

#include <QLocale>
#include <QString>

// Time arithmetic of the event log.
namespace LogTime {

// Whole seconds from start to now, halves rounded to the even neighbour, measured on the
// monotonic clock: setting the wall clock or a change of daylight saving moves no stamp.
// The time passed is added to the start's wall-clock reading and rounded to single
// precision before the start is taken off, as a wall clock left alone would have given
// it, so a normal run keeps exactly the stamps that the wall clock gives. A run that
// crosses local midnight keeps counting up. Not limited to 16 bits.
qint64 elapsedSeconds(const ClockReading &start, const ClockReading &now);

// Milliseconds on the monotonic clock from start to now.
qint64 elapsedMs(const ClockReading &start, const ClockReading &now);

// The clock value as the header writes it: single precision in its shortest general
// form, at most seven significant digits, no trailing zeros, the locale's decimal
// separator (a comma for the Arabic one) and no grouping, always in ASCII digits
// whatever digits the locale uses.
QString clockText(float seconds, const QLocale &locale);

// The date in the locale's short format (its order and separators), in ASCII digits and
// without the invisible marks that order right-to-left text.
QString dateText(const QDate &date, const QLocale &locale);


// Rounds to the nearest whole number, halves to the even neighbour.
qint64 roundHalfEven(double value);

} // namespace LogTime
