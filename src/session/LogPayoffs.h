#pragma once

#include "session/Finding.h"

#include <QString>

#include <optional>

class LabLog;

// Reads the payoffs of a log's parameter set into it (LabLog::payoffs, payoffPath). The
// payoff file is the one given on the command line, or else the one the log's name names
// in the log's own folder (o<set><subject><payoff file>), found as treelab status finds
// it. The file is read from the disk at every call and nothing of it is kept between
// calls: what is paid and exported is what the file holds when the work runs, even when
// it was rewritten at the same size with its time kept.
class LogPayoffs
{
public:
    // Reads them from dataFile, or when it is empty from the file beside the log. Nothing
    // when read; else why no payoff file can be read.
    static std::optional<Finding> load(LabLog *log, const QString &dataFile);
    // What LabLog::shownPayoff needs: nothing to read when the companion record holds the
    // payoffs shown, else load(log, dataFile).
    static std::optional<Finding> loadShown(LabLog *log, const QString &dataFile);
};
