#pragma once

#include "session/Finding.h"
#include "window/logic/GoAheadFile.h"

#include <QString>
#include <QStringList>

#include <optional>

#include <algorithm>

// A workstation as the files in its data folder show it, for one of its event logs: the
// go-ahead value, the log with its subject and set, where the subject is in the run, the
// payoffs shown so far, how long ago the log was written, and what is wrong. Typed, so
// that what acts on it (quit, the room window) never reads a display text; StatusColumn
// formats it for people.
struct WorkstationState
{
    QString folder;              // as given, native separators
    bool folderFound = false;
    GoAheadFile::Reading goAhead;
    bool leftoverGoAhead = false; // a 1 or 99 where no log of today's run is there yet

    QString logPath;             // empty when the folder holds no readable log
    QString logName;             // its file name, also when it could not be read
    qint16 subject = 0;          // from the log's header
    qint16 set = 0;
    QString language;            // the translation its companion record names; empty: English
    int attemptCount = 0;        // the run's number of attempts
    int continues = 0;           // the attempts the subject has left
    int attemptInPlay = 0;       // 1.. (the next one between attempts); 0 before the first
    int level = 0;               // LevelCode the subject stands on in it; 0 before the first
    QStringList payoffs;         // of each attempt that reached its payoff node, as shown ("p(50)" when unknown)
    QList<std::optional<int>> payoffTable; // each payoff node's as the run's table held it, once one is reached
    qint64 ageSeconds = 0;       // since the log was last written
    // How long the attempt in play had lasted when the log was last written (from its
    // first record, or from the Continue before it between attempts); with ageSeconds,
    // how long the subject has been in it.
    qint64 attemptSecondsAtWrite = 0;
    // How the program ended, from its companion record's end line ("closed by its window",
    // "closed by 99 in okto.go", "ended by SIGTERM"); empty while it runs, or when there is
    // no end line.
    QString ended;
    // Why the log could not be read (too long, not a file, ...); empty when it was read.
    QString unread;
    bool today = false;          // the log was last written today
    QString setAside;            // why the experimenter set the log aside (SetAside::text); empty when in use

    // Marks for the room as a whole (WorkstationReader::states).
    bool sameSubjectElsewhere = false; // another log of today has this subject number
    bool setDiffers = false;           // the set differs from the one most of the room's logs have
    bool languageDiffers = false;      // so does the subjects' language
    bool severalLogsToday = false;     // the folder holds logs of two or more programs of today

    // The log fails treelab verify: a line the rules of the run do not place, a difference
    // from its companion record, more attempts than the run had, or a payoff shown that
    // the payoff file does not hold.
    bool failsVerification = false;

    // What could not be read or is wrong, each said for a person by its message; at Error
    // what the experimenter must act on.
    Findings notes;

    bool hasLog() const { return !logPath.isEmpty(); }
    // The subject has left the last attempt (or the log holds more Continue records than
    // the run had attempts: overCount).
    bool isOver() const { return hasLog() && continues >= attemptCount; }
    bool overCount() const { return hasLog() && continues > attemptCount; }
    // The program has ended: nothing more comes into this log, and a 99 ends nothing.
    bool closed() const { return hasLog() && !ended.isEmpty(); }
    // The seconds the subject has been in the attempt in play.
    qint64 inAttemptSeconds() const { return attemptSecondsAtWrite + std::max<qint64>(ageSeconds, 0); }
    // Something the experimenter must act on: a note at Error, or a go-ahead value left over.
    bool failed() const
    {
        return leftoverGoAhead || std::any_of(notes.cbegin(), notes.cend(), [](const Finding &note) {
                   return note.severity == Finding::Severity::Error;
               });
    }

    bool operator==(const WorkstationState &) const = default;
};
