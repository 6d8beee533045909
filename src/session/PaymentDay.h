#pragma once

#include "session/Finding.h"
#include "session/PaidSubject.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

class PaymentList;

// A session's payments as treelab pay and the room's Pay hand them over: every subject of
// a PaymentList paid from the seed with one show-up fee, in order of subject, and what the
// schedule, the receipts and the cash are made from.
class PaymentDay
{
public:
    // Nothing, with *findings, when a payoff shown is not known. list must not have failed.
    static std::optional<PaymentDay> of(const PaymentList &list, std::uint32_t seed, qint64 fee,
                                        Findings *findings);

    std::uint32_t seed() const { return m_seed; }
    qint64 fee() const { return m_fee; }
    // The currency's sign the subjects saw ("£").
    QString currency() const { return m_currency; }
    const QList<PaidSubject> &subjects() const { return m_subjects; }
    // Ordered by workstation (names compared as people read them: ws2 before ws10), then
    // by subject.
    QList<PaidSubject> byWorkstation() const;
    qint64 total() const;
    // The dates of the logs' headers, each once, in order of first appearance;
    // "(no date in the logs)" when none holds one.
    QString dates() const;
    // When the last of the logs was written: the documents' own date, so that the same
    // payments make the same files.
    QDateTime lastWritten() const;
    // The data folders paid, each once, native separators.
    QStringList folders() const;
    // The payments table's rows (Payment::header).
    QList<QStringList> rows() const;
    // "total for 7 subjects: £63.00"
    QString totalText() const;
    // An amount with the currency the subjects saw.
    QString money(qint64 pence) const;
    // The paid-attempt rule in one sentence, with this seed.
    QString drawRule() const;

private:
    std::uint32_t m_seed = 0;
    qint64 m_fee = 0;
    QString m_currency;
    QList<PaidSubject> m_subjects;
};
