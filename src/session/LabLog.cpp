#include "session/LabLog.h"

#include "session/LogNames.h"
#include "window/logic/GoAheadFile.h"
#include "record/CompanionFollower.h"
#include "record/CompanionReader.h"
#include "record/LogFollower.h"
#include "session/FollowedLogs.h"
#include "record/InputFile.h"
#include "record/CompanionLog.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMap>

#include <algorithm>

#ifndef DT_NUMBER_OF_ATTEMPTS
#define DT_NUMBER_OF_ATTEMPTS "4"
#endif

namespace {

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

} // namespace

bool LabLog::load(const QString &path, LabLog *log, QString *error, FollowedLogs *followed)
{
    log->path = path;
    log->fileName = QFileInfo(path).fileName();
    // Records kept aside beside the log make it a record of two files: read whole.
    if (followed && !QFileInfo(path + QStringLiteral(".unwritten")).isFile()) {
        LogFollower &follower = followed->log(path);
        if (!follower.read(path, error)) {
            followed->forget(path);
            return false;
        }
        log->parsed = follower.parsed();
    } else {
        QByteArray bytes;
        QString kept;
        if (!readWhole(path, LogReader::MostBytes, QStringLiteral("an event log"), &bytes, &kept, error))
            return false;
        log->parsed = LogReader::parse(bytes);
        if (!kept.isEmpty())
            log->keptFiles.append(kept);
    }
    if (!log->parsed.header) {
        *error = QStringLiteral("%1: line 1 is not an event log header").arg(path);
        return false;
    }
    log->attempts = LogReader::attempts(log->parsed.records);
    const QString companionPath = CompanionLog::pathFor(path);
    if (QFileInfo::exists(companionPath) || QFileInfo(companionPath).isSymLink()) {
        Companion companion;
        QString why;
        QByteArray companionBytes;
        QString companionKept;
        bool read = false;
        if (followed && !QFileInfo(companionPath + QStringLiteral(".unwritten")).isFile()) {
            CompanionFollower &follower = followed->companion(companionPath);
            read = follower.read(companionPath, &why);
            if (read)
                companion = follower.companion();
        } else {
            read = readWhole(companionPath, CompanionReader::MostBytes, QStringLiteral("a companion record"),
                             &companionBytes, &companionKept, &why)
                && CompanionReader::parse(companionBytes, &companion, &why);
        }
        if (!read) {
            log->companionProblems.append({0, QStringLiteral("its companion record cannot be read: %1").arg(why)});
        } else {
            if (!companionKept.isEmpty())
                log->keptFiles.append(companionKept);
            log->companionProblems = companion.problems;
            for (LogProblem &problem : log->companionProblems)
                problem.message = QStringLiteral("companion line %1: %2").arg(problem.line).arg(problem.message);
            log->companionProblems += CompanionReader::compare(log->parsed, companion);
            log->companion = companion;
        }
    }
    return true;
}

namespace {

// A room's logs share one payoff file: each set of it is read once while the file stays
// as it was (its size and time unchanged).
PayoffFile::SetResult readSetOnce(const QString &file, qint16 set)
{
    struct Entry
    {
        qint64 size = -1;
        QDateTime modified;
        PayoffFile::SetResult result;
    };
    static QHash<QString, Entry> read;
    const QFileInfo info(file);
    const QString key = info.absoluteFilePath() + QLatin1Char('\n') + QString::number(set);
    const auto found = read.constFind(key);
    if (found != read.cend() && info.exists() && found->size == info.size() && found->modified == info.lastModified())
        return found->result;
    Entry entry{info.size(), info.lastModified(), PayoffFile::readSet(file, set)};
    if (info.exists())
        read.insert(key, entry);
    return entry.result;
}

} // namespace

int LabLog::builtAttempts()
{
    return QStringLiteral(DT_NUMBER_OF_ATTEMPTS).toInt();
}

void LabLog::judge(const QString &dataFile, int attemptsGiven)
{
    runProblems.clear();
    payoffProblems.clear();
    if (companion && companion->attempts >= 1) {
        attemptCount = companion->attempts;
        countFrom = CountFrom::Companion;
    } else if (attemptsGiven >= 1) {
        attemptCount = attemptsGiven;
        countFrom = CountFrom::Given;
    } else {
        attemptCount = builtAttempts();
        countFrom = CountFrom::Built;
    }
    const QList<const AttemptSummary *> finished = finishedAttempts();
    if (finished.size() > attemptCount) {
        const AttemptSummary &extra = *finished[attemptCount];
        const QString from = countFrom == CountFrom::Companion ? QStringLiteral("as its companion record says")
                             : countFrom == CountFrom::Given   ? QStringLiteral("as --attempts says")
                                                               : QStringLiteral("as the program was built; give --attempts N if it was built otherwise");
        runProblems.append({parsed.records[extra.firstRecord].firstLine,
                            QStringLiteral("the log holds %1 finished attempts, but the run had %2 (%3)")
                                .arg(finished.size()).arg(attemptCount).arg(from)});
    }
    if (!companion)
        return;
    QString unread;
    const bool fileRead = loadPayoffs(dataFile, &unread);
    for (const CompanionPayoff &shown : companion->shown) {
        const auto where = QStringLiteral("attempt %1, p(%2)").arg(shown.attempt).arg(shown.index);
        const auto line = QStringLiteral("companion line %1: ").arg(shown.line);
        const AttemptSummary *attempt = nullptr;
        for (const AttemptSummary &a : attempts)
            if (a.number == shown.attempt)
                attempt = &a;
        // Named by the log's line that reached the payoff node, where there is one.
        qint64 logLine = shown.line;
        for (qsizetype i = attempt ? attempt->firstRecord : 0; attempt && i <= attempt->lastRecord; ++i)
            if (parsed.records[i].kind == LogRecord::Kind::FinalPayoffNode)
                logLine = parsed.records[i].firstLine;
        if (!attempt || attempt->finalPayoffNode != shown.index) {
            companionProblems.append({logLine, line + QStringLiteral("%1: the log reaches %2 in that attempt")
                                                             .arg(where, attempt && attempt->finalPayoffNode >= 0
                                                                             ? QStringLiteral("p(%1)").arg(attempt->finalPayoffNode)
                                                                             : QStringLiteral("no payoff node"))});
            continue;
        }
        if (shown.index < 0 || shown.index >= PayoffFile::PayoffCount)
            continue;
        const std::size_t node = std::size_t(shown.index);
        if (shown.payoff != companion->payoffs[node] || shown.text != companion->payoffTexts.value(shown.index))
            companionProblems.append({logLine, line + QStringLiteral("%1: the payoff shown is %2 (%3), but the "
                                                                        "companion's payoff table holds %4 (%5)")
                                                             .arg(where, shown.text).arg(shown.payoff)
                                                             .arg(companion->payoffTexts.value(shown.index))
                                                             .arg(companion->payoffs[node])});
        else if (fileRead && payoffs->payoffs[node] != shown.payoff)
            payoffProblems.append({logLine, line + QStringLiteral("%1: the payoff shown is %2 (%3), but the "
                                                                        "payoff file %4 holds %5 (%6)")
                                                             .arg(where, shown.text).arg(shown.payoff)
                                                             .arg(QDir::toNativeSeparators(payoffPath),
                                                                  PayoffFile::displayText(payoffs->payoffs[node]))
                                                             .arg(payoffs->payoffs[node])});
    }
}

QList<const AttemptSummary *> LabLog::finishedAttempts() const
{
    QList<const AttemptSummary *> finished;
    for (const AttemptSummary &attempt : attempts)
        if (attempt.finished())
            finished.append(&attempt);
    return finished;
}

QString LabLog::endingText() const
{
    const qsizetype finished = finishedAttempts().size();
    QString text = finished > attemptCount ? QStringLiteral("%1 attempts finished, more than the run's %2")
                                                 .arg(finished).arg(attemptCount)
        : finished < attemptCount         ? QStringLiteral("unfinished, %1 of %2 attempts finished")
                                                 .arg(finished).arg(attemptCount)
        : attemptCount == 1               ? QStringLiteral("its one attempt finished")
                                          : QStringLiteral("all %1 attempts finished").arg(attemptCount);
    if (!companion)
        return text;
    if (companion->exitHow == QLatin1String("windowClosed"))
        text += QStringLiteral("; closed by its window");
    else if (companion->exitHow == QLatin1String("goAhead99"))
        text += QStringLiteral("; closed by 99 in okto.go");
    else if (companion->exitHow == QLatin1String("signal"))
        text += QStringLiteral("; ended by %1").arg(companion->exitSignal.isEmpty() ? QStringLiteral("a signal")
                                                                                    : companion->exitSignal);
    else
        text += QStringLiteral("; cut off with no end line (killed, crashed, power lost, or still running)");
    return text;
}

bool LabLog::setCompanionAside()
{
    if (!companion)
        return false;
    companion.reset();
    return true;
}

std::optional<LabLog::Shown> LabLog::shownPayoff(const AttemptSummary &attempt) const
{
    if (attempt.finalPayoffNode < 0)
        return std::nullopt;
    if (companion) {
        for (const CompanionPayoff &shown : companion->shown)
            if (shown.attempt == attempt.number && shown.index == attempt.finalPayoffNode)
                return Shown{shown.payoff, shown.text};
        return std::nullopt;
    }
    if (const std::optional<int> value = payoff(attempt.finalPayoffNode))
        return Shown{*value, PayoffFile::displayText(*value)};
    return std::nullopt;
}

std::optional<int> LabLog::payoffAt(int node) const
{
    if (companion && node >= 0 && node < PayoffFile::PayoffCount)
        return companion->payoffs[std::size_t(node)];
    return payoff(node);
}

const CompanionRecord *LabLog::companionRecord(qsizetype k) const
{
    return companion && k < companion->records.size() ? &companion->records[k] : nullptr;
}

bool LabLog::loadPayoffs(const QString &dataFile, QString *error)
{
    QString file = dataFile;
    if (file.isEmpty()) {
        const QFileInfo info(path);
        const QString name = LogNames::dataFileOf(info.absolutePath(), fileName, set(), subject());
        if (name.isEmpty()) {
            *error = QStringLiteral("%1: the payoff file cannot be told from the log's name; give it "
                                    "with --data")
                         .arg(path);
            return false;
        }
        file = info.absoluteDir().filePath(name);
    }
    const PayoffFile::SetResult result = readSetOnce(file, set());
    if (!result.ok) {
        *error = QStringLiteral("%1: %2").arg(path, result.error);
        return false;
    }
    payoffs = result;
    payoffPath = file;
    return true;
}

std::optional<int> LabLog::payoff(int node) const
{
    if (!payoffs || node < 0 || node >= PayoffFile::PayoffCount)
        return std::nullopt;
    return payoffs->payoffs[std::size_t(node)];
}

LabLog::Admission LabLog::admit(bool force)
{
    Admission result;
    const QString shown = QDir::toNativeSeparators(path);
    if (!keptFiles.isEmpty())
        result.findings.append({Finding::Severity::Note, shown, 0, keptText()});
    for (const LogProblem &warning : parsed.warnings)
        result.findings.append({Finding::Severity::Warning, shown, warning.line, warning.message});
    if (parsed.problems.isEmpty() && companionProblems.isEmpty() && runProblems.isEmpty()
        && payoffProblems.isEmpty())
        return result;
    const Finding::Severity label = force ? Finding::Severity::Forced : Finding::Severity::Error;
    for (const LogProblem &problem : parsed.problems + runProblems + companionProblems + payoffProblems)
        result.findings.append({label, shown, problem.line, problem.message});
    if (force && !companionProblems.isEmpty()) {
        result.findings.append({Finding::Severity::Forced, shown, 0,
                                QStringLiteral("its companion record is set aside; the classic log is used")});
        setCompanionAside();
    }
    if (parsed.unlistedProblems > 0)
        result.findings.append({label, shown, 0, QStringLiteral("and %1 more lines like these").arg(parsed.unlistedProblems)});
    if (!force)
        result.findings.append({Finding::Severity::Plain, QString(), 0,
                                QStringLiteral("%1 cannot be read by the rules of the run (see \"treelab verify\"); "
                                               "give --force to read those lines as the records they look like")
                                    .arg(shown)});
    result.admitted = force;
    return result;
}

QString LabLog::keptText() const
{
    QStringList shown;
    for (const QString &file : keptFiles)
        shown.append(QDir::toNativeSeparators(file));
    return keptFiles.isEmpty() ? QString()
                               : QStringLiteral("read with the records kept in %1").arg(shown.join(QStringLiteral(" and ")));
}

bool LabLog::keptAside() const
{
    return !LogNames::keptAsideIn(QFileInfo(path).absolutePath(), fileName).isEmpty();
}

QStringList LabLog::logsIn(const QString &folder)
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

LabLog::Arguments LabLog::resolveArguments(const QStringList &arguments)
{
    Arguments result;
    QStringList companions;
    QStringList kept;          // "<log>.unwritten" and "<log>.jsonl.unwritten" beside their files
    QStringList companionLogs; // the logs each of those belongs to
    QMap<QDate, QStringList> fromFolders; // by the day each was last written
    for (const QString &path : arguments) {
        if (QFileInfo(path).isDir()) {
            const QStringList found = logsIn(path);
            if (found.isEmpty())
                result.findings.append({Finding::Severity::Note, QDir::toNativeSeparators(path), 0,
                                        QStringLiteral("holds no event log")});
            for (const QString &log : found)
                fromFolders[QFileInfo(log).lastModified().date()].append(QDir::toNativeSeparators(log));
            result.logs += found;
            continue;
        }
        // Records kept when the log could not be written are read with their file, and so
        // with the log, when they lie beside it.
        QString log = path.endsWith(QLatin1String(".unwritten")) ? path.chopped(10) : path;
        if (log != path && !QFileInfo(log).isFile())
            log = path; // not beside its file: taken as given, and told of as it reads
        const QString ofCompanion = CompanionReader::logOf(log);
        if (log == path && ofCompanion.isEmpty()) {
            result.logs.append(path);
            continue;
        }
        (path.endsWith(QLatin1String(".unwritten")) ? kept : companions).append(QDir::toNativeSeparators(path));
        companionLogs.append(ofCompanion.isEmpty() ? log : ofCompanion);
    }
    if (!companionLogs.isEmpty()) {
        // A companion is read with its log; one named without its log stands for that log.
        QStringList added;
        for (const QString &log : std::as_const(companionLogs)) {
            const QString absolute = QFileInfo(log).absoluteFilePath();
            const bool named = std::any_of(result.logs.cbegin(), result.logs.cend(), [&](const QString &given) {
                return QFileInfo(given).absoluteFilePath() == absolute;
            });
            if (!named) {
                result.logs.append(log);
                added.append(QDir::toNativeSeparators(log));
            }
        }
        QStringList what;
        if (!companions.isEmpty())
            what.append(QStringLiteral("%1 companion record%2").arg(companions.size())
                            .arg(companions.size() == 1 ? QString() : QStringLiteral("s")));
        if (!kept.isEmpty())
            what.append(QStringLiteral("%1 file%2 of kept records").arg(kept.size())
                            .arg(kept.size() == 1 ? QString() : QStringLiteral("s")));
        result.findings.append({Finding::Severity::Note, QString(), 0,
                                QStringLiteral("%1 passed over, each read with its log%2")
                                    .arg(what.join(QStringLiteral(" and ")))
                                    .arg(added.isEmpty() ? QString()
                                                         : QStringLiteral("; taken for the logs not named: ")
                                                               + added.join(QStringLiteral(", ")))});
    }
    if (fromFolders.size() > 1) {
        // Logs of an earlier session left in a data folder would be taken with today's.
        QStringList days;
        for (auto it = fromFolders.cbegin(); it != fromFolders.cend(); ++it)
            days.append(it.value().size() <= 3 ? QStringLiteral("%1: %2").arg(it.key().toString(Qt::ISODate),
                                                                            it.value().join(QStringLiteral(", ")))
                                               : QStringLiteral("%1: %2 logs").arg(it.key().toString(Qt::ISODate))
                                                     .arg(it.value().size()));
        result.findings.append({Finding::Severity::Warning, QString(), 0,
                                QStringLiteral("the folders hold logs last written on %1 days (%2); name the logs of "
                                               "one session, or move the older ones away")
                                    .arg(fromFolders.size()).arg(days.join(QStringLiteral("; ")))});
    }
    return result;
}
