#pragma once

#include <QList>
#include <QString>

#include <array>

// The window-level variables through which all handlers share the state of the run.
// Integers are 16-bit as the lab's files and records expect.
struct RunState
{
    RunState();

    qint16 SubjectNo = 0;
    qint16 ParamSetNo = 0;
    QString DataFileName;
    qint16 AttemptCount = 0;
    qint16 AttemptsLeft = 0;               // the current attempt included
    std::array<QString, 65> PayoffText;    // entry j for p(j); entry 64 never used
    qint16 GoValue = 0;
    float LogStartTime = 0.0f;
    qint16 ReachedLevel = 1;
    std::array<qint16, 8> PathNode{};      // by LevelCode; entry 0 not used
    qint16 ClickLevel = -1;
    qint16 ClickIndex = -1;
    qint16 NoteLevel = -1;
    qint16 NoteIndex = -1;
    std::array<QList<QString>, 7> NoteTexts; // by LevelCode 1..6, 2^(k-1) texts each
    QList<QString> AttemptPayoffText;      // entries 1..AttemptCount; entry 0 never used

    // AttemptCount - AttemptsLeft + 1, never stored.
    int AttemptNumber() const { return AttemptCount - AttemptsLeft + 1; }

    // The stored notepad text of a decision or chance node; 1 <= level <= 6.
    QString &noteText(int level, int index);

    // After the last attempt's Continue.
    bool experimentOver() const { return AttemptCount > 0 && AttemptsLeft == 0; }
};
