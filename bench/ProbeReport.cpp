#include "ProbeReport.h"

#include <QFile>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <memory>
#include <cstring>
#include <ctime>
#include <unistd.h>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define DT_CALLGRIND_DUMP(tag) CALLGRIND_DUMP_STATS_AT(tag)
#else
#define DT_CALLGRIND_DUMP(tag) ((void)(tag))
#endif

namespace ProbeReport {

qint64 monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

qint64 sinceProcessStartMs()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // The command name in parentheses may hold blanks: count fields after the last ')'.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    // Field 3 (state) is fields[0], so field 22 (starttime) is fields[19].
    if (fields.size() < 20)
        return -1;
    const double ticks = fields[19].toDouble();
    const double hz = double(sysconf(_SC_CLK_TCK));
    timespec boot{};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    const double nowS = double(boot.tv_sec) + double(boot.tv_nsec) / 1e9;
    return qint64((nowS - ticks / hz) * 1000.0);
}

qint64 statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

void print(const char *tag, const QWidget &window, const QString &extra)
{
    const qint64 now = monotonicNs();
    // Under callgrind, the instructions up to here become a profile of their own
    // (callgrind.out.<pid>.1 is the start-up); elsewhere this does nothing.
    DT_CALLGRIND_DUMP(tag);
    std::printf("%s monotonic_ns=%lld since_start_ms=%lld hwm_kb=%lld rss_kb=%lld size=%dx%d %s\n", tag,
                static_cast<long long>(now), static_cast<long long>(sinceProcessStartMs()),
                static_cast<long long>(statusKb("VmHWM")), static_cast<long long>(statusKb("VmRSS")),
                window.width(), window.height(), qPrintable(extra));
    std::fflush(stdout);
}

void whenShownAndIdle(QWidget &window, std::function<void()> then)
{
    // A zero timer fires only after the posted events (the first paint among them) have
    // been delivered; two such turns in a row with the window exposed mean it is idle.
    auto *poll = new QTimer(&window);
    poll->setInterval(0);
    auto idleTurns = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, &window, [poll, idleTurns, &window, then] {
        const QWindow *handle = window.windowHandle();
        if (!handle || !handle->isExposed()) {
            *idleTurns = 0;
            return;
        }
        if (++*idleTurns < 2)
            return;
        poll->stop();
        poll->deleteLater();
        then();
    });
    poll->start();
}

QString argument(int argc, char **argv, const char *name, const QString &fallback)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0)
            return QString::fromLocal8Bit(argv[i + 1]);
    }
    return fallback;
}

bool hasFlag(int argc, char **argv, const char *name)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0)
            return true;
    }
    return false;
}

} // namespace ProbeReport
