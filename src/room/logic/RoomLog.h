#pragma once

#include "record/Clock.h"
#include "session/Finding.h"
#include "session/GoAheadAction.h"
#include "session/OutputCheck.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The room window's audit trail, room-log.txt in its working folder: one line per action
// taken in the window, appended and forced to the disk before the action is reported
// done, as the program's own log is. A line gives the local time, the action and, for
// each folder, what okto.go held before and after (StateTexts::goAhead):
//
//   2024-05-14 10:02:31  release  ws1/data: 0 -> 1; ws2/data: none -> not written (no such folder)
//
// so that a lab can show what was released when.
class RoomLog
{
public:
    static inline const QString FileName = OutputCheck::RoomLogName;

    RoomLog(const QString &folder, const Clock &clock);

    QString path() const;

    // One go-ahead action over folders (prepare, release, quit). An Error, its message
    // naming the file, when the line could not be written and synced.
    std::optional<Finding> goAhead(const QString &action, const QList<GoAheadAction> &actions);
    // Any other action, with what it did: "pay  seed 4711: payments.csv, payments.xlsx".
    std::optional<Finding> append(const QString &action, const QString &what);

private:
    std::optional<Finding> write(const QString &line);

    QString m_folder;
    const Clock &m_clock;
};
