#pragma once

#include <QByteArray>

// The payoff file the window tests run on, and that the whole-experiment log was
// written over: btinp.01 with set 1 paying payoffFor(j) at p(j) and set 2 paying
// -payoffFor(j), sixteen numbers to a line.
namespace TestPayoffs {

inline int payoffFor(int j)
{
    return j % 7 == 0 ? 0 : (j % 3 == 0 ? -(j % 10) - 1 : j + 1);
}

inline QByteArray fileText()
{
    QByteArray text;
    for (int set = 1; set <= 2; ++set) {
        text += QByteArray::number(set) + "\r\n";
        for (int j = 0; j < 64; ++j) {
            text += QByteArray::number(set == 1 ? payoffFor(j) : -payoffFor(j));
            text += (j % 16 == 15) ? "\r\n" : ", ";
        }
    }
    return text;
}

} // namespace TestPayoffs
