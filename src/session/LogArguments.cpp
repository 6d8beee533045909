#include "session/LogArguments.h"

#include "record/CompanionReader.h"
#include "record/LogReader.h"
#include "session/LogNames.h"
#include "session/SetAside.h"
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
    QStringList decisions; // "<log>.aside", read with its log
    QStringList logs;

    // True, and path taken, when path is one of them.
    bool take(const QString &path)
    {
        // Records kept when the log could not be written are read with their file, and so
        // with the log, when they lie beside it.
        const QString asideOf = SetAside::logOf(path);
        if (!asideOf.isEmpty() && QFileInfo(asideOf).isFile()) {
            decisions.append(QDir::toNativeSeparators(path));
            logs.append(asideOf);
            return true;
        }
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
    if (!passed.decisions.isEmpty())
        what.append(counted(passed.decisions.size(), QStringLiteral("record of a log set aside"),
                            QStringLiteral("records of logs set aside")));
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
    // Logs set aside are left out, each named with why.
    QStringList kept;
    for (const QString &log : std::as_const(result.logs)) {
        if (const std::optional<SetAside::Decision> aside = SetAside::of(log)) {
            result.findings.append({Finding::Severity::Note, QDir::toNativeSeparators(log), 0,
                                    QStringLiteral("left out: %1").arg(SetAside::text(*aside))});
            result.setAside.append(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(log), SetAside::text(*aside)));
            continue;
        }
        kept.append(log);
    }
    result.logs = kept;
    for (const QString &log : std::as_const(result.logs)) {
        const QFileInfo info(log);
        result.written.append(info.exists() ? info.lastModified() : QDateTime());
        if (result.written.last().isValid() && (!result.latest.isValid() || result.written.last() > result.latest))
            result.latest = result.written.last();
    }
    return result;
}

bool LogArguments::isOtherDay(qsizetype k) const
{
    constexpr qint64 SessionSpan = 12 * 3600;
    const QDate day = written.value(k).date();
    if (!day.isValid() || day == sessionDay())
        return false;
    const QDateTime at = written.value(k);
    return !(at.isValid() && latest.isValid() && at.secsTo(latest) < SessionSpan);
}

QStringList LogArguments::otherDays() const
{
    QStringList other;
    for (qsizetype k = 0; k < logs.size(); ++k)
        if (isOtherDay(k))
            other.append(logs[k]);
    return other;
}

QStringList LogArguments::ofSession(bool include, const QString &how, Findings *findings) const
{
    QStringList chosen;
    QMap<QDate, QStringList> byDay;
    for (qsizetype k = 0; k < logs.size(); ++k) {
        const bool other = isOtherDay(k);
        if (other)
            byDay[written.value(k).date()].append(QDir::toNativeSeparators(logs[k]));
        if (include || !other)
            chosen.append(logs[k]);
    }
    for (auto it = byDay.cbegin(); it != byDay.cend(); ++it)
        findings->append({Finding::Severity::Warning, QString(), 0,
                          QStringLiteral("%1 last written on %2, not on the session's day %3, %4: %5%6")
                              .arg(counted(it.value().size(), QStringLiteral("log"), QStringLiteral("logs")),
                                   dayText(it.key()), dayText(sessionDay()),
                                   include ? (it.value().size() == 1 ? QStringLiteral("is taken in")
                                                                     : QStringLiteral("are taken in"))
                                           : (it.value().size() == 1 ? QStringLiteral("is left out")
                                                                     : QStringLiteral("are left out")),
                                   it.value().join(QStringLiteral(", ")),
                                   include ? QString() : QStringLiteral("; ") + how)});
    return chosen;
}

QStringList LogArguments::choicesText(bool include) const
{
    QStringList said;
    QStringList others = otherDays();
    for (QString &log : others)
        log = QDir::toNativeSeparators(log);
    if (!others.isEmpty())
        said.append(QStringLiteral("%1 of other days than the session's %2: %3")
                        .arg(include ? QStringLiteral("took in the logs") : QStringLiteral("left out the logs"),
                             dayText(sessionDay()), others.join(QStringLiteral(", "))));
    if (!setAside.isEmpty())
        said.append(QStringLiteral("left out the logs set aside: %1").arg(setAside.join(QStringLiteral(", "))));
    return said;
}

QString LogArguments::dayText(const QDate &day)
{
    return day.toString(Qt::ISODate);
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
