#include "tree/TreeWalk.h"

#include "record/EventLog.h"
#include "record/EventTags.h"
#include "tree/logic/BgrColour.h"
#include "tree/widgets/BranchLine.h"
#include "tree/widgets/NodeButton.h"
#include "tree/widgets/NotepadText.h"
#include "tree/logic/TreeTexts.h"
#include "window/widgets/Controls.h"
#include "window/widgets/ExperimenterWarning.h"
#include "window/logic/GoAheadFile.h"
#include "window/widgets/MessageBoxes.h"
#include "window/logic/RandomSource.h"
#include "window/logic/RunState.h"
#include "window/widgets/Services.h"
#include "window/widgets/WrappingButton.h"

#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>


using Direction = TreeModel::Direction;

namespace {

QString levelAndIndex(int level, int index)
{
    return QString::number(level) + QLatin1Char(' ') + QString::number(index);
}

} // namespace

TreeWalk::TreeWalk(RunState &state, Controls &controls, EventLog &log, Services &services,
                   QWidget *window)
    : m_state(state), m_c(controls), m_log(log), m_services(services), m_window(window)
{
}

void TreeWalk::ResetTree()
{
    m_state.ReachedLevel = 1;
    m_state.PathNode[1] = 0;
    for (int level = TreeModel::PayoffLevel; level >= 1; --level) {
        const TreeTexts::LevelTexts &texts = TreeTexts::level(level);
        for (int i = 0; i < TreeModel::nodesOnLevel(level); ++i) {
            NodeButton *node = m_c.tree.node(level, i);
            node->setVisible(true);
            node->setToolTip(texts.tooltip);
            node->setBackColor(texts.colour);
            node->setEnabled(true);
            if (level > 1)
                m_c.tree.line(level - 1, i)->setVisible(true);
        }
    }
    m_c.Payoffs->setVisible(true);
    m_c.Start->setVisible(false);
    m_c.tree.place(m_c.scale);
    m_c.Payoffs->setText(TreeTexts::clickOnPayoffMessage());
}

void TreeWalk::nodeClicked(int level, int index)
{
    switch (level) {
    case 1: d1_Click(); break;
    case 2: c1_Click(index); break;
    case 3: d2_Click(index); break;
    case 4: c2_Click(index); break;
    case 5: d3_Click(index); break;
    case 6: c3_Click(index); break;
    case 7: p_Click(index); break;
    default: break;
    }
}

void TreeWalk::d1_Click() { clickNode(1, 0); }
void TreeWalk::c1_Click(int Index) { clickNode(2, Index); }
void TreeWalk::d2_Click(int Index) { clickNode(3, Index); }
void TreeWalk::c2_Click(int Index) { clickNode(4, Index); }
void TreeWalk::d3_Click(int Index) { clickNode(5, Index); }
void TreeWalk::c3_Click(int Index) { clickNode(6, Index); }

void TreeWalk::clickNode(int level, int index)
{
    const TreeTexts::LevelTexts &texts = TreeTexts::level(level);
    m_state.ClickLevel = level;
    m_state.ClickIndex = index;
    m_log.WriteEventRecord(EventTags::click(texts.arrayName), QString::number(index));
    LeaveInspectedNode();
    m_c.tree.node(level, index)->setBackColor(ColourText::Inspected);
    m_state.NoteLevel = m_state.ClickLevel;
    m_state.NoteIndex = m_state.ClickIndex;
    m_c.Welcome->hide();
    m_c.DecisionBox->hide();
    m_c.NatureBox->hide();
    m_c.move(m_c.NotepadContainer, 150, 420);
    m_c.NotepadContainer->show();
    m_c.NotepadContainer->setTitle(TreeTexts::notepadCaption(level, index));
    m_c.Notepad->setPlainText(m_state.noteText(level, index));
    m_c.Payoffs->setText(texts.whiteNodeMessage);

    const bool standsHere = m_state.PathNode[m_state.ClickLevel] == m_state.ClickIndex
        && m_state.ReachedLevel == m_state.ClickLevel;
    if (!standsHere)
        return;
    QGroupBox *frame = TreeModel::isDecisionLevel(level) ? m_c.DecisionBox : m_c.NatureBox;
    m_c.move(frame, 500, 420);
    frame->show();
    if (frame == m_c.DecisionBox)
        clearOptions();
}

void TreeWalk::LeaveInspectedNode()
{
    const int m = m_state.NoteLevel;
    if (m > 0 && m < TreeModel::PayoffLevel) {
        m_log.WriteEventRecord(EventTags::NotepadContents,
                               levelAndIndex(m, m_state.NoteIndex) + QLatin1Char(' ')
                                   + NotepadText::of(m_c.Notepad));
    }
    if (m < 1 || m_state.ReachedLevel > m)
        return;
    m_c.tree.node(m, m_state.NoteIndex)->setBackColor(TreeTexts::level(m).colour);
    if (m < TreeModel::PayoffLevel)
        storeNotepad(m, m_state.NoteIndex);
}

void TreeWalk::CloseNotepad_Click()
{
    const int level = m_state.ClickLevel;
    const int index = m_state.ClickIndex;
    m_log.WriteEventRecord(EventTags::CloseNotepad, levelAndIndex(level, index));
    if (m_state.NoteLevel > 0) {
        m_log.WriteEventRecord(EventTags::NotepadContents,
                               levelAndIndex(level, index) + QLatin1Char(' ')
                                   + NotepadText::of(m_c.Notepad));
    }
    m_c.NotepadContainer->hide();
    m_c.DecisionBox->hide();
    m_c.NatureBox->hide();
    if (level >= 1 && level < TreeModel::PayoffLevel) {
        storeNotepad(level, index);
        m_c.tree.node(level, index)->setBackColor(TreeTexts::level(level).colour);
    }
}

void TreeWalk::ConfirmDecision_Click()
{
    // The frame is offered only on the decision node the subject stands on; anything
    // else cannot come from the window and changes nothing.
    const int level = m_state.ClickLevel;
    const int L = m_state.ReachedLevel;
    if (!TreeModel::isDecisionLevel(L) || level != L || m_state.ClickIndex != m_state.PathNode[L])
        return;
    storeNotepad(level, m_state.ClickIndex);

    const QString fields = levelAndIndex(level, m_state.ClickIndex);
    const bool left = m_c.MoveLeft->isChecked();
    const bool right = !left && m_c.MoveRight->isChecked();
    if (!left && !right)
        return;
    m_log.WriteEventRecord(left ? EventTags::ConfirmDecisionLeft : EventTags::ConfirmDecisionRight,
                           fields);
    m_c.NotepadContainer->hide();
    m_c.DecisionBox->hide();
    clearOptions();
    const int j = m_state.PathNode[L];
    const Direction direction = left ? Direction::Left : Direction::Right;
    m_state.PathNode[L + 1] = TreeModel::child(j, direction);
    MarkOutBranch(L, j, direction);
    m_state.ReachedLevel = L + 1;
    m_c.Payoffs->setText(TreeTexts::decisionMessage(left));
}

void TreeWalk::MarkOutBranch(int level, int index, Direction direction)
{
    for (const TreeModel::NodeRef &n : TreeModel::markOutOrder(level, index, direction)) {
        NodeButton *node = m_c.tree.node(n.level, n.index);
        node->setBackColor(ColourText::MarkedOut);
        node->setEnabled(false);
    }
}

void TreeWalk::NatureMove_Click()
{
    const int L = m_state.ReachedLevel;
    // Offered only on the chance node the subject stands on.
    if (!TreeModel::isChanceLevel(L) || m_state.ClickLevel != L
        || m_state.ClickIndex != m_state.PathNode[L])
        return;

    storeNotepad(L, m_state.ClickIndex);
    m_c.NatureBox->hide();
    m_c.NotepadContainer->hide();

    const float r = m_services.random.next();
    const bool left = r <= 0.5f;
    m_log.companion().draw(L, m_state.ClickIndex, r, left);
    m_log.WriteEventRecord(left ? EventTags::NatureMoveLeft : EventTags::NatureMoveRight,
                           levelAndIndex(m_state.ClickLevel, m_state.ClickIndex));
    m_services.boxes.information(m_window, TreeTexts::natureBoxTitle(L),
                                 TreeTexts::natureBoxPrompt(L, left));
    if (L < 6)
        m_c.Payoffs->setText(TreeTexts::natureMessage(left));

    const int i = m_state.PathNode[L];
    const Direction direction = left ? Direction::Left : Direction::Right;
    m_state.PathNode[L + 1] = TreeModel::child(i, direction);
    MarkOutBranch(L, i, direction);
    if (L == 6) {
        const QString payoff = m_state.PayoffText[m_state.PathNode[7]];
        m_c.Payoffs->setText(TreeTexts::realisedPayoffMessage(left, payoff));
        m_services.boxes.information(m_window, TreeTexts::realisedPayoffTitle(),
                                     TreeTexts::realisedPayoffPrompt(payoff));
        m_c.Continue->setVisible(true);
        m_c.move(m_c.Continue, 320, 460);
    }
    m_state.ReachedLevel = L + 1;
    if (m_state.ReachedLevel == TreeModel::PayoffLevel)
        reachPayoffNode();
}

void TreeWalk::reachPayoffNode()
{
    m_log.WriteEventRecord(EventTags::FinalPayoffNode, QString::number(m_state.PathNode[7]));
    m_log.companion().payoffShown(m_state.PathNode[7], m_state.PayoffText[m_state.PathNode[7]]);
    const int attempt = m_state.AttemptNumber();
    if (attempt >= 1 && attempt < m_state.AttemptPayoffText.size())
        m_state.AttemptPayoffText[attempt] = m_state.PayoffText[m_state.PathNode[7]];
    if (m_state.AttemptsLeft == m_state.AttemptCount)
        writeGoAheadAfterFirstAttempt();
}

void TreeWalk::writeGoAheadAfterFirstAttempt()
{
    m_state.GoValue = GoAheadFile::Played;
    const qint16 value = m_state.GoValue;
    const QString path = GoAheadFile::in(m_services.dataDirectory);
    // Written, synced and renamed on the records' thread, after the records so far, so the
    // subject does not wait for the disk; the window settles it before the program ends.
    m_log.later([path, value](QString *error) { return GoAheadFile::write(path, value, error); },
                [this, value](bool written, const QString &error) {
                    noteGoAheadWritten(value, written, error);
                });
}

void TreeWalk::noteGoAheadWritten(qint16 value, bool written, const QString &error)
{
    m_log.companion().goAheadWritten(value, written, error);
    if (written)
        return;
    // The experimenter watches the file for the end of the first attempt.
    ExperimenterWarning::show(m_log, m_services.boxes, m_window, QStringLiteral("Decision Tree"),
                              ExperimenterWarning::forSubject(
                                  QStringLiteral("The end of your first attempt could not be "
                                                 "noted in the go-ahead file: %1.").arg(error)));
}

void TreeWalk::p_Click(int Index)
{
    m_state.ClickLevel = TreeModel::PayoffLevel;
    m_state.ClickIndex = Index;
    m_log.WriteEventRecord(EventTags::click(TreeTexts::level(7).arrayName), QString::number(Index));
    LeaveInspectedNode();
    m_c.tree.node(TreeModel::PayoffLevel, Index)->setBackColor(ColourText::Inspected);
    m_state.NoteLevel = m_state.ClickLevel;
    m_state.NoteIndex = m_state.ClickIndex;
    m_c.NotepadContainer->hide();
    m_c.DecisionBox->hide();
    m_c.NatureBox->hide();
    m_c.Payoffs->setText(TreeTexts::payoffNodeMessage(m_state.PayoffText[Index]));
}

void TreeWalk::storeNotepad(int level, int index)
{
    m_state.noteText(level, index) = NotepadText::of(m_c.Notepad);
    m_log.companion().note(level, index, m_state.noteText(level, index));
}

void TreeWalk::clearOptions()
{
    // An exclusive group keeps one option checked; lift the rule to clear both.
    for (QRadioButton *option : {m_c.MoveLeft, m_c.MoveRight}) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}
