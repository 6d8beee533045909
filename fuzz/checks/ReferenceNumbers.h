#pragma once

#include <QByteArray>
#include <QList>

// A second, deliberately plain reading of a payoff file's numbers: the whole text is
// split at the separators (comma, blank, tab, CR, LF, FF, VT) and every token is judged
// on its own. The fuzzers and the finding tests hold the program's reader against it.
class ReferenceNumbers
{
public:
    enum class Kind { Number, NotWhole, OutOfRange };

    struct Token
    {
        QByteArray text;
        qint64 line = 1;    // from 1
        qint64 column = 1;  // from 1, in bytes
        Kind kind = Kind::NotWhole;
        int value = 0;      // when kind is Number
    };

    static bool isSeparator(char c);
    static QList<Token> read(const QByteArray &text);
    // An optional sign and at least one digit, nothing else; magnitude up to 32767.
    static Kind judge(const QByteArray &token, int *value);
};
