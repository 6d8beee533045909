#include "session/PayoffAgreement.h"

#include "window/logic/PayoffFile.h"

#include <QStringList>

#include <algorithm>

namespace {

constexpr int NodesNamed = 4;

} // namespace

void PayoffAgreement::add(const QString &workstation, qint16 set, const QList<std::optional<int>> &table)
{
    m_sets[set].append({workstation, table});
}

Findings PayoffAgreement::disagreements(Finding::Severity severity, QStringList *odd) const
{
    Findings findings;
    for (auto set = m_sets.cbegin(); set != m_sets.cend(); ++set) {
        QStringList nodes;
        int more = 0;
        for (int node = 0; node < PayoffFile::PayoffCount; ++node) {
            // Each value shown at this node, with the workstations that show it.
            QList<std::pair<int, QStringList>> values;
            for (const Table &table : set.value()) {
                const std::optional<int> payoff = table.payoffs.value(node);
                if (!payoff)
                    continue;
                auto found = std::find_if(values.begin(), values.end(),
                                          [&payoff](const auto &value) { return value.first == *payoff; });
                if (found == values.end())
                    values.append({*payoff, {table.workstation}});
                else
                    found->second.append(table.workstation);
            }
            if (values.size() < 2)
                continue;
            // The value most workstations show first.
            std::stable_sort(values.begin(), values.end(),
                             [](const auto &a, const auto &b) { return a.second.size() > b.second.size(); });
            for (qsizetype v = 1; odd && v < values.size(); ++v)
                for (const QString &workstation : std::as_const(values[v].second))
                    if (!odd->contains(workstation))
                        odd->append(workstation);
            if (nodes.size() == NodesNamed) {
                ++more;
                continue;
            }
            QStringList said;
            for (const auto &[payoff, workstations] : std::as_const(values))
                said.append(QStringLiteral("%1 at %2").arg(PayoffFile::displayText(payoff),
                                                          workstations.join(QStringLiteral(", "))));
            nodes.append(QStringLiteral("payoff node %1 is %2").arg(node).arg(said.join(QStringLiteral(" but "))));
        }
        if (nodes.isEmpty())
            continue;
        findings.append({severity, QString(), 0,
                         QStringLiteral("the logs of set %1 were shown different payoffs: %2%3; a room pays one "
                                        "experiment, so one of these payoff files (and its companion record) was "
                                        "changed: find which before paying")
                             .arg(set.key())
                             .arg(nodes.join(QStringLiteral("; ")))
                             .arg(more == 0 ? QString()
                                            : QStringLiteral("; and %1 node%2 more").arg(more).arg(
                                                  more == 1 ? QString() : QStringLiteral("s")))});
    }
    return findings;
}
