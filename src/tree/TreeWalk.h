#pragma once

#include "tree/logic/TreeModel.h"
#include <QString>

class EventLog;
class QWidget;
struct Controls;
struct RunState;
struct Services;

// The subject's walk through the tree in one attempt: the reset, the node clicks with
// their notepads, the decision move, Nature's move and the payoff nodes.
class TreeWalk
{
public:
    TreeWalk(RunState &state, Controls &controls, EventLog &log, Services &services,
             QWidget *window);

    void ResetTree();

    void d1_Click();
    void c1_Click(int Index);
    void d2_Click(int Index);
    void c2_Click(int Index);
    void d3_Click(int Index);
    void c3_Click(int Index);
    void p_Click(int Index);
    void CloseNotepad_Click();
    void ConfirmDecision_Click();
    void NatureMove_Click();

    // Any node button: routes to the click handler of its level.
    void nodeClicked(int level, int index);

private:
    // The one implementation of d1_Click to c3_Click; 1 <= level <= 6.
    void clickNode(int level, int index);
    void LeaveInspectedNode();
    void MarkOutBranch(int level, int index, TreeModel::Direction direction);
    void storeNotepad(int level, int index);
    void clearOptions();
    void reachPayoffNode();
    void writeGoAheadAfterFirstAttempt();
    void noteGoAheadWritten(qint16 value, bool written, const QString &error);

    RunState &m_state;
    Controls &m_c;
    EventLog &m_log;
    Services &m_services;
    QWidget *m_window;
};
