#pragma once

#include "record/CompanionReader.h"
#include "session/Finding.h"
#include "record/LogReader.h"
#include "window/logic/PayoffFile.h"

#include <QStringList>
#include <QList>
#include <QString>

#include <optional>

class FollowedLogs;

// One event log read for the analysis commands (export, pay, draw): its records, its
// attempts and, when asked for, the payoffs of its parameter set. The payoff file is the
// one given on the command line, or else the one the log's name names in the log's own
// folder (o<set><subject><payoff file>), found as treelab status finds it.
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

    // The run's facts, set by judge(): the number of attempts the run had and where that
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

    // Reads the log, and its companion record "<log>.jsonl" when there is one. False, with
    // *error set, when the log cannot be read or line 1 is not a log header. Lines that the
    // rules of the run do not place are kept in parsed.problems, differences from the
    // companion in companionProblems. With followed, a log read before is read on from
    // where that reading stopped (the room window's readings, tick after tick).
    static bool load(const QString &path, LabLog *log, QString *error, FollowedLogs *followed = nullptr);

    // The number of attempts a run has when neither its companion record nor the command
    // line says: the one the experiment program was built with.
    static int builtAttempts();

    // Checks the run as a whole, after load: the number of attempts it had (the companion's,
    // else attemptsGiven when above 0, else builtAttempts()), no more finished than that, and
    // every payoff the companion says was shown against the companion's own payoff table and
    // against the payoff file (dataFile, or the one beside the log) where that holds the
    // log's set. A payoff file that cannot be read is no problem here: pay and export say so.
    void judge(const QString &dataFile, int attemptsGiven);

    // The attempts played to their payoff node and ended by Continue, in order.
    QList<const AttemptSummary *> finishedAttempts() const;
    // Every attempt of the run finished.
    bool complete() const { return finishedAttempts().size() >= attemptCount; }
    // How the run ended, for people: "all 4 attempts finished" or "unfinished, 2 of 4
    // attempts finished", and where there is a companion record "; closed by its window",
    // "; closed by 99 in okto.go", "; ended by SIGTERM" or "; cut off with no end line".
    QString endingText() const;
    // The companion set aside (when it differs from the log): the classic log and the
    // payoff file stand alone. True when there was one to set aside.
    bool setCompanionAside();

    // Reads the payoffs of the log's set from dataFile, or when it is empty from the file
    // beside the log. False, with *error set, when no payoff file can be read.
    bool loadPayoffs(const QString &dataFile, QString *error);
    // What shownPayoff needs: nothing when the companion record holds the payoffs shown,
    // else loadPayoffs(dataFile, error).
    bool loadShownPayoffs(const QString &dataFile, QString *error)
    {
        return companion || loadPayoffs(dataFile, error);
    }

    // The payoff shown to the subject at the end of the attempt: from the companion record
    // where there is one, else from the payoff file read with loadPayoffs.
    struct Shown
    {
        int payoff = 0;
        QString text;
    };
    std::optional<Shown> shownPayoff(const AttemptSummary &attempt) const;
    // The payoff of payoff node 0..63 as the run's payoff table held it: the companion's,
    // else the payoff file's read with loadPayoffs; nothing when neither is at hand.
    std::optional<int> payoffAt(int node) const;
    // The companion's record for the log's record k, when the companion agrees with the log.
    const CompanionRecord *companionRecord(qsizetype k) const;

    // Whether the log may be used, and what to tell of it: its warnings, its lines that
    // cannot be read by the rules of the run and its differences from its companion and
    // its payoff file. Admitted when it has none, or when force is given; then each is
    // told as forced (and a companion that differs is set aside: the classic log is used).
    struct Admission
    {
        bool admitted = true;
        Findings findings;
    };
    Admission admit(bool force);

    // The event logs of a workstation's data folder, by name: every file whose first line
    // is a log header, but not a companion record, a file of unwritten records, nor a log
    // kept aside as "<log>.<n>" when a later run of the same name began.
    static QStringList logsIn(const QString &folder);

    // The LOG arguments of a command that reads logs: a folder stands for its logs
    // (logsIn); the companion records among them ("<log>.jsonl" beside <log>, as a glob
    // such as ws*/data/o1* catches them) are passed over in one note, each read with its
    // log (a companion named without its log stands for that log). Logs taken from folders
    // that were last written on more than one day are warned of.
    struct Arguments
    {
        QStringList logs;
        Findings findings;
    };
    static Arguments resolveArguments(const QStringList &arguments);

    // A log kept aside when a later run of the same name began: "<log>.<n>" beside <log>.
    bool keptAside() const;
    // A log that holds its header alone: the program was closed before Start.
    bool headerOnly() const { return parsed.records.isEmpty(); }

private:
    // The payoff of payoff node 0..63, if the payoffs are read.
    std::optional<int> payoff(int node) const;
};
