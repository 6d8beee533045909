#pragma once

#include "window/logic/PayoffReader.h"

#include <QList>
#include <QString>

#include <array>

// The input data file: records of 65 whole numbers, a parameter set number followed by
// the payoffs of p(0) to p(63). The first record of the wanted set is used and nothing
// after it is read.
class PayoffFile
{
public:
    static constexpr int PayoffCount = 64;
    static constexpr int RecordSize = PayoffCount + 1;

    struct SetResult
    {
        bool ok = false;
        QString error;                          // for the experimenter, when !ok
        std::array<qint16, PayoffCount> payoffs{}; // all 0 for set 0
        QList<qint16> setsBefore;               // set numbers of the records read first
    };

    // Reads the record of paramSetNo from the file at path. Set 0 opens the file and
    // reads nothing, so every payoff is 0.
    static SetResult readSet(const QString &path, qint16 paramSetNo);

    // A number of the file that readSet would stop at: not a whole number, or outside
    // -32767 to 32767. record and position say where in the run of 65 it stands.
    struct BadNumber
    {
        PayoffReader::Status status = PayoffReader::Status::NotWhole;
        QByteArray text;
        qint64 line = 0, column = 0;
        int record = 0;   // from 1
        int position = 0; // 1 (the set number) to 65
    };

    struct ScannedRecord
    {
        qint16 set = 0;          // 0 when the set number itself is bad
        bool setKnown = true;    // false when it is
        qint64 line = 0, column = 0;       // its first number
        qint64 endLine = 0, endColumn = 0; // its last number
        std::array<qint16, PayoffCount> payoffs{}; // 0 where a number is bad
        int badNumbers = 0;      // how many of its 65 are bad
        int firstOfSet = -1;     // index of an earlier record of the same set, -1 if none
    };

    struct IncompleteRecord
    {
        qint16 set = 0;
        qint64 line = 0, column = 0;
        int numbers = 0;         // how many of the 65 are there, 1 to 64
    };

    // Every record of the file, read with the same PayoffReader as readSet, in order. A
    // bad number takes its place in its record, so the records after it keep their
    // places, as they would for a reader that went on past it.
    struct Scan
    {
        bool ok = false;         // the file could be opened
        QString error;           // when !ok, as readSet would say it
        QList<ScannedRecord> records;
        QList<BadNumber> badNumbers;
        bool incomplete = false; // the file ends inside a record
        IncompleteRecord last;   // that record, when incomplete
    };

    static Scan scan(const QString &path);

    // "-£3", "£0", "£12", or as the installed translation writes a loss, zero and a gain.
    static QString displayText(int payoff);
};
