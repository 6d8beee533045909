#pragma once

#include <QProgressDialog>

class QWidget;

// A progress bar for work done log by log on the window's thread: it shows itself after
// half a second, keeps the window painting and lets the experimenter cancel.
class WorkProgress
{
public:
    WorkProgress(QWidget *parent, const QString &label, int steps);

    // Before step k (from 0): false when the experimenter cancelled.
    bool step(int k, const QString &label = QString());
    // Closes the bar.
    void done();

private:
    QProgressDialog m_dialog;
};
