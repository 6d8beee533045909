#pragma once

#include "record/Clock.h"

#include <QList>
#include <QString>
#include <QStringList>

// The state of each workstation as the files in its data folder show it, one row per
// folder: the go-ahead value, the newest event log with its subject and set, the attempt
// in play and the level reached in it, the attempts finished with their payoffs, the
// seconds since the log was last written, and whether the experiment is over. It reads
// only what the experiment program writes, and writes nothing.
class StatusTable
{
public:
    struct Row
    {
        QString folder;
        QString goAhead;   // the number in okto.go ("99!" when left from an earlier session), "none" or "?"
        QString log;       // the log's file name, or "-"
        QString subject;
        QString set;
        QString attempt;   // "2/4": the attempt in play out of the attempts given
        QString level;     // "4 c2": the level the subject stands on in it
        QString done;      // attempts that reached their payoff node
        QString payoffs;   // their payoffs, "£51 -£5", or "p(50)" when the file is unread
        QString since;     // "12 s", "5 min", "3 h", "2 days"
        QString over;      // "yes" or "no"
        QStringList notes; // what could not be read, for the lines below the table
        bool failed = false; // the folder or its okto.go is missing or unreadable, or holds a leftover 1 or
                             // 99, or the row is marked "!" for the room (see rows)
        bool today = false;  // the newest log was last written today
        // The same facts typed, for the commands that act on them.
        QString logPath;       // empty when there is no log
        qint16 subjectNo = 0;  // from the log's header
        qint16 setNo = 0;
        int attemptInPlay = 0; // 0 before the first attempt begins
        bool isOver = false;   // the subject has left the last attempt
    };

    // attempts: the number of attempts the experimenter set (the log does not hold it),
    // 0 for the number the program was built with; the companion record's number wins
    // where there is one. The experiment is over when the log holds that many Continue
    // records.
    StatusTable(const Clock &clock, int attempts);

    // The row of the folder's newest log.
    Row row(const QString &folder) const;
    // A row for each event log of today in the folder (two programs started on one
    // folder leave two), newest first, each then marked; else the row of the newest log.
    QList<Row> folderRows(const QString &folder) const;
    // The rows of every folder, marked "!" with a note where the room does not add up:
    // one subject number in two logs of today, or a parameter set that differs from the
    // one most of the room's logs of today have.
    QList<Row> rows(const QStringList &folders) const;

    // A readable age: seconds up to two minutes, then minutes, hours, days; never below 0.
    static QString ageText(qint64 seconds);

    // The aligned table, a heading line and one line per row, then the notes.
    static QString render(const QList<Row> &rows);

    // The file of an event log in folder: the newest file whose name begins with "o" and
    // whose first line is a log header (kept older logs "<log>.<n>" included). Empty if none.
    static QString newestLog(const QString &folder);

    // The name that "<name>.<n>" was kept aside from (a log set aside when a later run of
    // the same name began): <name>; empty when the name has no such ending.
    static QString keptAsideFrom(const QString &name);

    // The payoff file a log belongs to: its name without "o", the set and the subject
    // (and without a ".<n>" that kept the log aside, when only the shorter name exists).
    static QString dataFileOf(const QString &folder, const QString &logName, qint16 set,
                              qint16 subject);

private:
    Row rowOf(const QString &folder, const QString &logPath) const;

    const Clock &m_clock;
    int m_attempts;
};
