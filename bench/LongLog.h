#pragma once

#include <QString>

// The longest log a subject can leave: one event log as large as the tools read
// (LogReader::MostBytes), made from the whole four-attempt log of the tests by long
// looking before each decision at d1 that follows a click on d1 (two of its attempts):
// rounds of forty payoff nodes, the d3 node above the last, d1 again, with the notepad
// record the program writes on leaving a node. Every line stays one the rules place.
class LongLog
{
public:
    // o1<subject>btinp.01 in folder, beside a copy of payoffFile as btinp.01, at most
    // LogReader::MostBytes long. *records: the records it holds. False, with *error set,
    // when it cannot be written.
    static bool make(const QString &folder, const QString &templateLog, const QString &payoffFile, int subject,
                     qint64 *records, QString *error);
};
