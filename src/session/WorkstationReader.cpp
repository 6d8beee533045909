#include "session/WorkstationReader.h"

#include "session/Payment.h"
#include "session/PayoffAgreement.h"
#include "window/logic/PayoffFile.h"

#include "record/LogReader.h"
#include "session/LabLog.h"
#include "session/LabLogReader.h"
#include "session/LogPayoffs.h"
#include "session/RunJudge.h"
#include "session/SetAside.h"
#include "session/LogNames.h"
#include "session/StateTexts.h"
#include "window/logic/GoAheadFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace {

constexpr int MostNotesPerLog = 3;

// A note on a state, said by its message; at Error the experimenter must act on it.
Finding note(Finding::Severity severity, const QString &message)
{
    return {severity, QString(), 0, message};
}

QDateTime toDateTime(const ClockReading &reading)
{
    return reading.date.startOfDay().addMSecs(qint64(double(reading.seconds) * 1000.0 + 0.5));
}

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

WorkstationReader::WorkstationReader(const Clock &clock, int attempts) : m_clock(clock), m_attempts(attempts)
{
}

QString WorkstationReader::newestLog(const QString &folder)
{
    return newestOf(logFiles(folder));
}

WorkstationState WorkstationReader::state(const QString &folder) const
{
    return stateOf(folder, QFileInfo(folder).isDir() ? newestLog(folder) : QString());
}

QList<WorkstationState> WorkstationReader::folderStates(const QString &folder) const
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
    Findings restarts;
    std::stable_sort(logs.begin(), logs.end(), [](const QFileInfo &a, const QFileInfo &b) {
        return a.lastModified() > b.lastModified(); // at the same time by name, as listed
    });
    for (const QFileInfo &info : std::as_const(logs)) {
        if (info.lastModified().date() != today)
            continue;
        if (const QString keptFrom = LogNames::keptAsideIn(folder, info.fileName()); !keptFrom.isEmpty())
            restarts.append(note(Finding::Severity::Error,
                                 QStringLiteral("%1 was kept aside today when the program was started again with "
                                                "the same subject and set: a restart; only %2 counts")
                                     .arg(info.fileName(), keptFrom)));
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
    // A log set aside stands for no program of the folder's.
    const qsizetype inUse = std::count_if(result.cbegin(), result.cend(),
                                          [](const WorkstationState &state) { return state.setAside.isEmpty(); });
    for (WorkstationState &state : result) {
        if (todays.size() > 1 && inUse > 1 && state.setAside.isEmpty()) {
            state.severalLogsToday = true;
            state.notes.append(note(Finding::Severity::Error,
                                    QStringLiteral("this folder holds %1 logs of today (two programs started on one "
                                                   "data folder?): each is shown; treelab quit would end each")
                                        .arg(inUse)));
        }
        if (state.logPath == newest)
            state.notes += restarts;
    }
    return result;
}

WorkstationState WorkstationReader::stateOf(const QString &folder, const QString &logPath) const
{
    WorkstationState state;
    state.folder = QDir::toNativeSeparators(folder);
    state.folderFound = QFileInfo(folder).isDir();
    if (!state.folderFound) {
        state.notes.append(note(Finding::Severity::Error, QStringLiteral("no such folder")));
        return state;
    }
    const QDateTime now = toDateTime(m_clock.now());
    const QFileInfo logInfo(logPath);
    readGoAhead(state, folder, logInfo, now);
    if (logPath.isEmpty()) {
        state.notes.append(note(Finding::Severity::Note, QStringLiteral("no event log yet")));
        return state;
    }
    state.logName = logInfo.fileName();
    LabLog log;
    if (const std::optional<Finding> unread = LabLogReader::load(logPath, &log, m_followed)) {
        // Told whole, as the loader tells it; the folder is still watched, so not an Error.
        state.notes.append(note(Finding::Severity::Warning, unread->text()));
        state.unread = unread->message;
        return state;
    }
    state.logPath = logPath;
    state.ended = log.ended(); // before judge, which may set a differing companion aside
    if (const std::optional<SetAside::Decision> aside = SetAside::of(logPath)) {
        state.setAside = SetAside::text(*aside);
        state.notes.append(note(Finding::Severity::Note, QStringLiteral("%1 is %2; pay, export and verify leave it out")
                                                             .arg(state.logName, state.setAside)));
    }
    state.language = log.companion ? log.companion->textsLanguage : QString();
    judge(state, log);
    state.subject = log.subject();
    state.set = log.set();
    readAge(state, logInfo, now);
    readProgress(state, log);
    readPayoffs(state, log);
    return state;
}

void WorkstationReader::readGoAhead(WorkstationState &state, const QString &folder, const QFileInfo &logInfo,
                                    const QDateTime &now) const
{
    state.goAhead = GoAheadFile::read(GoAheadFile::in(folder));
    if (state.goAhead.status != GoAheadFile::Status::Number)
        state.notes.append(note(Finding::Severity::Error, state.goAhead.detail));
    state.today = !logInfo.filePath().isEmpty() && logInfo.lastModified().date() == now.date();
    // Said for people where the state is shown (StateTexts::leftover), each with what to
    // run against it. A 1 or 99 written today is this session's own (a Release before the
    // subjects have typed their parameters), not one left from an earlier session.
    const bool goAheadOfToday = QFileInfo(GoAheadFile::in(folder)).lastModified().date() == now.date();
    if (state.goAhead.status == GoAheadFile::Status::Number && !state.today && !goAheadOfToday
        && StateTexts::isLeftover(state.goAhead.value))
        state.leftoverGoAhead = true; // failed() without a note: the texts say it
}

void WorkstationReader::judge(WorkstationState &state, LabLog &log) const
{
    const QList<LogProblem> &problems = log.parsed.problems;
    for (qsizetype k = 0; k < problems.size() && k < MostNotesPerLog; ++k)
        state.notes.append(note(Finding::Severity::Warning,
                                QStringLiteral("%1 line %2: %3")
                                    .arg(state.logName, QString::number(problems[k].line), problems[k].message)));
    if (problems.size() > MostNotesPerLog)
        state.notes.append(note(Finding::Severity::Warning,
                                QStringLiteral("%1: %2 more problems")
                                    .arg(state.logName, QString::number(problems.size() - MostNotesPerLog))));
    // The same policy as pay's: a companion record is believed only where it agrees with
    // the log; one that differs is set aside, and the payoff file stands in.
    RunJudge::judge(&log, QString(), m_attempts);
    state.failsVerification = !problems.isEmpty() || !log.companionProblems.isEmpty() || !log.runProblems.isEmpty()
        || !log.payoffProblems.isEmpty();
    if (!log.companionProblems.isEmpty() && log.setCompanionAside()) {
        state.notes.append(note(Finding::Severity::Warning,
                                QStringLiteral("%1: its companion record differs from it (see treelab verify %1): "
                                               "the log and its payoff file are shown")
                                    .arg(state.logName)));
        RunJudge::judge(&log, QString(), m_attempts);
    }
    for (const LogProblem &problem : std::as_const(log.payoffProblems))
        state.notes.append(
            note(Finding::Severity::Warning, QStringLiteral("%1: %2").arg(state.logName, problem.message)));
}

void WorkstationReader::readAge(WorkstationState &state, const QFileInfo &logInfo, const QDateTime &now)
{
    state.ageSeconds = logInfo.lastModified().secsTo(now);
    if (state.ageSeconds < -2)
        state.notes.append(note(Finding::Severity::Warning,
                                QStringLiteral("%1 was written %2 s later than this machine's clock shows now: "
                                               "the clocks differ")
                                    .arg(state.logName)
                                    .arg(-state.ageSeconds)));
}

void WorkstationReader::readProgress(WorkstationState &state, const LabLog &log)
{
    for (const AttemptSummary &attempt : log.attempts)
        state.continues += attempt.continued ? 1 : 0;
    state.attemptCount = log.attemptCount;
    if (state.overCount())
        state.notes.append(note(Finding::Severity::Warning,
                                QStringLiteral("the log holds %1 Continue records, more than the %2 "
                                               "attempts given with --attempts: give the number of attempts "
                                               "the experiment was set to")
                                    .arg(state.continues)
                                    .arg(state.attemptCount)));
    if (log.attempts.isEmpty())
        return;
    state.attemptInPlay = log.attempts.last().number;
    state.level = log.attempts.last().reachedLevel;
    const AttemptSummary &last = log.attempts.last();
    const QList<LogRecord> &records = log.parsed.records;
    const qint64 lastStamp = records.isEmpty() ? 0 : records.last().stamp;
    if (last.firstRecord >= 0 && last.firstRecord < records.size())
        state.attemptSecondsAtWrite = std::max<qint64>(lastStamp - records[last.firstRecord].stamp, 0);
    if (last.continued && !state.isOver()) {
        ++state.attemptInPlay; // between attempts: the next one starts at d1
        state.level = 1;
        state.attemptSecondsAtWrite = 0; // begun with the Continue, the log's last record
    }
}

void WorkstationReader::readPayoffs(WorkstationState &state, LabLog &log)
{
    QList<const AttemptSummary *> reached;
    for (const AttemptSummary &attempt : log.attempts)
        if (attempt.finalPayoffNode >= 0)
            reached.append(&attempt);
    if (reached.isEmpty())
        return;
    if (const std::optional<Finding> unread = LogPayoffs::loadShown(&log, QString()))
        state.notes.append(
            note(Finding::Severity::Warning, unread->text() + QStringLiteral(" Payoff nodes shown instead.")));
    for (int node = 0; node < PayoffFile::PayoffCount; ++node)
        state.payoffTable.append(log.payoffAt(node));
    for (const AttemptSummary *attempt : reached) {
        const std::optional<LabLog::Shown> shown = log.shownPayoff(*attempt);
        state.payoffs.append(shown ? shown->text : QStringLiteral("p(%1)").arg(attempt->finalPayoffNode));
    }
}

QList<WorkstationState> WorkstationReader::states(const QStringList &folders) const
{
    QList<WorkstationState> result;
    for (const QString &folder : folders)
        result += folderStates(folder);
    markRoom(result);
    return result;
}

void WorkstationReader::markLanguages(QList<WorkstationState> &result)
{
    // The room's language: the one most of today's logs were shown in.
    QHash<QString, int> count;
    for (const WorkstationState &state : std::as_const(result))
        if (state.hasLog() && state.today)
            ++count[state.language];
    if (count.size() < 2)
        return;
    // (Of two as common, the first by name, so that the same rows are marked on every tick.)
    QString room = count.cbegin().key();
    for (auto it = count.cbegin(); it != count.cend(); ++it)
        if (it.value() > count.value(room) || (it.value() == count.value(room) && it.key() < room))
            room = it.key();
    const auto name = [](const QString &language) {
        return language.isEmpty() ? QStringLiteral("English") : language;
    };
    for (WorkstationState &state : result) {
        if (!state.hasLog() || !state.today || state.language == room)
            continue;
        state.languageDiffers = true;
        state.notes.append(note(Finding::Severity::Warning,
                                QStringLiteral("the subject's texts are in %1, those of the rest of the room's "
                                               "logs of today in %2 (texts.qm in the data folder)")
                                    .arg(name(state.language), name(room))));
    }
}

void WorkstationReader::markRoom(QList<WorkstationState> &result)
{
    // The room as a whole, over the logs of today.
    QHash<qint16, QStringList> foldersOf;
    QHash<qint16, int> setCount;
    for (const WorkstationState &state : std::as_const(result)) {
        if (!state.hasLog() || !state.today || !state.setAside.isEmpty())
            continue;
        foldersOf[state.subject].append(state.folder);
        ++setCount[state.set];
    }
    markLanguages(result);
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
    // One experiment: the logs of one set were shown one payoff table.
    PayoffAgreement agreement;
    for (const WorkstationState &state : std::as_const(result))
        if (state.hasLog() && state.today && !state.payoffTable.isEmpty())
            agreement.add(Payment::workstationOf(state.logPath), state.set, state.payoffTable);
    QStringList odd;
    const Findings disagreements = agreement.disagreements(Finding::Severity::Error, &odd);
    for (WorkstationState &state : result)
        if (state.hasLog() && state.today && odd.contains(Payment::workstationOf(state.logPath)))
            for (const Finding &disagreement : disagreements)
                if (disagreement.message.contains(QStringLiteral("set %1 ").arg(state.set)))
                    state.notes.append(disagreement);
    for (WorkstationState &state : result) {
        if (!state.hasLog() || !state.today || !state.setAside.isEmpty())
            continue;
        const QStringList &same = foldersOf.value(state.subject);
        if (same.size() > 1) {
            state.sameSubjectElsewhere = true;
            state.notes.append(note(Finding::Severity::Error,
                                    QStringLiteral("subject %1 has a log of today in %2 folders: %3; each subject "
                                                   "must have a number of their own")
                                        .arg(state.subject)
                                        .arg(same.size())
                                        .arg(same.join(QStringLiteral(", ")))));
        }
        if (setCount.size() > 1 && (tie || state.set != roomSet)) {
            QList<qint16> sets = setCount.keys();
            std::sort(sets.begin(), sets.end());
            QStringList names;
            for (const qint16 set : sets)
                names.append(QStringLiteral("set %1 in %2").arg(set).arg(setCount.value(set)));
            state.setDiffers = true;
            state.notes.append(note(Finding::Severity::Error,
                                    tie ? QStringLiteral("the room's logs of today differ in their parameter set (%1)")
                                              .arg(names.join(QStringLiteral(", ")))
                                        : QStringLiteral("parameter set %1 differs from the room's set %2 (%3)")
                                              .arg(state.set)
                                              .arg(roomSet)
                                              .arg(names.join(QStringLiteral(", ")))));
        }
    }
}
