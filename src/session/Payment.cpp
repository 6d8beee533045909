#include "session/Payment.h"

#include "session/PaymentDraw.h"

#include <QFileInfo>

Payment Payment::of(const LabLog &log)
{
    Payment payment;
    payment.path = log.path;
    const QString resolved = QFileInfo(log.path).canonicalFilePath();
    payment.canonical = resolved.isEmpty() ? QFileInfo(log.path).absoluteFilePath() : resolved;
    payment.subject = log.subject();
    payment.set = log.set();
    payment.complete = log.complete();
    for (const AttemptSummary *attempt : log.finishedAttempts())
        payment.finished.append({attempt->number, attempt->finalPayoffNode, log.shownPayoff(*attempt)});
    return payment;
}

QStringList Payment::header()
{
    return {QStringLiteral("seed"), QStringLiteral("log"),     QStringLiteral("subject"),
            QStringLiteral("set"),  QStringLiteral("finished"), QStringLiteral("draw"),
            QStringLiteral("attempt"), QStringLiteral("node"), QStringLiteral("payoff_text"),
            QStringLiteral("payoff"), QStringLiteral("complete")};
}

QList<int> Payment::numericColumns()
{
    return {0, 2, 3, 4, 6, 7, 9, 10};
}

QStringList Payment::row(std::uint32_t seed, Findings *findings) const
{
    const QString seedText = QString::number(seed);
    const QString completeText = complete ? QStringLiteral("1") : QStringLiteral("0");
    if (finished.isEmpty()) // paid with --partial: nothing
        return {seedText, path, QString::number(subject), QString::number(set), QStringLiteral("0"), QString(),
                QString(), QString(), QString(), QStringLiteral("0"), completeText};
    const PaymentDraw draw(seed, subject);
    const Attempt &paid = finished[draw.choose(int(finished.size())) - 1];
    if (!paid.shown) {
        findings->append({Finding::Severity::Plain, QString(), 0,
                          QStringLiteral("%1: the companion record holds no payoff shown for attempt %2")
                              .arg(path)
                              .arg(paid.number)});
        return {};
    }
    return {seedText, path, QString::number(subject), QString::number(set), QString::number(finished.size()),
            draw.number(), QString::number(paid.number), QString::number(paid.node), paid.shown->text,
            QString::number(paid.shown->payoff), completeText};
}
