#include "room/LogVerdict.h"

#include "session/LabLog.h"

#include <QStringList>

LogVerdict LogVerdict::of(const QString &path, int attempts)
{
    LogVerdict verdict;
    verdict.path = path;
    LabLog log;
    QString error;
    if (!LabLog::load(path, &log, &error)) {
        verdict.ending = error;
        return verdict;
    }
    verdict.read = true;
    verdict.subject = log.subject();
    verdict.set = log.set();
    log.judge(QString(), attempts);
    verdict.ending = log.endingText();
    const LabLog::Admission admission = log.admit(false);
    verdict.admitted = admission.admitted;
    verdict.findings = admission.findings;
    return verdict;
}

QString LogVerdict::verdictText() const
{
    return !read ? QStringLiteral("cannot be read") : admitted ? QStringLiteral("ok") : QStringLiteral("fails");
}

QString LogVerdict::findingsText() const
{
    QStringList lines;
    for (const Finding &finding : findings)
        lines.append(finding.text());
    return lines.join(QLatin1Char('\n'));
}
