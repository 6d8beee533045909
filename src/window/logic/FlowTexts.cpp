#include "window/logic/FlowTexts.h"

namespace FlowTexts {

QString startCaption(int attemptCount)
{
    if (attemptCount == 1)
        return QStringLiteral("You will have one attempt. Click here to start.");
    if (attemptCount > 1)
        return QStringLiteral("You will have %1 attempts. Click here to start.").arg(attemptCount);
    return QString();
}

QString attemptText(int attemptNumber, int attemptCount)
{
    if (attemptCount == 1)
        return QStringLiteral("This is your only attempt. You will be paid the payoff of this attempt.");
    if (attemptCount >= 2)
        return QStringLiteral("This is attempt number %1 out of a total of %2 attempts.")
            .arg(attemptNumber)
            .arg(attemptCount);
    return QString();
}

QString nextAttemptCaption(int attemptsLeft)
{
    if (attemptsLeft >= 2)
        return QStringLiteral("You have %1 attempts left.  Click here to continue.").arg(attemptsLeft);
    return QStringLiteral("Your next attempt is your last attempt.  Click here to continue.");
}

QString summary(const QList<QString> &attemptPayoffText, int attemptCount)
{
    const auto payoff = [&](int k) { return k < attemptPayoffText.size() ? attemptPayoffText[k] : QString(); };
    if (attemptCount == 1)
        return QString(23, QLatin1Char(' ')) + QStringLiteral("Your payoff is ") + payoff(1)
            + QLatin1Char('.');
    QString text = QStringLiteral("Your payoff is a randomly chosen one of ");
    for (int k = 1; k <= attemptCount; ++k) {
        text += payoff(k);
        if (k <= attemptCount - 2)
            text += QStringLiteral(", ");
        else if (k == attemptCount - 1)
            text += QStringLiteral(" and ");
        else
            text += QLatin1Char('.');
    }
    return text;
}

} // namespace FlowTexts
