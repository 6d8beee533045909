#include "room/logic/RoomReader.h"

#include "room/logic/WorkstationNames.h"

#include <QFileInfo>

namespace {

QDateTime toDateTime(const ClockReading &reading)
{
    return reading.date.startOfDay().addMSecs(reading.msecs);
}

} // namespace

RoomReader::RoomReader(const Clock &clock, int attempts) : m_clock(clock), m_workstations(clock, attempts)
{
    m_workstations.follow(&m_followed);
}

void RoomReader::setFolders(const QStringList &folders)
{
    m_folders = folders;
    m_names = WorkstationNames::of(folders);
    m_followed.clear();
    m_read.clear();
    for (const QString &path : folders)
        m_read.append(Folder{path, {}, false, {}, {}, {}});
}

void RoomReader::read(Folder &folder, const QDateTime &now)
{
    folder.states = m_workstations.folderStates(folder.path);
    folder.logTimes.clear();
    for (const WorkstationState &state : std::as_const(folder.states))
        folder.logTimes.append(state.logPath.isEmpty() ? QDateTime() : QFileInfo(state.logPath).lastModified());
    folder.read = true;
    folder.readOn = now.date();
    ++m_folderReads;
}

RoomReader::Changes RoomReader::tick()
{
    const QDateTime now = toDateTime(m_clock.now());
    QList<WorkstationState> states;
    QList<bool> readable;
    QList<qsizetype> folderOf; // each state's place in m_read
    for (qsizetype f = 0; f < m_read.size(); ++f) {
        Folder &folder = m_read[f];
        FolderStamp stamp = FolderStamp::of(folder.path);
        if (!folder.read || !(stamp == folder.stamp) || folder.readOn != now.date()) {
            folder.stamp = std::move(stamp);
            read(folder, now);
        } else {
            // Unchanged: only the time since each log was written moves on.
            for (qsizetype k = 0; k < folder.states.size(); ++k)
                if (folder.logTimes[k].isValid())
                    folder.states[k].ageSeconds = folder.logTimes[k].secsTo(now);
        }
        states += folder.states;
        for (qsizetype k = 0; k < folder.states.size(); ++k) {
            readable.append(folder.stamp.readable());
            folderOf.append(f);
        }
    }
    WorkstationReader::markRoom(states);

    QList<Row> rows;
    rows.reserve(states.size());
    for (qsizetype k = 0; k < states.size(); ++k) {
        QList<RoomMark> marks = RoomMark::of(states[k], readable[k], m_silentAfter);
        const RoomState where = RoomState::of(states[k], marks, !states[k].setAside.isEmpty());
        rows.append(Row{m_read[folderOf[k]].path, m_names.value(folderOf[k]), states[k], readable[k], std::move(marks),
                        where});
    }

    Changes changes;
    if (rows.size() != m_rows.size()) {
        changes.rowsReplaced = true;
    } else {
        for (qsizetype k = 0; k < rows.size(); ++k) {
            if (rows[k].state.folder != m_rows[k].state.folder)
                changes.rowsReplaced = true;
            else if (!(rows[k] == m_rows[k]))
                changes.changed.append(int(k));
        }
    }
    if (changes.rowsReplaced)
        changes.changed.clear();
    m_rows = std::move(rows);
    return changes;
}
