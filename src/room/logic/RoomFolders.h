#pragma once

#include <QString>
#include <QStringList>

// The data folders of a room from what the experimenter names: a workstation's data
// folder stands for itself; a folder that holds workstations (ws1/data, ws2/data, ...
// beneath it, "ws*" folders each with a "data" folder) stands for their data folders, in
// the order of their numbers (ws2 before ws10); a program's folder (no okto.go, but a
// "data" folder) stands for its data folder. Names that lead nowhere are kept, so that the
// room shows them as folders that cannot be read.
namespace RoomFolders {

QStringList expand(const QStringList &named);

} // namespace RoomFolders
