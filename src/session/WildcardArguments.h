#pragma once

#include <QStringList>

// Windows shells hand "ws*\data\o1*" to a program as it was typed: cmd.exe and PowerShell
// expand no wildcards for it, as a POSIX shell does. So treelab and the room window expand them
// themselves there.
namespace WildcardArguments {

// Every argument holding * or ? in any part of its path is replaced by the existing
// files and folders it matches, in name order within each folder; one that matches
// nothing, and every other argument, is kept as it is (so the command reports it).
// Both / and \ separate the parts; names are matched without regard to case, as
// Windows does.
QStringList expand(const QStringList &arguments);

} // namespace WildcardArguments
