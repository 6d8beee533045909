#pragma once

#include "session/Finding.h"

class LabLog;

// Whether a log may be used, and what to tell of it: its warnings, its lines that cannot
// be read by the rules of the run and its differences from its companion and its payoff
// file (after RunJudge). Admitted when it has none, or when force is given; then each is
// told as forced (and a companion that differs is set aside: the classic log is used).
struct LogAdmission
{
    bool admitted = true;
    Findings findings;

    static LogAdmission admit(LabLog *log, bool force);
};
