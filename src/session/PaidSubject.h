#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>

// What one subject is paid: the attempt drawn, its payoff as shown, and the amount handed
// over, the show-up fee plus that payoff, never below nothing: a loss is taken from the
// fee, and a subject never pays the lab. Money in pence (Money).
struct PaidSubject
{
    QString log;         // the path as given
    QString workstation; // the log's folder, or the folder above one named "data"
    QString date;        // the log header's date, as the program wrote it
    QDateTime written;   // when the log was last written
    qint16 subject = 0;
    qint16 set = 0;
    int finished = 0;    // 0: paid the fee alone
    QString draw;        // the digest the draw used; empty when none finished
    int attempt = 0;
    int node = -1;
    QString payoffText;  // as the subject saw it: "-£5"
    qint64 payoff = 0;   // pence
    bool complete = false;
    qint64 fee = 0;      // pence
    qint64 amount = 0;   // pence
    bool floored = false; // a loss larger than the fee was cut off at 0

    // fee + payoff, floored at 0.
    void settle(qint64 showUpFee);
    // The row of the payments table (Payment::header), for seed.
    QStringList row(std::uint32_t seed) const;
};
