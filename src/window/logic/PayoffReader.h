#pragma once

#include <QByteArray>
#include <QIODevice>

// Reads the whole numbers of a payoff file one by one, in order. Commas, blanks, tabs
// and line breaks all separate numbers; a run of them counts as one separator. Reads
// the device in blocks, never further than the number asked for needs.
class PayoffReader
{
public:
    enum class Status { Number, End, NotWhole, OutOfRange };

    struct Item
    {
        Status status = Status::End;
        qint16 value = 0;
        qint64 line = 0;    // from 1
        qint64 column = 0;  // from 1, in bytes
        QByteArray text;    // the token as it stands in the file
    };

    static constexpr int MaxMagnitude = 32767;

    explicit PayoffReader(QIODevice &device);

    Item next();

private:
    bool fill();
    static bool isSeparator(char c);

    QIODevice &m_device;
    QByteArray m_block;
    qsizetype m_pos = 0;
    qint64 m_line = 1;
    qint64 m_column = 1;
};
