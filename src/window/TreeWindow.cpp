#include "window/TreeWindow.h"

#include "tree/NodeButton.h"
#include "tree/NotepadText.h"
#include "tree/TreeModel.h"
#include "window/ControlFactory.h"
#include "window/WrappingButton.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTimer>

TreeWindow::TreeWindow(Services services, QWidget *parent)
    : QWidget(parent),
      m_services(std::move(services)),
      m_log(m_services.clock, QLocale(), m_services.syncData),
      m_walk(m_state, m_controls, m_log, m_services, this),
      m_flow(m_state, m_controls, m_log, m_walk, m_services, this)
{
    setObjectName(QStringLiteral("Tree"));
    setWindowTitle(QStringLiteral("Decision Tree"));
    m_controls.scale = PointScale(logicalDpiY());
    ControlFactory::build(this, m_controls);
    connectHandlers();
    // The layout reaches x 770 and y 530 points; the client area holds it all.
    resize(m_controls.scale.px(774), m_controls.scale.px(534));
    m_flow.Form_Load();
}

TreeWindow::~TreeWindow() = default;

void TreeWindow::closeEvent(QCloseEvent *event)
{
    // Every record has been handed to the system and forced to the disk as it came;
    // closing completes both files. A notepad open now keeps its text in the companion.
    const bool notepadOpen = !m_controls.NotepadContainer->isHidden();
    m_log.companion().exit(notepadOpen ? m_state.ClickLevel : -1, m_state.ClickIndex,
                           notepadOpen ? NotepadText::of(m_controls.Notepad) : QString());
    m_log.CloseEventLog();
    m_controls.TimerOkToGo->stop();
    event->accept();
}

void TreeWindow::closeForSignal(const QString &name)
{
    m_log.companion().endingBy(QStringLiteral("signal"), name);
    close();
}

void TreeWindow::connectHandlers()
{
    Controls &c = m_controls;
    connect(c.ConfirmParameters, &QPushButton::clicked, this, [this] { m_flow.ConfirmParameters_Click(); });
    connect(c.TimerOkToGo, &QTimer::timeout, this, [this] { m_flow.TimerOkToGo_Timer(); });
    connect(c.Start, &QPushButton::clicked, this, [this] { m_flow.Start_Click(); });
    connect(c.ShowtheTree, &QPushButton::clicked, this, [this] { m_flow.ShowtheTree_Click(); });
    connect(c.Continue, &QPushButton::clicked, this, [this] { m_flow.Continue_Click(); });
    connect(c.NextAttempt, &QPushButton::clicked, this, [this] { m_flow.NextAttempt_Click(); });
    connect(c.ExperimentOver, &QPushButton::clicked, this, [this] { m_flow.ExperimentOver_Click(); });
    connect(c.CloseNotepad, &QPushButton::clicked, this, [this] { m_walk.CloseNotepad_Click(); });
    connect(c.ConfirmDecision, &QPushButton::clicked, this, [this] { m_walk.ConfirmDecision_Click(); });
    connect(c.NatureMove, &QPushButton::clicked, this, [this] { m_walk.NatureMove_Click(); });
    for (int level = 1; level <= TreeModel::PayoffLevel; ++level) {
        for (int i = 0; i < TreeModel::nodesOnLevel(level); ++i) {
            connect(c.tree.node(level, i), &QAbstractButton::clicked, this,
                    [this, level, i] { m_walk.nodeClicked(level, i); });
        }
    }
}
