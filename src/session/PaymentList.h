#pragma once

#include "session/Finding.h"
#include "session/Payment.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The payments of a session, log by log, by the rules treelab pay and the room window's
// Pay both follow: a log kept aside as "<log>.<n>" and a log that holds its header alone
// are skipped with a note; a log that fails verification is refused unless forced; the
// payoffs are those the subject was shown (with a warning when they come from a payoff
// file changed after the log); a run that did not finish all its attempts is refused
// unless paid partially; each subject is paid once; and the logs of one set were shown
// one payoff table (PayoffAgreement), unless forced. What it finds it returns; nothing
// may be drawn once failed() is true.
class PaymentList
{
public:
    struct Options
    {
        QString dataFile;        // the payoff file; empty: the one beside each log
        int attempts = 0;        // for logs without a companion record; 0: the built number
        bool partial = false;    // pay unfinished runs from the attempts they finished
        bool includeKept = false; // pay logs kept aside too
        bool force = false;      // pay logs that fail verification all the same
    };

    explicit PaymentList(const Options &options) : m_options(options) {}

    // Reads one log and keeps its payment, or tells why not. Returns the findings of
    // this log alone.
    Findings add(const QString &path);
    // After the last log: the payments in order of subject (then of canonical path, so
    // that two ways of writing one path sort alike), two logs of one subject refused.
    // Returns the findings of that step.
    Findings finish();

    bool failed() const { return m_failed; }
    const QList<Payment> &payments() const { return m_payments; }

    // The payments table's rows for seed and the show-up fee in pence (PaymentDay::rows).
    // Empty, with *findings, when a payoff shown is not known.
    QList<QStringList> rows(std::uint32_t seed, Findings *findings, qint64 fee = 0) const;

    // A seed as typed: a decimal whole number 0 to 4294967295, digits only.
    static std::optional<std::uint32_t> seedFrom(const QString &text);

private:
    Options m_options;
    QList<Payment> m_payments;
    bool m_failed = false;
};
