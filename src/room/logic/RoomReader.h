#pragma once

#include "record/Clock.h"
#include "room/logic/FolderStamp.h"
#include "room/logic/RoomMark.h"
#include "room/logic/RoomState.h"
#include "session/FollowedLogs.h"
#include "session/WorkstationReader.h"
#include "session/WorkstationState.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// The room's reading of its workstations' data folders, tick by tick, with no widget: one
// row per WorkstationState (WorkstationReader::folderStates, the room marked as treelab status
// marks it) with its RoomMarks. A folder is read again only when its stamp (FolderStamp:
// each file's size, time and identity) changed; an unchanged folder costs one listing and
// a stat per file, and only its row's age moves on. Each tick says which rows changed, so
// a view updates those alone. A log that grew is read on from where it was last read.
class RoomReader
{
public:
    struct Row
    {
        QString path;         // the folder as given: where the room writes okto.go
        QString name;         // the workstation's short name (WorkstationNames)
        WorkstationState state;
        bool readable = true; // the folder could be listed
        QList<RoomMark> marks;
        RoomState where;      // the state in words

        // Compared by what was read, never by the texts shown.
        bool operator==(const Row &) const = default;
    };

    struct Changes
    {
        bool rowsReplaced = false; // rows came, went or moved: every row is new
        QList<int> changed;        // otherwise the rows whose state or marks changed
    };

    // attempts: as for WorkstationReader (0: each companion's, else the built number).
    RoomReader(const Clock &clock, int attempts);

    void setFolders(const QStringList &folders);
    const QStringList &folders() const { return m_folders; }
    // The folders' short names (WorkstationNames), in their order.
    const QStringList &names() const { return m_names; }

    // The seconds without a record, with an attempt in play, after which a row is marked
    // silent. Takes effect at the next tick.
    void setSilentAfter(int seconds) { m_silentAfter = seconds; }
    int silentAfter() const { return m_silentAfter; }

    // Looks at every folder, reads again those that changed, and remakes the rows.
    Changes tick();

    const QList<Row> &rows() const { return m_rows; }
    // The folders read again (their logs loaded) since the reader was made.
    qint64 folderReads() const { return m_folderReads; }
    // The log lines read since the reader was made: a grown log costs its new lines.
    qint64 logLinesRead() const { return m_followed.linesRead(); }

private:
    struct Folder
    {
        QString path;
        FolderStamp stamp;
        bool read = false;
        QDate readOn;                 // the day it was read: "today" moves at midnight
        QList<WorkstationState> states; // unmarked
        QList<QDateTime> logTimes;      // each state's log's modification time
    };

    void read(Folder &folder, const QDateTime &now);

    const Clock &m_clock;
    FollowedLogs m_followed; // before m_workstations, which reads through it
    WorkstationReader m_workstations;
    int m_silentAfter = 120;
    QStringList m_folders;
    QStringList m_names;
    QList<Folder> m_read;
    QList<Row> m_rows;
    qint64 m_folderReads = 0;
};
