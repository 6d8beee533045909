#pragma once

#include "session/ExportTables.h"

class LogWalk;

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

    // The expected payoff of a node under full information: a payoff node its payoff,
    // Nature's node the mean of its two children, the subject's the larger; none when a
    // payoff below is not known.
    static std::optional<double> expectedPayoff(const LabLog &log, int level, int index);
};
