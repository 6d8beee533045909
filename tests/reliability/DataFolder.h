#pragma once

#include <QByteArray>
#include <QString>

// A data folder for one run of reliability-player: the shipped payoff file btinp.01
// and okto.go holding 0, as a lab leaves it before a session (the player's step "go"
// writes the experimenter's go-ahead, 1).
class DataFolder
{
public:
    // Fills folder (which must exist); false if a file cannot be written.
    static bool prepare(const QString &folder);
    static QByteArray read(const QString &path);
    static bool write(const QString &path, const QByteArray &bytes);
    static QString logName() { return QStringLiteral("o199btinp.01"); }
    // Whether jsonl is a whole record for analysis: every line one JSON object ended by
    // LF, the run line first, the exit line last, and `records` record lines between;
    // *why says what is wrong when not.
    static bool isWholeCompanion(const QByteArray &jsonl, int records, QString *why);
};
