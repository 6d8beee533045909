#pragma once

#include <QString>

// The rules by which a lab's files are named after an event log: the log "o<set><subject>
// <payoff file>" beside its payoff file, and a log kept aside as "<log>.<n>" when a later
// run of the same name began. Names only: nothing here reads a file, and only keptAsideIn
// and dataFileOf look whether one is there.
class LogNames
{
public:
    // The name that "<name>.<n>" was kept aside from: <name>; empty when the name has no
    // such ending.
    static QString keptAsideFrom(const QString &name);
    // Whether the file is such a log: "<name>.<n>" beside a file <name>. Empty when not;
    // else the name it was kept aside from.
    static QString keptAsideIn(const QString &folder, const QString &name);

    // The payoff file a log belongs to: its name without "o", the set and the subject
    // (and without a ".<n>" that kept the log aside, when only the shorter name exists).
    // Empty when the log's name does not begin so.
    static QString dataFileOf(const QString &folder, const QString &logName, qint16 set, qint16 subject);
};
