#include "session/StatusTable.h"

#include "session/LabLog.h"
#include "record/LogReader.h"
#include "window/GoAheadFile.h"
#include "window/PayoffFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace {

const QString GoAheadName = QStringLiteral("okto.go");
const QString None = QStringLiteral("-");
constexpr int MostNotesPerLog = 3;

QDateTime toDateTime(const ClockReading &reading)
{
    return reading.date.startOfDay().addMSecs(qint64(double(reading.seconds) * 1000.0 + 0.5));
}

// A leftover go-ahead value, for a workstation with no log of today's run.
QString leftoverNote(qint16 value)
{
    if (value == 99)
        return QStringLiteral("okto.go holds 99, left from an earlier session, and there is no log of "
                              "today's run yet: the program will close a second after its parameters are "
                              "confirmed; run \"treelab prepare\" first");
    if (value == 1)
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

QString StatusTable::newestLog(const QString &folder)
{
    const QFileInfoList candidates = QDir(folder).entryInfoList(
        {QStringLiteral("o*")}, QDir::Files | QDir::Readable, QDir::Name);
    QFileInfo newest;
    for (const QFileInfo &info : candidates) {
        if (info.fileName() == GoAheadName || !LogReader::readHeader(info.filePath()))
            continue;
        // By time; at the same time the shorter name, so the log in use wins over a copy
        // kept aside in the same second.
        if (!newest.exists() || info.lastModified() > newest.lastModified()
            || (info.lastModified() == newest.lastModified()
                && info.fileName().size() < newest.fileName().size()))
            newest = info;
    }
    return newest.exists() ? newest.filePath() : QString();
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

QString StatusTable::keptAsideFrom(const QString &name)
{
    static const QRegularExpression kept(QStringLiteral("^(.+)\\.\\d+$"));
    return kept.match(name).captured(1);
}

StatusTable::Row StatusTable::row(const QString &folder) const
{
    return rowOf(folder, QFileInfo(folder).isDir() ? newestLog(folder) : QString());
}

QList<StatusTable::Row> StatusTable::folderRows(const QString &folder) const
{
    const QString newest = QFileInfo(folder).isDir() ? newestLog(folder) : QString();
    if (newest.isEmpty())
        return {rowOf(folder, newest)};
    const QDate today = toDateTime(m_clock.now()).date();
    // Today's logs of the folder, newest first; a log kept aside when the program was
    // started again is a restart, noted on the row of the log it was kept from.
    QFileInfoList todays;
    QStringList restarts;
    const QFileInfoList candidates = QDir(folder).entryInfoList({QStringLiteral("o*")}, QDir::Files | QDir::Readable,
                                                                QDir::Time);
    for (const QFileInfo &info : candidates) {
        if (info.fileName() == GoAheadName || info.lastModified().date() != today
            || !LogReader::readHeader(info.filePath()))
            continue;
        const QString keptFrom = keptAsideFrom(info.fileName());
        if (!keptFrom.isEmpty() && QFileInfo(QDir(folder).filePath(keptFrom)).isFile())
            restarts.append(QStringLiteral("%1 was kept aside today when the program was started again with the "
                                           "same subject and set: a restart; only %2 counts")
                                .arg(info.fileName(), keptFrom));
        else if (info.absoluteFilePath() == QFileInfo(newest).absoluteFilePath())
            todays.prepend(info);
        else
            todays.append(info);
    }
    QList<Row> result;
    if (todays.isEmpty())
        result.append(rowOf(folder, newest));
    for (const QFileInfo &info : todays)
        result.append(rowOf(folder, info.filePath()));
    for (Row &row : result) {
        if (todays.size() > 1) {
            row.log += QLatin1Char('!');
            row.notes.append(QStringLiteral("this folder holds %1 logs of today (two programs started on one data "
                                            "folder?): each is shown; treelab quit would end each")
                                 .arg(todays.size()));
            row.failed = true;
        }
        if (!restarts.isEmpty() && row.logPath == newest) {
            row.notes += restarts;
            row.failed = true;
        }
    }
    return result;
}

StatusTable::Row StatusTable::rowOf(const QString &folder, const QString &logPath) const
{
    Row row;
    row.folder = QDir::toNativeSeparators(folder);
    row.goAhead = row.log = row.subject = row.set = row.attempt = row.level = row.done
        = row.payoffs = row.since = row.over = None;
    if (!QFileInfo(folder).isDir()) {
        row.notes.append(QStringLiteral("no such folder"));
        row.failed = true;
        return row;
    }
    const QDir dir(folder);

    const GoAheadFile::Reading go = GoAheadFile::read(dir.filePath(GoAheadName));
    if (go.status == GoAheadFile::Status::Number) {
        row.goAhead = QString::number(go.value);
    } else {
        row.goAhead = go.status == GoAheadFile::Status::Missing ? QStringLiteral("none")
                                                                : QStringLiteral("?");
        row.notes.append(go.detail);
        row.failed = true;
    }

    const QDateTime now = toDateTime(m_clock.now());
    const QFileInfo logInfo(logPath);
    row.today = !logPath.isEmpty() && logInfo.lastModified().date() == now.date();
    if (go.status == GoAheadFile::Status::Number && !row.today) {
        const QString leftover = leftoverNote(go.value);
        if (!leftover.isEmpty()) {
            row.goAhead += QLatin1Char('!');
            row.notes.append(leftover);
            row.failed = true;
        }
    }
    if (logPath.isEmpty()) {
        row.notes.append(QStringLiteral("no event log yet"));
        return row;
    }
    row.log = logInfo.fileName();
    LabLog log;
    QString error;
    if (!LabLog::load(logPath, &log, &error)) {
        row.notes.append(error);
        return row;
    }
    row.logPath = logPath;
    const QList<LogProblem> &problems = log.parsed.problems;
    for (qsizetype k = 0; k < problems.size() && k < MostNotesPerLog; ++k)
        row.notes.append(QStringLiteral("%1 line %2: %3")
                             .arg(row.log, QString::number(problems[k].line), problems[k].message));
    if (problems.size() > MostNotesPerLog)
        row.notes.append(QStringLiteral("%1: %2 more problems")
                             .arg(row.log, QString::number(problems.size() - MostNotesPerLog)));
    // The same policy as pay's: a companion record is believed only where it agrees with
    // the log; one that differs is set aside, and the payoff file stands in.
    log.judge(QString(), m_attempts);
    if (!log.companionProblems.isEmpty() && log.setCompanionAside()) {
        row.notes.append(QStringLiteral("%1: its companion record differs from it (see treelab verify %1): the "
                                        "log and its payoff file are shown")
                             .arg(row.log));
        log.judge(QString(), m_attempts);
    }
    for (const LogProblem &problem : std::as_const(log.payoffProblems))
        row.notes.append(QStringLiteral("%1: %2").arg(row.log, problem.message));

    row.subjectNo = log.subject();
    row.setNo = log.set();
    row.subject = QString::number(log.subject());
    row.set = QString::number(log.set());
    const qint64 age = logInfo.lastModified().secsTo(now);
    row.since = ageText(age);
    if (age < -2)
        row.notes.append(QStringLiteral("%1 was written %2 s later than this machine's clock shows now: "
                                        "the clocks differ")
                             .arg(row.log).arg(-age));

    int continues = 0;
    for (const AttemptSummary &attempt : log.attempts)
        continues += attempt.continued ? 1 : 0;
    const int attemptCount = log.attemptCount;
    const bool over = continues >= attemptCount;
    const bool overCount = continues > attemptCount;
    if (overCount)
        row.notes.append(QStringLiteral("the log holds %1 Continue records, more than the %2 "
                                        "attempts given with --attempts: give the number of attempts "
                                        "the experiment was set to")
                             .arg(continues)
                             .arg(attemptCount));
    row.isOver = over;
    row.over = overCount ? QStringLiteral("?") : over ? QStringLiteral("yes") : QStringLiteral("no");

    if (!log.attempts.isEmpty()) {
        int number = log.attempts.last().number;
        int level = log.attempts.last().reachedLevel;
        if (log.attempts.last().continued && !over) {
            ++number; // between attempts: the next one starts at d1
            level = 1;
        }
        row.attemptInPlay = number;
        row.attempt = overCount ? QStringLiteral("%1?").arg(number)
                                : QStringLiteral("%1/%2").arg(number).arg(attemptCount);
        row.level = QStringLiteral("%1 %2").arg(level).arg(LogReader::levelName(level));
    }

    QList<const AttemptSummary *> reached;
    for (const AttemptSummary &attempt : log.attempts)
        if (attempt.finalPayoffNode >= 0)
            reached.append(&attempt);
    row.done = QString::number(reached.size());
    if (reached.isEmpty())
        return row;
    if (!log.companion && !log.loadPayoffs(QString(), &error))
        row.notes.append(error + QStringLiteral(" Payoff nodes shown instead."));
    QStringList texts;
    for (const AttemptSummary *attempt : reached) {
        const std::optional<LabLog::Shown> shown = log.shownPayoff(*attempt);
        texts.append(shown ? shown->text : QStringLiteral("p(%1)").arg(attempt->finalPayoffNode));
    }
    row.payoffs = texts.join(QLatin1Char(' '));
    return row;
}

QList<StatusTable::Row> StatusTable::rows(const QStringList &folders) const
{
    QList<Row> result;
    for (const QString &folder : folders)
        result += folderRows(folder);
    // The room as a whole, over the logs of today.
    QHash<qint16, QStringList> foldersOf;
    QHash<qint16, int> setCount;
    for (const Row &row : std::as_const(result)) {
        if (row.logPath.isEmpty() || !row.today)
            continue;
        foldersOf[row.subjectNo].append(row.folder);
        ++setCount[row.setNo];
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
    for (Row &row : result) {
        if (row.logPath.isEmpty() || !row.today)
            continue;
        const QStringList &same = foldersOf.value(row.subjectNo);
        if (same.size() > 1) {
            row.subject += QLatin1Char('!');
            row.notes.append(QStringLiteral("subject %1 has a log of today in %2 folders: %3; each subject must have "
                                            "a number of their own")
                                 .arg(row.subjectNo).arg(same.size()).arg(same.join(QStringLiteral(", "))));
            row.failed = true;
        }
        if (setCount.size() > 1 && (tie || row.setNo != roomSet)) {
            QList<qint16> sets = setCount.keys();
            std::sort(sets.begin(), sets.end());
            QStringList names;
            for (const qint16 set : sets)
                names.append(QStringLiteral("set %1 in %2").arg(set).arg(setCount.value(set)));
            row.set += QLatin1Char('!');
            row.notes.append(tie ? QStringLiteral("the room's logs of today differ in their parameter set (%1)")
                                       .arg(names.join(QStringLiteral(", ")))
                                 : QStringLiteral("parameter set %1 differs from the room's set %2 (%3)")
                                       .arg(row.setNo).arg(roomSet).arg(names.join(QStringLiteral(", "))));
            row.failed = true;
        }
    }
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
