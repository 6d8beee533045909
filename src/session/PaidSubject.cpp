#include "session/PaidSubject.h"

#include "session/Money.h"

void PaidSubject::settle(qint64 showUpFee)
{
    fee = showUpFee;
    const qint64 sum = fee + payoff;
    floored = sum < 0;
    amount = floored ? 0 : sum;
}

QStringList PaidSubject::row(std::uint32_t seed) const
{
    const QString one = QStringLiteral("1"), zero = QStringLiteral("0");
    const bool drawn = finished > 0;
    return {QString::number(seed),
            log,
            QString::number(subject),
            QString::number(set),
            QString::number(finished),
            draw,
            drawn ? QString::number(attempt) : QString(),
            drawn ? QString::number(node) : QString(),
            payoffText,
            // Whole units as the payoff file holds them, as this column always was.
            QString::number(payoff / 100),
            complete ? one : zero,
            Money::text(fee),
            Money::text(amount),
            floored ? one : zero};
}
