#pragma once

#include "window/logic/GoAheadFile.h"

#include <QString>

// The texts for people of the parts of a workstation's state, each written here once and
// used wherever it is shown: treelab status, the room window and its log room-log.txt.
class StateTexts
{
public:
    // A readable age: seconds up to two minutes, then minutes, hours, days; never below 0.
    static QString age(qint64 seconds);

    // An okto.go reading in a cell or a log line: the number, "none" when there is no
    // okto.go, or "?" when it holds no number.
    static QString goAhead(const GoAheadFile::Reading &reading);
    // The same as a sentence: "okto.go holds 2", "there is no okto.go", or "okto.go holds
    // no number (what it holds)".
    static QString holds(const GoAheadFile::Reading &reading);

    // A 1 or 99 left from an earlier session in a folder with no log of today's run, and
    // what the program will do with it. Each place that shows it adds what to run against
    // it: "; run "treelab prepare" first", "; Prepare writes 0".
    static QString leftover(qint16 value);
    // Whether a value found without a log of today's run is left over: one that lets the
    // subject start (1) or ends the program (99) at once.
    static bool isLeftover(qint16 value);
};
