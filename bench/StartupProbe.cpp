// The program as main.cpp starts it (production clock, generator and message boxes),
// over the data folder given, reporting when its window is shown and idle.
//
//   startup-probe --data DIR                  start-up only
//   startup-probe --data DIR --four-attempts  then a whole experiment of four attempts,
//                                             played through the buttons, and the peak
//                                             memory after it ("played" line, with
//                                             confirm_ns, the time of the experimenter's
//                                             ConfirmParameters click: the first in the
//                                             process, as in the lab)
//
// In the second form every message box is answered as soon as it is up.
#include "ProbeReport.h"

#include "record/SystemClock.h"
#include "tree/widgets/NodeButton.h"
#include "tree/logic/TreeModel.h"
#include "window/widgets/Controls.h"
#include "window/widgets/LabStyle.h"
#include "window/logic/MersenneRandomSource.h"
#include "window/widgets/QtMessageBoxes.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>

#include <cstdio>

namespace {

void settle()
{
    QCoreApplication::processEvents();
}

void click(QAbstractButton *button)
{
    button->click();
    settle();
}

bool writeGoAhead(const QString &data, const QByteArray &text)
{
    QFile file(QDir(data).filePath(QStringLiteral("okto.go")));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

// The experimenter confirms and releases the room, the subject reads the instructions
// and plays every attempt: at each level they look at a payoff node and at the node
// they stand on, write a line into its notepad and move (Left or Right in turn).
// Returns the nanoseconds of the ConfirmParameters click with the events it causes.
qint64 playExperiment(TreeWindow &window, const QString &data)
{
    const Controls &c = window.controls();
    settle();
    const qint64 confirmStart = ProbeReport::monotonicNs();
    click(c.ConfirmParameters);
    const qint64 confirmNs = ProbeReport::monotonicNs() - confirmStart;
    writeGoAhead(data, "1\r\n");
    window.flow().TimerOkToGo_Timer();
    settle();
    click(c.Start);
    click(c.ShowtheTree);
    const int attempts = window.state().AttemptCount;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        for (int level = 1; level < TreeModel::PayoffLevel; ++level) {
            const int standing = window.state().PathNode[level];
            click(c.tree.node(TreeModel::PayoffLevel, TreeModel::payoffSpan(level, standing).first));
            click(c.tree.node(level, standing));
            c.Notepad->setPlainText(QStringLiteral("attempt %1, level %2").arg(attempt).arg(level));
            if (TreeModel::isDecisionLevel(level)) {
                click((attempt + level) % 2 ? c.MoveLeft : c.MoveRight);
                click(c.ConfirmDecision);
            } else {
                click(c.NatureMove);
            }
        }
        click(c.tree.node(TreeModel::PayoffLevel, window.state().PathNode[TreeModel::PayoffLevel]));
        click(c.Continue);
        if (attempt < attempts)
            click(c.NextAttempt);
    }
    click(c.ExperimentOver);
    return confirmNs;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(new LabStyle);
    const QString data = ProbeReport::argument(argc, argv, "--data");
    if (data.isEmpty() || !QDir(data).exists()) {
        std::fprintf(stderr, "startup-probe: --data DIR must name an existing data folder\n");
        return 2;
    }
    const bool play = ProbeReport::hasFlag(argc, argv, "--four-attempts");

    SystemClock clock;
    MersenneRandomSource random;
    QtMessageBoxes boxes;
    TreeWindow window({clock, random, boxes, data});
    window.show();

    // Answers each message box once it is up: the subject's OK, at once.
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, &window, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->accept();
    });

    ProbeReport::whenShownAndIdle(window, [&] {
        ProbeReport::print("ready", window);
        if (play) {
            answer.start();
            const qint64 confirmNs = playExperiment(window, data);
            answer.stop();
            if (!window.state().experimentOver()) {
                std::fprintf(stderr, "startup-probe: the experiment did not reach its end\n");
                QCoreApplication::exit(1);
                return;
            }
            ProbeReport::print("played", window, QStringLiteral("confirm_ns=%1").arg(confirmNs));
        }
        QCoreApplication::exit(0);
    });
    return app.exec();
}
