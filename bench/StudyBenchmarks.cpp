#include "StudyBenchmarks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

bool StudyBenchmarks::makeDataFolder(const QString &folder, const QString &payoffFile, QString *error)
{
    QDir().mkpath(folder);
    const QDir dir(folder);
    QFile::remove(dir.filePath(QStringLiteral("btinp.01")));
    if (!QFile::copy(payoffFile, dir.filePath(QStringLiteral("btinp.01")))) {
        *error = QStringLiteral("cannot copy %1 into %2").arg(payoffFile, folder);
        return false;
    }
    return true;
}

bool StudyBenchmarks::makeStudy(const QString &folder, int logs, const QString &templateLog,
                                const QString &payoffFile, QString *error)
{
    QFile source(templateLog);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(templateLog, source.errorString());
        return false;
    }
    const QByteArray log = source.readAll();
    const qsizetype headerEnd = log.indexOf("  ");
    if (headerEnd <= 0) {
        *error = QStringLiteral("%1 does not begin with a log header").arg(templateLog);
        return false;
    }
    if (!makeDataFolder(folder, payoffFile, error))
        return false;
    const QDir dir(folder);
    for (int subject = 1; subject <= logs; ++subject) {
        QFile file(dir.filePath(QStringLiteral("o1%1btinp.01").arg(subject)));
        const QByteArray bytes = QByteArray::number(subject) + log.mid(headerEnd);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
            *error = QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
            return false;
        }
    }
    return true;
}

StudyBenchmarks::Figure StudyBenchmarks::floor(const QString &folder, int logs, const QString &workbook,
                                               const QString &workingDirectory)
{
    Figure figure;
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/xlsx-floor"),
                  {folder, QString::number(logs), workbook});
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        figure.error = QStringLiteral("xlsx-floor failed: %1").arg(QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
        return figure;
    }
    figure.seconds = process.readAllStandardOutput().trimmed().toDouble();
    figure.ok = figure.seconds > 0;
    return figure;
}

StudyBenchmarks::Figure StudyBenchmarks::run(const QString &program, const QStringList &arguments,
                                             const QString &workingDirectory)
{
    Figure figure;
    // Through run-peak, beside this program, so that the peak is the command's alone.
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/run-peak"),
                  QStringList{program} + arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0) {
        figure.error = QStringLiteral("run-peak could not run %1: %2").arg(program, process.errorString());
        return figure;
    }
    const QStringList fields = QString::fromLatin1(process.readAllStandardOutput()).split(QLatin1Char(' '));
    figure.seconds = fields.value(1).toDouble();
    figure.peakKb = fields.value(2).trimmed().toLong();
    if (fields.value(0) != QLatin1String("0")) {
        figure.error = QStringLiteral("treelab %1 ended with status %2").arg(arguments.join(QLatin1Char(' ')), fields.value(0));
        return figure;
    }
    figure.ok = true;
    return figure;
}
