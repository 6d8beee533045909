#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

class QWidget;

// What the start-up probes report to the bench driver, one line on standard output:
//   <tag> monotonic_ns=<n> since_start_ms=<n> hwm_kb=<n> rss_kb=<n> size=<w>x<h> [extra]
// monotonic_ns is CLOCK_MONOTONIC, the clock the driver reads just before it starts the
// probe, so the difference is the start-up with nothing lost to the pipe.
namespace ProbeReport {

// CLOCK_MONOTONIC in nanoseconds: one clock for every process on the machine.
qint64 monotonicNs();

// Milliseconds since the kernel created this process (/proc/self/stat, field 22, in
// clock ticks: 10 ms steps on Debian). A cross-check only.
qint64 sinceProcessStartMs();

// A "VmHWM" or "VmRSS" line of /proc/self/status, in kB; -1 if it is not there.
qint64 statusKb(const char *field);

// Writes the report line for the window and flushes it. Under valgrind's callgrind it
// first dumps the profile so far, so each line closes a profile of its own.
// extra ("name=value ...") is appended to the line.
void print(const char *tag, const QWidget &window, const QString &extra = QString());

// Runs then() once the window is exposed and the event loop has gone round once more
// with nothing left to do, so the first paint is done.
void whenShownAndIdle(QWidget &window, std::function<void()> then);

// The value after "--name" on the command line, or fallback.
QString argument(int argc, char **argv, const char *name, const QString &fallback = QString());
bool hasFlag(int argc, char **argv, const char *name);

} // namespace ProbeReport
