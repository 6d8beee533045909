#pragma once

#include <QString>
#include <QStringList>

// The files a command writes must never be the files of the lab that it reads, nor any
// other file the lab cannot do without. An output is refused when it is the same file as
// an input (by file identity, not by name: another path, a link or a different case on
// Windows name the same file), when it already holds an event log, a companion record
// or a payoff file, when it is a go-ahead file okto.go, when it is something other than a
// regular file, and when two outputs of one command name the same file. Nor is an output
// written through a link (a symbolic link, a Windows shortcut or a second name of the
// same file), nor into a linked folder onto a log, a companion record, a payoff file, an
// okto.go, a file of unwritten records or the room's audit trail.
namespace OutputCheck {

// The room window's audit trail in its working folder, which no output replaces.
inline const QString RoomLogName = QStringLiteral("room-log.txt");

// Why outputs may not be written, checked against the logs and the payoff file the
// command reads (empty when none) and against each other: the first refused, for a
// person. Empty when all may be written.
QString refusal(const QStringList &outputs, const QStringList &logs, const QString &payoffFile);

} // namespace OutputCheck
