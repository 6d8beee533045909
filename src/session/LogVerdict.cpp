#include "session/LogVerdict.h"

#include "session/LogPayoffs.h"
#include "window/logic/PayoffFile.h"

#include "session/LabLog.h"
#include "session/LabLogReader.h"
#include "session/LogAdmission.h"
#include "session/RunJudge.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

// The record layer's problems of the log at path, as findings of severity.
Findings findingsOf(const QList<LogProblem> &problems, Finding::Severity severity, const QString &path)
{
    Findings findings;
    for (const LogProblem &problem : problems)
        findings.append({severity, QDir::toNativeSeparators(path), problem.line, problem.message});
    return findings;
}

} // namespace

LogVerdict LogVerdict::of(const QString &path, const QString &dataFile, int attempts, const QDateTime &runningSince)
{
    LogVerdict verdict;
    verdict.path = path;
    if (const QFileInfo info(path); info.exists())
        verdict.written = info.lastModified();
    LabLog log;
    if (const std::optional<Finding> unread = LabLogReader::load(path, &log)) {
        verdict.ending = unread->text();
        verdict.summary = QStringLiteral("FAILS: ") + unread->text();
        return verdict;
    }
    verdict.read = true;
    verdict.subject = log.subject();
    verdict.set = log.set();
    verdict.language = log.companion ? log.companion->textsLanguage : QString();
    RunJudge::judge(&log, dataFile, attempts);
    verdict.running = log.endLineMissing() && runningSince.isValid() && verdict.written.isValid()
        && verdict.written >= runningSince;
    verdict.ending = log.endingText(verdict.running);
    const QString facts = QStringLiteral("subject %1, set %2, %3 records, %4%5")
                              .arg(log.subject()).arg(log.set()).arg(log.parsed.records.size())
                              .arg(verdict.ending,
                                   log.keptFiles.isEmpty() ? QString() : QStringLiteral("; ") + log.keptText());
    verdict.warnings = findingsOf(log.parsed.warnings, Finding::Severity::Warning, path);
    verdict.problems = findingsOf(log.parsed.problems + log.runProblems + log.companionProblems + log.payoffProblems,
                                  Finding::Severity::Error, path);
    verdict.unlisted = log.parsed.unlistedProblems;
    verdict.findings = LogAdmission::admit(&log, false).findings;
    // The payoffs as the run's table held them, read after the verdict so as not to
    // change it; a payoff file that cannot be read leaves them unknown.
    LogPayoffs::loadShown(&log, dataFile);
    for (int node = 0; node < PayoffFile::PayoffCount; ++node)
        verdict.payoffs.append(log.payoffAt(node));
    if (verdict.problems.isEmpty()) {
        verdict.ok = true;
        verdict.summary = QStringLiteral("ok: %1%2")
                              .arg(facts, log.companion ? QStringLiteral(", and agrees with its companion record")
                                                        : QString());
        return verdict;
    }
    QStringList what;
    if (log.parsed.problemCount() > 0)
        what.append(QStringLiteral("%1 lines have no place by the rules").arg(log.parsed.problemCount()));
    if (!log.runProblems.isEmpty())
        what.append(QStringLiteral("more attempts than the run had"));
    if (!log.payoffProblems.isEmpty())
        what.append(log.payoffProblems.size() == 1
                        ? QStringLiteral("a payoff shown that the payoff file does not hold")
                        : QStringLiteral("%1 payoffs shown that the payoff file does not hold").arg(log.payoffProblems.size()));
    if (!log.companionProblems.isEmpty())
        what.append(QStringLiteral("%1 differences from its companion record").arg(log.companionProblems.size()));
    verdict.summary = QStringLiteral("FAILS: %1 (%2)").arg(what.join(QStringLiteral(", ")), facts);
    return verdict;
}

QString LogVerdict::writtenText() const
{
    return written.isValid() ? written.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
}

QString LogVerdict::verdictText() const
{
    return !read ? QStringLiteral("cannot be read") : ok ? QStringLiteral("ok") : QStringLiteral("fails");
}

QString LogVerdict::findingsText() const
{
    QStringList lines;
    for (const Finding &finding : findings)
        lines.append(finding.text());
    return lines.join(QLatin1Char('\n'));
}
