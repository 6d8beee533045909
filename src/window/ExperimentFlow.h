#pragma once

#include "window/logic/GoAheadFile.h"

#include <QList>
#include <QSet>

class EventLog;
class QWidget;
class TreeWalk;
struct Controls;
struct RunState;
struct Services;

// The experiment's course outside the tree: start-up, the experimenter's parameters and
// the payoff table, the go-ahead gate and the instructions, the attempts and the end.
class ExperimentFlow
{
public:
    ExperimentFlow(RunState &state, Controls &controls, EventLog &log, TreeWalk &walk,
                   Services &services, QWidget *window);

    void Form_Load();
    void HideTree();
    void ConfirmParameters_Click();
    void ShowStart();
    void TimerOkToGo_Timer();
    void Start_Click();
    void ShowtheTree_Click();
    void Continue_Click();
    void NextAttempt_Click();
    void ExperimentOver_Click();

    // What went wrong with the record for analysis, told to the experimenter when they
    // are at hand: at the confirmation, the end of the experiment and the close.
    void tellCompanionTrouble();
    // At the close: records that never reached the log, and lines that never reached the
    // record for analysis, are kept in the system's temporary folder, and the experimenter
    // is told where.
    void keepUnwrittenRecords();

private:
    bool acceptLeftoverGoAhead();
    QString goAheadPath() const;
    bool ReadPayoffTable();
    bool OpenEventLog();
    void tellExperimenter(const QString &text);
    // On the console, in the record for analysis and in a box.
    void warn(const QString &title, const QString &text);
    void reportGateTrouble(const GoAheadFile::Reading &reading);
    void reportLogFailure(const QString &message);

    RunState &m_state;
    Controls &m_c;
    EventLog &m_log;
    TreeWalk &m_walk;
    Services &m_services;
    QWidget *m_window;
    QSet<GoAheadFile::Status> m_reportedTrouble;
    qint16 m_seed = 0;              // for the record beside the log
    QList<qint64> m_payoffs;        // the payoffs as read, for the same
    bool m_confirmed = false;
};
