#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes into a go-ahead file at path, reads it through GoAheadFile::read and
// compares with the plain reading of its first item: blanks (blank, tab, CR, LF, FF,
// VT) skipped, the item running to the next blank or comma and ending within the
// file's first 64 KiB, a whole number being an optional minus and digits within -32768
// to 32767. Also checks that the file's text
// for every value the program may write reads back as that value.
class GoAheadFileCheck
{
public:
    // Empty when the program agrees; otherwise what differs, for a person.
    static QString run(const QByteArray &data, const QString &path);
};
