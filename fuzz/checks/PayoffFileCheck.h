#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes into a payoff file at path and reads one parameter set from it through
// PayoffFile::readSet, then compares the outcome (found or not, the 64 payoffs, the
// sets passed over) with the record search done on ReferenceNumbers' tokens.
class PayoffFileCheck
{
public:
    // Empty when the program agrees; otherwise what differs, for a person.
    static QString run(const QByteArray &data, qint16 paramSetNo, const QString &path);
    // What the fuzzer tries on each input: set 1 (the shipped default), set 0 (nothing
    // is read), -32768 (in no file: every record is read) and the set number that opens
    // the input's last record (found deep in the file).
    static QString runAll(const QByteArray &data, const QString &path);
};
