#include "session/StatusTable.h"

#include "session/LabLog.h"
#include "session/LabLogReader.h"
#include "session/LogPayoffs.h"
#include "session/RunJudge.h"
#include "record/LogReader.h"
#include "window/logic/GoAheadFile.h"
#include "window/logic/PayoffFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString None = QStringLiteral("-");
constexpr int MostNotesPerLog = 3;

QDateTime toDateTime(const ClockReading &reading)
{
    return reading.date.startOfDay().addMSecs(qint64(double(reading.seconds) * 1000.0 + 0.5));
}

// A leftover go-ahead value, for a workstation with no log of today's run.
QString leftoverNote(qint16 value)
{
    if (value == GoAheadFile::Quit)
        return QStringLiteral("okto.go holds 99, left from an earlier session, and there is no log of "
                              "today's run yet: the program will close a second after its parameters are "
                              "confirmed; run \"treelab prepare\" first");
    if (value == GoAheadFile::Release)
        return QStringLiteral("okto.go holds 1, left from an earlier session, and there is no log of "
                              "today's run yet: the subject will be offered Start as soon as the parameters "
                              "are confirmed; run \"treelab prepare\" first");
    return QString();
}

} // namespace

QString StatusTable::ageText(qint64 seconds)
{
    if (seconds < 0)
        seconds = 0;
    if (seconds < 120)
        return QStringLiteral("%1 s").arg(seconds);
    if (seconds < 120 * 60)
        return QStringLiteral("%1 min").arg(seconds / 60);
    if (seconds < 48 * 3600)
        return QStringLiteral("%1 h").arg(seconds / 3600);
    return QStringLiteral("%1 days").arg(seconds / 86400);
}

StatusTable::StatusTable(const Clock &clock, int attempts) : m_clock(clock), m_attempts(attempts)
{
}

namespace {

// The folder's event logs, by name: its files whose names begin with "o" and whose first
// line is a log header (kept older logs "<log>.<n>" among them).
QFileInfoList logFiles(const QString &folder)
{
    QFileInfoList logs;
    for (const QFileInfo &info : QDir(folder).entryInfoList({QStringLiteral("o*")}, QDir::Files | QDir::Readable,
                                                            QDir::Name))
        if (info.fileName() != GoAheadFile::FileName && LogReader::readHeader(info.filePath()))
            logs.append(info);
    return logs;
}

QString newestOf(const QFileInfoList &logs)
{
    QFileInfo newest;
    for (const QFileInfo &info : logs) {
        // By time; at the same time the shorter name, so the log in use wins over a copy
        // kept aside in the same second.
        if (!newest.exists() || info.lastModified() > newest.lastModified()
            || (info.lastModified() == newest.lastModified()
                && info.fileName().size() < newest.fileName().size()))
            newest = info;
    }
    return newest.exists() ? newest.filePath() : QString();
}

} // namespace

QString StatusTable::newestLog(const QString &folder)
{
    return newestOf(logFiles(folder));
}

QString StatusTable::dataFileOf(const QString &folder, const QString &logName, qint16 set,
                                qint16 subject)
{
    const QString prefix = QLatin1Char('o') + QString::number(set) + QString::number(subject);
    if (!logName.startsWith(prefix) || logName.size() == prefix.size())
        return QString();
    const QString name = logName.mid(prefix.size());
    const QString keptFrom = keptAsideFrom(name);
    const QDir dir(folder);
    if (!keptFrom.isEmpty() && !QFileInfo::exists(dir.filePath(name)) && QFileInfo::exists(dir.filePath(keptFrom)))
        return keptFrom;
    return name;
}

QString StatusTable::keptAsideIn(const QString &folder, const QString &name)
{
    const QString keptFrom = keptAsideFrom(name);
    return !keptFrom.isEmpty() && QFileInfo(QDir(folder).filePath(keptFrom)).isFile() ? keptFrom : QString();
}

QString StatusTable::keptAsideFrom(const QString &name)
{
    static const QRegularExpression kept(QStringLiteral("^(.+)\\.\\d+$"));
    return kept.match(name).captured(1);
}

WorkstationState StatusTable::state(const QString &folder) const
{
    return stateOf(folder, QFileInfo(folder).isDir() ? newestLog(folder) : QString());
}

QList<WorkstationState> StatusTable::folderStates(const QString &folder) const
{
    // One listing, each file's first line read once.
    QFileInfoList logs = QFileInfo(folder).isDir() ? logFiles(folder) : QFileInfoList();
    const QString newest = newestOf(logs);
    if (newest.isEmpty())
        return {stateOf(folder, newest)};
    const QDate today = toDateTime(m_clock.now()).date();
    // Today's logs of the folder, newest first; a log kept aside when the program was
    // started again is a restart, noted on the state of the log it was kept from.
    QFileInfoList todays;
    QStringList restarts;
    std::stable_sort(logs.begin(), logs.end(), [](const QFileInfo &a, const QFileInfo &b) {
        return a.lastModified() > b.lastModified(); // at the same time by name, as listed
    });
    for (const QFileInfo &info : std::as_const(logs)) {
        if (info.lastModified().date() != today)
            continue;
        if (const QString keptFrom = keptAsideIn(folder, info.fileName()); !keptFrom.isEmpty())
            restarts.append(QStringLiteral("%1 was kept aside today when the program was started again with the "
                                           "same subject and set: a restart; only %2 counts")
                                .arg(info.fileName(), keptFrom));
        else if (info.absoluteFilePath() == QFileInfo(newest).absoluteFilePath())
            todays.prepend(info);
        else
            todays.append(info);
    }
    QList<WorkstationState> result;
    if (todays.isEmpty())
        result.append(stateOf(folder, newest));
    for (const QFileInfo &info : std::as_const(todays))
        result.append(stateOf(folder, info.filePath()));
    for (WorkstationState &state : result) {
        if (todays.size() > 1) {
            state.severalLogsToday = true;
            state.notes.append(QStringLiteral("this folder holds %1 logs of today (two programs started on one data "
                                              "folder?): each is shown; treelab quit would end each")
                                   .arg(todays.size()));
            state.failed = true;
        }
        if (!restarts.isEmpty() && state.logPath == newest) {
            state.notes += restarts;
            state.failed = true;
        }
    }
    return result;
}

WorkstationState StatusTable::stateOf(const QString &folder, const QString &logPath) const
{
    WorkstationState state;
    state.folder = QDir::toNativeSeparators(folder);
    state.folderFound = QFileInfo(folder).isDir();
    if (!state.folderFound) {
        state.notes.append(QStringLiteral("no such folder"));
        state.failed = true;
        return state;
    }
    const QDir dir(folder);

    state.goAhead = GoAheadFile::read(dir.filePath(GoAheadFile::FileName));
    if (state.goAhead.status != GoAheadFile::Status::Number) {
        state.notes.append(state.goAhead.detail);
        state.failed = true;
    }

    const QDateTime now = toDateTime(m_clock.now());
    const QFileInfo logInfo(logPath);
    state.today = !logPath.isEmpty() && logInfo.lastModified().date() == now.date();
    if (state.goAhead.status == GoAheadFile::Status::Number && !state.today) {
        const QString leftover = leftoverNote(state.goAhead.value);
        if (!leftover.isEmpty()) {
            state.leftoverGoAhead = true;
            state.notes.append(leftover);
            state.failed = true;
        }
    }
    if (logPath.isEmpty()) {
        state.notes.append(QStringLiteral("no event log yet"));
        return state;
    }
    state.logName = logInfo.fileName();
    LabLog log;
    if (const std::optional<Finding> unread = LabLogReader::load(logPath, &log, m_followed)) {
        state.notes.append(unread->text());
        return state;
    }
    state.logPath = logPath;
    const QList<LogProblem> &problems = log.parsed.problems;
    for (qsizetype k = 0; k < problems.size() && k < MostNotesPerLog; ++k)
        state.notes.append(QStringLiteral("%1 line %2: %3")
                               .arg(state.logName, QString::number(problems[k].line), problems[k].message));
    if (problems.size() > MostNotesPerLog)
        state.notes.append(QStringLiteral("%1: %2 more problems")
                               .arg(state.logName, QString::number(problems.size() - MostNotesPerLog)));
    // The same policy as pay's: a companion record is believed only where it agrees with
    // the log; one that differs is set aside, and the payoff file stands in.
    RunJudge::judge(&log, QString(), m_attempts);
    state.failsVerification = !problems.isEmpty() || !log.companionProblems.isEmpty() || !log.runProblems.isEmpty()
        || !log.payoffProblems.isEmpty();
    if (!log.companionProblems.isEmpty() && log.setCompanionAside()) {
        state.notes.append(QStringLiteral("%1: its companion record differs from it (see treelab verify %1): the "
                                          "log and its payoff file are shown")
                               .arg(state.logName));
        RunJudge::judge(&log, QString(), m_attempts);
    }
    for (const LogProblem &problem : std::as_const(log.payoffProblems))
        state.notes.append(QStringLiteral("%1: %2").arg(state.logName, problem.message));

    state.subject = log.subject();
    state.set = log.set();
    state.ageSeconds = logInfo.lastModified().secsTo(now);
    if (state.ageSeconds < -2)
        state.notes.append(QStringLiteral("%1 was written %2 s later than this machine's clock shows now: "
                                          "the clocks differ")
                               .arg(state.logName).arg(-state.ageSeconds));

    for (const AttemptSummary &attempt : log.attempts)
        state.continues += attempt.continued ? 1 : 0;
    state.attemptCount = log.attemptCount;
    if (state.overCount())
        state.notes.append(QStringLiteral("the log holds %1 Continue records, more than the %2 "
                                          "attempts given with --attempts: give the number of attempts "
                                          "the experiment was set to")
                               .arg(state.continues)
                               .arg(state.attemptCount));
    if (!log.attempts.isEmpty()) {
        state.attemptInPlay = log.attempts.last().number;
        state.level = log.attempts.last().reachedLevel;
        if (log.attempts.last().continued && !state.isOver()) {
            ++state.attemptInPlay; // between attempts: the next one starts at d1
            state.level = 1;
        }
    }

    QList<const AttemptSummary *> reached;
    for (const AttemptSummary &attempt : log.attempts)
        if (attempt.finalPayoffNode >= 0)
            reached.append(&attempt);
    if (reached.isEmpty())
        return state;
    if (const std::optional<Finding> unread = LogPayoffs::loadShown(&log, QString()))
        state.notes.append(unread->text() + QStringLiteral(" Payoff nodes shown instead."));
    for (const AttemptSummary *attempt : reached) {
        const std::optional<LabLog::Shown> shown = log.shownPayoff(*attempt);
        state.payoffs.append(shown ? shown->text : QStringLiteral("p(%1)").arg(attempt->finalPayoffNode));
    }
    return state;
}

QList<WorkstationState> StatusTable::states(const QStringList &folders) const
{
    QList<WorkstationState> result;
    for (const QString &folder : folders)
        result += folderStates(folder);
    markRoom(result);
    return result;
}

void StatusTable::markRoom(QList<WorkstationState> &result)
{
    // The room as a whole, over the logs of today.
    QHash<qint16, QStringList> foldersOf;
    QHash<qint16, int> setCount;
    for (const WorkstationState &state : std::as_const(result)) {
        if (!state.hasLog() || !state.today)
            continue;
        foldersOf[state.subject].append(state.folder);
        ++setCount[state.set];
    }
    // The room's set: the one most of today's logs have; none when two sets share the most.
    int most = 0;
    for (const int count : std::as_const(setCount))
        most = std::max(most, count);
    QList<qint16> commonest;
    for (auto it = setCount.cbegin(); it != setCount.cend(); ++it)
        if (it.value() == most)
            commonest.append(it.key());
    const bool tie = commonest.size() > 1;
    const qint16 roomSet = commonest.value(0);
    for (WorkstationState &state : result) {
        if (!state.hasLog() || !state.today)
            continue;
        const QStringList &same = foldersOf.value(state.subject);
        if (same.size() > 1) {
            state.sameSubjectElsewhere = true;
            state.notes.append(QStringLiteral("subject %1 has a log of today in %2 folders: %3; each subject must have "
                                              "a number of their own")
                                   .arg(state.subject).arg(same.size()).arg(same.join(QStringLiteral(", "))));
            state.failed = true;
        }
        if (setCount.size() > 1 && (tie || state.set != roomSet)) {
            QList<qint16> sets = setCount.keys();
            std::sort(sets.begin(), sets.end());
            QStringList names;
            for (const qint16 set : sets)
                names.append(QStringLiteral("set %1 in %2").arg(set).arg(setCount.value(set)));
            state.setDiffers = true;
            state.notes.append(tie ? QStringLiteral("the room's logs of today differ in their parameter set (%1)")
                                         .arg(names.join(QStringLiteral(", ")))
                                   : QStringLiteral("parameter set %1 differs from the room's set %2 (%3)")
                                         .arg(state.set).arg(roomSet).arg(names.join(QStringLiteral(", "))));
            state.failed = true;
        }
    }
}

StatusTable::Row StatusTable::format(const WorkstationState &state)
{
    Row row;
    row.folder = state.folder;
    row.notes = state.notes;
    row.failed = state.failed;
    row.today = state.today;
    row.goAhead = row.log = row.subject = row.set = row.attempt = row.level = row.done
        = row.payoffs = row.since = row.over = None;
    if (!state.folderFound)
        return row;
    switch (state.goAhead.status) {
    case GoAheadFile::Status::Number:
        row.goAhead = QString::number(state.goAhead.value) + (state.leftoverGoAhead ? QStringLiteral("!") : QString());
        break;
    case GoAheadFile::Status::Missing: row.goAhead = QStringLiteral("none"); break;
    default: row.goAhead = QStringLiteral("?"); break;
    }
    if (!state.logName.isEmpty())
        row.log = state.logName + (state.severalLogsToday ? QStringLiteral("!") : QString());
    if (!state.hasLog())
        return row;
    row.subject = QString::number(state.subject) + (state.sameSubjectElsewhere ? QStringLiteral("!") : QString());
    row.set = QString::number(state.set) + (state.setDiffers ? QStringLiteral("!") : QString());
    row.since = ageText(state.ageSeconds);
    row.over = state.overCount() ? QStringLiteral("?") : state.isOver() ? QStringLiteral("yes") : QStringLiteral("no");
    if (state.attemptInPlay > 0) {
        row.attempt = state.overCount() ? QStringLiteral("%1?").arg(state.attemptInPlay)
                                        : QStringLiteral("%1/%2").arg(state.attemptInPlay).arg(state.attemptCount);
        row.level = QStringLiteral("%1 %2").arg(state.level).arg(LogReader::levelName(state.level));
    }
    row.done = QString::number(state.payoffs.size());
    if (!state.payoffs.isEmpty())
        row.payoffs = state.payoffs.join(QLatin1Char(' '));
    return row;
}

QList<StatusTable::Row> StatusTable::rows(const QStringList &folders) const
{
    QList<Row> result;
    for (const WorkstationState &state : states(folders))
        result.append(format(state));
    return result;
}

QString StatusTable::render(const QList<Row> &rows)
{
    const QStringList heading{
        QStringLiteral("FOLDER"), QStringLiteral("GO"),      QStringLiteral("LOG"),
        QStringLiteral("SUBJECT"), QStringLiteral("SET"),    QStringLiteral("ATTEMPT"),
        QStringLiteral("LEVEL"),  QStringLiteral("DONE"),    QStringLiteral("PAYOFFS"),
        QStringLiteral("SINCE"),  QStringLiteral("OVER"),
    };
    // Numbers are right-aligned, texts left-aligned.
    const QList<bool> right{false, true, false, true, true, true, false, true, false, true, false};
    QList<QStringList> lines{heading};
    for (const Row &row : rows)
        lines.append({row.folder, row.goAhead, row.log, row.subject, row.set, row.attempt,
                      row.level, row.done, row.payoffs, row.since, row.over});
    QList<qsizetype> widths(heading.size(), 0);
    for (const QStringList &line : lines)
        for (qsizetype k = 0; k < line.size(); ++k)
            widths[k] = std::max(widths[k], line[k].size());

    QString text;
    for (const QStringList &line : lines) {
        QString out;
        for (qsizetype k = 0; k < line.size(); ++k) {
            if (k > 0)
                out += QStringLiteral("  ");
            out += right[k] ? line[k].rightJustified(widths[k]) : line[k].leftJustified(widths[k]);
        }
        while (out.endsWith(QLatin1Char(' ')))
            out.chop(1);
        text += out + QLatin1Char('\n');
    }
    for (const Row &row : rows)
        for (const QString &note : row.notes)
            text += QStringLiteral("%1: %2\n").arg(row.folder, note);
    return text;
}
