#include "IntegerConversionCheck.h"

#include "window/logic/IntegerConversion.h"

namespace {

bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || (u >= 0x09 && u <= 0x0D);
}

bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

IntegerConversion exact(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const QString body = text.mid(begin, end - begin);

    IntegerConversion r; // NotANumber
    qsizetype i = 0;
    bool negative = false;
    if (i < body.size() && (body[i] == QLatin1Char('+') || body[i] == QLatin1Char('-'))) {
        negative = body[i] == QLatin1Char('-');
        ++i;
    }
    QString whole;
    while (i < body.size() && isDigit(body[i]))
        whole.append(body[i++]);
    QString fraction;
    if (i < body.size() && body[i] == QLatin1Char('.')) {
        ++i;
        while (i < body.size() && isDigit(body[i]))
            fraction.append(body[i++]);
    }
    if (i != body.size() || (whole.isEmpty() && fraction.isEmpty()))
        return r;

    while (whole.size() > 1 && whole.front() == QLatin1Char('0'))
        whole.remove(0, 1);
    r.status = IntegerConversion::Status::OutOfRange;
    if (whole.size() > 5)
        return r;
    int magnitude = 0;
    for (const QChar c : whole)
        magnitude = magnitude * 10 + (c.unicode() - '0');
    // Compare the fraction with one half, digit by digit.
    const QString half = QStringLiteral("5").leftJustified(qMax<qsizetype>(1, fraction.size()), QLatin1Char('0'));
    const QString padded = fraction.leftJustified(half.size(), QLatin1Char('0'));
    const int order = QString::compare(padded, half);
    if (order > 0 || (order == 0 && magnitude % 2 == 1))
        ++magnitude;
    const int value = negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767)
        return r;
    r.status = IntegerConversion::Status::Ok;
    r.value = qint16(value);
    return r;
}

} // namespace

QString IntegerConversionCheck::run(const QString &text)
{
    const IntegerConversion got = IntegerConversion::fromText(text);
    const IntegerConversion want = exact(text);
    if (got.status != want.status || (got.ok() && got.value != want.value))
        return QStringLiteral("\"%1\" converts to status %2 value %3, expected status %4 value %5")
            .arg(text.left(80)).arg(int(got.status)).arg(got.value)
            .arg(int(want.status)).arg(want.value);
    return {};
}
