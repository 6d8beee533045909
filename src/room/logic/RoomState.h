#pragma once

#include "room/logic/RoomMark.h"
#include "session/WorkstationState.h"

#include <QList>
#include <QString>

// Where a row of the room stands, in words for its State cell ("waiting for Start", "in
// attempt 2 of 4 at c2", "silent for 3 min") and by kind for its colour. Made from what
// was read and the row's marks, never from a text shown.
struct RoomState
{
    enum class Kind {
        Unreadable,           // the folder, or its log, cannot be read
        WaitingForParameters, // no log of today yet: the parameters are not confirmed
        WaitingForStart,      // the log holds its header alone: Start not yet clicked
        InAttempt,            // an attempt in play (or the next one, between attempts)
        Silent,               // an attempt in play, and nothing written for a while
        Finished,             // the last attempt left
        Closed,               // the program has ended (by its companion's end line)
        SetAside,             // the experimenter set the log aside
    };
    Kind kind = Kind::WaitingForParameters;
    QString text;

    // setAside: the experimenter set the row's log aside; it reads so whatever the log holds.
    static RoomState of(const WorkstationState &state, const QList<RoomMark> &marks, bool setAside = false);

    bool operator==(const RoomState &) const = default;
};
