#include "session/Payment.h"

#include "session/Money.h"
#include "session/PaymentDraw.h"
#include "window/logic/PayoffFile.h"

#include <QDir>
#include <QFileInfo>

Payment Payment::of(const LabLog &log)
{
    Payment payment;
    payment.path = log.path;
    const QString resolved = QFileInfo(log.path).canonicalFilePath();
    payment.canonical = resolved.isEmpty() ? QFileInfo(log.path).absoluteFilePath() : resolved;
    payment.subject = log.subject();
    payment.set = log.set();
    payment.workstation = workstationOf(log.path);
    payment.date = log.parsed.header ? log.parsed.header->dateText : QString();
    payment.written = QFileInfo(log.path).lastModified();
    payment.complete = log.complete();
    for (const AttemptSummary *attempt : log.finishedAttempts())
        payment.finished.append({attempt->number, attempt->finalPayoffNode, log.shownPayoff(*attempt)});
    for (int node = 0; node < PayoffFile::PayoffCount; ++node)
        payment.table.append(log.payoffAt(node));
    return payment;
}

QStringList Payment::header()
{
    // New columns go at the end: scripts read today's by their place.
    return {QStringLiteral("seed"), QStringLiteral("log"),     QStringLiteral("subject"),
            QStringLiteral("set"),  QStringLiteral("finished"), QStringLiteral("draw"),
            QStringLiteral("attempt"), QStringLiteral("node"), QStringLiteral("payoff_text"),
            QStringLiteral("payoff"), QStringLiteral("complete"), QStringLiteral("show_up_fee"),
            QStringLiteral("amount"), QStringLiteral("floored")};
}

QList<int> Payment::numericColumns()
{
    return {0, 2, 3, 4, 6, 7, 9, 10, 11, 12, 13};
}

QString Payment::workstationOf(const QString &path)
{
    const QDir folder = QFileInfo(path).absoluteDir();
    if (folder.dirName().compare(QLatin1String("data"), Qt::CaseInsensitive) == 0)
        return QFileInfo(folder.absolutePath()).dir().dirName();
    return folder.dirName();
}

std::optional<PaidSubject> Payment::paid(std::uint32_t seed, qint64 fee, Findings *findings) const
{
    PaidSubject paid;
    paid.log = path;
    paid.workstation = workstation;
    paid.date = date;
    paid.written = written;
    paid.subject = subject;
    paid.set = set;
    paid.complete = complete;
    paid.finished = int(finished.size());
    if (!finished.isEmpty()) {
        const PaymentDraw draw(seed, subject);
        const Attempt &drawn = finished[draw.choose(int(finished.size())) - 1];
        if (!drawn.shown) {
            findings->append({Finding::Severity::Plain, QString(), 0,
                              QStringLiteral("%1: the companion record holds no payoff shown for attempt %2")
                                  .arg(path)
                                  .arg(drawn.number)});
            return std::nullopt;
        }
        paid.draw = draw.number();
        paid.attempt = drawn.number;
        paid.node = drawn.node;
        paid.payoffText = drawn.shown->text;
        paid.payoff = Money::fromWhole(drawn.shown->payoff);
    }
    paid.settle(fee);
    return paid;
}
