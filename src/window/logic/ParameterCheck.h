#pragma once

#include <QString>

// The experimenter's four parameters, converted and checked before anything is opened:
// the subject number and the parameter set as 16-bit Integers, the seed
// ParamSetNo x 10 + SubjectNo x 100 in 16-bit arithmetic, and a number of attempts
// from 1 to 20 (the room the per-attempt payoffs have).
class ParameterCheck
{
public:
    static constexpr int MaxAttempts = 20;

    struct Result
    {
        bool ok = false;
        QString error;      // names the field, what was typed and the allowed range
        QString dataFileName;
        qint16 subjectNo = 0;
        qint16 paramSetNo = 0;
        qint16 attempts = 0;
        qint16 seed = 0;
    };

    static Result check(const QString &dataFileText, const QString &subjectText,
                        const QString &paramSetText, const QString &attemptsText);
};
