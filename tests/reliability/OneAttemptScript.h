#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A one-attempt experiment for reliability-player, with the event log it must leave:
// subject 99, parameter set 1, btinp.01; the subject decides Right, Nature Left, Left,
// Right, Right, Left (payoff node 38), and leaves long notes on d1, d2 and c3 and a
// three-line note on c1, so the log grows past 4 KiB. Each record is written by hand
// from the log's layout: time stamp, tag with its counted blanks, fields, CR LF. With
// reliability-player's stepping clock record r carries the time stamp r + 1.
class OneAttemptScript
{
public:
    struct Step
    {
        QString action;
        QList<QByteArray> records; // tag and fields, as written, without stamp and CR LF
    };

    static QList<Step> steps();
    static QStringList actions();

    // The header line, CR LF included, as the stepping clock makes it.
    static QByteArray header();
    // Every record line of the attempt, in order, each with its stamp and CR LF.
    static QList<QByteArray> recordLines();
    // The header and the first count record lines.
    static QByteArray logOf(int count);
    // How many records the first n steps write.
    static int recordsAfterStep(int n);
    // Number (from 1) of the first record that starts with tagAndFields; -1 if none.
    static int recordNumberOf(const QByteArray &tagAndFields);
    // Step (from 1) of the action; -1 if there is none.
    static int stepOf(const QString &action);

    // The whole log as the program must leave it.
    static QByteArray wholeLog() { return logOf(int(recordLines().size())); }

    static QString longNote(const QString &opening, int length);
};
