#include "session/FollowedLogs.h"

#include "record/CompanionFollower.h"
#include "record/CompanionLog.h"
#include "record/LogFollower.h"

FollowedLogs::FollowedLogs() = default;
FollowedLogs::~FollowedLogs() = default;

LogFollower &FollowedLogs::log(const QString &path)
{
    std::shared_ptr<LogFollower> &follower = m_logs[path];
    if (!follower)
        follower = std::make_shared<LogFollower>();
    return *follower;
}

CompanionFollower &FollowedLogs::companion(const QString &path)
{
    std::shared_ptr<CompanionFollower> &follower = m_companions[path];
    if (!follower)
        follower = std::make_shared<CompanionFollower>();
    return *follower;
}

void FollowedLogs::forget(const QString &path)
{
    if (const auto found = m_logs.constFind(path); found != m_logs.cend())
        m_linesForgotten += (*found)->linesRead();
    m_logs.remove(path);
    m_companions.remove(CompanionLog::pathFor(path));
}

void FollowedLogs::clear()
{
    m_linesForgotten = linesRead();
    m_logs.clear();
    m_companions.clear();
}

qint64 FollowedLogs::linesRead() const
{
    qint64 lines = m_linesForgotten;
    for (const auto &follower : m_logs)
        lines += follower->linesRead();
    return lines;
}
