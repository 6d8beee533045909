#pragma once

#include <QString>

class QFile;

// Opens a file that others write for reading without standing in their way. On Windows a
// file opened the usual way may not be deleted, renamed or replaced by anyone else while
// it is open: the experimenter replacing okto.go, or the program writing its 2, would fail
// for as long as a poll or treelab status holds it. Opened here, it shares reading,
// writing and deletion. POSIX systems lock nothing, and the file is opened as usual.
class SharedRead
{
public:
    // Opens file (not yet open) on path for reading; false with *error set, for a person,
    // when it cannot be opened.
    static bool open(QFile &file, const QString &path, QString *error);
};
