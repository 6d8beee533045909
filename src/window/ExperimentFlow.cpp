#include "window/ExperimentFlow.h"

#include "record/EventLog.h"
#include "record/EventTags.h"
#include "tree/widgets/BranchLine.h"
#include "tree/widgets/NodeButton.h"
#include "tree/logic/TreeModel.h"
#include "tree/TreeWalk.h"
#include "window/widgets/Controls.h"
#include "window/widgets/ExperimenterWarning.h"
#include "window/logic/FlowTexts.h"
#include "window/widgets/MessageBoxes.h"
#include "window/logic/ParameterCheck.h"
#include "window/logic/PayoffFile.h"
#include "window/logic/RandomSource.h"
#include "window/logic/RunState.h"
#include "window/logic/TextsTranslation.h"
#include "window/widgets/Services.h"
#include "window/widgets/ShownPicture.h"
#include "window/widgets/WrappingButton.h"

#include "window/logic/GoAheadFile.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>

namespace {

const QString ExperimenterTitle = QStringLiteral("Decision Tree: experimental parameters");

// The logo is decoded when it is first shown rather than with the window, which opens
// on the parameter frame alone and so comes up sooner. Only the picture at the size it
// is shown is kept (ShownPicture): a scaling label would hold the decoded original and a
// scaled copy besides for the whole run.
void showLogo(QLabel *logo)
{
    const qreal ratio = logo->devicePixelRatio();
    const QSize shown = logo->contentsRect().size() * ratio;
    if (logo->pixmap().isNull() || logo->pixmap().size() != shown)
        logo->setPixmap(ShownPicture::load(QStringLiteral(":/OrrinLogo.png"), shown, ratio));
    logo->show();
}

QString leftoverEndOrder(const QString &goAheadPath, const QString &dataFolder)
{
    return QStringLiteral(
               "The go-ahead file %1 already holds 99, left from an earlier session. 99 is the "
               "order to end the program: this run would end about a second after it began.\n\n"
               "Please reset the file: write 0 into it, or run\n    treelab prepare \"%2\"\n"
               "Then confirm the parameters again.")
        .arg(goAheadPath, dataFolder);
}

QString leftoverGoAhead(const QString &goAheadPath)
{
    return QStringLiteral(
               "The go-ahead file %1 already holds 1, left from an earlier session. 1 is the "
               "go-ahead: the subject will be offered Start at once, about a second after you "
               "click OK.\n\nTo hold the subject at the welcome screen instead, write 0 into the "
               "file before you click OK.")
        .arg(goAheadPath);
}

} // namespace

ExperimentFlow::ExperimentFlow(RunState &state, Controls &controls, EventLog &log,
                               TreeWalk &walk, Services &services, QWidget *window)
    : m_state(state), m_c(controls), m_log(log), m_walk(walk), m_services(services),
      m_window(window)
{
    m_log.setWriteFailureHandler([this](const QString &message) { reportLogFailure(message); });
    // Once the last attempt is over, what follows (the hand-over, a box) belongs to it.
    m_log.companion().setAttemptSource(
        [this] { return std::min(m_state.AttemptNumber(), int(m_state.AttemptCount)); });
}

void ExperimentFlow::Form_Load()
{
    HideTree();
    m_c.move(m_c.ExperimenterInput, 300, 160);
    m_c.ExperimenterInput->show();
    m_state.GoValue = GoAheadFile::Hold;
    m_state.ReachedLevel = 1;
    m_state.PathNode[1] = 0;
    m_state.ClickLevel = -1;
    m_state.ClickIndex = -1;
    m_state.NoteLevel = -1;
    m_state.NoteIndex = -1;
    m_c.ConfirmParameters->setFocus();
}

void ExperimentFlow::HideTree()
{
    // Some 250 controls go at once: the window is repainted once, not for each of them.
    m_window->setUpdatesEnabled(false);
    for (int i = 0; i < 64; ++i) {
        for (int level = TreeModel::PayoffLevel; level >= 2; --level) {
            if (i < TreeModel::nodesOnLevel(level)) {
                m_c.tree.node(level, i)->hide();
                m_c.tree.line(level - 1, i)->hide();
            }
        }
    }
    m_c.tree.node(1, 0)->hide();
    m_c.Payoffs->hide();
    m_c.Welcome->hide();
    m_c.NotepadContainer->hide();
    m_c.DecisionBox->hide();
    m_c.NatureBox->hide();
    m_window->setUpdatesEnabled(true);
}

void ExperimentFlow::ConfirmParameters_Click()
{
    // The parameters are confirmed once per run: a second confirmation would set the
    // run's log aside and restart the poll.
    if (m_confirmed)
        return;
    // Everything is checked before anything is opened: a refused entry leaves the frame
    // on screen for the experimenter to correct and confirm again.
    const ParameterCheck::Result p = ParameterCheck::check(
        m_c.InputDataFileInput->text(), m_c.SubjectNumberInput->text(),
        m_c.ParameterSetInput->text(), m_c.NumberAttemptsInput->text());
    if (!p.ok) {
        tellExperimenter(p.error);
        return;
    }
    if (!acceptLeftoverGoAhead())
        return;
    m_state.DataFileName = p.dataFileName;
    m_state.SubjectNo = p.subjectNo;
    m_state.ParamSetNo = p.paramSetNo;
    m_state.AttemptsLeft = p.attempts;
    m_state.AttemptCount = m_state.AttemptsLeft;
    m_state.AttemptPayoffText = QList<QString>(m_state.AttemptCount + 1);
    m_services.random.seed(p.seed);
    m_seed = p.seed;
    if (!ReadPayoffTable() || !OpenEventLog())
        return;
    m_confirmed = true;
    m_c.TimerOkToGo->start();
    m_c.ExperimenterInput->hide();
    m_c.place(m_c.OrrinLogo, 230, 180, 294.75, 216.75);
    showLogo(m_c.OrrinLogo);
    m_c.Hello->show();
    m_c.place(m_c.Hello, 100, 440, 555, 15);
    m_c.Hello->setPlainText(FlowTexts::hello());
}

QString ExperimentFlow::goAheadPath() const
{
    return GoAheadFile::in(m_services.dataDirectory);
}

bool ExperimentFlow::acceptLeftoverGoAhead()
{
    // The poll acts on 1 and 99 as orders given after the confirmation; found already in
    // the file they are left from an earlier session.
    const GoAheadFile::Reading reading = GoAheadFile::read(goAheadPath());
    if (reading.status != GoAheadFile::Status::Number)
        return true; // the poll reports what is wrong with the file
    const QString path = QDir::toNativeSeparators(goAheadPath());
    if (reading.value == GoAheadFile::Quit) {
        tellExperimenter(leftoverEndOrder(path, QDir::toNativeSeparators(m_services.dataDirectory)));
        return false;
    }
    if (reading.value == GoAheadFile::Release)
        tellExperimenter(leftoverGoAhead(path));
    return true;
}

bool ExperimentFlow::ReadPayoffTable()
{
    const QString path = QDir(m_services.dataDirectory).filePath(m_state.DataFileName);
    const PayoffFile::SetResult table = PayoffFile::readSet(path, m_state.ParamSetNo);
    if (!table.ok) {
        tellExperimenter(table.error);
        return false;
    }
    for (int k = 1; k <= PayoffFile::PayoffCount; ++k)
        m_state.PayoffText[k - 1] = PayoffFile::displayText(table.payoffs[k - 1]);
    m_payoffs = QList<qint64>(table.payoffs.begin(), table.payoffs.end());
    return true;
}

bool ExperimentFlow::OpenEventLog()
{
    const EventLog::OpenResult opened = m_log.OpenEventLog(
        m_services.dataDirectory, m_state.SubjectNo, m_state.ParamSetNo, m_state.DataFileName);
    if (!opened.ok) {
        tellExperimenter(opened.error);
        return false;
    }
    m_state.LogStartTime = m_log.startTime();
    const TextsTranslation *texts = m_services.texts;
    m_log.companion().open(opened.path, opened.keptAs, m_log.headerLine(), m_log.startReading(),
                           {m_state.SubjectNo, m_state.ParamSetNo, m_state.DataFileName,
                            m_state.AttemptCount, m_seed, m_payoffs,
                            QStringList(m_state.PayoffText.begin(), m_state.PayoffText.end() - 1),
                            texts ? texts->language() : QString(), texts ? texts->sha256() : QString()});
    tellCompanionTrouble();
    if (!opened.keptAs.isEmpty()) {
        tellExperimenter(QStringLiteral("An event log of the same name was already there. It has "
                                        "been kept as %1; this run writes %2.")
                             .arg(QDir::toNativeSeparators(opened.keptAs),
                                  QDir::toNativeSeparators(opened.path)));
    }
    return true;
}

void ExperimentFlow::ShowStart()
{
    m_c.Hello->hide();
    m_c.OrrinLogo->hide();
    m_c.Start->show();
    m_c.TimerOkToGo->stop();
    const int count = m_state.AttemptCount;
    m_c.Start->setText(FlowTexts::startCaption(count));
    if (count >= 1)
        m_c.NumberofAttempt->setPlainText(FlowTexts::attemptText(m_state.AttemptNumber(), count));
}

void ExperimentFlow::TimerOkToGo_Timer()
{
    const GoAheadFile::Reading reading = GoAheadFile::read(goAheadPath());
    if (reading.status != GoAheadFile::Status::Number) {
        reportGateTrouble(reading);
        return;
    }
    m_reportedTrouble.clear();
    m_state.GoValue = reading.value;
    m_log.companion().goAheadRead(m_state.GoValue);
    // Once the experiment is over the log is closed: only 99 is acted on.
    if (m_state.GoValue == GoAheadFile::Release && !m_state.experimentOver())
        ShowStart();
    if (m_state.GoValue == GoAheadFile::Quit) {
        m_log.companion().endingBy(QStringLiteral("goAhead99"));
        std::fprintf(stderr, "Decision Tree: %s holds 99, the experimenter's order to end: the "
                             "program ends.\n", qPrintable(QDir::toNativeSeparators(goAheadPath())));
        m_c.TimerOkToGo->stop();
        m_window->close();
    }
}

void ExperimentFlow::Start_Click()
{
    m_log.WriteEventRecord(EventTags::Start, QString());
    m_c.tree.paintBeneathNodesOnce();
    m_walk.ResetTree();
    m_c.move(m_c.Welcome, 150, 420);
    m_c.Instructions->setPlainText(FlowTexts::instructions());
    m_c.Welcome->show();
    m_c.NumberofAttemptFrame->show();
}

void ExperimentFlow::ShowtheTree_Click()
{
    m_log.companion().press(QStringLiteral("ShowtheTree"));
    m_walk.ResetTree();
    m_c.Welcome->hide();
    m_c.NumberofAttemptFrame->show();
}

void ExperimentFlow::Continue_Click()
{
    m_log.WriteEventRecord(EventTags::Continue, QString());
    if (m_state.AttemptsLeft == 1) {
        m_state.AttemptsLeft = 0;
        m_log.settle(); // the go-ahead's write, if still on its way, is in and recorded
        m_log.CloseEventLog();
        m_log.companion().end(m_state.AttemptPayoffText.mid(1));
        m_c.NumberofAttemptFrame->hide();
        m_c.Continue->hide();
        HideTree();
        m_c.Payoffs->show();
        showLogo(m_c.OrrinLogo);
        m_c.ExperimentOver->show();
        m_c.move(m_c.ExperimentOver, 300, 450);
        m_c.Payoffs->setText(FlowTexts::summary(m_state.AttemptPayoffText, m_state.AttemptCount));
        tellCompanionTrouble();
    }
    if (m_state.AttemptsLeft > 1) {
        m_state.AttemptsLeft -= 1;
        m_c.Payoffs->setText(QString());
        m_c.Continue->hide();
        m_c.NextAttempt->show();
        m_c.NextAttempt->setText(FlowTexts::nextAttemptCaption(m_state.AttemptsLeft));
        m_c.NumberofAttempt->setPlainText(
            FlowTexts::attemptText(m_state.AttemptNumber(), m_state.AttemptCount));
        m_c.move(m_c.NextAttempt, 300, 450);
    }
}

void ExperimentFlow::NextAttempt_Click()
{
    m_log.companion().press(QStringLiteral("NextAttempt"));
    m_c.move(m_c.Start, 300, 500);
    m_c.NextAttempt->hide();
    m_c.Start->show();
    m_walk.ResetTree();
}

void ExperimentFlow::ExperimentOver_Click()
{
    m_log.companion().press(QStringLiteral("ExperimentOver"));
    m_c.TimerOkToGo->start();
}

void ExperimentFlow::tellExperimenter(const QString &text)
{
    warn(ExperimenterTitle, text);
}

void ExperimentFlow::warn(const QString &title, const QString &text)
{
    ExperimenterWarning::show(m_log, m_services.boxes, m_window, title, text);
}

void ExperimentFlow::tellCompanionTrouble()
{
    const QString trouble = m_log.companion().takeTrouble();
    if (!trouble.isEmpty())
        warn(QStringLiteral("Decision Tree"), trouble);
}

void ExperimentFlow::keepUnwrittenRecords()
{
    // Both records' unwritten ends, in one box: they are lost or kept together.
    QStringList told;
    const auto tell = [&told](const QString &lost, const QString &kept, const QString &error,
                              const QString &whose) {
        told << lost
                + (kept.isEmpty()
                       ? QStringLiteral(", and they could not be kept either (%1). They are on the "
                                        "program's console (stderr).")
                             .arg(error)
                       : QStringLiteral(". They are kept in %1: add that file to the end of %2 once "
                                        "the disk has room.")
                             .arg(QDir::toNativeSeparators(kept), whose));
    };
    if (m_log.hasUnwritten()) {
        QString error;
        const QString kept = m_log.keepUnwritten(&error);
        tell(QStringLiteral("The event log %1 is not complete: its last records could not be "
                            "written (%2)")
                 .arg(QDir::toNativeSeparators(m_log.path()), m_log.problem()),
             kept, error, QStringLiteral("the log"));
    }
    CompanionLog &companion = m_log.companion();
    if (!companion.writeWaitingLines()) {
        QString error;
        const QString kept = companion.keepUnwritten(&error);
        tell(QStringLiteral("The record for analysis %1 is not complete: its last lines could not "
                            "be written (%2)")
                 .arg(QDir::toNativeSeparators(companion.path()), companion.problem()),
             kept, error, QStringLiteral("the record for analysis"));
    }
    if (!told.isEmpty())
        warn(QStringLiteral("Decision Tree"), told.join(QStringLiteral("\n\n")));
}

void ExperimentFlow::reportGateTrouble(const GoAheadFile::Reading &reading)
{
    // The subject sees nothing; the experimenter's console hears of each kind once.
    if (m_reportedTrouble.contains(reading.status))
        return;
    m_reportedTrouble.insert(reading.status);
    std::fprintf(stderr, "Decision Tree: waiting for the go-ahead: %s.\n",
                 qPrintable(reading.detail));
}

void ExperimentFlow::reportLogFailure(const QString &message)
{
    warn(QStringLiteral("Decision Tree"), ExperimenterWarning::forSubject(message));
}
