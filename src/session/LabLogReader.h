#pragma once

#include "session/Finding.h"

#include <QString>

#include <optional>

class FollowedLogs;
class LabLog;

// Reads an event log into a LabLog, and its companion record "<log>.jsonl" when there is
// one, each with the records kept beside it in "<file>.unwritten".
class LabLogReader
{
public:
    // Nothing when read; else why not: the log cannot be read or line 1 is not a log
    // header. Lines that the rules of the run do not place are kept in parsed.problems,
    // differences from the companion in companionProblems. With followed, a log read
    // before is read on from where that reading stopped (the room window's readings, tick
    // after tick).
    static std::optional<Finding> load(const QString &path, LabLog *log, FollowedLogs *followed = nullptr);
};
