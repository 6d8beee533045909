#pragma once

#include <QString>
#include <QStringList>

// Short names for the room's workstations: of each folder the part of its path that differs
// between the room's folders (\\server\lab\ws01\data and \\server\lab\ws02\data are "ws01"
// and "ws02"), its parts joined by "/". What every folder begins and ends with is left off;
// a room of one folder names it by its last part other than "data" (the data folder of a
// workstation is named after the workstation).
namespace WorkstationNames {

// A name for each of folders, in their order; never empty for a folder that is not.
QStringList of(const QStringList &folders);

} // namespace WorkstationNames
