#pragma once

#include "session/Finding.h"
#include "session/WorkstationState.h"

#include <QList>
#include <QString>

// Why a row of the room table is marked: something the experimenter should look at. The
// finding holds the folder and the reason for people (in the row's tooltip and in the
// panel below the table), at Error where the row cannot be used (unreadable, failing
// verification), else at Warning; the kind names the mark.
struct RoomMark
{
    enum class Kind {
        Unreadable,        // the folder cannot be read (or is not there)
        LeftoverGoAhead,   // a 1 or 99 left from an earlier session
        SameSubject,       // the subject number is in another folder's log of today too
        SetDiffers,        // the set differs from the room's
        LanguageDiffers,   // the subjects' language differs from the room's
        TwoSubjects,       // the folder holds the logs of two programs of today
        Silent,            // no record written for a while with an attempt in play
        FailsVerification, // the log fails treelab verify
        LogUnread,         // the log cannot be read (too long, not a plain file, ...)
    };
    Kind kind;
    Finding finding;

    // The marks of a state as WorkstationReader::states gives it (the room marked). readable:
    // the folder could be listed; silentAfter: the seconds without a record, with an
    // attempt in play, after which a log is marked silent.
    static QList<RoomMark> of(const WorkstationState &state, bool readable, int silentAfter);

    // "leftover go-ahead", "same subject", ...: the mark's name in the panel.
    static QString name(Kind kind);

    bool operator==(const RoomMark &) const = default;
};
