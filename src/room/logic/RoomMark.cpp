#include "room/logic/RoomMark.h"

#include "session/StateTexts.h"
#include "window/logic/GoAheadFile.h"

QList<RoomMark> RoomMark::of(const WorkstationState &state, bool readable, int silentAfter)
{
    QList<RoomMark> marks;
    const auto mark = [&](Kind kind, const QString &reason) {
        const bool unusable = kind == Kind::Unreadable || kind == Kind::FailsVerification || kind == Kind::LogUnread;
        const Finding::Severity severity = unusable ? Finding::Severity::Error : Finding::Severity::Warning;
        marks.append({kind, {severity, state.folder, 0, reason}});
    };
    if (!state.folderFound) {
        mark(Kind::Unreadable, QStringLiteral("there is no such folder (a share not connected, or a mistyped name?)"));
        return marks;
    }
    if (!readable || state.goAhead.status == GoAheadFile::Status::Unreadable) {
        mark(Kind::Unreadable, !readable ? QStringLiteral("the folder cannot be read: its files cannot be "
                                                          "listed (no permission?)")
                                         : QStringLiteral("okto.go cannot be read: %1").arg(state.goAhead.detail));
        if (!readable)
            return marks;
    }
    if (!state.unread.isEmpty())
        mark(Kind::LogUnread, state.unread);
    if (state.leftoverGoAhead)
        mark(Kind::LeftoverGoAhead, StateTexts::leftover(state.goAhead.value) + QStringLiteral("; Prepare writes 0"));
    if (state.sameSubjectElsewhere)
        mark(Kind::SameSubject, QStringLiteral("subject %1 also has a log of today in another folder: each "
                                               "subject must have a number of their own")
                                    .arg(state.subject));
    if (state.setDiffers)
        mark(Kind::SetDiffers, QStringLiteral("parameter set %1 differs from the rest of the room's").arg(state.set));
    if (state.languageDiffers)
        mark(Kind::LanguageDiffers,
             QStringLiteral("the subject's texts are in %1, unlike the rest of the room's")
                 .arg(state.language.isEmpty() ? QStringLiteral("English") : state.language));
    if (state.severalLogsToday)
        mark(Kind::TwoSubjects, QStringLiteral("this folder holds the logs of two programs of today (two "
                                               "programs started on one data folder?); each has a row"));
    const bool inPlay = state.hasLog() && state.today && state.attemptInPlay > 0 && !state.isOver();
    if (inPlay && state.ageSeconds >= silentAfter)
        mark(Kind::Silent, QStringLiteral("nothing written for %1 while attempt %2 is in play (marked after %3 s)")
                               .arg(StateTexts::age(state.ageSeconds))
                               .arg(state.attemptInPlay)
                               .arg(silentAfter));
    if (state.failsVerification)
        mark(Kind::FailsVerification,
             QStringLiteral("%1 fails verification (Verify all names each line)").arg(state.logName));
    return marks;
}

QString RoomMark::name(Kind kind)
{
    switch (kind) {
    case Kind::Unreadable: return QStringLiteral("cannot be read");
    case Kind::LeftoverGoAhead: return QStringLiteral("leftover go-ahead");
    case Kind::SameSubject: return QStringLiteral("same subject");
    case Kind::SetDiffers: return QStringLiteral("set differs");
    case Kind::LanguageDiffers: return QStringLiteral("language differs");
    case Kind::TwoSubjects: return QStringLiteral("two subjects");
    case Kind::Silent: return QStringLiteral("silent");
    case Kind::FailsVerification: return QStringLiteral("fails verification");
    case Kind::LogUnread: return QStringLiteral("log not read");
    }
    return QString();
}
