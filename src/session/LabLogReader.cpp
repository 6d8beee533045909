#include "session/LabLogReader.h"

#include "record/CompanionFollower.h"
#include "record/CompanionLog.h"
#include "record/CompanionReader.h"
#include "record/InputFile.h"
#include "record/LogFollower.h"
#include "session/FollowedLogs.h"
#include "session/LabLog.h"

#include <QFileInfo>

namespace {

Finding unread(const QString &why)
{
    return {Finding::Severity::Plain, QString(), 0, why};
}

// The file, and after it the records that the program could not write into it and kept in
// "<file>.unwritten" (a full disk, a folder gone), when that has been put beside it: the
// whole record, as the program would have written it. *kept names the file read.
bool readWhole(const QString &path, qint64 most, const QString &what, QByteArray *bytes, QString *kept,
               QString *error)
{
    if (!InputFile::readAll(path, most, what, bytes, error))
        return false;
    const QString unwritten = path + QStringLiteral(".unwritten");
    if (!QFileInfo(unwritten).isFile())
        return true;
    QByteArray rest;
    if (!InputFile::readAll(unwritten, most, what, &rest, error))
        return false;
    bytes->append(rest);
    *kept = unwritten;
    return true;
}

// Records kept aside beside a file make it a record of two files: read whole, not followed.
bool followable(const QString &path, const FollowedLogs *followed)
{
    return followed && !QFileInfo(path + QStringLiteral(".unwritten")).isFile();
}

// The log's records into log->parsed and its kept file into log->keptFiles.
bool readLog(const QString &path, LabLog *log, FollowedLogs *followed, QString *error)
{
    if (followable(path, followed)) {
        LogFollower &follower = followed->log(path);
        if (!follower.read(path, error)) {
            followed->forget(path);
            return false;
        }
        log->parsed = follower.parsed();
        return true;
    }
    QByteArray bytes;
    QString kept;
    if (!readWhole(path, LogReader::MostBytes, QStringLiteral("an event log"), &bytes, &kept, error))
        return false;
    log->parsed = LogReader::parse(bytes);
    if (!kept.isEmpty())
        log->keptFiles.append(kept);
    return true;
}

// The companion record at companionPath into *companion, and its kept file into *kept.
bool readCompanion(const QString &companionPath, FollowedLogs *followed, Companion *companion, QString *kept,
                   QString *why)
{
    if (followable(companionPath, followed)) {
        CompanionFollower &follower = followed->companion(companionPath);
        if (!follower.read(companionPath, why))
            return false;
        *companion = follower.companion();
        return true;
    }
    QByteArray bytes;
    return readWhole(companionPath, CompanionReader::MostBytes, QStringLiteral("a companion record"), &bytes, kept,
                     why)
        && CompanionReader::parse(bytes, companion, why);
}

// The companion beside the log, when there is one, with its problems and its differences
// from the log in log->companionProblems.
void takeCompanion(LabLog *log, FollowedLogs *followed)
{
    const QString companionPath = CompanionLog::pathFor(log->path);
    if (!QFileInfo::exists(companionPath) && !QFileInfo(companionPath).isSymLink())
        return;
    Companion companion;
    QString kept;
    QString why;
    if (!readCompanion(companionPath, followed, &companion, &kept, &why)) {
        log->companionProblems.append({0, QStringLiteral("its companion record cannot be read: %1").arg(why)});
        return;
    }
    if (!kept.isEmpty())
        log->keptFiles.append(kept);
    log->companionProblems = companion.problems;
    for (LogProblem &problem : log->companionProblems)
        problem.message = QStringLiteral("companion line %1: %2").arg(problem.line).arg(problem.message);
    log->companionProblems += CompanionReader::compare(log->parsed, companion);
    log->companion = companion;
}

} // namespace

std::optional<Finding> LabLogReader::load(const QString &path, LabLog *log, FollowedLogs *followed)
{
    log->path = path;
    log->fileName = QFileInfo(path).fileName();
    QString error;
    if (!readLog(path, log, followed, &error))
        return unread(error);
    if (!log->parsed.header)
        return unread(QStringLiteral("%1: line 1 is not an event log header").arg(path));
    log->attempts = LogReader::attempts(log->parsed.records);
    takeCompanion(log, followed);
    return std::nullopt;
}
