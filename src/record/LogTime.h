#pragma once

#include "record/Clock.h"

#include <QLocale>
#include <QString>

// Time arithmetic of the event log.
namespace LogTime {

// Whole seconds from start to now, halves rounded to the even neighbour. A run that
// crosses local midnight keeps counting up: each day between the two readings adds
// 86400 seconds. Not limited to 16 bits.
qint64 elapsedSeconds(const ClockReading &start, const ClockReading &now);

// The clock value as the header writes it: single precision in its shortest general
// form, at most seven significant digits, no trailing zeros, the locale's decimal
// separator and no grouping.
QString clockText(float seconds, const QLocale &locale);

// Rounds to the nearest whole number, halves to the even neighbour.
qint64 roundHalfEven(double value);

} // namespace LogTime
