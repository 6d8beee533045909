#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// Starts a probe program (startup-probe, startup-minimal) and reads its report lines
// (see ProbeReport.h). Start-up is timed from just before QProcess::start, in this
// process, to the probe's CLOCK_MONOTONIC reading once its window is shown and idle:
// fork and exec are in it, the pipe's delivery of the line is not.
class ProbeRunner
{
public:
    struct Report
    {
        bool ok = false;
        QString error;
        double startupMs = 0.0;       // to the "ready" line
        double sinceStartMs = 0.0;    // the probe's own /proc figure, 10 ms steps
        qint64 readyHwmKb = -1;       // VmHWM when ready
        qint64 playedHwmKb = -1;      // VmHWM on the "played" line, if any
        double confirmMs = -1.0;      // its ConfirmParameters click
        QSize windowSize;
    };

    static Report run(const QString &program, const QStringList &arguments, int timeoutMs = 60000);
};
