#pragma once

#include "session/WorkstationState.h"

#include <QList>
#include <QString>
#include <QStringList>

// The table treelab status prints: a heading line and one line per workstation state, the
// columns (StatusColumn) aligned, numbers to the right; then each state's notes, each on a
// line of its own after the state's folder.
class StatusTable
{
public:
    static QString render(const QList<WorkstationState> &states);

    // What the lines below the table say of a state: its notes, after a leftover go-ahead
    // value with the command to run against it.
    static QStringList notes(const WorkstationState &state);
};
