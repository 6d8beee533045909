#pragma once

#include "session/Finding.h"
#include "session/LabLog.h"

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
    bool complete = false; // every attempt of the run finished
    struct Attempt
    {
        int number = 0;
        int node = -1;
        std::optional<LabLog::Shown> shown;
    };
    QList<Attempt> finished;

    static Payment of(const LabLog &log);

    // The payments table's columns, and which of them hold numbers.
    static QStringList header();
    static QList<int> numericColumns();
    // The row that pays this subject from seed (PaymentDraw); a run with no finished
    // attempt is paid nothing. Empty, with why appended to *findings, when the payoff shown
    // in the drawn attempt is not known.
    QStringList row(std::uint32_t seed, Findings *findings) const;
};
