#include "session/LabLog.h"

#include "session/LogNames.h"

#include <QDir>
#include <QFileInfo>

#ifndef DT_NUMBER_OF_ATTEMPTS
#define DT_NUMBER_OF_ATTEMPTS "4"
#endif

int LabLog::builtAttempts()
{
    return QStringLiteral(DT_NUMBER_OF_ATTEMPTS).toInt();
}

QList<const AttemptSummary *> LabLog::finishedAttempts() const
{
    QList<const AttemptSummary *> finished;
    for (const AttemptSummary &attempt : attempts)
        if (attempt.finished())
            finished.append(&attempt);
    return finished;
}

QString LabLog::endingText(bool stillWritten) const
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
    const QString how = ended();
    if (!how.isEmpty())
        return text + QStringLiteral("; ") + how;
    if (stillWritten)
        return text + QStringLiteral("; still running");
    return text + QStringLiteral("; cut off with no end line (killed, crashed, power lost, or still running)");
}

QString LabLog::ended() const
{
    if (!companion)
        return QString();
    if (companion->exitHow == QLatin1String("windowClosed"))
        return QStringLiteral("closed by its window");
    if (companion->exitHow == QLatin1String("goAhead99"))
        return QStringLiteral("closed by 99 in okto.go");
    if (companion->exitHow == QLatin1String("signal"))
        return QStringLiteral("ended by %1").arg(companion->exitSignal.isEmpty() ? QStringLiteral("a signal")
                                                                                 : companion->exitSignal);
    return QString();
}

bool LabLog::endLineMissing() const
{
    return companion && companion->exitHow != QLatin1String("windowClosed")
        && companion->exitHow != QLatin1String("goAhead99") && companion->exitHow != QLatin1String("signal");
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

std::optional<int> LabLog::payoff(int node) const
{
    if (!payoffs || node < 0 || node >= PayoffFile::PayoffCount)
        return std::nullopt;
    return payoffs->payoffs[std::size_t(node)];
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
