#include "session/SearchMeasures.h"

#include <algorithm>
#include <utility>

namespace {

using Column = ExportTables::Column;
using Type = ExportTables::Column::Type;

const QString Never = QStringLiteral("never");

QString decimal(double value)
{
    return QString::number(value, 'f', 3);
}

} // namespace

ExportTables::Definition SearchMeasures::definition()
{
    const ExportTables::Definition attempts = ExportTables::attempts();
    QList<Column> columns{attempts.columns[0], attempts.columns[1], attempts.columns[2], attempts.columns[3]};
    columns += {
        {QStringLiteral("visits"), Type::Integer, QString(),
         QStringLiteral("the attempt's inspections with consecutive clicks on the same node merged into one"),
         QStringLiteral("inspections, counting a row whose transition is repeat with the one before"), Never},
        {QStringLiteral("lookahead_visits"), Type::Integer, QString(),
         QStringLiteral("the visits to a node other than the one stood on (levels_ahead >= 1)"),
         QStringLiteral("visits with levels_ahead of at least 1"), Never},
        {QStringLiteral("payoff_nodes_seen"), Type::Integer, QString(),
         QStringLiteral("the distinct payoff nodes visited ahead of the node stood on"),
         QStringLiteral("look-ahead visits at level p, each node once"), Never}};
    const int ahead[] = {6, 4, 2};
    for (int d = 1; d <= 3; ++d)
        columns.append({QStringLiteral("deepest_ahead_d%1").arg(d), Type::Integer, QStringLiteral("levels"),
                        QStringLiteral("the deepest levels_ahead looked at while standing on d%1").arg(d),
                        QStringLiteral("the largest levels_ahead of the visits whose stood_level is d%1").arg(d),
                        QStringLiteral("no visit while standing on d%1").arg(d)});
    for (int d = 1; d <= 3; ++d)
        columns.append({QStringLiteral("normalised_ahead_d%1").arg(d), Type::Number, QString(),
                        QStringLiteral("deepest_ahead_d%1 as a share of the levels that lie ahead of d%1 (0 to 1)").arg(d),
                        QStringLiteral("deepest_ahead_d%1 / %2").arg(d).arg(ahead[d - 1]),
                        QStringLiteral("deepest_ahead_d%1 is empty").arg(d)});
    columns += {
        {QStringLiteral("search_index"), Type::Number, QString(),
         QStringLiteral("(V - H) / (V + H) over consecutive pairs of look-ahead visits: V counts pairs whose second "
                        "node is the parent or a child of the first, H pairs on the same level; +1 follows branches, "
                        "-1 scans levels (a tree's counterpart of Payne's index)"),
         QStringLiteral("the visits in order; a pair counts when both are look-ahead visits"),
         QStringLiteral("V + H is 0")},
        {QStringLiteral("ev_choices"), Type::Integer, QString(),
         QStringLiteral("of the subject's decisions, how many took the branch with the higher expected payoff under "
                        "full information"),
         QStringLiteral("expected payoff: a payoff node its payoff, Nature's node the mean of its two children, the "
                        "subject's node the larger of its two; the decision's two children compared"),
         QStringLiteral("the run's payoff table is not at hand")},
        {QStringLiteral("ev_ties"), Type::Integer, QString(),
         QStringLiteral("of the subject's decisions, how many faced two branches of equal expected payoff"),
         QStringLiteral("as ev_choices"), QStringLiteral("the run's payoff table is not at hand")},
        {QStringLiteral("lookahead_dwell_ms"), Type::Number, QStringLiteral("ms"),
         QStringLiteral("the mean dwell of the look-ahead visits"),
         QStringLiteral("a visit's dwell is the sum of dwell_ms of its clicks; the mean with three decimals"),
         QStringLiteral("no look-ahead visit, or one not timed (no companion record)")}};
    for (int d = 1; d <= 3; ++d)
        columns.append({QStringLiteral("first_click_to_decision_ms_d%1").arg(d), Type::Integer, QStringLiteral("ms"),
                        QStringLiteral("the time from the first click on the d%1 node decided at to the decision").arg(d),
                        QStringLiteral("moved_ms of the decision less opened_ms of the attempt's first click on "
                                       "that node"),
                        QStringLiteral("no decision at d%1, the node was not clicked before it, or no companion "
                                       "record").arg(d)});
    return {QStringLiteral("measures"), QStringLiteral("--measures"),
            QStringLiteral("One row per attempt of each log, keyed as attempts (log, subject, attempt): the "
                           "information-search measures, made from inspections and decisions."),
            columns};
}

std::optional<double> SearchMeasures::expectedPayoff(const LabLog &log, int level, int index)
{
    if (level == 7) {
        const std::optional<int> payoff = log.payoffAt(index);
        return payoff ? std::optional<double>(*payoff) : std::nullopt;
    }
    const std::optional<double> left = expectedPayoff(log, level + 1, 2 * index);
    const std::optional<double> right = expectedPayoff(log, level + 1, 2 * index + 1);
    if (!left || !right)
        return std::nullopt;
    return level % 2 == 0 ? (*left + *right) / 2 : std::max(*left, *right);
}

QList<QStringList> SearchMeasures::rows(const LabLog &log, const LogWalk &walk)
{
    QList<QStringList> rows;
    for (const AttemptSummary &attempt : log.attempts) {
        Tally tally;
        for (const LogWalk::Inspection &seen : walk.inspections())
            if (seen.attempt == attempt.number)
                tally.take(seen);
        rows.append(tally.row(log, attempt, walk.moves()));
    }
    return rows;
}

void SearchMeasures::Tally::take(const LogWalk::Inspection &seen)
{
    if (const QPair<int, int> node{seen.level, seen.index}; !m_firstClick.contains(node))
        m_firstClick.insert(node, {seen.record, seen.openedMs});
    if (m_visit && seen.transition == QLatin1String("repeat")) {
        m_visit->dwellMs = m_visit->dwellMs < 0 || seen.dwellMs() < 0 ? -1 : m_visit->dwellMs + seen.dwellMs();
        return;
    }
    if (m_visit)
        count(*m_visit);
    m_visit = Visit{seen.level, seen.index, seen.levelsAhead, seen.stoodLevel, seen.dwellMs()};
    ++m_visits;
}

void SearchMeasures::Tally::count(const Visit &visit)
{
    const std::optional<Visit> from = std::exchange(m_before, visit);
    if (visit.stoodLevel % 2 == 1 && visit.stoodLevel <= 5)
        m_deepest[std::size_t(visit.stoodLevel / 2 + 1)]
            = std::max(m_deepest[std::size_t(visit.stoodLevel / 2 + 1)], visit.levelsAhead);
    if (visit.levelsAhead < 1)
        return;
    ++m_lookahead;
    if (visit.level == 7)
        m_payoffNodes.insert(visit.index);
    m_timed = m_timed && visit.dwellMs >= 0;
    m_dwell += visit.dwellMs;
    if (from && from->levelsAhead >= 1) {
        if ((visit.level == from->level + 1 && visit.index / 2 == from->index)
            || (visit.level + 1 == from->level && from->index / 2 == visit.index))
            ++m_vertical;
        else if (visit.level == from->level)
            ++m_horizontal;
    }
}

QStringList SearchMeasures::Tally::row(const LabLog &log, const AttemptSummary &attempt,
                                       const QList<LogWalk::Move> &moves)
{
    if (m_visit)
        count(*std::exchange(m_visit, std::nullopt));
    QStringList row{log.path, QString::number(log.subject()), QString::number(log.set()),
                    QString::number(attempt.number), QString::number(m_visits)};
    row << QString::number(m_lookahead) << QString::number(m_payoffNodes.size());
    for (int d = 1; d <= 3; ++d)
        row << (m_deepest[std::size_t(d)] < 0 ? QString() : QString::number(m_deepest[std::size_t(d)]));
    const int ahead[] = {6, 4, 2};
    for (int d = 1; d <= 3; ++d)
        row << (m_deepest[std::size_t(d)] < 0 ? QString() : decimal(double(m_deepest[std::size_t(d)]) / ahead[d - 1]));
    row << (m_vertical + m_horizontal == 0 ? QString()
                                           : decimal(double(m_vertical - m_horizontal) / (m_vertical + m_horizontal)));
    // The subject's decisions against the expected payoffs, and the time to each.
    int choices = 0, ties = 0;
    bool known = true;
    std::array<QString, 4> toDecision;
    for (const LogWalk::Move &move : moves) {
        if (move.attempt != attempt.number || move.level % 2 == 0)
            continue;
        const std::optional<double> left = expectedPayoff(log, move.level + 1, 2 * move.index);
        const std::optional<double> right = expectedPayoff(log, move.level + 1, 2 * move.index + 1);
        known = known && left && right;
        if (left && right) {
            if (*left == *right)
                ++ties;
            else if ((*left > *right) == (move.direction == 'L'))
                ++choices;
        }
        // The attempt's first click on the node, when it came before the move.
        const auto first = m_firstClick.constFind({move.level, move.index});
        if (first != m_firstClick.constEnd() && first->first < move.record && first->second >= 0 && move.movedMs >= 0)
            toDecision[std::size_t(move.level / 2 + 1)] = QString::number(move.movedMs - first->second);
    }
    row << (known ? QString::number(choices) : QString()) << (known ? QString::number(ties) : QString());
    row << (m_lookahead > 0 && m_timed ? decimal(double(m_dwell) / m_lookahead) : QString());
    for (int d = 1; d <= 3; ++d)
        row << toDecision[std::size_t(d)];
    return row;
}
