#pragma once

#include "record/CompanionReader.h"
#include "record/LogReader.h"
#include "window/logic/PayoffFile.h"

#include <QStringList>
#include <QList>
#include <QString>

#include <optional>

// One event log as the analysis commands (export, pay, draw) and the room read it: its
// records, its attempts, its companion record and, when read, the payoffs of its parameter
// set. LabLogReader fills it, RunJudge sets the run's facts, LogPayoffs reads the payoff
// file and LogAdmission says whether it may be used.
class LabLog
{
public:
    QString path;
    QString fileName;
    ParsedLog parsed;
    QList<AttemptSummary> attempts;
    std::optional<PayoffFile::SetResult> payoffs; // set when read successfully
    QString payoffPath;                           // the payoff file they came from
    std::optional<Companion> companion;           // the companion record beside the log
    QList<LogProblem> companionProblems;          // where it cannot be read or differs from the log
    // "<log>.unwritten" and "<log>.jsonl.unwritten" put beside the log: records the program
    // could not write and kept, read after the file they belong to as one record.
    QStringList keptFiles;
    QString keptText() const; // "read with the records kept in ..."; empty when none

    // The run's facts, set by RunJudge: the number of attempts the run had and where that
    // number comes from, and the problems of the run as a whole (more attempts finished than
    // the run had). A payoff shown that disagrees with the companion's own payoff table or
    // with the node the log reached joins companionProblems: the companion is not to be
    // believed. One that disagrees with the payoff file joins payoffProblems: the two
    // records of the payoffs differ, and a person must say which holds.
    enum class CountFrom { Companion, Given, Built };
    int attemptCount = 0;
    CountFrom countFrom = CountFrom::Built;
    QList<LogProblem> runProblems;
    QList<LogProblem> payoffProblems;

    qint16 subject() const { return parsed.header ? parsed.header->subjectNo : qint16(0); }
    qint16 set() const { return parsed.header ? parsed.header->paramSetNo : qint16(0); }

    // The number of attempts a run has when neither its companion record nor the command
    // line says: the one the experiment program was built with.
    static int builtAttempts();

    // The attempts played to their payoff node and ended by Continue, in order.
    QList<const AttemptSummary *> finishedAttempts() const;
    // Every attempt of the run finished.
    bool complete() const { return finishedAttempts().size() >= attemptCount; }
    // How the run ended, for people: "all 4 attempts finished" or "unfinished, 2 of 4
    // attempts finished", and where there is a companion record "; closed by its window",
    // "; closed by 99 in okto.go", "; ended by SIGTERM" or "; cut off with no end line".
    // A run whose log is still being written (stillWritten) has no end line yet: it is
    // "; still running" rather than cut off.
    QString endingText(bool stillWritten = false) const;
    // The companion record has no end line: the program was cut off, or still runs.
    bool endLineMissing() const;
    // How the program ended by its companion's end line: "closed by its window", "closed by
    // 99 in okto.go", "ended by SIGTERM"; empty without a companion or an end line.
    QString ended() const;
    // The companion set aside (when it differs from the log): the classic log and the
    // payoff file stand alone. True when there was one to set aside.
    bool setCompanionAside();

    // The payoff shown to the subject at the end of the attempt: from the companion record
    // where there is one, else from the payoff file read with LogPayoffs.
    struct Shown
    {
        int payoff = 0;
        QString text;
    };
    std::optional<Shown> shownPayoff(const AttemptSummary &attempt) const;
    // The payoff of payoff node 0..63 as the run's payoff table held it: the companion's,
    // else the payoff file's read with LogPayoffs; nothing when neither is at hand.
    std::optional<int> payoffAt(int node) const;
    // The companion's record for the log's record k, when the companion agrees with the log.
    const CompanionRecord *companionRecord(qsizetype k) const;

    // A log kept aside when a later run of the same name began: "<log>.<n>" beside <log>.
    bool keptAside() const;
    // A log that holds its header alone: the program was closed before Start.
    bool headerOnly() const { return parsed.records.isEmpty(); }

private:
    // The payoff of payoff node 0..63, if the payoffs are read.
    std::optional<int> payoff(int node) const;
};
