#include "session/CashBreakdown.h"

#include "session/Money.h"

#include <QStringList>

#include <algorithm>
#include <limits>
#include <numeric>

namespace {

// An exact count beyond this many pence would hold too much in memory; such an amount
// takes the largest pieces first down to it.
constexpr qint64 ExactLimit = 2000000;
constexpr qint64 None = std::numeric_limits<qint64>::max();

qint64 count(const QList<qint64> &counts)
{
    return std::accumulate(counts.begin(), counts.end(), qint64(0));
}

} // namespace

QString CashBreakdown::poundText()
{
    return QStringLiteral("50,20,10,5,2,1,0.5,0.2,0.1,0.05,0.02,0.01");
}

std::optional<CashBreakdown> CashBreakdown::from(const QString &text, QString *why)
{
    CashBreakdown cash;
    for (const QString &item : text.split(QLatin1Char(','))) {
        const std::optional<qint64> pence = Money::parse(item);
        if (!pence || *pence == 0) {
            *why = QStringLiteral("\"%1\" is not an amount above 0 with at most two decimal places")
                       .arg(item.trimmed());
            return std::nullopt;
        }
        if (cash.m_denominations.contains(*pence)) {
            *why = QStringLiteral("\"%1\" is given twice").arg(item.trimmed());
            return std::nullopt;
        }
        cash.m_denominations.append(*pence);
    }
    std::sort(cash.m_denominations.begin(), cash.m_denominations.end(), std::greater<>());
    const QList<qint64> &d = cash.m_denominations;
    cash.m_greedyIsFewest = d.last() == 1;
    const qint64 bound = d.size() < 2 ? 0 : d[0] + d[1];
    if (cash.m_greedyIsFewest && bound > 0) {
        const Table table = cash.table(bound);
        for (qint64 amount = 1; cash.m_greedyIsFewest && amount < bound; ++amount)
            cash.m_greedyIsFewest = count(*cash.greedy(amount)) == table.least[std::size_t(amount)];
    }
    return cash;
}

std::optional<QList<qint64>> CashBreakdown::pieces(qint64 amount) const
{
    if (m_greedyIsFewest || amount > ExactLimit)
        return greedy(amount);
    return fewest(amount);
}

std::optional<QList<qint64>> CashBreakdown::greedy(qint64 amount) const
{
    QList<qint64> counts;
    for (const qint64 piece : m_denominations) {
        counts.append(amount / piece);
        amount %= piece;
    }
    if (amount != 0)
        return std::nullopt;
    return counts;
}

CashBreakdown::Table CashBreakdown::table(qint64 amount) const
{
    Table t;
    t.least.assign(std::size_t(amount) + 1, None);
    t.last.assign(std::size_t(amount) + 1, -1);
    t.least[0] = 0;
    for (qint64 a = 1; a <= amount; ++a)
        for (int k = 0; k < int(m_denominations.size()); ++k) {
            const qint64 piece = m_denominations[k];
            if (piece <= a && t.least[std::size_t(a - piece)] != None
                && t.least[std::size_t(a - piece)] + 1 < t.least[std::size_t(a)]) {
                t.least[std::size_t(a)] = t.least[std::size_t(a - piece)] + 1;
                t.last[std::size_t(a)] = k;
            }
        }
    return t;
}

std::optional<QList<qint64>> CashBreakdown::fewest(qint64 amount) const
{
    const Table t = table(amount);
    const std::vector<qint64> &least = t.least;
    const std::vector<int> &last = t.last;
    if (least[std::size_t(amount)] == None)
        return std::nullopt;
    QList<qint64> counts(m_denominations.size(), 0);
    for (qint64 a = amount; a > 0; a -= m_denominations[last[std::size_t(a)]])
        ++counts[last[std::size_t(a)]];
    return counts;
}

QString CashBreakdown::text(const QList<qint64> &counts, const QString &currency) const
{
    QStringList parts;
    for (qsizetype k = 0; k < counts.size(); ++k) {
        if (counts[k] == 0)
            continue;
        QString value = Money::shown(m_denominations[k], currency);
        if (value.endsWith(QLatin1String(".00")))
            value.chop(3);
        parts.append(QStringLiteral("%1 %2 %3").arg(counts[k]).arg(QChar(0x00D7)).arg(value));
    }
    return parts.isEmpty() ? QStringLiteral("nothing") : parts.join(QStringLiteral(", "));
}
