#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Opening a file that someone else put there, without trusting what it is. A FIFO, a
// device such as /dev/zero, a socket or a folder would hang the open, or never end;
// such a path is refused before it is opened, the file is opened without blocking, and
// the open handle is checked again, so a file swapped in between is refused too.
namespace InputFile {

// Opens path for reading when it is a regular file. False, with *error set ("... is a
// FIFO, not a regular file"), otherwise or when it cannot be opened.
bool open(QFile &file, const QString &path, QString *error);

// The whole file, when it is a regular file of at most most bytes. The message of a
// longer file names the limit; what says what the file was expected to be ("an event log").
bool readAll(const QString &path, qint64 most, const QString &what, QByteArray *bytes,
             QString *error);
// The same, from a file open() opened at path (a file opened on its handle has no name of
// its own to tell), from where it stands.
bool readAll(QFile &file, const QString &path, qint64 most, const QString &what, QByteArray *bytes,
             QString *error);


} // namespace InputFile
