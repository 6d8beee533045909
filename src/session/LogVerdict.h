#pragma once

#include "record/LogReader.h"

#include <QList>
#include <QString>

// What treelab verify says of one log, and the room window's "Verify all" with it: read
// by the rules of the run, against its companion record and its payoff file, and the run
// judged as a whole.
struct LogVerdict
{
    QString path;    // as given
    bool ok = false; // the log is read by the rules and agrees with its companion and payoffs
    QString summary; // "ok: subject 99, set 1, 100 records, all 4 attempts finished; ..." or "FAILS: ..."
    QList<LogProblem> problems; // every line that fails it, with what was expected there
    qint64 unlisted = 0;        // further lines like those
    QList<LogProblem> warnings; // read all the same

    // dataFile: the payoff file to check the payoffs shown against (empty: the one beside
    // the log); attempts: the run's number where no companion says (0: as built).
    static LogVerdict of(const QString &path, const QString &dataFile, int attempts);
};
