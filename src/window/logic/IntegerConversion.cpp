#include "window/logic/IntegerConversion.h"

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

// Read by hand rather than by a regular expression: the parameters are read when the
// experimenter confirms them, and the expression engine's pages would stay in every
// workstation's memory for the whole run. Only the digits 0 to 9 count as digits: other
// scripts' digits are no number here, rather than a silent 0.
IntegerConversion IntegerConversion::fromText(const QString &text)
{
    qsizetype at = 0;
    qsizetype end = text.size();
    while (at < end && text.at(at).isSpace())
        ++at;
    while (end > at && text.at(end - 1).isSpace())
        --end;

    bool negative = false;
    if (at < end && (text.at(at) == QLatin1Char('+') || text.at(at) == QLatin1Char('-')))
        negative = text.at(at++) == QLatin1Char('-');
    const qsizetype wholeStart = at;
    while (at < end && isAsciiDigit(text.at(at)))
        ++at;
    const QStringView whole = QStringView(text).mid(wholeStart, at - wholeStart);
    QStringView fraction;
    if (at < end && text.at(at) == QLatin1Char('.')) {
        const qsizetype fractionStart = ++at;
        while (at < end && isAsciiDigit(text.at(at)))
            ++at;
        fraction = QStringView(text).mid(fractionStart, at - fractionStart);
    }
    if (at != end || (whole.isEmpty() && fraction.isEmpty()))
        return {Status::NotANumber, 0};

    // Exact decimal rounding on the digits, so no binary fraction can tip a half.
    QStringView digits = whole;
    while (!digits.isEmpty() && digits.front() == QLatin1Char('0'))
        digits = digits.mid(1);
    if (digits.size() > 6)
        return {Status::OutOfRange, 0};
    qint64 magnitude = 0;
    for (const QChar digit : digits)
        magnitude = magnitude * 10 + (digit.unicode() - '0');
    if (!fraction.isEmpty()) {
        const QChar first = fraction.front();
        const bool restZero = fraction.mid(1).count(QLatin1Char('0')) == fraction.size() - 1;
        if (first > QLatin1Char('5') || (first == QLatin1Char('5') && !restZero))
            ++magnitude;
        else if (first == QLatin1Char('5') && magnitude % 2 == 1)
            ++magnitude;
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767)
        return {Status::OutOfRange, 0};
    return {Status::Ok, static_cast<qint16>(value)};
}
