#pragma once

#include "session/Finding.h"

#include <QString>

// One log's verdict for the room's Verify all, by the rules pay and export apply before
// they use a log: the log read with its companion record (LabLog::load), the run judged
// as a whole (judge) and admitted or not without force (admit), with what was found and
// how the run ended.
struct LogVerdict
{
    QString path;
    bool read = false;     // the log could be read as an event log
    bool admitted = false; // it passes verification
    qint16 subject = 0;
    qint16 set = 0;
    QString ending;        // LabLog::endingText, or why it could not be read
    Findings findings;

    // attempts: for logs without a companion record, 0 for the built number.
    static LogVerdict of(const QString &path, int attempts);

    // "ok", "fails" or "cannot be read".
    QString verdictText() const;
    // The findings, one per line.
    QString findingsText() const;
};
