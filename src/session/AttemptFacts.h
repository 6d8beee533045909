#pragma once

#include "record/LogReader.h"

#include <QList>
#include <QString>

#include <array>

// What one attempt of a log comes to, for the attempts table and the picture: the move
// made at each level, the payoff node reached, its duration, and how much the subject
// looked on the way.
struct AttemptFacts
{
    int number = 0;
    // By LevelCode 1..6: 'L', 'R', or 0 where no move was made. Odd levels are the
    // subject's decisions, even levels Nature's draws.
    std::array<char, 7> move{};
    int finalPayoffNode = -1;
    bool continued = false;
    // Seconds from the attempt's first record to its Continue record; -1 before it.
    qint64 seconds = -1;
    // Node-click records (d1 ... p) of the attempt: the nodes inspected, repeats counted.
    // Notepad edits are counted by NotepadEdits alone, which places each in its attempt.
    int inspected = 0;

    // The facts of every attempt of the log, in order.
    static QList<AttemptFacts> of(const QList<LogRecord> &records, const QList<AttemptSummary> &attempts);
};
