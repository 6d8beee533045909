#pragma once

#include "record/Clock.h"
#include "session/WorkstationState.h"

#include <QList>
#include <QString>
#include <QStringList>

class FollowedLogs;

// The state of each workstation as the files in its data folder show it (WorkstationState),
// one per log of today or the newest: the go-ahead value, the event log with its subject
// and set, the attempt in play and the level reached in it, the attempts finished with
// their payoffs, the seconds since the log was last written, and whether the experiment is
// over; and the table that shows them. It reads only what the experiment program writes,
// and writes nothing.
class StatusTable
{
public:
    // A state formatted for the table: one text per column, and the notes below it.
    struct Row
    {
        QString folder;
        QString goAhead;   // the number in okto.go ("99!" when left from an earlier session), "none" or "?"
        QString log;       // the log's file name ("!" marks a folder of two programs), or "-"
        QString subject;   // "!" marks a subject number found in another log of today
        QString set;       // "!" marks a set that differs from the room's
        QString attempt;   // "2/4": the attempt in play out of the attempts given
        QString level;     // "4 c2": the level the subject stands on in it
        QString done;      // attempts that reached their payoff node
        QString payoffs;   // their payoffs, "£51 -£5", or "p(50)" when the file is unread
        QString since;     // "12 s", "5 min", "3 h", "2 days"
        QString over;      // "yes" or "no"
        QStringList notes; // what could not be read, for the lines below the table
        bool failed = false;
        bool today = false;
    };

    // attempts: the number of attempts the experimenter set (the log does not hold it),
    // 0 for the number the program was built with; the companion record's number wins
    // where there is one. The experiment is over when the log holds that many Continue
    // records.
    StatusTable(const Clock &clock, int attempts);

    // Logs read again and again (the room window's ticks) are read on from where the last
    // reading stopped, through followed, which outlives the table's use of it.
    void follow(FollowedLogs *followed) { m_followed = followed; }

    // The state of the folder's newest log.
    WorkstationState state(const QString &folder) const;
    // A state for each event log of today in the folder (two programs started on one
    // folder leave two), newest first, each then marked; else that of the newest log.
    QList<WorkstationState> folderStates(const QString &folder) const;
    // The states of every folder, marked where the room does not add up: one subject
    // number in two logs of today, or a parameter set that differs from the one most of
    // the room's logs of today have.
    QList<WorkstationState> states(const QStringList &folders) const;
    // The room's marks of states(), for states read folder by folder (folderStates): a
    // subject number in two logs of today, a set that differs from the room's. Each state
    // is to be unmarked (as folderStates gives it) before.
    static void markRoom(QList<WorkstationState> &states);

    // The one formatter of a state for people, the table's and the room window's.
    static Row format(const WorkstationState &state);
    // state() and states() formatted.
    Row row(const QString &folder) const { return format(state(folder)); }
    QList<Row> rows(const QStringList &folders) const;

    // A readable age: seconds up to two minutes, then minutes, hours, days; never below 0.
    static QString ageText(qint64 seconds);

    // The aligned table, a heading line and one line per row, then the notes.
    static QString render(const QList<Row> &rows);

    // The file of an event log in folder: the newest file whose name begins with "o" and
    // whose first line is a log header (kept older logs "<log>.<n>" included). Empty if none.
    static QString newestLog(const QString &folder);

private:
    WorkstationState stateOf(const QString &folder, const QString &logPath) const;

    const Clock &m_clock;
    int m_attempts;
    FollowedLogs *m_followed = nullptr;
};
