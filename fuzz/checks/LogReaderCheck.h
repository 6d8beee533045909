#pragma once

#include <QByteArray>
#include <QString>

// Parses bytes with LogReader and checks what the reader promises: every line of the
// file is accounted for, by the header, a record or a problem, in order; every record
// written out again in the program's layout (time stamp, tag with its blanks, fields,
// the notepad's lines) gives back exactly the lines it was read from, and its first
// line alone reads as the same record; the header written out again gives back line
// 1; the attempts cover the records in order; and a log file on disk reads as the
// bytes do.
class LogReaderCheck
{
public:
    // Empty when the reader keeps its promises; otherwise what it broke, for a person.
    // path is a scratch file for the reading from disk.
    static QString run(const QByteArray &data, const QString &path);
};
