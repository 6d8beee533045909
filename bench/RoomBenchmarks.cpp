#include "RoomBenchmarks.h"

#include "record/SystemClock.h"
#include "room/logic/RoomReader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

namespace {

// The template's lines (each with its CR LF).
QList<QByteArray> linesOf(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        lines.append(bytes.mid(start, end - start));
        start = end;
    }
    return lines;
}

// Begins after line 33 (the Continue of attempt 1): the rounds append the records of
// attempt 2 one by one.
constexpr int FirstLines = 33;

} // namespace

QString RoomBenchmarks::roomOf(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("room"));
}

RoomBenchmarks::Figures RoomBenchmarks::measureTicks(const QString &folder, const QString &templateLog,
                                                     const QString &payoffFile, int rounds)
{
    Figures figures;
    QFile source(templateLog);
    if (!source.open(QIODevice::ReadOnly)) {
        figures.error = QStringLiteral("cannot read %1").arg(templateLog);
        return figures;
    }
    const QList<QByteArray> lines = linesOf(source.readAll());
    if (lines.size() < FirstLines + rounds) {
        figures.error = QStringLiteral("%1 has too few lines for %2 rounds").arg(templateLog).arg(rounds);
        return figures;
    }
    QStringList folders;
    QStringList logs;
    for (int k = 1; k <= Workstations; ++k) {
        const QString data = QDir(roomOf(folder)).filePath(QStringLiteral("ws%1/data").arg(k));
        QDir().mkpath(data);
        QFile::copy(payoffFile, QDir(data).filePath(QStringLiteral("btinp.01")));
        QFile go(QDir(data).filePath(QStringLiteral("okto.go")));
        QByteArray head = lines[0];
        head.replace(0, 2, QByteArray::number(k)); // "99  1  ..." as subject k's
        QByteArray log = head;
        for (int line = 1; line < FirstLines; ++line)
            log += lines[line];
        const QString path = QDir(data).filePath(QStringLiteral("o1%1btinp.01").arg(k));
        QFile file(path);
        if (!go.open(QIODevice::WriteOnly) || go.write(" 2 \r\n") < 0 || !file.open(QIODevice::WriteOnly)
            || file.write(log) != log.size()) {
            figures.error = QStringLiteral("cannot write the room under %1").arg(folder);
            return figures;
        }
        folders.append(data);
        logs.append(path);
    }

    const SystemClock clock;
    RoomReader reader(clock, 0);
    reader.setFolders(folders);
    reader.tick();
    reader.tick();
    QElapsedTimer timer;
    for (int round = 0; round < rounds; ++round) {
        timer.start();
        reader.tick();
        figures.unchangedMs.push_back(double(timer.nsecsElapsed()) / 1e6);

        for (const QString &path : std::as_const(logs)) {
            QFile file(path);
            if (!file.open(QIODevice::Append) || file.write(lines[FirstLines + round]) < 0) {
                figures.error = QStringLiteral("cannot append to %1").arg(path);
                return figures;
            }
        }
        const qint64 before = reader.folderReads();
        const qint64 linesBefore = reader.logLinesRead();
        timer.start();
        reader.tick();
        figures.grownMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (reader.folderReads() - before != Workstations) {
            figures.error = QStringLiteral("a grown log was not read again");
            return figures;
        }
        // Each log read on from where it was read: its one new line, not the whole again.
        if (reader.logLinesRead() - linesBefore != Workstations) {
            figures.error = QStringLiteral("the grown logs cost %1 lines read, not their %2 new ones")
                                .arg(reader.logLinesRead() - linesBefore)
                                .arg(Workstations);
            return figures;
        }
    }
    figures.ok = true;
    return figures;
}
