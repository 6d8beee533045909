#pragma once

#include <QStringList>

// Opens the window "Decision Tree Room" with the real clock, message boxes and settings,
// and runs it until it is closed: for "treelab room" and for the room's own program
// (decisiontree-room, which Windows starts without a console window).
namespace RoomApp {

// folders as given on the command line (on Windows, wildcards are expanded here).
int run(int &argc, char *argv[], QStringList folders);

} // namespace RoomApp
