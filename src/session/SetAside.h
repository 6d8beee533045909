#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// The experimenter's decision to set a log aside (a run abandoned when the program was
// started again with the right subject number, a mistaken log) or to bring it back. The
// log itself is never renamed, changed or deleted: the decision is kept beside it, in
// "<log>.aside", one line per decision, the last one standing:
//
//   2026-12-09T10:42:07  set aside  started again with the right subject number
//   2026-12-09T10:44:51  brought back
//
// A log set aside is left out of status, verify, pay and export, which name it and why.
class SetAside
{
public:
    // The file beside the log that holds the decisions: "<log>.aside".
    static QString fileOf(const QString &log);
    // Whether name is such a file (so that it is not taken for a log).
    static bool isDecisionFile(const QString &name);
    // The log a decision file belongs to; empty when file is no such file.
    static QString logOf(const QString &file);

    struct Decision
    {
        QDateTime when;
        QString reason; // as the experimenter typed it
    };

    // The decision standing for the log: set aside, with why; nothing when the log is
    // in use. A decision file that cannot be read counts as set aside, its reason saying
    // what is wrong with it, so that a log in doubt is never paid unseen.
    static std::optional<Decision> of(const QString &log);

    // Sets the log aside, or brings it back, adding the decision to its file (replaced
    // whole, synced). Nothing when done; else why not, for a person.
    static std::optional<QString> setAside(const QString &log, const QString &reason, const QDateTime &when);
    static std::optional<QString> bringBack(const QString &log, const QDateTime &when);

    // "set aside on 2026-12-09 10:42: <reason>", as status, verify, pay and the room say it.
    static QString text(const Decision &decision);

private:
    static std::optional<QString> add(const QString &log, const QString &line);
};
