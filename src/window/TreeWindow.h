#pragma once

#include "record/EventLog.h"
#include "tree/TreeWalk.h"
#include "window/widgets/Controls.h"
#include "window/ExperimentFlow.h"
#include "window/widgets/RecordedMessageBoxes.h"
#include "window/logic/RunState.h"
#include "window/widgets/Services.h"
#include "window/widgets/WatchedMessageBoxes.h"

#include <QWidget>

// The experiment window "Decision Tree": every control, the run's shared state, the
// event log, and the handlers of the experiment flow and of the tree.
class TreeWindow : public QWidget
{
    Q_OBJECT

public:
    explicit TreeWindow(Services services, QWidget *parent = nullptr);
    ~TreeWindow() override;

    const RunState &state() const { return m_state; }
    const Controls &controls() const { return m_controls; }
    ExperimentFlow &flow() { return m_flow; }
    TreeWalk &walk() { return m_walk; }
    EventLog &log() { return m_log; }

    // A termination signal (SIGTERM, SIGHUP, SIGINT) arrived: both files are completed,
    // the record for analysis naming the signal and the box open, if any, and the window
    // closes. No box is shown from here on. The caller then ends the process, so that a
    // handler waiting in a box never goes on (SignalHandler::endProcess).
    void closeForSignal(const QString &name);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    PointScale fittedScale() const;
    void connectHandlers();
    void writeExitLine();

    RunState m_state;
    Controls m_controls;
    EventLog m_log;
    // The boxes as given, each recorded once answered, and watched for the one open when a
    // signal ends the run (a silenced box is neither shown nor recorded).
    RecordedMessageBoxes m_recorded;
    WatchedMessageBoxes m_boxes;
    Services m_services; // as given, with m_boxes for its boxes
    TreeWalk m_walk;
    ExperimentFlow m_flow;
    bool m_closing = false;
};
