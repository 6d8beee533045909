#include "window/logic/IntegerConversion.h"

#include <QRegularExpression>

IntegerConversion IntegerConversion::fromText(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^\\s*([+-]?)(\\d*)(?:\\.(\\d*))?\\s*$"));
    const QRegularExpressionMatch match = number.match(text);
    const QString whole = match.captured(2);
    const QString fraction = match.captured(3);
    if (!match.hasMatch() || (whole.isEmpty() && fraction.isEmpty()))
        return {Status::NotANumber, 0};

    // Exact decimal rounding on the digits, so no binary fraction can tip a half.
    QString digits = whole;
    digits.remove(QRegularExpression(QStringLiteral("^0+")));
    if (digits.size() > 6)
        return {Status::OutOfRange, 0};
    qint64 magnitude = digits.isEmpty() ? 0 : digits.toLongLong();
    if (!fraction.isEmpty()) {
        const QChar first = fraction.front();
        const bool restZero = fraction.mid(1).count(QLatin1Char('0')) == fraction.size() - 1;
        if (first > QLatin1Char('5') || (first == QLatin1Char('5') && !restZero))
            ++magnitude;
        else if (first == QLatin1Char('5') && magnitude % 2 == 1)
            ++magnitude;
    }
    const qint64 value = match.captured(1) == QLatin1String("-") ? -magnitude : magnitude;
    if (value < -32768 || value > 32767)
        return {Status::OutOfRange, 0};
    return {Status::Ok, static_cast<qint16>(value)};
}
