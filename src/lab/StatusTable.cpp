#include "lab/StatusTable.h"

#include "record/CompanionLog.h"
#include "record/CompanionReader.h"
#include "record/LogReader.h"
#include "window/GoAheadFile.h"
#include "window/PayoffFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
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

    const QString logPath = newestLog(folder);
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
    ParsedLog log;
    QString error;
    if (!LogReader::read(logPath, &log, &error) || !log.header) {
        row.notes.append(error.isEmpty() ? QStringLiteral("%1 has lost its header").arg(row.log)
                                         : error);
        return row;
    }
    for (qsizetype k = 0; k < log.problems.size() && k < MostNotesPerLog; ++k)
        row.notes.append(QStringLiteral("%1 line %2: %3")
                             .arg(row.log, QString::number(log.problems[k].line),
                                  log.problems[k].message));
    if (log.problems.size() > MostNotesPerLog)
        row.notes.append(QStringLiteral("%1: %2 more problems")
                             .arg(row.log, QString::number(log.problems.size() - MostNotesPerLog)));

    row.subject = QString::number(log.header->subjectNo);
    row.set = QString::number(log.header->paramSetNo);
    const qint64 age = logInfo.lastModified().secsTo(now);
    row.since = ageText(age);
    if (age < -2)
        row.notes.append(QStringLiteral("%1 was written %2 s later than this machine's clock shows now: "
                                        "the clocks differ")
                             .arg(row.log).arg(-age));

    const QList<AttemptSummary> attempts = LogReader::attempts(log.records);
    int continues = 0;
    QList<int> finalNodes;
    for (const AttemptSummary &attempt : attempts) {
        continues += attempt.continued ? 1 : 0;
        if (attempt.finalPayoffNode >= 0)
            finalNodes.append(attempt.finalPayoffNode);
    }
    // The program's companion record beside the log knows the number of attempts and the
    // payoffs shown; without it, --attempts and the payoff file stand in.
    Companion companion;
    QString unread;
    const bool exact = CompanionReader::read(CompanionLog::pathFor(logPath), &companion, &unread)
        && companion.attempts >= 1;
    const int attemptCount = exact ? companion.attempts : m_attempts;
    const bool over = continues >= attemptCount;
    const bool overCount = continues > attemptCount;
    if (overCount)
        row.notes.append(QStringLiteral("the log holds %1 Continue records, more than the %2 "
                                        "attempts given with --attempts: give the number of attempts "
                                        "the experiment was set to")
                             .arg(continues)
                             .arg(attemptCount));
    row.over = overCount ? QStringLiteral("?") : over ? QStringLiteral("yes") : QStringLiteral("no");
    row.done = QString::number(finalNodes.size());

    if (!attempts.isEmpty()) {
        int number = attempts.last().number;
        int level = attempts.last().reachedLevel;
        if (attempts.last().continued && !over) {
            ++number; // between attempts: the next one starts at d1
            level = 1;
        }
        row.attempt = overCount ? QStringLiteral("%1?").arg(number)
                                : QStringLiteral("%1/%2").arg(number).arg(attemptCount);
        row.level = QStringLiteral("%1 %2").arg(level).arg(LogReader::levelName(level));
    }

    if (!finalNodes.isEmpty() && exact) {
        QStringList texts;
        for (const CompanionPayoff &shown : companion.shown)
            texts.append(shown.text);
        row.payoffs = texts.join(QLatin1Char(' '));
    } else if (!finalNodes.isEmpty()) {
        const QString dataFile = dataFileOf(folder, row.log, log.header->paramSetNo,
                                            log.header->subjectNo);
        PayoffFile::SetResult payoffs;
        if (dataFile.isEmpty()) {
            row.notes.append(QStringLiteral("the payoff file cannot be told from the log's name "
                                            "%1; payoff nodes shown instead")
                                 .arg(row.log));
        } else {
            payoffs = PayoffFile::readSet(dir.filePath(dataFile), log.header->paramSetNo);
            if (!payoffs.ok)
                row.notes.append(payoffs.error + QStringLiteral(" Payoff nodes shown instead."));
        }
        QStringList texts;
        for (const int node : finalNodes)
            texts.append(payoffs.ok ? PayoffFile::displayText(payoffs.payoffs[node])
                                    : QStringLiteral("p(%1)").arg(node));
        row.payoffs = texts.join(QLatin1Char(' '));
    }
    return row;
}

QList<StatusTable::Row> StatusTable::rows(const QStringList &folders) const
{
    QList<Row> result;
    for (const QString &folder : folders)
        result.append(row(folder));
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
