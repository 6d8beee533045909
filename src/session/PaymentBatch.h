#pragma once

#include "session/Finding.h"
#include "session/Payment.h"
#include "session/Table.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

// The logs of one payment, read by the rules that decide who is paid, for treelab pay and
// the room window alike: a log kept aside (unless asked for) and a log with its header
// alone are skipped with a note; a log that fails verification is refused unless forced;
// a run that has not finished all its attempts is refused unless partial payment is asked
// for; two logs of one subject are refused, both named. Nothing is drawn while anything is
// refused.
class PaymentBatch
{
public:
    struct Options
    {
        QString dataFile;       // the payoff file of every log; empty: the one beside each
        int attempts = 0;       // the run's number of attempts where no companion says; 0: as built
        bool includeKept = false;
        bool force = false;
        bool partial = false;
        // Called after each log; returning false stops the reading (cancelled() then).
        std::function<bool(qsizetype done, qsizetype total)> progress;
    };

    static PaymentBatch read(const QStringList &paths, const Options &options);

    QList<Payment> payments; // in order of subject, then of the canonical path
    Findings findings;       // what was skipped, refused or warned of, in order
    bool refused = false;    // something was refused: nothing may be drawn
    bool cancelled = false;

    // The payments table drawn from seed. False, with the reasons added to *findings, when
    // a payoff shown is not known (nothing may be written then).
    bool draw(std::uint32_t seed, Table *table, Findings *findings) const;
    static Table emptyTable();
};
