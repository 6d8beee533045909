#include "LabFolders.h"

#include "TestPayoffs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

namespace LabFolders {

Run treelab(const QStringList &arguments, const QString &workingDirectory)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    // treelab draws its pictures on the plain offscreen platform. The tests' screen file is
    // named by a path without a drive letter, which on Windows would name a file on the
    // drive of treelab's working folder, where there is none.
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(DT_TREELAB), arguments);
    Run run;
    if (!process.waitForStarted(10000)) {
        run.err = QStringLiteral("treelab did not start: ") + process.errorString();
        return run;
    }
    process.closeWriteChannel();
    // Ample for the release build; a slower build (the sanitizers') has more (tests/CMakeLists.txt).
    const int limitSeconds = 30 * DT_TIME_FACTOR;
    if (!process.waitForFinished(limitSeconds * 1000)) {
        process.kill();
        process.waitForFinished(5000);
        run.err = QStringLiteral("treelab did not finish within %1 s").arg(limitSeconds);
        run.crashed = true;
        return run;
    }
    run.crashed = process.exitStatus() != QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString report(const Run &run)
{
    return QStringLiteral("exit %1\n--- stdout\n%2--- stderr\n%3").arg(run.exitCode).arg(run.out, run.err);
}

QByteArray wholeExperimentLog()
{
    return fileBytes(QStringLiteral(DT_WHOLE_EXPERIMENT_LOG));
}

QByteArray firstLines(const QByteArray &bytes, int count)
{
    qsizetype end = 0;
    for (int k = 0; k < count; ++k) {
        end = bytes.indexOf('\n', end);
        if (end < 0)
            return bytes;
        ++end;
    }
    return bytes.left(end);
}

QString workstation(const QString &parent, const QString &name, const QByteArray &okto,
                    const QByteArray &log)
{
    const QString folder = QDir(parent).filePath(name);
    QDir().mkpath(folder);
    putFile(QDir(folder).filePath(QStringLiteral("okto.go")), okto);
    putFile(QDir(folder).filePath(QStringLiteral("btinp.01")), TestPayoffs::fileText());
    if (!log.isEmpty())
        putFile(QDir(folder).filePath(QStringLiteral("o199btinp.01")), log);
    return folder;
}

QString putLogOf(const QString &folder, const QByteArray &log, int subject)
{
    QByteArray bytes = log;
    if (bytes.startsWith("99  "))
        bytes.replace(0, 2, QByteArray::number(subject));
    const QString path = QDir(folder).filePath(QStringLiteral("o1%1btinp.01").arg(subject));
    return putFile(path, bytes) ? path : QString();
}

QList<QStringList> readCsv(const QString &text, bool *wellFormed)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false, atFieldStart = true;
    *wellFormed = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"') && atFieldStart) {
            quoted = true;
            atFieldStart = false;
        } else if (c == QLatin1Char(',')) {
            row.append(field);
            field.clear();
            atFieldStart = true;
        } else if (c == QLatin1Char('\n')) {
            row.append(field);
            rows.append(row);
            row.clear();
            field.clear();
            atFieldStart = true;
        } else {
            if (c == QLatin1Char('"') || c == QLatin1Char('\r'))
                *wellFormed = false; // a bare quote or CR outside quotes
            field += c;
            atFieldStart = false;
        }
    }
    if (quoted || !field.isEmpty() || !row.isEmpty())
        *wellFormed = false; // the last row is not ended
    return rows;
}

QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000 * DT_TIME_FACTOR) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool canReadPdf()
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-v")});
    return process.waitForFinished(30000 * DT_TIME_FACTOR) && process.exitStatus() == QProcess::NormalExit;
}

int pdfPages(const QString &path)
{
    if (canReadPdf())
        return int(pdfText(path).count(QLatin1Char('\f')));
    // Without pdftotext (under Wine): the page objects Qt's PDF writer writes, one each.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return int(QString::fromLatin1(file.readAll()).count(page));
}

} // namespace LabFolders
