#include "session/Money.h"

#include <QRegularExpression>

namespace {

constexpr qint64 Largest = qint64(1000000) * 100;

} // namespace

namespace Money {

std::optional<qint64> parse(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^([0-9]{1,7})(?:\\.([0-9]{1,2}))?$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QString fraction = match.captured(2).leftJustified(2, QLatin1Char('0'));
    const qint64 pence = match.captured(1).toLongLong() * 100 + fraction.toLongLong();
    if (pence > Largest)
        return std::nullopt;
    return pence;
}

QString text(qint64 pence)
{
    const qint64 whole = (pence < 0 ? -pence : pence);
    return QStringLiteral("%1%2.%3")
        .arg(pence < 0 ? QStringLiteral("-") : QString())
        .arg(whole / 100)
        .arg(whole % 100, 2, 10, QLatin1Char('0'));
}

QString shown(qint64 pence, const QString &currency)
{
    const QString figures = text(pence);
    return pence < 0 ? QStringLiteral("-") + currency + figures.mid(1) : currency + figures;
}

QString currencyOf(const QString &payoffText)
{
    QString sign;
    for (const QChar c : payoffText)
        if (c != QLatin1Char('-') && !c.isDigit() && !c.isSpace())
            sign.append(c);
    return sign;
}

} // namespace Money
