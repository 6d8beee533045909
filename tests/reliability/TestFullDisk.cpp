#include "DataFolder.h"
#include "OneAttemptScript.h"
#include "PlayerRun.h"
#include "SmallFilesystem.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// Writes that fail because the disk is full: the data folder on a small tmpfs that
// fills up during the attempt (root only), or a limit on the size of the files the
// program may write (RLIMIT_FSIZE, writes beyond it fail with EFBIG; runs anywhere).
// The subject is told to call the experimenter and goes on; the records written before
// stay whole; records that could not be written are written once there is room.
class TestFullDisk : public QObject
{
    Q_OBJECT

    enum Medium { SmallTmpfs, FileSizeLimit };
    enum Then { SpaceComesBack, SpaceComesBackAfterTheEnd, StaysFull, Killed };

    // Sets up the data folder on the medium; an empty reason means it is ready.
    static QString prepare(Medium medium, const QString &data, SmallFilesystem &fs, qint64 free)
    {
#ifndef Q_OS_UNIX
        // Windows has no limit on the size of a process's files to stand in for a full disk.
        if (medium == FileSizeLimit)
            return QStringLiteral("a file size limit (RLIMIT_FSIZE) needs a POSIX system");
#endif
        if (!QDir().mkdir(data))
            return QStringLiteral("cannot make ") + data;
        if (medium == SmallTmpfs) {
            QString why;
            if (!fs.mount(data, 64 * 1024, &why))
                return why;
        }
        if (!DataFolder::prepare(data))
            return QStringLiteral("cannot fill ") + data;
        if (medium == SmallTmpfs && !fs.fillLeaving(free))
            return QStringLiteral("cannot fill the tmpfs");
        return {};
    }

    static int logWarnings(PlayerRun &player)
    {
        int count = 0;
        for (const QString &line : player.linesStartingWith(QStringLiteral("box warning"))) {
            if (line.contains(QStringLiteral("The event log")))
                ++count;
        }
        return count;
    }

    static int wholeRecordsIn(const QByteArray &log)
    {
        const int total = int(OneAttemptScript::recordLines().size());
        for (int n = 0; n <= total; ++n) {
            if (log == OneAttemptScript::logOf(n))
                return n;
        }
        return -1;
    }

private slots:
    void diskFillsDuringTheAttempt_data()
    {
        QTest::addColumn<int>("medium");
        QTest::addColumn<int>("then");
        QTest::addColumn<QByteArray>("goAhead");
        QTest::addColumn<int>("goAheadWarnings");
        QTest::newRow("small tmpfs fills, then space comes back") << int(SmallTmpfs) << int(SpaceComesBack) << QByteArray(" 2 \r\n") << 0;
        // The go-ahead needs room too: it cannot be written and keeps the experimenter's 1.
        QTest::newRow("small tmpfs fills, space comes back after the last Continue")
            << int(SmallTmpfs) << int(SpaceComesBackAfterTheEnd) << QByteArray("1\r\n") << 1;
        QTest::newRow("small tmpfs fills and stays full") << int(SmallTmpfs) << int(StaysFull) << QByteArray("1\r\n") << 1;
        QTest::newRow("small tmpfs fills, then the program is killed") << int(SmallTmpfs) << int(Killed) << QByteArray("1\r\n") << 0;
        QTest::newRow("file size limit reached, then lifted") << int(FileSizeLimit) << int(SpaceComesBack) << QByteArray(" 2 \r\n") << 0;
        // okto.go is far below the limit and is written.
        QTest::newRow("file size limit reached, lifted after the last Continue")
            << int(FileSizeLimit) << int(SpaceComesBackAfterTheEnd) << QByteArray(" 2 \r\n") << 0;
        QTest::newRow("file size limit reached for good") << int(FileSizeLimit) << int(StaysFull) << QByteArray(" 2 \r\n") << 0;
        QTest::newRow("file size limit reached, then the program is killed") << int(FileSizeLimit) << int(Killed) << QByteArray("1\r\n") << 0;
    }

    void diskFillsDuringTheAttempt()
    {
        QFETCH(int, medium);
        QFETCH(int, then);
        QFETCH(QByteArray, goAhead);
        QFETCH(int, goAheadWarnings);
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        SmallFilesystem fs;
        // One 4 KiB page is left for the log, which outgrows it at the long note of d2;
        // the size limit is met at the same record.
        const QString trouble = prepare(Medium(medium), data, fs, 4096);
        if (!trouble.isEmpty())
            QSKIP(qPrintable(trouble));

        const int lastStep = int(OneAttemptScript::steps().size());
        // The record for analysis beside the log fills too; the experimenter hears of it
        // when at hand (see TestRecordDurability), so only the log's warning stops here.
        QStringList options{QStringLiteral("--stop-on-warning=The event log")};
        if (then == SpaceComesBackAfterTheEnd)
            options << QStringLiteral("--stop-after-step=%1").arg(lastStep);
        if (medium == FileSizeLimit) {
            options << QStringLiteral("--file-size-limit=2000");
            if (then == SpaceComesBack)
                options << QStringLiteral("--lift-limit-after-stops=1");
            if (then == SpaceComesBackAfterTheEnd) // the stop on the warning, then after the end
                options << QStringLiteral("--lift-limit-after-stops=2");
        }
        PlayerRun player;
        player.start(data, options, OneAttemptScript::actions());
        QVERIFY2(player.waitUntilStopped(), qPrintable(player.transcript()));

        // The subject is told, in the promised words, while the records so far are whole.
        const QStringList warnings = player.linesStartingWith(QStringLiteral("box warning"))
                                         .filter(QStringLiteral("The event log"));
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings[0].contains(QStringLiteral("cannot be written")), qPrintable(warnings[0]));
        QVERIFY2(warnings[0].contains(QStringLiteral("Please call the experimenter")), qPrintable(warnings[0]));
        const QString logPath = QDir(data).filePath(DataFolder::logName());
        const int onDisk = wholeRecordsIn(DataFolder::read(logPath));
        QVERIFY2(onDisk >= 0, DataFolder::read(logPath).right(200).constData());
        const int longNoteOfD2 = OneAttemptScript::recordNumberOf(" NotepadContents     3 2 ");
        QCOMPARE(onDisk, longNoteOfD2 - 1);

        if (then == Killed) {
            player.kill();
            QCOMPARE(DataFolder::read(logPath), OneAttemptScript::logOf(onDisk));
            QCOMPARE(DataFolder::read(QDir(data).filePath(QStringLiteral("okto.go"))), goAhead);
            return;
        }
        if (then == SpaceComesBack && medium == SmallTmpfs)
            QVERIFY(fs.makeRoom());
        player.resume();
        if (then == SpaceComesBackAfterTheEnd) {
            // The log has been closed with records still waiting; room comes before the
            // window closes.
            const QString end = QStringLiteral("stopping after step %1").arg(lastStep);
            for (int stops = 0; stops < 5 && player.linesStartingWith(end).isEmpty(); ++stops) {
                QVERIFY2(player.waitUntilStopped(), qPrintable(player.transcript()));
                if (player.linesStartingWith(end).isEmpty())
                    player.resume();
            }
            QVERIFY2(!player.linesStartingWith(end).isEmpty(), qPrintable(player.transcript()));
            QCOMPARE(DataFolder::read(logPath), OneAttemptScript::logOf(onDisk));
            if (medium == SmallTmpfs)
                QVERIFY(fs.makeRoom());
            player.resume();
        }
        QVERIFY2(player.runToTheEnd(), qPrintable(player.transcript()));
        QCOMPARE(player.exitStatus(), QProcess::NormalExit);
        QCOMPARE(player.exitCode(), 0);
        QVERIFY(!player.linesStartingWith(QStringLiteral("done")).isEmpty());
        // One warning at the failure; a disk that stays full gets a second at the close.
        QCOMPARE(logWarnings(player), then == StaysFull ? 2 : 1);
        QCOMPARE(DataFolder::read(QDir(data).filePath(QStringLiteral("okto.go"))), goAhead);
        // okto.go that cannot be rewritten is kept as it was, and the subject is told.
        const QStringList told = player.linesStartingWith(QStringLiteral("box warning"));
        QCOMPARE(int(told.filter(QStringLiteral("okto.go")).size()), goAheadWarnings);
        // The record for analysis: that it cannot be written, with the system's reason,
        // and if it stays so, at the close where its unwritten lines are kept.
        const QStringList companionTold = told.filter(QStringLiteral("record for analysis"));
        QVERIFY2(int(companionTold.size()) == (then == StaysFull ? 2 : 1), qPrintable(companionTold.join("\n")));
        const QString reason = medium == SmallTmpfs ? QStringLiteral("No space left on device")
                                                    : QStringLiteral("File too large");
        QVERIFY2(companionTold[0].contains(reason), qPrintable(companionTold[0]));
        for (const QString &box : told)
            QVERIFY2(!box.contains(QStringLiteral("Unknown error")), qPrintable(box));
        const QString companionPath = logPath + QStringLiteral(".jsonl");
        const int allRecords = int(OneAttemptScript::recordLines().size());
        QString why;
        if (then != StaysFull)
            QVERIFY2(DataFolder::isWholeCompanion(DataFolder::read(companionPath), allRecords, &why), qPrintable(why));

        if (then == SpaceComesBack || then == SpaceComesBackAfterTheEnd) {
            QCOMPARE(DataFolder::read(logPath), OneAttemptScript::wholeLog());
            QVERIFY2(!player.errors().contains("not in the file"), player.errors().constData());
        } else {
            // Nothing more reached the file, nothing half; the records that never found
            // room are handed to the experimenter's console when the program ends.
            QCOMPARE(DataFolder::read(logPath), OneAttemptScript::logOf(onDisk));
            const QByteArray unwritten = OneAttemptScript::wholeLog().mid(OneAttemptScript::logOf(onDisk).size());
            QVERIFY2(player.errors().contains(unwritten), player.errors().right(300).constData());
            // And in a file of their own in the temporary folder, which the experimenter is
            // told of; the size limit holds for that file too.
            const QString kept = dir.filePath(QStringLiteral("tmp/") + DataFolder::logName() + QStringLiteral(".unwritten"));
            const QStringList keptTold = told.filter(QStringLiteral("The event log")).filter(QStringLiteral("not complete"));
            QCOMPARE(keptTold.size(), 1);
            // The record for analysis's unwritten lines are kept beside them, told of in
            // the same box: the file and they together are the whole record.
            const QString companionKept = kept.left(kept.size() - 10) + QStringLiteral(".jsonl.unwritten");
            if (medium == SmallTmpfs) {
                QCOMPARE(DataFolder::read(kept), unwritten);
                QVERIFY2(keptTold[0].contains(QDir::toNativeSeparators(kept)), qPrintable(keptTold[0]));
                QVERIFY2(keptTold[0].contains(QDir::toNativeSeparators(companionKept)), qPrintable(keptTold[0]));
                QVERIFY2(DataFolder::isWholeCompanion(DataFolder::read(companionPath) + DataFolder::read(companionKept),
                                                      allRecords, &why), qPrintable(why));
            } else {
                QVERIFY2(keptTold[0].contains(QStringLiteral("could not be kept")), qPrintable(keptTold[0]));
                QVERIFY2(keptTold[0].contains(QStringLiteral("record for analysis")), qPrintable(keptTold[0]));
            }
        }
    }

    // No room even for the header: the experimenter is told and may confirm again once
    // there is room; no half log is left behind.
    void diskFullWhenTheLogOpens_data()
    {
        QTest::addColumn<int>("medium");
        QTest::newRow("small tmpfs") << int(SmallTmpfs);
        QTest::newRow("file size limit") << int(FileSizeLimit);
    }

    void diskFullWhenTheLogOpens()
    {
        QFETCH(int, medium);
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        SmallFilesystem fs;
        const QString trouble = prepare(Medium(medium), data, fs, 0);
        if (!trouble.isEmpty())
            QSKIP(qPrintable(trouble));
        QStringList options{QStringLiteral("--stop-on-warning")};
        if (medium == FileSizeLimit)
            options << QStringLiteral("--file-size-limit=10") << QStringLiteral("--lift-limit-after-stops=1");

        PlayerRun player;
        player.start(data, options,
                     {QStringLiteral("attempts=1"), QStringLiteral("confirm"), QStringLiteral("confirm"),
                      QStringLiteral("go"), QStringLiteral("start")});
        QVERIFY2(player.waitUntilStopped(), qPrintable(player.transcript()));
        const QStringList warnings = player.linesStartingWith(QStringLiteral("box warning"));
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings[0].contains(QStringLiteral("first line cannot be written")), qPrintable(warnings[0]));
        QVERIFY(!QFileInfo::exists(QDir(data).filePath(DataFolder::logName())));

        if (medium == SmallTmpfs)
            QVERIFY(fs.makeRoom());
        player.resume();
        QVERIFY2(player.waitForExit(), qPrintable(player.transcript()));
        QCOMPARE(player.exitCode(), 0);
        // The second confirmation opens the log at the clock's third reading: header at
        // the fourth (515.5 s), Start at the fifth, two seconds after the time base.
        QCOMPARE(DataFolder::read(QDir(data).filePath(DataFolder::logName())),
                 QByteArray("99  1  3/4/09  515.5\r\n2 Start\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestFullDisk)
#include "TestFullDisk.moc"
