#pragma once

#include "session/Finding.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// What treelab verify says of one log, and the room window's "Verify all" with it: read
// by the rules of the run, against its companion record and its payoff file, and the run
// judged as a whole.
struct LogVerdict
{
    QString path;      // as given
    bool read = false; // the log could be read as an event log
    bool ok = false;   // read by the rules, and agrees with its companion and payoffs
    qint16 subject = 0;
    qint16 set = 0;
    QString language;  // the translation the subject's texts were in, as its companion says; empty: English
    QString ending;    // how the run ended (LabLog::endingText), or why it could not be read
    QDateTime written; // when the log was last written (its file's time); invalid when it is not there
    bool running = false; // no end line yet, and the log written since runningSince
    QString summary;   // "ok: subject 99, set 1, 100 records, all 4 attempts finished; ..." or "FAILS: ..."
    Findings problems;  // every line that fails it, with what was expected there (errors)
    qint64 unlisted = 0; // further lines like those
    Findings warnings;  // read all the same
    Findings findings;  // the same, as pay and export tell them (LogAdmission)
    // The payoff of each payoff node as the run's table held it (LabLog::payoffAt), to be
    // held against the other logs of its set (PayoffAgreement).
    QList<std::optional<int>> payoffs;

    // dataFile: the payoff file to check the payoffs shown against (empty: the one beside
    // the log); attempts: the run's number where no companion says (0: as built). A run
    // whose companion has no end line and whose log was last written at runningSince or
    // later is still running, not cut off (invalid: it cannot be told, and both are said).
    static LogVerdict of(const QString &path, const QString &dataFile, int attempts,
                         const QDateTime &runningSince = QDateTime());
    // "2026-12-09 10:42:07", when the log was last written; empty when it is not there.
    QString writtenText() const;

    // "ok", "fails" or "cannot be read".
    QString verdictText() const;
    // The findings, one per line.
    QString findingsText() const;
};
