#include "record/LogTime.h"

#include <cmath>

namespace {

// Replaces the locale's own digits (Arabic-Indic, Devanagari, ...) by ASCII ones.
QString asciiDigits(QString text, const QLocale &locale)
{
    const QString zero = locale.zeroDigit();
    if (zero == QLatin1String("0"))
        return text;
    // Each native digit is one code point, possibly a surrogate pair; the ten are in a row.
    const QList<uint> first = zero.toUcs4();
    if (first.size() != 1)
        return text;
    QString ascii;
    for (const uint c : text.toUcs4()) {
        if (c >= first[0] && c <= first[0] + 9)
            ascii += QLatin1Char(char('0' + (c - first[0])));
        else
            ascii += QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1);
    }
    return ascii;
}

} // namespace

namespace LogTime {

qint64 roundHalfEven(double value)
{
    return static_cast<qint64>(std::nearbyint(value)); // default rounding mode: to even
}

qint64 elapsedMs(const ClockReading &start, const ClockReading &now)
{
    return now.monotonicMs - start.monotonicMs;
}

qint64 elapsedSeconds(const ClockReading &start, const ClockReading &now)
{
    const float seconds = static_cast<float>(double(start.msecs + elapsedMs(start, now)) / 1000.0);
    return roundHalfEven(double(seconds) - double(start.seconds));
}

QString clockText(float seconds, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    // The Arabic decimal separator has no place in the log's code page, where it would
    // be "?"; the comma stands for it, as it looks.
    return asciiDigits(plain.toString(double(seconds), 'g', 7), locale)
        .replace(QChar(0x066B), QLatin1Char(','));
}

QString dateText(const QDate &date, const QLocale &locale)
{
    // Right-to-left marks order the date on screen; in the file they would be "?".
    QString text = asciiDigits(locale.toString(date, QLocale::ShortFormat), locale);
    for (const char16_t mark : {u'\u200E', u'\u200F', u'\u061C'})
        text.remove(QChar(mark));
    return text;
}

} // namespace LogTime
