#pragma once

#include "record/Clock.h"
#include "session/WorkstationState.h"

#include <QList>
#include <QString>
#include <QStringList>

class FollowedLogs;
class LabLog;
class QDateTime;
class QFileInfo;

// Reads the state of each workstation from the files in its data folder (WorkstationState),
// one per log of today or the newest: the go-ahead value, the event log with its subject
// and set, the attempt in play and the level reached in it, the attempts finished with
// their payoffs, the seconds since the log was last written, and whether the experiment is
// over; and marks the room where its states do not add up. It reads only what the
// experiment program writes, and writes nothing. StatusColumn formats a state for people.
class WorkstationReader
{
public:
    // attempts: the number of attempts the experimenter set (the log does not hold it),
    // 0 for the number the program was built with; the companion record's number wins
    // where there is one. The experiment is over when the log holds that many Continue
    // records.
    WorkstationReader(const Clock &clock, int attempts);

    // Logs read again and again (the room window's ticks) are read on from where the last
    // reading stopped, through followed, which outlives the reader's use of it.
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
    // A log of today shown in another language than most of the room's.
    static void markLanguages(QList<WorkstationState> &states);

    // The file of an event log in folder: the newest file whose name begins with "o" and
    // whose first line is a log header (kept older logs "<log>.<n>" included). Empty if none.
    static QString newestLog(const QString &folder);

private:
    // The state of one log of the folder (none when logPath is empty), unmarked.
    WorkstationState stateOf(const QString &folder, const QString &logPath) const;
    // The steps of stateOf, in order: the go-ahead value and whether the log is of today
    // (and the value left over), the log judged as treelab verify and pay judge it, the
    // time since it was written, where the subject is in the run, the payoffs reached.
    void readGoAhead(WorkstationState &state, const QString &folder, const QFileInfo &logInfo,
                     const QDateTime &now) const;
    void judge(WorkstationState &state, LabLog &log) const;
    static void readAge(WorkstationState &state, const QFileInfo &logInfo, const QDateTime &now);
    static void readProgress(WorkstationState &state, const LabLog &log);
    static void readPayoffs(WorkstationState &state, LabLog &log);

    const Clock &m_clock;
    int m_attempts;
    FollowedLogs *m_followed = nullptr;
};
