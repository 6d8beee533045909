#include "ScriptPlayer.h"

#include "TestFiles.h"
#include "tree/widgets/NodeButton.h"
#include "window/widgets/Controls.h"
#include "window/SignalHandler.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QThread>

#include <csignal>
#include <cstdio>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {

// A limit on the size of the files the process writes exists on POSIX systems only; on
// Windows the tests that need it are skipped and the option does nothing.
void limitFileSize(qint64 bytes)
{
#ifdef Q_OS_UNIX
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes < 0 ? RLIM_INFINITY : rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
#else
    Q_UNUSED(bytes);
#endif
}

// Holds the whole process where it is until the test lets it go on: SIGSTOP where there
// are signals; on Windows, which has none, a blocking read of one line from stdin.
void stopHere()
{
#ifdef Q_OS_UNIX
    std::raise(SIGSTOP);
#else
    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        std::fprintf(stderr, "reliability-player: stdin closed while stopped\n");
#endif
}

// How long a box the player stopped in stays open once it goes on: time for a signal
// sent while it was stopped to be taken, as it would be while the subject reads the box.
constexpr int BoxOpenAfterAStop = 300;

} // namespace

ScriptPlayer::ScriptPlayer(const QString &dataDirectory, const QStringList &arguments)
    : m_dataDirectory(dataDirectory)
{
    for (const QString &a : arguments) {
        if (a.startsWith(QLatin1String("--stop-at-reading=")))
            m_stopAtReading = a.section(QLatin1Char('='), 1).toInt();
        else if (a.startsWith(QLatin1String("--stop-after-step=")))
            m_stopAfterStep.insert(a.section(QLatin1Char('='), 1).toInt());
        else if (a.startsWith(QLatin1String("--think=")))
            m_thinkMs = a.section(QLatin1Char('='), 1).toInt();
        else if (a.startsWith(QLatin1String("--hold-boxes=")))
            m_holdBoxesMs = a.section(QLatin1Char('='), 1).toInt();
        else if (a.startsWith(QLatin1String("--stop-in-box=")))
            m_stopInBox = a.section(QLatin1Char('='), 1).toInt();
        else if (a == QLatin1String("--stop-on-warning") || a.startsWith(QLatin1String("--stop-on-warning=")))
            m_stopOnWarning = true, m_stopOnWarningWith = a.section(QLatin1Char('='), 1);
        else if (a.startsWith(QLatin1String("--file-size-limit=")))
            m_fileSizeLimit = a.section(QLatin1Char('='), 1).toLongLong();
        else if (a.startsWith(QLatin1String("--lift-limit-after-stops=")))
            m_liftLimitAfterStops = a.section(QLatin1Char('='), 1).toInt();
        else
            m_steps.append(a);
    }
    m_clock.onReading = [this](int k) {
        if (k == m_stopAtReading)
            pause(QStringLiteral("at reading %1").arg(k));
    };
    m_boxes.onShow = [this](const AnsweringMessageBoxes::Shown &box) { onBox(box); };
    m_window = std::make_unique<TreeWindow>(Services{m_clock, m_random, m_boxes, dataDirectory});
    m_signals = std::make_unique<SignalHandler>([this](const QString &name, int number) {
        m_window->closeForSignal(name);
        SignalHandler::endProcess(number);
    });
}

ScriptPlayer::~ScriptPlayer() = default;

void ScriptPlayer::say(const QString &line)
{
    std::fprintf(stdout, "%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

void ScriptPlayer::pause(const QString &why)
{
    say(QStringLiteral("stopping ") + why);
    stopHere();
    if (++m_stops == m_liftLimitAfterStops)
        limitFileSize(-1);
    say(QStringLiteral("resumed"));
}

void ScriptPlayer::onBox(const AnsweringMessageBoxes::Shown &box)
{
    QString text = box.text;
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    say(QStringLiteral("box %1 %2: %3")
            .arg(box.warning ? QStringLiteral("warning") : QStringLiteral("information"),
                 box.title, text));
    // A box held open with no event loop turning: the worst case for the records written
    // before it, which must reach the disk all the same (scripts/box-syncs.sh).
    if (m_holdBoxesMs > 0)
        QThread::msleep(m_holdBoxesMs);
    if (box.warning && m_stopOnWarning && box.text.contains(m_stopOnWarningWith))
        pause(QStringLiteral("on a warning"));
    else if (!box.warning && ++m_informationBoxes == m_stopInBox)
        pause(QStringLiteral("in box %1").arg(m_informationBoxes));
    else
        return;
    QTest::qWait(BoxOpenAfterAStop);
}

bool ScriptPlayer::click(QAbstractButton *button, const QString &what)
{
    if (!button->isVisible() || !button->isEnabled()) {
        m_error = what + QStringLiteral(" cannot be clicked: it is hidden or disabled");
        return false;
    }
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

bool ScriptPlayer::perform(const QString &step)
{
    const Controls &c = m_window->controls();
    const QString name = step.section(QLatin1Char('='), 0, 0);
    const QString value = step.section(QLatin1Char('='), 1);
    if (name == QLatin1String("attempts")) {
        c.NumberAttemptsInput->setText(value);
        return true;
    }
    if (name == QLatin1String("subject") || name == QLatin1String("set")) {
        (name == QLatin1String("subject") ? c.SubjectNumberInput : c.ParameterSetInput)->setText(value);
        return true;
    }
    if (name == QLatin1String("confirm"))
        return click(c.ConfirmParameters, name);
    if (name == QLatin1String("poll")) { // okto.go read as it stands, as the timer reads it
        m_window->flow().TimerOkToGo_Timer();
        if (!c.Start->isVisible())
            m_error = QStringLiteral("okto.go did not offer Start");
        return c.Start->isVisible();
    }
    if (name == QLatin1String("go")) {
        if (!TestFiles::putFile(QDir(m_dataDirectory).filePath(QStringLiteral("okto.go")), "1\r\n")) {
            m_error = QStringLiteral("the go-ahead could not be written");
            return false;
        }
        m_window->flow().TimerOkToGo_Timer();
        if (!c.Start->isVisible())
            m_error = QStringLiteral("the go-ahead did not offer Start");
        return c.Start->isVisible();
    }
    if (name == QLatin1String("start"))
        return click(c.Start, name);
    if (name == QLatin1String("show-tree"))
        return click(c.ShowtheTree, name);
    if (name == QLatin1String("node")) {
        const int level = value.section(QLatin1Char('.'), 0, 0).toInt();
        const int index = value.section(QLatin1Char('.'), 1).toInt();
        if (level < 1 || level > 7 || index < 0 || index >= (1 << (level - 1))) {
            m_error = QStringLiteral("there is no node ") + value;
            return false;
        }
        return click(c.tree.node(level, index), step);
    }
    if (name == QLatin1String("type")) {
        c.Notepad->setPlainText(value);
        return true;
    }
    if (name == QLatin1String("left") || name == QLatin1String("right")) {
        (name == QLatin1String("left") ? c.MoveLeft : c.MoveRight)->setChecked(true);
        return click(c.ConfirmDecision, name);
    }
    if (name == QLatin1String("nature")) {
        m_random.draws.append(value == QLatin1String("R") ? 0.75f : 0.25f);
        return click(c.NatureMove, step);
    }
    if (name == QLatin1String("close-notepad"))
        return click(c.CloseNotepad, name);
    if (name == QLatin1String("continue"))
        return click(c.Continue, name);
    if (name == QLatin1String("next"))
        return click(c.NextAttempt, name);
    if (name == QLatin1String("over"))
        return click(c.ExperimentOver, name);
    m_error = QStringLiteral("unknown step ") + step;
    return false;
}

int ScriptPlayer::run()
{
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        say(QStringLiteral("note the window was not exposed"));
    if (m_fileSizeLimit > 0) {
#ifdef Q_OS_UNIX
        std::signal(SIGXFSZ, SIG_IGN); // a write beyond the limit fails with EFBIG instead
#endif
        limitFileSize(m_fileSizeLimit);
    }
    for (int n = 1; n <= m_steps.size(); ++n) {
        const QString step = m_steps[n - 1];
        const QString shown = step.left(40).replace(QLatin1Char('\n'), QStringLiteral("\\n"));
        if (!perform(step)) {
            say(QStringLiteral("error step %1 %2: %3").arg(n).arg(shown, m_error));
            return 3;
        }
        say(QStringLiteral("step %1 %2").arg(n).arg(shown));
        if (m_stopAfterStep.contains(n))
            pause(QStringLiteral("after step %1").arg(n));
        if (m_thinkMs > 0)
            QTest::qWait(m_thinkMs);
    }
    say(QStringLiteral("done"));
    m_window->close();
    return 0;
}
