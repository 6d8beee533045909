#pragma once

#include <QHash>
#include <QString>

#include <memory>

class CompanionFollower;
class LogFollower;

// The logs and companion records that one reader (the room window's) reads again and
// again while they grow: one follower per file, so that each reading reads on from where
// the last stopped (LogFollower, CompanionFollower). LabLogReader::load takes it.
class FollowedLogs
{
public:
    FollowedLogs();
    ~FollowedLogs();
    FollowedLogs(const FollowedLogs &) = delete;
    FollowedLogs &operator=(const FollowedLogs &) = delete;

    LogFollower &log(const QString &path);
    CompanionFollower &companion(const QString &path);
    // Lets go of a log that is gone or cannot be read, and of its companion record.
    void forget(const QString &path);
    void clear();

    // The log lines read since the followers were made: a log read on costs its new lines.
    qint64 linesRead() const;

private:
    QHash<QString, std::shared_ptr<LogFollower>> m_logs;
    QHash<QString, std::shared_ptr<CompanionFollower>> m_companions;
    qint64 m_linesForgotten = 0;
};
