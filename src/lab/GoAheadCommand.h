#pragma once

#include <QStringList>

// treelab prepare, release and quit DIR...: write 0, 1 or 99 into the go-ahead file
// okto.go of each workstation's data folder, atomically, as the program writes its 2.
class GoAheadCommand
{
public:
    // arguments[0] is "treelab prepare", "treelab release" or "treelab quit"; value is
    // GoAheadFile::Hold, Release or Quit.
    static int run(const QStringList &arguments, qint16 value);
    static QString help(qint16 value);
};
