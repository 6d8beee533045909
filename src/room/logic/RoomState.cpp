#include "room/logic/RoomState.h"

#include "record/LogReader.h"
#include "session/StateTexts.h"

#include <algorithm>

RoomState RoomState::of(const WorkstationState &state, const QList<RoomMark> &marks, bool setAside)
{
    const auto marked = [&](RoomMark::Kind kind) {
        return std::any_of(marks.begin(), marks.end(), [&](const RoomMark &mark) { return mark.kind == kind; });
    };
    if (!state.folderFound || marked(RoomMark::Kind::Unreadable))
        return {Kind::Unreadable, QStringLiteral("cannot be read")};
    if (!state.unread.isEmpty())
        return {Kind::Unreadable, QStringLiteral("log cannot be read")};
    if (setAside)
        return {Kind::SetAside, QStringLiteral("set aside")};
    if (!state.hasLog() || !state.today)
        return {Kind::WaitingForParameters, QStringLiteral("waiting for parameters")};
    if (state.closed())
        return {Kind::Closed, state.isOver() ? QStringLiteral("finished, closed") : QStringLiteral("closed")};
    if (state.isOver())
        return {Kind::Finished, QStringLiteral("finished")};
    if (marked(RoomMark::Kind::Silent))
        return {Kind::Silent, QStringLiteral("silent for %1").arg(StateTexts::age(state.ageSeconds))};
    if (state.attemptInPlay == 0)
        return {Kind::WaitingForStart, QStringLiteral("waiting for Start")};
    return {Kind::InAttempt, QStringLiteral("in attempt %1 of %2 at %3")
                                 .arg(state.attemptInPlay)
                                 .arg(state.attemptCount)
                                 .arg(LogReader::levelName(state.level))};
}
