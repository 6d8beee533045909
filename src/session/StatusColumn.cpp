#include "session/StatusColumn.h"

#include "record/LogReader.h"
#include "session/StateTexts.h"

namespace {

const QString None = QStringLiteral("-");

// "!" after a text that is marked.
QString marked(const QString &text, bool mark)
{
    return mark ? text + QLatin1Char('!') : text;
}

// The texts of a state for each column.

QString folderText(const WorkstationState &state)
{
    return state.folder;
}

QString goAheadText(const WorkstationState &state)
{
    // "99!" when left from an earlier session, "none" or "?".
    return state.folderFound ? marked(StateTexts::goAhead(state.goAhead), state.leftoverGoAhead) : None;
}

QString logText(const WorkstationState &state)
{
    // "!" marks a folder of two programs of today.
    return state.logName.isEmpty() ? None : marked(state.logName, state.severalLogsToday);
}

QString subjectText(const WorkstationState &state)
{
    // "!" marks a subject number found in another log of today.
    return state.hasLog() ? marked(QString::number(state.subject), state.sameSubjectElsewhere) : None;
}

QString setText(const WorkstationState &state)
{
    // "!" marks a set that differs from the room's; the subjects' language follows it when
    // a translation was loaded, or when the room's is another ("1 de_DE", "1 English!").
    if (!state.hasLog())
        return None;
    const QString set = marked(QString::number(state.set), state.setDiffers);
    if (state.language.isEmpty() && !state.languageDiffers)
        return set;
    return set + QLatin1Char(' ')
        + marked(state.language.isEmpty() ? QStringLiteral("English") : state.language, state.languageDiffers);
}

QString attemptText(const WorkstationState &state)
{
    // "2/4": the attempt in play out of the attempts given; "5?" beyond them.
    if (!state.hasLog() || state.attemptInPlay == 0)
        return None;
    return state.overCount() ? QStringLiteral("%1?").arg(state.attemptInPlay)
                             : QStringLiteral("%1/%2").arg(state.attemptInPlay).arg(state.attemptCount);
}

QString levelText(const WorkstationState &state)
{
    // "4 c2": the level the subject stands on in the attempt in play.
    if (!state.hasLog() || state.attemptInPlay == 0)
        return None;
    return QStringLiteral("%1 %2").arg(state.level).arg(LogReader::levelName(state.level));
}

QString doneText(const WorkstationState &state)
{
    // The attempts that reached their payoff node.
    return state.hasLog() ? QString::number(state.payoffs.size()) : None;
}

QString payoffsText(const WorkstationState &state)
{
    // "£51 -£5", or "p(50)" when the payoff file is unread.
    return state.hasLog() && !state.payoffs.isEmpty() ? state.payoffs.join(QLatin1Char(' ')) : None;
}

QString sinceText(const WorkstationState &state)
{
    return state.hasLog() ? StateTexts::age(state.ageSeconds) : None;
}

QString overText(const WorkstationState &state)
{
    if (!state.hasLog())
        return None;
    return state.overCount() ? QStringLiteral("?") : state.isOver() ? QStringLiteral("yes") : QStringLiteral("no");
}

constexpr std::array<StatusColumn, StatusColumn::ColumnCount> Columns{{
    {StatusColumn::Folder, "FOLDER", "Workstation", false, folderText},
    {StatusColumn::GoAhead, "GO", "Go-ahead", true, goAheadText},
    {StatusColumn::Log, "LOG", "Log", false, logText},
    {StatusColumn::Subject, "SUBJECT", "Subject", true, subjectText},
    {StatusColumn::Set, "SET", "Set", true, setText},
    {StatusColumn::Attempt, "ATTEMPT", "Attempt", true, attemptText},
    {StatusColumn::Level, "LEVEL", "Level", false, levelText},
    {StatusColumn::Done, "DONE", "Done", true, doneText},
    {StatusColumn::Payoffs, "PAYOFFS", "Payoffs", false, payoffsText},
    {StatusColumn::Since, "SINCE", "Since", true, sinceText},
    {StatusColumn::Over, "OVER", "Over", false, overText},
}};

constexpr bool inOrder()
{
    for (std::size_t k = 0; k < Columns.size(); ++k)
        if (std::size_t(Columns[k].id) != k)
            return false;
    return true;
}
static_assert(inOrder(), "each column at the place of its id");

} // namespace

const std::array<StatusColumn, StatusColumn::ColumnCount> &StatusColumn::all()
{
    return Columns;
}
