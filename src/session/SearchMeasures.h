#pragma once

#include "session/ExportTables.h"
#include "session/LogWalk.h"

#include <QHash>
#include <QSet>

#include <array>

// The information-search measures of each attempt, one row per attempt keyed as the
// attempts table: visits (consecutive clicks on one node merged), look-ahead depth by
// decision level, a tree's counterpart of Payne's search index, the decisions against the
// expected payoffs under full information, and the times of looking and deciding.
class SearchMeasures
{
public:
    static ExportTables::Definition definition();
    // payoffs: needs LogPayoffs::loadShown first for ev_choices and ev_ties.
    static QList<QStringList> rows(const LabLog &log, const LogWalk &walk);

    // One attempt's measures, taken inspection by inspection in the attempt's order, so
    // that its inspections need not be kept.
    class Tally
    {
    public:
        void take(const LogWalk::Inspection &seen);
        // The attempt's row; moves: the walk's, of this attempt and others.
        QStringList row(const LabLog &log, const AttemptSummary &attempt, const QList<LogWalk::Move> &moves);

    private:
        // A node looked at: one click, or a run of consecutive clicks on the same node.
        struct Visit
        {
            int level = 0;
            int index = -1;
            int levelsAhead = 0;
            int stoodLevel = 0;
            qint64 dwellMs = 0; // -1 when a click of it was not timed
        };
        void count(const Visit &visit);

        std::optional<Visit> m_visit; // the visit going on
        std::optional<Visit> m_before; // the visit counted last
        int m_visits = 0, m_lookahead = 0, m_vertical = 0, m_horizontal = 0;
        QSet<int> m_payoffNodes;
        std::array<int, 4> m_deepest{-1, -1, -1, -1};
        qint64 m_dwell = 0;
        bool m_timed = true;
        QHash<QPair<int, int>, QPair<qsizetype, qint64>> m_firstClick; // by node: its record, openedMs
    };

    // The expected payoff of a node under full information: a payoff node its payoff,
    // Nature's node the mean of its two children, the subject's the larger; none when a
    // payoff below is not known.
    static std::optional<double> expectedPayoff(const LabLog &log, int level, int index);
};
