#include "ProbeRunner.h"

#include "ProbeReport.h"

#include <QMap>
#include <QProcess>

namespace {

QMap<QByteArray, QByteArray> fieldsOf(const QByteArray &line)
{
    QMap<QByteArray, QByteArray> fields;
    for (const QByteArray &item : line.trimmed().split(' ')) {
        const qsizetype eq = item.indexOf('=');
        if (eq > 0)
            fields.insert(item.left(eq), item.mid(eq + 1));
    }
    return fields;
}

} // namespace

ProbeRunner::Report ProbeRunner::run(const QString &program, const QStringList &arguments, int timeoutMs)
{
    Report report;
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    const qint64 before = ProbeReport::monotonicNs();
    process.start(program, arguments);
    if (!process.waitForStarted(timeoutMs)) {
        report.error = QStringLiteral("%1 did not start: %2").arg(program, process.errorString());
        return report;
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        report.error = QStringLiteral("%1 did not finish within %2 s").arg(program).arg(timeoutMs / 1000);
        return report;
    }
    const QByteArray out = process.readAllStandardOutput();
    bool ready = false;
    for (const QByteArray &line : out.split('\n')) {
        const QMap<QByteArray, QByteArray> f = fieldsOf(line);
        if (line.startsWith("ready ")) {
            ready = true;
            report.startupMs = double(f.value("monotonic_ns").toLongLong() - before) / 1e6;
            report.sinceStartMs = f.value("since_start_ms").toDouble();
            report.readyHwmKb = f.value("hwm_kb").toLongLong();
            const QList<QByteArray> size = f.value("size").split('x');
            report.windowSize = QSize(size.value(0).toInt(), size.value(1).toInt());
        } else if (line.startsWith("played ")) {
            report.playedHwmKb = f.value("hwm_kb").toLongLong();
            report.confirmMs = double(f.value("confirm_ns").toLongLong()) / 1e6;
        }
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 || !ready) {
        report.error = QStringLiteral("%1 failed (exit %2): %3")
                           .arg(program)
                           .arg(process.exitCode())
                           .arg(QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
        return report;
    }
    report.ok = true;
    return report;
}
