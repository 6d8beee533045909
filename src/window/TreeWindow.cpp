#include "window/TreeWindow.h"

#include "tree/widgets/NodeButton.h"
#include "tree/widgets/NotepadText.h"
#include "tree/logic/TreeModel.h"
#include "window/widgets/ControlFactory.h"
#include "window/widgets/WrappingButton.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace {

// The layout reaches x 770 and y 530 points.
constexpr double LayoutWidth = 774;
constexpr double LayoutHeight = 534;
// What a title bar and the borders of a maximized window may take, in points.
constexpr double FrameWidth = 12;
constexpr double FrameHeight = 30;

} // namespace

TreeWindow::TreeWindow(Services services, QWidget *parent)
    : QWidget(parent),
      m_log(services.clock, QLocale(), services.syncData),
      m_recorded(services.boxes, m_log),
      m_boxes(m_recorded),
      m_services{services.clock, services.random, m_boxes, std::move(services.dataDirectory),
                 std::move(services.syncData), services.texts},
      m_walk(m_state, m_controls, m_log, m_services, this),
      m_flow(m_state, m_controls, m_log, m_walk, m_services, this)
{
    setObjectName(QStringLiteral("Tree"));
    setWindowTitle(QCoreApplication::translate("TreeWindow", "Decision Tree"));
    // A right-to-left translation turns the texts, never the tree: MoveLeft and the left
    // branch stay on the left, as the log names them.
    setLayoutDirection(Qt::LeftToRight);
    m_controls.scale = fittedScale();
    ControlFactory::build(this, m_controls);
    connectHandlers();
    // The client area holds the whole layout; on a screen too small for it, the window
    // opens maximized with the layout shrunk to fit.
    resize(m_controls.scale.px(LayoutWidth), m_controls.scale.px(LayoutHeight));
    if (m_controls.scale.fit() < 1.0)
        setWindowState(Qt::WindowMaximized);
    m_flow.Form_Load();
    // Sees the mouse buttons, the keys and the hiding of every control before the
    // control does.
    qApp->installEventFilter(this);
}

PointScale TreeWindow::fittedScale() const
{
    const double dpi = logicalDpiY();
    const PointScale natural(dpi);
    const QScreen *where = screen();
    if (!where)
        return natural;
    const QSize room = where->availableGeometry().size()
        - QSize(natural.px(FrameWidth), natural.px(FrameHeight));
    const double fit = std::min({1.0, room.width() / natural.pxF(LayoutWidth),
                                 room.height() / natural.pxF(LayoutHeight)});
    return fit > 0 ? PointScale(dpi, fit) : natural;
}

TreeWindow::~TreeWindow()
{
    qApp->removeEventFilter(this);
}

void TreeWindow::closeEvent(QCloseEvent *event)
{
    // Every record has been handed to the system and forced to the disk as it came;
    // closing completes both files, once the go-ahead's write, if still on its way, is
    // in and recorded. What the experimenter must hear of is told before the record for
    // analysis ends, so that it holds those warnings too; its exit line comes last, with
    // the text of a notepad open now.
    m_closing = true;
    m_controls.TimerOkToGo->stop();
    m_log.settle();
    m_log.CloseEventLog();
    m_log.settle(); // the close's own report
    m_flow.tellCompanionTrouble();
    m_flow.keepUnwrittenRecords();
    writeExitLine();
    event->accept();
}

void TreeWindow::writeExitLine()
{
    const bool notepadOpen = !m_controls.NotepadContainer->isHidden();
    m_log.companion().exit(notepadOpen ? m_state.ClickLevel : -1, m_state.ClickIndex,
                           notepadOpen ? NotepadText::of(m_controls.Notepad) : QString());
    m_flow.tellCompanionTrouble(); // its own close
}

void TreeWindow::closeForSignal(const QString &name)
{
    m_log.companion().endingBy(QStringLiteral("signal"), name);
    if (m_boxes.isOpen()) {
        const WatchedMessageBoxes::Box box = m_boxes.open();
        m_log.companion().boxOpenAtTheEnd(box.warning, box.title, box.text);
    }
    m_boxes.silence();
    // A box of the close itself may be open: the log is closed by then, and only the
    // record for analysis's last line is still to come.
    if (m_closing)
        writeExitLine();
    else
        close();
}

bool TreeWindow::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        WrappingButton::noteMouseButton(static_cast<QInputEvent *>(event)->timestamp());
        return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride: {
        // A key reaches only a control that is on screen and can be used: the focus may
        // still rest on a control that a handler has just hidden or disabled.
        const auto *control = qobject_cast<const QWidget *>(watched);
        return control && control != this && control->window() == this
            && (!control->isVisible() || !control->isEnabled());
    }
    case QEvent::Hide: {
        // A control hidden with the focus in it gives the focus up. Passed on, it would
        // land on whichever control of the next screen comes next in the tab order, and
        // the next Enter or space bar would press that. A window that is minimized hides
        // its controls too (spontaneously), and keeps the focus where it was for its
        // return.
        if (event->spontaneous())
            return false;
        QWidget *focus = focusWidget();
        const auto *control = qobject_cast<const QWidget *>(watched);
        if (focus && control && control->window() == this
            && (control == focus || control->isAncestorOf(focus)))
            focus->clearFocus();
        return false;
    }
    default:
        return false;
    }
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
