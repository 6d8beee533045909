#include "AttemptPlayer.h"

#include "tree/logic/TreeModel.h"
#include "window/widgets/Controls.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#endif

AttemptPlayer::AttemptPlayer(int attempts, bool released)
    : m_fixture(std::make_unique<WindowFixture>(WindowFixture::Syncs::Threaded))
{
    const Controls &c = controls();
    c.NumberAttemptsInput->setText(QString::number(attempts));
    if (!released) {
        m_fixture->confirm();
        settle();
        return;
    }
    // The waiting screen is painted, as the room waits for the go-ahead: the logo is
    // scaled to its box there, once, and the end of the experiment finds it so.
    m_fixture->confirm();
    settle();
    m_fixture->writeFile(QStringLiteral("okto.go"), "1\r\n");
    m_fixture->tick();
    m_fixture->click(c.Start);
    m_fixture->click(c.ShowtheTree);
    settle();
}

TreeWindow &AttemptPlayer::window()
{
    return m_fixture->window();
}

const Controls &AttemptPlayer::controls() const
{
    return m_fixture->controls();
}

int AttemptPlayer::standingIndex(int level) const
{
    return m_fixture->window().state().PathNode[level];
}

void AttemptPlayer::openStandingNode(bool left)
{
    const int level = window().state().ReachedLevel;
    m_fixture->clickNode(level, standingIndex(level));
    if (TreeModel::isDecisionLevel(level))
        (left ? controls().MoveLeft : controls().MoveRight)->setChecked(true);
}

void AttemptPlayer::climbTo(int level)
{
    const Controls &c = controls();
    while (window().state().ReachedLevel < level) {
        const int at = window().state().ReachedLevel;
        openStandingNode(m_nextLeft);
        if (TreeModel::isDecisionLevel(at)) {
            m_fixture->click(c.ConfirmDecision);
        } else {
            m_fixture->random.draws.append(m_nextLeft ? 0.25f : 0.75f);
            m_fixture->click(c.NatureMove);
        }
        m_nextLeft = !m_nextLeft;
        settle();
    }
}

void AttemptPlayer::settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void AttemptPlayer::waitForDisk()
{
    window().log().waitForDisk();
}

void AttemptPlayer::toggleCallgrind()
{
#if __has_include(<valgrind/callgrind.h>)
    CALLGRIND_TOGGLE_COLLECT;
#endif
}
