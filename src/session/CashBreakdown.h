#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <vector>

// The notes and coins that make up an amount with the fewest pieces. For the pound's set
// and the like, taking the largest piece that fits again and again is the fewest; for a
// set where that is not so (3, 4 and 1: greedy makes 6 as 4+1+1, the fewest is 3+3) the
// fewest is counted exactly on whole pence. Whether greedy holds is checked for the set
// given: were it wrong for some amount, it would be wrong for one below the two largest
// pieces summed (Kozen and Zaks, 1994).
class CashBreakdown
{
public:
    // The pound's notes and coins: 50 down to 0.01.
    static QString poundText();

    // A list such as "50,20,10,5,2,1,0.5,0.2,0.1,0.05,0.02,0.01" (Money::parse each, in
    // any order, each once, none 0). Nothing, with *why naming the item, otherwise.
    static std::optional<CashBreakdown> from(const QString &text, QString *why);

    // Largest first, in pence.
    const QList<qint64> &denominations() const { return m_denominations; }
    bool greedyIsFewest() const { return m_greedyIsFewest; }

    // How many of each denomination (same order); nothing when amount cannot be made of
    // them (a set without the smallest coin).
    std::optional<QList<qint64>> pieces(qint64 amount) const;

    // "2 × £20, 1 × £5, 1 × £0.50"; "nothing" for no piece.
    QString text(const QList<qint64> &counts, const QString &currency) const;

private:
    // least[a]: the fewest pieces that make a pence (None-like max when none do);
    // last[a]: the denomination taken last.
    struct Table
    {
        std::vector<qint64> least;
        std::vector<int> last;
    };
    Table table(qint64 amount) const;
    std::optional<QList<qint64>> greedy(qint64 amount) const;
    std::optional<QList<qint64>> fewest(qint64 amount) const;

    QList<qint64> m_denominations;
    bool m_greedyIsFewest = false;
};
