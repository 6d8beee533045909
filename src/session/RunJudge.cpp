#include "session/RunJudge.h"

#include "session/LabLog.h"
#include "session/LogPayoffs.h"
#include "window/logic/PayoffFile.h"

#include <QDir>

namespace {

// The run's number of attempts and where it comes from.
void countAttempts(LabLog *log, int attemptsGiven)
{
    if (log->companion && log->companion->attempts >= 1) {
        log->attemptCount = log->companion->attempts;
        log->countFrom = LabLog::CountFrom::Companion;
    } else if (attemptsGiven >= 1) {
        log->attemptCount = attemptsGiven;
        log->countFrom = LabLog::CountFrom::Given;
    } else {
        log->attemptCount = LabLog::builtAttempts();
        log->countFrom = LabLog::CountFrom::Built;
    }
}

// More attempts finished than the run had: a run problem at the first one too many.
void checkFinished(LabLog *log)
{
    const QList<const AttemptSummary *> finished = log->finishedAttempts();
    if (finished.size() <= log->attemptCount)
        return;
    const AttemptSummary &extra = *finished[log->attemptCount];
    const QString from = log->countFrom == LabLog::CountFrom::Companion
        ? QStringLiteral("as its companion record says")
        : log->countFrom == LabLog::CountFrom::Given
        ? QStringLiteral("as --attempts says")
        : QStringLiteral("as the program was built; give --attempts N if it was built otherwise");
    log->runProblems.append({log->parsed.records[extra.firstRecord].firstLine,
                             QStringLiteral("the log holds %1 finished attempts, but the run had %2 (%3)")
                                 .arg(finished.size()).arg(log->attemptCount).arg(from)});
}

const AttemptSummary *attemptNumbered(const LabLog &log, int number)
{
    const AttemptSummary *attempt = nullptr;
    for (const AttemptSummary &a : log.attempts)
        if (a.number == number)
            attempt = &a;
    return attempt;
}

// The log's line that reached the payoff node in attempt, where there is one; else the
// companion's line of the payoff shown.
qint64 reachingLine(const LabLog &log, const AttemptSummary *attempt, const CompanionPayoff &shown)
{
    qint64 line = shown.line;
    for (qsizetype i = attempt ? attempt->firstRecord : 0; attempt && i <= attempt->lastRecord; ++i)
        if (log.parsed.records[i].kind == LogRecord::Kind::FinalPayoffNode)
            line = log.parsed.records[i].firstLine;
    return line;
}

// One payoff the companion says was shown, against the node the log reached, the
// companion's payoff table and the payoff file (when fileRead).
void checkShown(LabLog *log, const CompanionPayoff &shown, bool fileRead)
{
    const auto where = QStringLiteral("attempt %1, p(%2)").arg(shown.attempt).arg(shown.index);
    const auto line = QStringLiteral("companion line %1: ").arg(shown.line);
    const AttemptSummary *attempt = attemptNumbered(*log, shown.attempt);
    const qint64 logLine = reachingLine(*log, attempt, shown);
    if (!attempt || attempt->finalPayoffNode != shown.index) {
        log->companionProblems.append(
            {logLine, line + QStringLiteral("%1: the log reaches %2 in that attempt")
                                 .arg(where, attempt && attempt->finalPayoffNode >= 0
                                                 ? QStringLiteral("p(%1)").arg(attempt->finalPayoffNode)
                                                 : QStringLiteral("no payoff node"))});
        return;
    }
    if (shown.index < 0 || shown.index >= PayoffFile::PayoffCount)
        return;
    const Companion &companion = *log->companion;
    const std::size_t node = std::size_t(shown.index);
    if (shown.payoff != companion.payoffs[node] || shown.text != companion.payoffTexts.value(shown.index))
        log->companionProblems.append({logLine, line + QStringLiteral("%1: the payoff shown is %2 (%3), but the "
                                                                      "companion's payoff table holds %4 (%5)")
                                                           .arg(where, shown.text).arg(shown.payoff)
                                                           .arg(companion.payoffTexts.value(shown.index))
                                                           .arg(companion.payoffs[node])});
    else if (fileRead && log->payoffs->payoffs[node] != shown.payoff)
        log->payoffProblems.append({logLine, line + QStringLiteral("%1: the payoff shown is %2 (%3), but the "
                                                                   "payoff file %4 holds %5 (%6)")
                                                        .arg(where, shown.text).arg(shown.payoff)
                                                        .arg(QDir::toNativeSeparators(log->payoffPath),
                                                             PayoffFile::displayText(log->payoffs->payoffs[node]))
                                                        .arg(log->payoffs->payoffs[node])});
}

} // namespace

void RunJudge::judge(LabLog *log, const QString &dataFile, int attemptsGiven)
{
    log->runProblems.clear();
    log->payoffProblems.clear();
    countAttempts(log, attemptsGiven);
    checkFinished(log);
    if (!log->companion)
        return;
    const bool fileRead = !LogPayoffs::load(log, dataFile);
    for (const CompanionPayoff &shown : log->companion->shown)
        checkShown(log, shown, fileRead);
}
