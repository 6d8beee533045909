#pragma once

#include <QString>

// treelab room FOLDER...: opens the window "Decision Tree Room" on the workstations'
// data folders (or folders holding ws*/data). The one command that needs a display; it
// makes its QApplication itself, so the others never do.
class RoomCommand
{
public:
    // argv[1] is "room".
    static int run(int argc, char *argv[]);
    static QString help();
};
