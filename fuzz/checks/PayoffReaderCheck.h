#pragma once

#include <QByteArray>
#include <QString>

// Reads bytes through the program's PayoffReader and compares every item (kind, value,
// line, column, text) and the end with ReferenceNumbers. chunk 0 reads from a QBuffer
// in one go; a chunk of n hands the reader at most n bytes per read.
class PayoffReaderCheck
{
public:
    // Empty when the reader agrees; otherwise what differs, for a person.
    static QString run(const QByteArray &data, qint64 chunk);
    // What the fuzzer tries on each input: in one go, and trickled 1 to 13 bytes a read.
    static QString runAll(const QByteArray &data);
};
