#include "session/PaymentList.h"

#include "session/LabLog.h"
#include "session/LabLogReader.h"
#include "session/LogAdmission.h"
#include "session/LogPayoffs.h"
#include "session/PaymentDay.h"
#include "session/PayoffAgreement.h"
#include "session/RunJudge.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

Finding plain(const QString &message)
{
    return {Finding::Severity::Plain, QString(), 0, message};
}

} // namespace

Findings PaymentList::add(const QString &path)
{
    Findings findings;
    LabLog log;
    const QString shown = QDir::toNativeSeparators(path);
    if (const std::optional<Finding> unread = LabLogReader::load(path, &log)) {
        findings.append(*unread);
        m_failed = true;
        return findings;
    }
    if (log.keptAside() && !m_options.includeKept) {
        findings.append({Finding::Severity::Note, QString(), 0,
                         QStringLiteral("%1 skipped: a log kept aside when a later run of the same name began "
                                        "(--include-kept pays it)").arg(shown)});
        return findings;
    }
    if (log.headerOnly()) {
        findings.append({Finding::Severity::Note, QString(), 0,
                         QStringLiteral("%1 skipped: it holds its header alone (the program was closed before "
                                        "Start)").arg(shown)});
        return findings;
    }
    RunJudge::judge(&log, m_options.dataFile, m_options.attempts);
    const LogAdmission admission = LogAdmission::admit(&log, m_options.force);
    findings += admission.findings;
    if (!admission.admitted) {
        m_failed = true;
        return findings;
    }
    if (const std::optional<Finding> unread = LogPayoffs::loadShown(&log, m_options.dataFile)) {
        findings.append(*unread);
        m_failed = true;
        return findings;
    }
    // Read from the payoff file, not from the companion record: it may have changed since.
    if (!log.companion && QFileInfo(log.payoffPath).lastModified() > QFileInfo(path).lastModified())
        findings.append({Finding::Severity::Warning, QString(), 0,
                         QStringLiteral("%1 was changed after %2 was last written: the payoffs paid are those it "
                                        "holds now; make sure they are the ones the subject saw")
                             .arg(QDir::toNativeSeparators(log.payoffPath), shown)});
    if (!log.complete() && !m_options.partial) {
        findings.append(plain(QStringLiteral("%1: subject %2 has not finished: %3; give --partial to pay such a run "
                                             "from the attempts it finished")
                                  .arg(shown).arg(log.subject()).arg(log.endingText())));
        m_failed = true;
    }
    m_payments.append(Payment::of(log));
    return findings;
}

Findings PaymentList::finish()
{
    std::stable_sort(m_payments.begin(), m_payments.end(), [](const Payment &a, const Payment &b) {
        return a.subject != b.subject ? a.subject < b.subject : a.canonical < b.canonical;
    });
    Findings findings;
    for (qsizetype k = 1; k < m_payments.size(); ++k) {
        if (m_payments[k].subject != m_payments[k - 1].subject)
            continue;
        findings.append(plain(QStringLiteral("subject %1 has two logs, %2 and %3: each subject is paid once; give "
                                             "the one to pay")
                                  .arg(m_payments[k].subject)
                                  .arg(QDir::toNativeSeparators(m_payments[k - 1].path),
                                       QDir::toNativeSeparators(m_payments[k].path))));
        m_failed = true;
    }
    PayoffAgreement agreement;
    for (const Payment &payment : std::as_const(m_payments))
        agreement.add(payment.workstation, payment.set, payment.table);
    const Findings disagreements =
        agreement.disagreements(m_options.force ? Finding::Severity::Forced : Finding::Severity::Error);
    findings += disagreements;
    if (!disagreements.isEmpty() && !m_options.force) {
        findings.append(plain(QStringLiteral("give --force to pay all the same, each from the payoffs shown")));
        m_failed = true;
    }
    return findings;
}

QList<QStringList> PaymentList::rows(std::uint32_t seed, Findings *findings, qint64 fee) const
{
    const std::optional<PaymentDay> day = PaymentDay::of(*this, seed, fee, findings);
    return day ? day->rows() : QList<QStringList>();
}

std::optional<std::uint32_t> PaymentList::seedFrom(const QString &text)
{
    if (text.isEmpty() || text.size() > 10)
        return std::nullopt;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const qulonglong value = text.toULongLong();
    if (value > 0xFFFFFFFFull)
        return std::nullopt;
    return std::uint32_t(value);
}
