#pragma once

#include "session/Finding.h"

#include <QStringList>

// The LOG arguments of a command that reads logs: a folder stands for its logs (logsIn);
// the companion records among them ("<log>.jsonl" beside <log>, as a glob such as
// ws*/data/o1* catches them) are passed over in one note, each read with its log (a
// companion named without its log stands for that log). Logs taken from folders that were
// last written on more than one day are warned of.
struct LogArguments
{
    QStringList logs;
    Findings findings;

    static LogArguments resolve(const QStringList &arguments);

    // The event logs of a workstation's data folder, by name: every file whose first line
    // is a log header, but not a companion record, a file of unwritten records, nor a log
    // kept aside as "<log>.<n>" when a later run of the same name began.
    static QStringList logsIn(const QString &folder);
};
