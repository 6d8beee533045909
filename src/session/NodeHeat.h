#pragma once

#include "session/LabLog.h"

#include <QMap>
#include <QPair>
#include <QString>

#include <optional>

class LogWalk;

// How much each node of the tree was looked at, over the logs added: the inspections of
// treelab export's inspections table (LogWalk), counted per node, or their dwell summed.
// Every click is an inspection, a burst's re-clicks too (as the table counts them); the
// bursts and the inspections that carry no time are counted beside, for the caption.
class NodeHeat
{
public:
    enum class Measure { Inspections, Dwell };
    using Node = QPair<int, int>; // (level 1..7, index)

    explicit NodeHeat(Measure measure) : m_measure(measure) {}

    // "inspections" or "dwell", as the option is given; nothing for another word.
    static std::optional<Measure> measureNamed(const QString &name);

    // Adds the inspections of the log's attempt (from 1), or of all its attempts (0).
    // The log's payoffs (LogPayoffs::loadShown) are kept for the payoff nodes.
    void add(const LabLog &log, const LogWalk &walk, int attempt = 0);

    Measure measure() const { return m_measure; }
    // The node's inspections, or its dwell in milliseconds; 0 for a node not looked at.
    qint64 value(const Node &node) const { return m_values.value(node); }
    qint64 maximum() const;

    int logs() const { return m_logs; }
    int attempts() const { return m_attempts; }
    int inspections() const { return m_inspections; }
    int bursts() const { return m_bursts; }
    // Inspections with no dwell (a log without its companion record, a node still shown).
    int untimed() const { return m_untimed; }

    // The payoff of payoff node 0..63 where every log added that knows it agrees.
    std::optional<int> payoff(int node) const;
    // True where two logs added hold different payoffs at the node.
    bool payoffDiffers(int node) const { return m_differs.value(node); }
    // The payoffs' currency as the subjects saw it ("£"), empty when not known.
    const QString &currency() const { return m_currency; }

private:
    Measure m_measure;
    QMap<Node, qint64> m_values;
    int m_logs = 0;
    int m_attempts = 0;
    int m_inspections = 0;
    int m_bursts = 0;
    int m_untimed = 0;
    QMap<int, int> m_payoffs;
    QMap<int, bool> m_differs;
    QString m_currency;
};
