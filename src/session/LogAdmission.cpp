#include "session/LogAdmission.h"

#include "session/LabLog.h"

#include <QDir>

LogAdmission LogAdmission::admit(LabLog *log, bool force)
{
    LogAdmission result;
    const QString shown = QDir::toNativeSeparators(log->path);
    if (!log->keptFiles.isEmpty())
        result.findings.append({Finding::Severity::Note, shown, 0, log->keptText()});
    for (const LogProblem &warning : log->parsed.warnings)
        result.findings.append({Finding::Severity::Warning, shown, warning.line, warning.message});
    if (log->parsed.problems.isEmpty() && log->companionProblems.isEmpty() && log->runProblems.isEmpty()
        && log->payoffProblems.isEmpty())
        return result;
    const Finding::Severity label = force ? Finding::Severity::Forced : Finding::Severity::Error;
    for (const LogProblem &problem :
         log->parsed.problems + log->runProblems + log->companionProblems + log->payoffProblems)
        result.findings.append({label, shown, problem.line, problem.message});
    if (force && !log->companionProblems.isEmpty()) {
        result.findings.append({Finding::Severity::Forced, shown, 0,
                                QStringLiteral("its companion record is set aside; the classic log is used")});
        log->setCompanionAside();
    }
    if (log->parsed.unlistedProblems > 0)
        result.findings.append(
            {label, shown, 0, QStringLiteral("and %1 more lines like these").arg(log->parsed.unlistedProblems)});
    if (!force)
        result.findings.append({Finding::Severity::Plain, QString(), 0,
                                QStringLiteral("%1 cannot be read by the rules of the run (see \"treelab verify\"); "
                                               "give --force to read those lines as the records they look like")
                                    .arg(shown)});
    result.admitted = force;
    return result;
}
