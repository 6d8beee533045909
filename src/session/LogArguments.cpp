#include "session/LogArguments.h"

#include "record/CompanionReader.h"
#include "record/LogReader.h"
#include "session/LogNames.h"
#include "window/logic/GoAheadFile.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMap>

#include <algorithm>

namespace {

// The companion records and the files of kept records ("<log>.unwritten",
// "<log>.jsonl.unwritten" beside their files) among the arguments, and the logs each
// belongs to.
struct PassedOver
{
    QStringList companions;
    QStringList kept;
    QStringList logs;

    // True, and path taken, when path is one of them.
    bool take(const QString &path)
    {
        // Records kept when the log could not be written are read with their file, and so
        // with the log, when they lie beside it.
        QString log = path.endsWith(QLatin1String(".unwritten")) ? path.chopped(10) : path;
        if (log != path && !QFileInfo(log).isFile())
            log = path; // not beside its file: taken as given, and told of as it reads
        const QString ofCompanion = CompanionReader::logOf(log);
        if (log == path && ofCompanion.isEmpty())
            return false;
        (path.endsWith(QLatin1String(".unwritten")) ? kept : companions).append(QDir::toNativeSeparators(path));
        logs.append(ofCompanion.isEmpty() ? log : ofCompanion);
        return true;
    }
};

using ByDay = QMap<QDate, QStringList>; // logs from folders, by the day each was last written

// A folder's logs into *logs and *fromFolders; a note when it holds none.
void takeFolder(const QString &folder, QStringList *logs, ByDay *fromFolders, Findings *findings)
{
    const QStringList found = LogArguments::logsIn(folder);
    if (found.isEmpty())
        findings->append({Finding::Severity::Note, QDir::toNativeSeparators(folder), 0,
                          QStringLiteral("holds no event log")});
    for (const QString &log : found)
        (*fromFolders)[QFileInfo(log).lastModified().date()].append(QDir::toNativeSeparators(log));
    *logs += found;
}

QString counted(qsizetype count, const QString &one, const QString &many)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

// A companion is read with its log; one named without its log stands for that log, added
// to *logs. The note of what was passed over.
Finding takeLogsOf(const PassedOver &passed, QStringList *logs)
{
    QStringList added;
    for (const QString &log : passed.logs) {
        const QString absolute = QFileInfo(log).absoluteFilePath();
        const bool named = std::any_of(logs->cbegin(), logs->cend(), [&](const QString &given) {
            return QFileInfo(given).absoluteFilePath() == absolute;
        });
        if (!named) {
            logs->append(log);
            added.append(QDir::toNativeSeparators(log));
        }
    }
    QStringList what;
    if (!passed.companions.isEmpty())
        what.append(counted(passed.companions.size(), QStringLiteral("companion record"),
                            QStringLiteral("companion records")));
    if (!passed.kept.isEmpty())
        what.append(counted(passed.kept.size(), QStringLiteral("file of kept records"),
                            QStringLiteral("files of kept records")));
    return {Finding::Severity::Note, QString(), 0,
            QStringLiteral("%1 passed over, each read with its log%2")
                .arg(what.join(QStringLiteral(" and ")))
                .arg(added.isEmpty() ? QString()
                                     : QStringLiteral("; taken for the logs not named: ")
                             + added.join(QStringLiteral(", ")))};
}

// Logs of an earlier session left in a data folder would be taken with today's.
Finding daysWarning(const ByDay &fromFolders)
{
    QStringList days;
    for (auto it = fromFolders.cbegin(); it != fromFolders.cend(); ++it)
        days.append(it.value().size() <= 3
                        ? QStringLiteral("%1: %2").arg(it.key().toString(Qt::ISODate),
                                                       it.value().join(QStringLiteral(", ")))
                        : QStringLiteral("%1: %2 logs").arg(it.key().toString(Qt::ISODate)).arg(it.value().size()));
    return {Finding::Severity::Warning, QString(), 0,
            QStringLiteral("the folders hold logs last written on %1 days (%2); name the logs of "
                           "one session, or move the older ones away")
                .arg(fromFolders.size()).arg(days.join(QStringLiteral("; ")))};
}

} // namespace

LogArguments LogArguments::resolve(const QStringList &arguments)
{
    LogArguments result;
    PassedOver passed;
    ByDay fromFolders;
    for (const QString &path : arguments) {
        if (QFileInfo(path).isDir())
            takeFolder(path, &result.logs, &fromFolders, &result.findings);
        else if (!passed.take(path))
            result.logs.append(path);
    }
    if (!passed.logs.isEmpty())
        result.findings.append(takeLogsOf(passed, &result.logs));
    if (fromFolders.size() > 1)
        result.findings.append(daysWarning(fromFolders));
    return result;
}

QStringList LogArguments::logsIn(const QString &folder)
{
    QStringList logs;
    const QDir dir(folder);
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files, QDir::Name)) {
        const QString name = info.fileName();
        if (name.endsWith(QLatin1String(".jsonl")) || name.endsWith(QLatin1String(".unwritten"))
            || name.compare(GoAheadFile::FileName, Qt::CaseInsensitive) == 0)
            continue;
        if (!LogNames::keptAsideIn(folder, name).isEmpty())
            continue;
        if (LogReader::readHeader(info.filePath()))
            logs.append(QDir::toNativeSeparators(dir.filePath(name))); // as a Windows user types it
    }
    return logs;
}
