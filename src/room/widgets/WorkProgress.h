#pragma once

#include <QProgressDialog>

class QWidget;

// A progress bar for work done log by log on the window's thread: it shows itself after
// half a second (setShowAfter), keeps the window painting and lets the experimenter cancel.
class WorkProgress
{
public:
    WorkProgress(QWidget *parent, const QString &label, int steps);

    // Before step k (from 0): false when the experimenter cancelled.
    bool step(int k, const QString &label = QString());
    // Closes the bar.
    void done();

    // How long work runs before its bar shows (500 ms); the tests show it at once, to press
    // its Cancel.
    static void setShowAfter(int ms) { s_showAfterMs = ms; }

private:
    static inline int s_showAfterMs = 500;
    QProgressDialog m_dialog;
};
