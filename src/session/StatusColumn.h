#pragma once

#include "session/WorkstationState.h"

#include <QString>

#include <array>

// The columns of a workstation's row, the one list that treelab status (StatusTable) and
// the room window (RoomModel) show: each with its heading in either and how its text is
// made from a state. A text is "-" where the state has nothing to show.
struct StatusColumn
{
    // In the order shown.
    enum Id { Folder, GoAhead, Log, Subject, Set, Attempt, Level, Done, Payoffs, Since, Over, ColumnCount };

    Id id;
    const char *heading;    // treelab status's, "GO"
    const char *title;      // the room window's, "Go-ahead"
    bool number;            // right-aligned
    QString (*text)(const WorkstationState &state);

    // Every column, in the order shown: all()[k].id is k.
    static const std::array<StatusColumn, ColumnCount> &all();
    static const StatusColumn &of(Id id) { return all()[id]; }

    // Whether the room window shows the column: each but Done, which the payoffs it shows
    // already count.
    static constexpr bool inRoom(Id id) { return id != Done; }
};
