#pragma once

#include <QString>

// treelab room FOLDER...: opens the window "Decision Tree Room" on the workstations'
// data folders (or folders holding ws*/data) by starting the room's own program from
// treelab's folder and waiting for it to close. The one command that needs a display;
// treelab itself links no widget.
class RoomCommand
{
public:
    // argv[1] is "room".
    static int run(int argc, char *argv[]);
    static QString help();
};
