#include "session/NodeHeat.h"

#include "session/LogWalk.h"
#include "session/Money.h"
#include "tree/logic/TreeModel.h"

#include <algorithm>

std::optional<NodeHeat::Measure> NodeHeat::measureNamed(const QString &name)
{
    if (name == QLatin1String("inspections"))
        return Measure::Inspections;
    if (name == QLatin1String("dwell"))
        return Measure::Dwell;
    return std::nullopt;
}

void NodeHeat::add(const LabLog &log, const LogWalk &walk, int attempt)
{
    ++m_logs;
    for (const AttemptSummary &summary : log.attempts) {
        if (attempt != 0 && summary.number != attempt)
            continue;
        ++m_attempts;
        if (m_currency.isEmpty())
            if (const std::optional<LabLog::Shown> shown = log.shownPayoff(summary))
                m_currency = Money::currencyOf(shown->text);
    }
    for (const LogWalk::Inspection &seen : walk.inspections()) {
        if (attempt != 0 && seen.attempt != attempt)
            continue;
        ++m_inspections;
        if (seen.burst == 1)
            ++m_bursts;
        const qint64 dwell = seen.dwellMs();
        if (dwell < 0)
            ++m_untimed;
        const Node node{seen.level, seen.index};
        if (m_measure == Measure::Inspections)
            m_values[node] += 1;
        else if (dwell >= 0)
            m_values[node] += dwell;
    }
    for (int node = 0; node < TreeModel::nodesOnLevel(TreeModel::PayoffLevel); ++node) {
        const std::optional<int> payoff = log.payoffAt(node);
        if (!payoff)
            continue;
        const auto held = m_payoffs.constFind(node);
        if (held == m_payoffs.cend())
            m_payoffs.insert(node, *payoff);
        else if (*held != *payoff)
            m_differs.insert(node, true);
    }
}

qint64 NodeHeat::maximum() const
{
    qint64 most = 0;
    for (const qint64 value : m_values)
        most = std::max(most, value);
    return most;
}

std::optional<int> NodeHeat::payoff(int node) const
{
    const auto held = m_payoffs.constFind(node);
    if (held == m_payoffs.cend() || m_differs.value(node))
        return std::nullopt;
    return *held;
}
