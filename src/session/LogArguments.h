#pragma once

#include "session/Finding.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QStringList>

// The LOG arguments of a command that reads logs: a folder stands for its logs (logsIn);
// the companion records among them ("<log>.jsonl" beside <log>, as a glob such as
// ws*/data/o1* catches them) are passed over in one note, each read with its log (a
// companion named without its log stands for that log). Logs taken from folders that were
// last written on more than one day are warned of. A log set aside (SetAside) is left
// out, named with why.
//
// The session's day is the latest day on which one of the logs was last written: a log
// left in a folder from an earlier session is older than the session's own, however many
// of them there are. A session that runs past midnight is one session: a log last written
// within twelve hours before the latest log is the session's, whatever its date. A payment
// or an export reads the session's logs alone unless the others are taken in by name of
// the option (ofSession).
struct LogArguments
{
    QStringList logs;
    Findings findings;
    QList<QDateTime> written; // when each of logs was last written; invalid where it cannot be told
    QDateTime latest;         // the latest of written; invalid when no log can be dated
    QStringList setAside; // the logs left out as set aside, each "<log>: set aside on ...: <reason>"

    static LogArguments resolve(const QStringList &arguments);

    // The day of the latest log; invalid when no log can be dated.
    QDate sessionDay() const { return latest.date(); }
    // The logs last written on another day than the session's.
    QStringList otherDays() const;
    bool isOtherDay(qsizetype k) const;
    // The logs a payment or an export reads: those of the session's day, and those of
    // other days too with include. Each other day is told in *findings with its logs
    // and what was done with them; how says how they are taken in, for the experimenter
    // ("give --include-days", "tick ...").
    QStringList ofSession(bool include, const QString &how, Findings *findings) const;
    // For an audit trail: the logs of other days taken in or left out, and those set aside.
    QStringList choicesText(bool include) const;
    // A day as the lab's texts write it: 2026-12-09.
    static QString dayText(const QDate &day);

    // The event logs of a workstation's data folder, by name: every file whose first line
    // is a log header, but not a companion record, a file of unwritten records, nor a log
    // kept aside as "<log>.<n>" when a later run of the same name began.
    static QStringList logsIn(const QString &folder);
};
