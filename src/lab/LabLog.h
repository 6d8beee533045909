#pragma once

#include "record/LogReader.h"
#include "window/PayoffFile.h"

#include <QList>
#include <QString>

#include <optional>

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

    qint16 subject() const { return parsed.header ? parsed.header->subjectNo : qint16(0); }
    qint16 set() const { return parsed.header ? parsed.header->paramSetNo : qint16(0); }

    // Reads the log. False, with *error set, when it cannot be read or line 1 is not a
    // log header. Lines that are not records are kept in parsed.problems.
    static bool load(const QString &path, LabLog *log, QString *error);

    // Reads the payoffs of the log's set from dataFile, or when it is empty from the file
    // beside the log. False, with *error set, when no payoff file can be read.
    bool loadPayoffs(const QString &dataFile, QString *error);

    // The payoff of payoff node 0..63, if the payoffs are read.
    std::optional<int> payoff(int node) const;

    // Tells the log's warnings, and its lines that cannot be read by the rules of the run,
    // on stderr after "command: ". True when the log may be used: it has no such line, or
    // force is given, and then each such line is named as forced.
    bool admit(const QString &command, bool force) const;

    // A log kept aside when a later run of the same name began: "<log>.<n>" beside <log>.
    bool keptAside() const;
    // A log that holds its header alone: the program was closed before Start.
    bool headerOnly() const { return parsed.records.isEmpty(); }

};
