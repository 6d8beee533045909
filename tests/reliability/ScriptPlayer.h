#pragma once

#include "AnsweringMessageBoxes.h"
#include "ScriptedRandomSource.h"
#include "SteppingClock.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

class QAbstractButton;
class SignalHandler;
class TreeWindow;

// Plays a script of clicks on the real experiment window over a data folder, as a
// separate process that a test can stop and kill. It reports on stdout, one flushed
// line each: "step N <action>" after every step, "box information|warning <title>:
// <text>" for every message box (line breaks as "\n"), "stopping <why>" just before it
// stops itself with SIGSTOP at a point the test asked for (on Windows: waits for a line
// on stdin), "resumed" after SIGCONT (or that line),
// "done" at the end, "error <what>" when a step cannot be played. SIGTERM, SIGHUP and
// SIGINT end it as they end the program: the window is closed for the signal and the
// process exits with 128 plus the signal's number. A box it stopped in stays open a
// moment after it goes on, with the events running, as a real box waits for its OK.
//
// Options (before the steps):
//   --stop-at-reading=K   stop inside the K-th clock reading, before its record is built
//   --stop-after-step=N   stop after step N (repeatable)
//   --stop-in-box=N       stop while the N-th information box is open
//   --hold-boxes=MS       keep every box open MS milliseconds with no event loop turning
//   --think=MS            between two steps, MS milliseconds with the events running, as a
//                         subject's next click comes from the event loop
//   --stop-on-warning     stop while a warning box is open
//   --stop-on-warning=T   the same, for a warning whose text holds T
//   --file-size-limit=B   no file of the process may grow beyond B bytes (EFBIG)
//   --lift-limit-after-stops=N  the limit is lifted when the N-th stop ends
// Steps: attempts=N, subject=N, set=N, confirm, go (writes 1 into okto.go and reads it as
// the poll does), poll (reads okto.go as it stands),
// start, show-tree, node=L.I, type=TEXT, left, right, nature=L|R, close-notepad, continue, next, over.
class ScriptPlayer
{
public:
    ScriptPlayer(const QString &dataDirectory, const QStringList &arguments);
    ~ScriptPlayer();

    // Plays every step; the exit code of the process.
    int run();

private:
    static void say(const QString &line);
    void pause(const QString &why);
    void onBox(const AnsweringMessageBoxes::Shown &box);
    bool perform(const QString &step);
    bool click(QAbstractButton *button, const QString &what);

    QString m_dataDirectory;
    SteppingClock m_clock{512.5f, QDate(2009, 3, 4)};
    ScriptedRandomSource m_random;
    AnsweringMessageBoxes m_boxes;
    std::unique_ptr<TreeWindow> m_window;
    std::unique_ptr<SignalHandler> m_signals;

    QStringList m_steps;
    int m_stopAtReading = 0;
    QSet<int> m_stopAfterStep;
    int m_stopInBox = 0;
    int m_holdBoxesMs = 0;
    int m_thinkMs = 0;
    bool m_stopOnWarning = false;
    QString m_stopOnWarningWith; // only on a warning whose text holds it
    qint64 m_fileSizeLimit = 0;
    int m_liftLimitAfterStops = 0;
    int m_stops = 0;
    int m_informationBoxes = 0;
    QString m_error;
};
