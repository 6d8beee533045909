#include "session/GoAheadAction.h"

#include "session/WorkstationReader.h"
#include "window/logic/GoAheadFile.h"

#include <QFileInfo>
#include <QStringList>

namespace {


QString subjectsEnded(const QList<WorkstationState> &runs)
{
    QStringList subjects;
    for (const WorkstationState &state : runs)
        subjects.append(QString::number(state.subject));
    if (subjects.isEmpty())
        return QString();
    return subjects.size() == 1 ? QStringLiteral(" (the program of subject %1)").arg(subjects[0])
                                : QStringLiteral(" (the programs of subjects %1)").arg(subjects.join(QStringLiteral(", ")));
}

} // namespace

QString GoAheadAction::stillPlayingIn(const QList<WorkstationState> &runs, const GoAheadFile::Reading &previous)
{
    if (previous.status != GoAheadFile::Status::Number || (previous.value != GoAheadFile::Release && previous.value != GoAheadFile::Played))
        return QString();
    QStringList where;
    for (const WorkstationState &state : runs) {
        if (state.isOver() || !state.setAside.isEmpty() || state.closed())
            continue;
        const QString place = state.attemptInPlay == 0
            ? QStringLiteral("Start is offered, the first attempt not begun")
            : QStringLiteral("attempt %1/%2").arg(state.attemptInPlay).arg(state.attemptCount);
        where.append(runs.size() > 1 ? QStringLiteral("subject %1: %2").arg(state.subject).arg(place) : place);
    }
    return where.join(QStringLiteral("; "));
}

GoAheadAction GoAheadAction::to(const QString &folder, qint16 value, int attempts, const Clock &clock)
{
    GoAheadAction action;
    // The subjects a 99 would end, read before the write.
    if (value == GoAheadFile::Quit && QFileInfo(folder).isDir())
        for (const WorkstationState &state : WorkstationReader(clock, attempts).folderStates(folder))
            if (state.today && state.hasLog() && state.setAside.isEmpty() && !state.closed())
                action.runs.append(state);
    action.write = GoAheadWrite::to(folder, value);
    if (value == GoAheadFile::Quit && action.write.written())
        action.stillPlaying = stillPlayingIn(action.runs, action.write.before);
    return action;
}

QString GoAheadAction::text() const
{
    if (!write.written())
        return write.text();
    if (stillPlaying.isEmpty())
        return write.text() + subjectsEnded(runs);
    return QStringLiteral("%1%2, but the subject has not finished (%3): the program acts on 99 only after the "
                          "subject's last attempt, once the button on its last screen is clicked; close its "
                          "window to stop it now")
        .arg(write.text(), subjectsEnded(runs), stillPlaying);
}
