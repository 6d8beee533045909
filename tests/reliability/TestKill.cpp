#include "DataFolder.h"
#include "OneAttemptScript.h"
#include "PlayerRun.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// The real window in a process of its own, killed with SIGKILL at chosen points of an
// attempt: the log must hold every record written before the kill, each line whole,
// and okto.go a whole value.
class TestKill : public QObject
{
    Q_OBJECT

    static int readingOfRecord(int r) { return r + 2; } // two readings open the log

private slots:
    void killAtAPointLosesNothingWritten_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("records");      // records in the file after the kill
        QTest::addColumn<QByteArray>("goAhead");
        const QByteArray go = "1\r\n";
        const QByteArray two = " 2 \r\n";
        auto after = [](const QString &action) {
            return QStringList{QStringLiteral("--stop-after-step=%1").arg(OneAttemptScript::stepOf(action))};
        };
        auto beforeRecord = [](int r) {
            return QStringList{QStringLiteral("--stop-at-reading=%1").arg(readingOfRecord(r))};
        };
        QTest::newRow("after the header") << after(QStringLiteral("go")) << 0 << go;
        QTest::newRow("after the click record of d1") << after(QStringLiteral("node=1.0")) << 2 << go;
        QTest::newRow("after a decision") << QStringList{QStringLiteral("--stop-after-step=7")} << 3 << go;
        QTest::newRow("between the click on c1 and its NotepadContents") << beforeRecord(5) << 4 << go;
        QTest::newRow("between the click on d2 and a three-line NotepadContents")
            << beforeRecord(8) << 7 << go;
        QTest::newRow("right after a three-line NotepadContents") << beforeRecord(9) << 8 << go;
        QTest::newRow("while Nature's first box is open") << QStringList{QStringLiteral("--stop-in-box=1")} << 6 << go;
        QTest::newRow("between Nature's move at c3 and FinalPayoffNode") << beforeRecord(19) << 18 << go;
        QTest::newRow("while the realised payoff box is open") << QStringList{QStringLiteral("--stop-in-box=4")} << 18 << go;
        QTest::newRow("right after the go-ahead write")
            << QStringList{QStringLiteral("--stop-after-step=20")} << 19 << two;
        QTest::newRow("between the payoff node click and its NotepadContents") << beforeRecord(21) << 20 << two;
        QTest::newRow("after the last Continue") << QStringList{QStringLiteral("--stop-after-step=22")} << 22 << two;
    }

    void killAtAPointLosesNothingWritten()
    {
        QFETCH(QStringList, options);
        QFETCH(int, records);
        QFETCH(QByteArray, goAhead);
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkdir(data));
        QVERIFY(DataFolder::prepare(data));

        PlayerRun player;
        player.start(data, options, OneAttemptScript::actions());
        QVERIFY2(player.waitUntilStopped(), qPrintable(player.transcript()));
        QVERIFY2(player.linesStartingWith(QStringLiteral("error")).isEmpty(), qPrintable(player.transcript()));
        player.kill();
        QCOMPARE(player.exitStatus(), QProcess::CrashExit);

        const QByteArray log = DataFolder::read(QDir(data).filePath(DataFolder::logName()));
        QCOMPARE(log, OneAttemptScript::logOf(records));
        QCOMPARE(DataFolder::read(QDir(data).filePath(QStringLiteral("okto.go"))), goAhead);
        const QString companion = DataFolder::logName() + QStringLiteral(".jsonl");
        QVERIFY(DataFolder::read(QDir(data).filePath(companion)).endsWith('\n')); // whole lines
        QCOMPARE(QDir(data).entryList(QDir::Files, QDir::Name),
                 (QStringList{QStringLiteral("btinp.01"), DataFolder::logName(), companion,
                              QStringLiteral("okto.go")}));
    }

    // Killed while it runs on, at whatever point the signal lands: the log is always the
    // header and a run of whole records from the first on, and okto.go a whole value.
    void killWhileRunningLeavesWholeRecords_data()
    {
        QTest::addColumn<int>("step");
        for (const int step : {5, 8, 11, 14, 18, 20})
            QTest::addRow("once step %d is reported", step) << step;
    }

    void killWhileRunningLeavesWholeRecords()
    {
        QFETCH(int, step);
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkdir(data));
        QVERIFY(DataFolder::prepare(data));

        PlayerRun player;
        player.start(data, {}, OneAttemptScript::actions());
        QVERIFY2(player.waitForLine(QStringLiteral("step %1 ").arg(step)), qPrintable(player.transcript()));
        player.kill();

        const QByteArray log = DataFolder::read(QDir(data).filePath(DataFolder::logName()));
        const int total = int(OneAttemptScript::recordLines().size());
        int records = -1;
        for (int n = OneAttemptScript::recordsAfterStep(step); n <= total && records < 0; ++n) {
            if (log == OneAttemptScript::logOf(n))
                records = n;
        }
        QVERIFY2(records >= 0, log.right(300).constData());
        const QByteArray goAhead = DataFolder::read(QDir(data).filePath(QStringLiteral("okto.go")));
        // The go-ahead is rewritten right after the FinalPayoffNode record.
        const int finalPayoff = OneAttemptScript::recordNumberOf(" FinalPayoffNode");
        if (records < finalPayoff)
            QCOMPARE(goAhead, QByteArray("1\r\n"));
        else if (records > finalPayoff)
            QCOMPARE(goAhead, QByteArray(" 2 \r\n"));
        else
            QVERIFY2(goAhead == "1\r\n" || goAhead == " 2 \r\n", goAhead.constData());
    }
};

QTEST_GUILESS_MAIN(TestKill)
#include "TestKill.moc"
