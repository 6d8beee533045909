#include "DataFolder.h"
#include "OneAttemptScript.h"
#include "PlayerRun.h"
#include "SmallFilesystem.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// The data folder taken away while the program runs: removed with rm -r, or a share
// that is unmounted under it. The attempt goes on to its end, the subject is told to
// call the experimenter, and the log is not lost with the folder.
class TestVanishedFolder : public QObject
{
    Q_OBJECT

    enum Loss { Removed, RemovedWithNoTemporaryFolder, RemovedAndMadeAgain, ShareUnmounted };

    static int warningsAbout(PlayerRun &player, const QString &what)
    {
        int count = 0;
        for (const QString &line : player.linesStartingWith(QStringLiteral("box warning"))) {
            if (line.contains(what))
                ++count;
        }
        return count;
    }

private slots:
    void folderGoesDuringTheAttempt_data()
    {
        QTest::addColumn<int>("loss");
        QTest::newRow("rm -r of the data folder") << int(Removed);
        // TMPDIR names a folder that is not there: what is kept goes to the home folder.
        QTest::newRow("rm -r, and no temporary folder") << int(RemovedWithNoTemporaryFolder);
        QTest::newRow("rm -r, and the folder made again") << int(RemovedAndMadeAgain);
        QTest::newRow("the share under the folder unmounted") << int(ShareUnmounted);
    }

    void folderGoesDuringTheAttempt()
    {
        QFETCH(int, loss);
#ifdef Q_OS_WIN
        QSKIP("Windows lets no one remove a folder while a program holds a file in it open, "
              "and has no mount to take away beneath it");
#endif
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkdir(data));
        SmallFilesystem share;
        if (loss == ShareUnmounted) {
            QString why;
            if (!share.mount(data, 1024 * 1024, &why))
                QSKIP(qPrintable(why));
        }
        QVERIFY(DataFolder::prepare(data));

        // The folder goes after the decision at d3, before the attempt's last moves.
        const int step = OneAttemptScript::stepOf(QStringLiteral("node=5.9"));
        PlayerRun player;
        const QString home = dir.filePath(QStringLiteral("home"));
        if (loss == RemovedWithNoTemporaryFolder) {
            QVERIFY(QDir().mkdir(home));
            player.setEnvironment(QStringLiteral("HOME"), home);
            player.setEnvironment(QStringLiteral("TMPDIR"), dir.filePath(QStringLiteral("missing")));
        }
        player.start(data, {QStringLiteral("--stop-after-step=%1").arg(step), QStringLiteral("--stop-on-warning")},
                     OneAttemptScript::actions());
        QVERIFY2(player.waitUntilStopped(), qPrintable(player.transcript()));
        if (loss == ShareUnmounted)
            share.unmount(); // lazily: the program's open log stays on the detached share
        else
            QVERIFY(QDir(data).removeRecursively());
        QVERIFY(!QFileInfo::exists(QDir(data).filePath(DataFolder::logName())));
        player.resume();

        if (loss == RemovedAndMadeAgain) {
            // Told at the first record that has nowhere to go; the folder comes back.
            QVERIFY2(player.waitUntilStopped(), qPrintable(player.transcript()));
            QCOMPARE(warningsAbout(player, QStringLiteral("The event log")), 1);
            QVERIFY(QDir().mkdir(data));
            player.resume();
        }
        QVERIFY2(player.runToTheEnd(), qPrintable(player.transcript()));
        QCOMPARE(player.exitStatus(), QProcess::NormalExit);
        QCOMPARE(player.exitCode(), 0);
        // The attempt went on to its Continue.
        QVERIFY2(!player.linesStartingWith(QStringLiteral("done")).isEmpty(), qPrintable(player.transcript()));
        QVERIFY(!player.linesStartingWith(QStringLiteral("box information Payoff")).isEmpty());

        const QString logPath = QDir(data).filePath(DataFolder::logName());
        switch (loss) {
        case Removed:
        case RemovedWithNoTemporaryFolder: {
            // Nowhere to write: the subject was told once about the log and once about
            // okto.go; the program never makes the data folder itself, so the whole log
            // is handed to the experimenter's console at the end, and kept in the
            // temporary folder, which the close tells of, by its full path. The record
            // for analysis is kept beside it, whole, and the experimenter hears of its
            // loss too.
            QVERIFY(!QFileInfo::exists(data));
            QCOMPARE(warningsAbout(player, QStringLiteral("The event log")), 2);
            const QString keptIn = loss == Removed ? dir.filePath(QStringLiteral("tmp")) : home;
            const QString kept = QDir(keptIn).filePath(DataFolder::logName() + QStringLiteral(".unwritten"));
            QCOMPARE(DataFolder::read(kept), OneAttemptScript::wholeLog());
            const QString companionKept = QDir(keptIn).filePath(DataFolder::logName() + QStringLiteral(".jsonl.unwritten"));
            QString why;
            QVERIFY2(DataFolder::isWholeCompanion(DataFolder::read(companionKept),
                                                  int(OneAttemptScript::recordLines().size()), &why),
                     qPrintable(why));
            const QStringList keptTold = player.linesStartingWith(QStringLiteral("box warning"))
                                             .filter(QStringLiteral("not complete"));
            QCOMPARE(keptTold.size(), 1);
            QVERIFY2(keptTold[0].contains(QDir::toNativeSeparators(kept)), qPrintable(keptTold[0]));
            QVERIFY2(keptTold[0].contains(QDir::toNativeSeparators(companionKept)), qPrintable(keptTold[0]));
            QVERIFY2(warningsAbout(player, QStringLiteral("record for analysis")) >= 1, qPrintable(player.transcript()));
            QCOMPARE(warningsAbout(player, QStringLiteral("okto.go")), 1);
            QVERIFY2(player.errors().contains(OneAttemptScript::wholeLog()), player.errors().right(300).constData());
            break;
        }
        case RemovedAndMadeAgain: {
            // Everything, from the header on, is written again into the folder, and so is
            // the record for analysis, from its run line on.
            QCOMPARE(DataFolder::read(logPath), OneAttemptScript::wholeLog());
            QString why;
            QVERIFY2(DataFolder::isWholeCompanion(DataFolder::read(logPath + QStringLiteral(".jsonl")),
                                                  int(OneAttemptScript::recordLines().size()), &why),
                     qPrintable(why));
            QCOMPARE(DataFolder::read(QDir(data).filePath(QStringLiteral("okto.go"))), QByteArray(" 2 \r\n"));
            break;
        }
        case ShareUnmounted:
            // The folder beneath the share is there: the log is written anew into it at
            // once, whole, and the subject need not be bothered.
            QCOMPARE(DataFolder::read(logPath), OneAttemptScript::wholeLog());
            QCOMPARE(DataFolder::read(QDir(data).filePath(QStringLiteral("okto.go"))), QByteArray(" 2 \r\n"));
            QCOMPARE(warningsAbout(player, QStringLiteral("The event log")), 0);
            break;
        }
    }
};

QTEST_GUILESS_MAIN(TestVanishedFolder)
#include "TestVanishedFolder.moc"
