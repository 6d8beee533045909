#pragma once

#include <QString>

class LabLog;

// Judges a run as a whole, after LabLogReader: sets the log's run facts (attemptCount,
// countFrom, runProblems, payoffProblems) and adds to its companionProblems.
class RunJudge
{
public:
    // The number of attempts the run had (the companion's, else attemptsGiven when above
    // 0, else LabLog::builtAttempts()), no more finished than that, and every payoff the
    // companion says was shown against the companion's own payoff table and against the
    // payoff file (dataFile, or the one beside the log) where that holds the log's set. A
    // payoff file that cannot be read is no problem here: pay and export say so.
    static void judge(LabLog *log, const QString &dataFile, int attemptsGiven);
};
