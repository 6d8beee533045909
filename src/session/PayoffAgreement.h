#pragma once

#include "session/Finding.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// A room plays one experiment: every log of one parameter set must have been shown the
// same payoff table. A companion record and a payoff file changed together agree with
// each other, and so verify alone; held against the other workstations of their set they
// do not. Tables are added log by log; what disagrees is told per set and node.
class PayoffAgreement
{
public:
    // table: the payoff of each payoff node 0..63 as the log's run held it (nothing where
    // it is not known, which agrees with anything).
    void add(const QString &workstation, qint16 set, const QList<std::optional<int>> &table);

    // One finding per set whose tables differ, with the given severity, naming the nodes
    // (the first few), each value with the workstations that hold it, and the number of
    // nodes more. Empty when every set agrees. *odd, when given, gets the workstations that
    // show a value fewer of their set show, at some node.
    Findings disagreements(Finding::Severity severity, QStringList *odd = nullptr) const;

private:
    struct Table
    {
        QString workstation;
        QList<std::optional<int>> payoffs;
    };
    QMap<qint16, QList<Table>> m_sets;
};
