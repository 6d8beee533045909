#include "DataFolder.h"
#include "OneAttemptScript.h"
#include "PlayerRun.h"

#include "TestFiles.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// A shutdown, a closed terminal or Ctrl+C while a message box waits for its OK: the run
// ends there. The handler that opened the box never goes on, so nothing reaches the log,
// the record for analysis or okto.go after the signal's own last line, which names the
// box; and whatever stopped the program learns of the signal from its exit status.
class TestTerminationSignal : public QObject
{
    Q_OBJECT

    static QList<QJsonObject> objects(const QByteArray &jsonl) { return TestFiles::jsonObjects(jsonl); }

private slots:
    void aSignalInABoxEndsTheRunThere_data()
    {
        QTest::addColumn<QString>("stop");        // the player's option
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("boxTitle");
        QTest::addColumn<QString>("lastRecord");  // the log's last record; empty: the header
        QTest::addColumn<bool>("earlierLog");

#ifdef SIGHUP // POSIX alone; the test is skipped on Windows
        QTest::newRow("Nature's box at c1, SIGHUP")
            << "--stop-in-box=1" << int(SIGHUP) << "SIGHUP" << "Nature 's Move"
            << " NatureMove          L 2 1" << false;
#endif
        // Before, the move went on after the window had closed, and okto.go said the
        // first attempt was over although no payoff had been shown.
        QTest::newRow("Nature's last box, SIGTERM")
            << "--stop-in-box=3" << int(SIGTERM) << "SIGTERM" << "Nature's move"
            << " NatureMove          L 6 19" << false;
        QTest::newRow("the payoff's box, SIGINT")
            << "--stop-in-box=4" << int(SIGINT) << "SIGINT" << "Payoff"
            << " NatureMove          L 6 19" << false;
        // The warning that an earlier log was kept aside, shown while the parameters are
        // confirmed.
        QTest::newRow("a warning, SIGTERM")
            << "--stop-on-warning=already there" << int(SIGTERM) << "SIGTERM"
            << "Decision Tree: experimental parameters" << "" << true;
    }

    void aSignalInABoxEndsTheRunThere()
    {
        QFETCH(QString, stop);
        QFETCH(int, number);
        QFETCH(QString, name);
        QFETCH(QString, boxTitle);
        QFETCH(QString, lastRecord);
        QFETCH(bool, earlierLog);
#ifndef Q_OS_UNIX
        QSKIP("Windows sends a window program no termination signals");
#endif
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkdir(data));
        QVERIFY(DataFolder::prepare(data));
        const QString logPath = QDir(data).filePath(DataFolder::logName());
        if (earlierLog)
            QVERIFY(DataFolder::write(logPath, "an earlier session\r\n"));

        PlayerRun player;
        player.start(data, {stop}, OneAttemptScript::actions());
        QVERIFY2(player.waitUntilStopped(), qPrintable(player.transcript()));
        const qsizetype stepsBefore = player.linesStartingWith(QStringLiteral("step ")).size();
        const QByteArray logBefore = DataFolder::read(logPath);
        const QString goAheadPath = QDir(data).filePath(QStringLiteral("okto.go"));
        const QByteArray goAheadBefore = DataFolder::read(goAheadPath);
        player.signal(number);
        player.resume();
        QVERIFY2(player.waitForExit(), qPrintable(player.transcript()));

        // Ended by the signal, as a shell reports it: 128 plus its number.
        QCOMPARE(player.exitStatus(), QProcess::NormalExit);
        QCOMPARE(player.exitCode(), 128 + number);
        // The box was the last thing: no step after it, no record after the signal.
        QCOMPARE(player.linesStartingWith(QStringLiteral("step ")).size(), stepsBefore);
        QCOMPARE(DataFolder::read(logPath), logBefore);
        const int records = lastRecord.isEmpty() ? 0 : OneAttemptScript::recordNumberOf(lastRecord.toLatin1());
        QCOMPARE(DataFolder::read(logPath), OneAttemptScript::logOf(records));
        QCOMPARE(DataFolder::read(goAheadPath), goAheadBefore);
        QCOMPARE(goAheadBefore, earlierLog ? QByteArray("0\r\n") : QByteArray("1\r\n"));
        if (earlierLog)
            QCOMPARE(DataFolder::read(logPath + QStringLiteral(".1")), QByteArray("an earlier session\r\n"));

        // The record for analysis ends in the exit line, which names the signal and the
        // box; nothing of the move's end (no payoff shown, no go-ahead written) before it.
        const QList<QJsonObject> lines = objects(DataFolder::read(logPath + QStringLiteral(".jsonl")));
        QVERIFY(!lines.isEmpty());
        const QJsonObject exit = lines.last();
        QCOMPARE(exit.value(QStringLiteral("type")).toString(), QStringLiteral("exit"));
        QCOMPARE(exit.value(QStringLiteral("how")).toString(), QStringLiteral("signal"));
        QCOMPARE(exit.value(QStringLiteral("signal")).toString(), name);
        QCOMPARE(exit.value(QStringLiteral("complete")).toBool(), false);
        const QJsonObject box = exit.value(QStringLiteral("box")).toObject();
        QCOMPARE(box.value(QStringLiteral("title")).toString(), boxTitle);
        QCOMPARE(box.value(QStringLiteral("kind")).toString(),
                 earlierLog ? QStringLiteral("warning") : QStringLiteral("information"));
        const QStringList shown = player.linesStartingWith(QStringLiteral("box "));
        QVERIFY2(shown.last().contains(box.value(QStringLiteral("text")).toString().replace(
                     QLatin1Char('\n'), QStringLiteral("\\n"))),
                 qPrintable(shown.last()));
        int recordLines = 0;
        for (const QJsonObject &line : lines) {
            const QString type = line.value(QStringLiteral("type")).toString();
            QVERIFY2(type != QLatin1String("payoff") && type != QLatin1String("goAheadWritten")
                         && type != QLatin1String("end"),
                     qPrintable(type));
            recordLines += type == QLatin1String("record") ? 1 : 0;
        }
        QCOMPARE(recordLines, records);
    }
};

QTEST_GUILESS_MAIN(TestTerminationSignal)
#include "TestTerminationSignal.moc"
