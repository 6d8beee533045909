#pragma once

#include <QList>
#include <QString>

// Something the lab's readers found that a person should be told: how grave, in which
// file and line, and what. The readers return findings; the command line prints them, the
// room window shows them.
struct Finding
{
    enum class Severity {
        Plain,   // advice, told as it is
        Note,    // nothing wrong, but worth knowing
        Warning, // read all the same, but look at it
        Forced,  // wrong, and read all the same because --force was given
        Error,   // wrong: the file is not used
    };
    Severity severity = Severity::Note;
    QString file;    // as given, native separators; empty when no file is meant
    qint64 line = 0; // from 1; 0 when no line is meant
    QString message;

    // "error: ws1/data/o199btinp.01:12: <message>", "note: <message>", "<message>".
    QString text() const;

    bool operator==(const Finding &) const = default;
};

using Findings = QList<Finding>;
