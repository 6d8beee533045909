#pragma once

#include "session/Finding.h"
#include "session/LabLog.h"
#include "session/PaidSubject.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// What paying one subject takes from their log once it is admitted: the run's facts and
// the payoff shown in each finished attempt. Small, so that a study's worth of them fits
// in memory while the logs themselves are let go.
struct Payment
{
    QString path;      // as given
    QString canonical; // links resolved, for the order of the table
    qint16 subject = 0;
    qint16 set = 0;
    QString workstation; // PaidSubject::workstation
    QString date;        // the header's
    QDateTime written;   // the log's last write
    bool complete = false; // every attempt of the run finished
    struct Attempt
    {
        int number = 0;
        int node = -1;
        std::optional<LabLog::Shown> shown;
    };
    QList<Attempt> finished;
    // The payoff of each payoff node 0..63 as the run's table held it (LabLog::payoffAt),
    // so that the logs of one set can be held against each other.
    QList<std::optional<int>> table;

    static Payment of(const LabLog &log);

    // The payments table's columns, and which of them hold numbers.
    static QStringList header();
    static QList<int> numericColumns();
    // What this subject is paid from seed (PaymentDraw) with the show-up fee (pence); a
    // run with no finished attempt is paid the fee alone. Nothing, with why appended to
    // *findings, when the payoff shown in the drawn attempt is not known.
    std::optional<PaidSubject> paid(std::uint32_t seed, qint64 fee, Findings *findings) const;
    // The folder a log names its workstation by: its own, or the one above a "data" folder.
    static QString workstationOf(const QString &path);
};
