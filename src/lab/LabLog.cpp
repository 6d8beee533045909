#include "lab/LabLog.h"

#include "lab/CommandLine.h"
#include "lab/StatusTable.h"
#include "record/CompanionLog.h"

#include <QDir>
#include <QFileInfo>

bool LabLog::load(const QString &path, LabLog *log, QString *error)
{
    log->path = path;
    log->fileName = QFileInfo(path).fileName();
    if (!LogReader::read(path, &log->parsed, error))
        return false;
    if (!log->parsed.header) {
        *error = QStringLiteral("%1: line 1 is not an event log header").arg(path);
        return false;
    }
    log->attempts = LogReader::attempts(log->parsed.records);
    const QString companionPath = CompanionLog::pathFor(path);
    if (QFileInfo::exists(companionPath) || QFileInfo(companionPath).isSymLink()) {
        Companion companion;
        QString why;
        if (!CompanionReader::read(companionPath, &companion, &why)) {
            log->companionProblems.append({0, QStringLiteral("its companion record cannot be read: %1").arg(why)});
        } else {
            log->companionProblems = companion.problems;
            for (LogProblem &problem : log->companionProblems)
                problem.message = QStringLiteral("companion line %1: %2").arg(problem.line).arg(problem.message);
            log->companionProblems += CompanionReader::compare(log->parsed, companion);
            log->companion = companion;
        }
    }
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

const CompanionRecord *LabLog::companionRecord(qsizetype k) const
{
    return companion && k < companion->records.size() ? &companion->records[k] : nullptr;
}

bool LabLog::loadPayoffs(const QString &dataFile, QString *error)
{
    QString file = dataFile;
    if (file.isEmpty()) {
        const QFileInfo info(path);
        const QString name = StatusTable::dataFileOf(info.absolutePath(), fileName, set(), subject());
        if (name.isEmpty()) {
            *error = QStringLiteral("%1: the payoff file cannot be told from the log's name; give it "
                                    "with --data")
                         .arg(path);
            return false;
        }
        file = info.absoluteDir().filePath(name);
    }
    PayoffFile::SetResult result = PayoffFile::readSet(file, set());
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

bool LabLog::admit(const QString &command, bool force)
{
    const QString shown = QDir::toNativeSeparators(path);
    for (const LogProblem &warning : parsed.warnings)
        CommandLine::err(QStringLiteral("%1: warning: %2:%3: %4\n").arg(command, shown).arg(warning.line).arg(warning.message));
    if (parsed.problems.isEmpty() && companionProblems.isEmpty())
        return true;
    const QString label = force ? QStringLiteral("forced") : QStringLiteral("error");
    for (const LogProblem &problem : parsed.problems + companionProblems)
        CommandLine::err(QStringLiteral("%1: %2: %3:%4: %5\n").arg(command, label, shown).arg(problem.line).arg(problem.message));
    if (force && !companionProblems.isEmpty()) {
        CommandLine::err(QStringLiteral("%1: forced: %2: its companion record is set aside; the classic log is used\n")
                             .arg(command, shown));
        companion.reset();
    }
    if (parsed.unlistedProblems > 0)
        CommandLine::err(QStringLiteral("%1: %2: %3: and %4 more lines like these\n")
                             .arg(command, label, shown).arg(parsed.unlistedProblems));
    if (!force)
        CommandLine::err(QStringLiteral("%1: %2 cannot be read by the rules of the run (see \"treelab verify\"); "
                                        "give --force to read those lines as the records they look like\n")
                             .arg(command, shown));
    return force;
}

bool LabLog::keptAside() const
{
    const QString keptFrom = StatusTable::keptAsideFrom(fileName);
    return !keptFrom.isEmpty() && QFileInfo(QFileInfo(path).absoluteDir().filePath(keptFrom)).isFile();
}

std::optional<int> LabLog::parseLogs(QCommandLineParser &parser, const QStringList &arguments,
                                     const QString &help, QStringList *logs)
{
    if (const auto done = CommandLine::parse(parser, arguments, help))
        return done;
    const QString command = arguments.value(0);
    logs->clear();
    for (const QString &path : parser.positionalArguments()) {
        const QString log = CompanionReader::logOf(path);
        if (log.isEmpty()) {
            logs->append(path);
            continue;
        }
        CommandLine::err(QStringLiteral("%1: note: %2 is the companion record of %3; it is read with that log\n")
                             .arg(command, QDir::toNativeSeparators(path), QDir::toNativeSeparators(log)));
    }
    if (logs->isEmpty())
        return CommandLine::usageError(command, QStringLiteral("no LOG given"));
    return std::nullopt;
}
