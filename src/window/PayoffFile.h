#pragma once

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

    // "-£3", "£0", "£12".
    static QString displayText(int payoff);
};
