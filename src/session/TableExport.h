#pragma once

#include "session/Finding.h"

#include <QString>
#include <QStringList>

#include <functional>

class LabLog;

// An export of logs as the tables of ExportTables, for treelab export and the room
// window's Export alike: each table to its CSV file where one is named, all of them with
// the codebook and the runs as the sheets of one workbook where one is named, and the
// codebook as a file of its own where one is named. Rows are written as each log is read;
// nothing is put in place unless every log was read and admitted and the work was not
// cancelled, so an old table is never left half replaced.
class TableExport
{
public:
    struct Options
    {
        QStringList csvFiles; // by the tables of ExportTables::all(), in order; empty for none
        QString workbook;     // empty for none
        QString codebook;     // the codebook as Markdown; empty for none
        QString dataFile;     // the payoff file of every log; empty: the one beside each
        bool force = false;   // export logs that fail verification all the same
        // Called before each log; returning false cancels, and nothing is written.
        std::function<bool(qsizetype done, qsizetype total)> progress;
    };
    struct Result
    {
        bool written = false;
        bool cancelled = false;
        int notAdmitted = 0; // logs that fail verification, which force would export
        Findings findings; // what each log was told, and why nothing was written
    };

    static Result run(const QStringList &logs, const Options &options);

private:
    struct Outputs;

    // Begins every output asked for; false, told in result, when one cannot be begun.
    static bool begin(const Options &options, Outputs &outputs, Result &result);
    // Reads the log and judges it; false, told in result, when it cannot be exported.
    // payoffs: the payoffs shown are wanted too.
    static bool read(const QString &path, const Options &options, bool payoffs, LabLog *log, Result &result);
    // Puts the codebook and every output in place; false, told in result, on failure.
    static bool finish(const Options &options, Outputs &outputs, Result &result);
};
