#pragma once

#include "LatencySamples.h"

#include <QString>


// The file work: ReadPayoffTable (PayoffFile::readSet) on payoff files of 1, 1,000 and
// 100,000 records with the wanted set last, and the event log's records per second,
// each record handed to the operating system as it is written.
class FileBenchmarks
{
public:
    static constexpr int RecordCounts[] = {1, 1000, 100000};

    // Writes the payoff files into folder (which must exist) and registers the
    // benchmarks "file/readSet/<records>" and "file/WriteEventRecord".
    static void registerAll(const QString &folder);

    // The power-cut window: for each of `records` records written `gapMs` apart into a
    // log and its companion in folder, the time from just before the record is written
    // until both files' syncs of it have finished (fdatasync returned). Empty when the
    // log cannot be opened.
    static LatencySamples recordToDevice(const QString &folder, int records, int gapMs);

    // The text of a payoff file of `records` records in the shipped layout, whose only
    // record of set 1 is the last.
    static QByteArray payoffFileText(int records);
};
