#pragma once

#include "record/Clock.h"
#include "session/GoAheadWrite.h"
#include "session/WorkstationState.h"

#include <QList>
#include <QString>

// One folder's prepare, release or quit, as treelab and the room window both make it: the
// write itself (GoAheadWrite) and, for quit, the subjects whose program a 99 ends (those
// of the folder's logs of today, read before the write) and where those who have not
// finished still are. After its go-ahead the program reads okto.go again only once the
// subject has left the last attempt and the experimenter has clicked the button on its
// last screen, so a 99 written earlier waits until then.
struct GoAheadAction
{
    GoAheadWrite write;
    QList<WorkstationState> runs; // quit only: the folder's logs of today whose program has not ended
    QString stillPlaying;          // quit only: where each unfinished subject is; empty when none

    // attempts: the run's number of attempts for logs without a companion record, 0 for
    // the number the program was built with (as for WorkstationReader).
    static GoAheadAction to(const QString &folder, qint16 value, int attempts, const Clock &clock);

    // Where each of runs (a folder's logs of today) still is in the experiment, for a 99
    // written over previous (a program that has ended is not): empty when none is, or when previous is no 1 or 2 (the
    // program has not gone past its go-ahead, so it reads a 99 within a second).
    static QString stillPlayingIn(const QList<WorkstationState> &runs, const GoAheadFile::Reading &previous);

    // Written, and no subject is still in the experiment.
    bool done() const { return write.written() && stillPlaying.isEmpty(); }
    // The report for people, after the folder's name: what okto.go held and holds now,
    // the subjects a 99 ends, and for an unfinished subject that the 99 waits.
    QString text() const;
};
