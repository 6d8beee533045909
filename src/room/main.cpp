#include "room/RoomApp.h"

// The room window as a program of its own, for the Start menu and Decision Tree
// Room.cmd: built as a Windows GUI program, it opens no console window beside the room's.
// Its arguments are the data folders, as for "treelab room".
int main(int argc, char *argv[])
{
    QStringList folders;
    for (int k = 1; k < argc; ++k)
        folders.append(QString::fromLocal8Bit(argv[k]));
    return RoomApp::run(argc, argv, folders);
}
