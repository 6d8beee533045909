#include "room/logic/RoomHeat.h"

#include "session/LabLog.h"
#include "session/LabLogReader.h"
#include "session/LogPayoffs.h"
#include "session/LogWalk.h"

bool RoomHeat::follow(const QStringList &logs, NodeHeat::Measure measure)
{
    if (m_read && logs == m_logs && measure == m_measure)
        return update();
    m_logs = logs;
    m_measure = measure;
    m_reads = 0;
    m_stamps = stamps();
    read();
    return true;
}

bool RoomHeat::update()
{
    QList<std::optional<FolderStamp::File>> now = stamps();
    if (m_read && now == m_stamps)
        return false;
    m_stamps = std::move(now);
    read();
    return true;
}

QList<std::optional<FolderStamp::File>> RoomHeat::stamps() const
{
    QList<std::optional<FolderStamp::File>> all;
    for (const QString &log : m_logs)
        all << FolderStamp::ofFile(log) << FolderStamp::ofFile(log + QStringLiteral(".jsonl"));
    return all;
}

void RoomHeat::read()
{
    m_read = true;
    m_picture.reset();
    if (m_logs.isEmpty()) {
        m_why = QStringLiteral("The room has no log yet.");
        return;
    }
    ++m_reads;
    // One log at a time; one that cannot be read (being replaced, say) is named, the rest drawn.
    NodeHeat heat(m_measure);
    QStringList unread;
    for (const QString &path : std::as_const(m_logs)) {
        LabLog log;
        if (const std::optional<Finding> finding = LabLogReader::load(path, &log)) {
            unread << finding->text();
            continue;
        }
        LogPayoffs::loadShown(&log, QString());
        heat.add(log, LogWalk(log));
    }
    if (heat.logs() == 0) {
        m_why = unread.join(QLatin1Char('\n'));
        return;
    }
    QString title = QStringLiteral("the room, ") + HeatPicture::summary(heat);
    if (!unread.isEmpty())
        title += QStringLiteral(" (%1 log(s) could not be read)").arg(unread.size());
    m_picture = std::make_unique<HeatPicture>(title, heat);
    m_why.clear();
}
