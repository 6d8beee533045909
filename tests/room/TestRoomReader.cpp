#include "LabFolders.h"
#include "StubClock.h"

#include "room/logic/RoomFolders.h"
#include "room/logic/RoomReader.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using LabFolders::firstLines;
using LabFolders::wholeExperimentLog;

namespace {

const QDate Day(2009, 3, 4);
const QDateTime LastWrite(Day, QTime(10, 0, 0));
constexpr float TenOClock = 36000.0f;

bool touch(const QString &path, const QDateTime &when)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.setFileTime(when, QFileDevice::FileModificationTime);
}

bool append(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::Append) && file.write(bytes) == bytes.size();
}

QStringList kinds(const RoomReader::Row &row)
{
    QStringList names;
    for (const RoomMark &mark : row.marks)
        names.append(RoomMark::name(mark.kind));
    return names;
}

} // namespace

// The room's reading of its folders on its own: a folder is read again only when one of
// its files changed size, time or identity (or the day changed), and the marks of the
// room come out as treelab status marks it, with the room's own silent mark.
class TestRoomReader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // A workstation under a fresh room folder, its log last written at ten o'clock.
    QString station(const QString &room, const QString &name, const QByteArray &log, int subject = 99,
                    const QByteArray &okto = " 2 \r\n")
    {
        const QString folder = LabFolders::workstation(QDir(m_dir.path()).filePath(room), name + QStringLiteral("/data"),
                                                       okto, QByteArray());
        if (!log.isEmpty())
            touch(LabFolders::putLogOf(folder, log, subject), LastWrite);
        return folder;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY2(!wholeExperimentLog().isEmpty(), "tests/window/expected/whole-experiment.log is missing");
    }

    // Nothing changed: each folder is listed and its files looked at, none read again;
    // only the time since each log was written moves on, and each row says so.
    void anUnchangedFolderIsNotReadAgain()
    {
        const QStringList folders{station(QStringLiteral("still"), QStringLiteral("ws1"), wholeExperimentLog(), 11),
                                  station(QStringLiteral("still"), QStringLiteral("ws2"), firstLines(wholeExperimentLog(), 27), 12),
                                  station(QStringLiteral("still"), QStringLiteral("ws3"), QByteArray())};
        StubClock clock(TenOClock + 30, Day);
        RoomReader reader(clock, 4);
        reader.setFolders(folders);
        QVERIFY(reader.tick().rowsReplaced);
        QCOMPARE(reader.folderReads(), 3);
        QCOMPARE(reader.rows().size(), 3);
        QCOMPARE(reader.rows()[1].state.attemptInPlay, 1);

        RoomReader::Changes changes = reader.tick();
        QVERIFY(!changes.rowsReplaced);
        QVERIFY(changes.changed.isEmpty());
        clock.advance(5);
        changes = reader.tick();
        QCOMPARE(reader.folderReads(), 3);
        QCOMPARE(changes.changed, (QList<int>{0, 1})); // the two with a log: 30 s became 35 s
        QCOMPARE(StatusTable::format(reader.rows()[0].state).since, QStringLiteral("35 s"));
    }

    void whatChangesAFolderReadsItAgain_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("rowChanges");
        QTest::addColumn<int>("linesRead"); // the log lines read again: a grown log's new ones alone
        QTest::newRow("the log grows by a record") << QStringLiteral("grow") << true << 2;
        QTest::newRow("the log replaced by a copy of the same size and time") << QStringLiteral("replace") << false << 27;
        QTest::newRow("okto.go rewritten") << QStringLiteral("okto") << true << 0;
        QTest::newRow("a log appears") << QStringLiteral("appear") << true << 27;
        QTest::newRow("midnight passes") << QStringLiteral("midnight") << true << 0;
    }

    // One folder of two changes; only it is read again, and its row alone is reported.
    void whatChangesAFolderReadsItAgain()
    {
        QFETCH(QString, change);
        QFETCH(bool, rowChanges);
        QFETCH(int, linesRead);
        const QString room = QStringLiteral("change-") + change;
        const QString other = station(room, QStringLiteral("ws1"), firstLines(wholeExperimentLog(), 27), 11);
        const QString folder = station(room, QStringLiteral("ws2"),
                                       change == QLatin1String("appear") ? QByteArray() : firstLines(wholeExperimentLog(), 27), 12);
        const QString log = QDir(folder).filePath(QStringLiteral("o112btinp.01"));
        StubClock clock(TenOClock + 30, Day);
        RoomReader reader(clock, 4);
        reader.setFolders({other, folder});
        reader.tick();
        QCOMPARE(reader.folderReads(), 2);
        const qint64 linesBefore = reader.logLinesRead();

        if (change == QLatin1String("grow")) {
            // Lines 28 and 29: the notepad of d3(12) left, Nature's move at c3.
            const QByteArray whole = wholeExperimentLog();
            const qsizetype from = firstLines(whole, 27).size();
            QVERIFY(append(log, whole.mid(from, firstLines(whole, 29).size() - from)));
            QVERIFY(touch(log, LastWrite.addSecs(1)));
        } else if (change == QLatin1String("replace")) {
            const QString copy = log + QStringLiteral(".copy");
            QVERIFY(QFile::copy(log, copy));
            QVERIFY(QFile::remove(log));
            QVERIFY(QFile::rename(copy, log));
            QVERIFY(touch(log, LastWrite));
        } else if (change == QLatin1String("okto")) {
            QVERIFY(LabFolders::putFile(QDir(folder).filePath(QStringLiteral("okto.go")), " 99 \r\n"));
        } else if (change == QLatin1String("appear")) {
            QVERIFY(touch(LabFolders::putLogOf(folder, firstLines(wholeExperimentLog(), 27), 12), LastWrite));
        } else {
            clock.setDate(Day.addDays(1));
        }
        const RoomReader::Changes changes = reader.tick();
        QCOMPARE(reader.folderReads(), change == QLatin1String("midnight") ? 4 : 3);
        QVERIFY(!changes.rowsReplaced);
        if (change == QLatin1String("midnight")) // every age and "today" moved
            QCOMPARE(changes.changed, (QList<int>{0, 1}));
        else
            QCOMPARE(changes.changed, rowChanges ? QList<int>{1} : QList<int>{});
        QCOMPARE(reader.logLinesRead() - linesBefore, qint64(linesRead));
        if (change == QLatin1String("grow"))
            QCOMPARE(reader.rows()[1].state.level, 7);
    }

    void eachMarkWithItsReason_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a leftover 99") << QStringLiteral("leftover") << QStringLiteral("leftover go-ahead")
                                       << QStringLiteral("okto.go holds 99, left from an earlier session");
        QTest::newRow("one subject in two folders") << QStringLiteral("same") << QStringLiteral("same subject")
                                                    << QStringLiteral("subject 11 also has a log of today");
        QTest::newRow("a set of its own") << QStringLiteral("set") << QStringLiteral("set differs")
                                          << QStringLiteral("parameter set 2 differs");
        QTest::newRow("two subjects in one folder") << QStringLiteral("two") << QStringLiteral("two subjects")
                                                    << QStringLiteral("logs of two programs of today");
        QTest::newRow("silent in an attempt") << QStringLiteral("silent") << QStringLiteral("silent")
                                              << QStringLiteral("nothing written for 5 min while attempt 1 is in play");
        QTest::newRow("a log that fails verification") << QStringLiteral("fails") << QStringLiteral("fails verification")
                                                       << QStringLiteral("o113btinp.01 fails verification");
        QTest::newRow("a folder not there") << QStringLiteral("missing") << QStringLiteral("cannot be read")
                                            << QStringLiteral("there is no such folder");
    }

    // The third of three workstations gets into the situation; its row carries the mark
    // with its reason, and the two others stay unmarked unless the mark is theirs too.
    void eachMarkWithItsReason()
    {
        QFETCH(QString, situation);
        QFETCH(QString, mark);
        QFETCH(QString, reason);
        const QString room = QStringLiteral("marks-") + situation;
        const QByteArray middle = firstLines(wholeExperimentLog(), 27);
        QStringList folders{station(room, QStringLiteral("ws1"), middle, 11),
                            station(room, QStringLiteral("ws2"), middle, 12)};
        QString third = station(room, QStringLiteral("ws3"), middle, situation == QLatin1String("same") ? 11 : 13);
        const QString log = QDir(third).filePath(QStringLiteral("o113btinp.01"));
        if (situation == QLatin1String("leftover")) {
            QVERIFY(QFile::remove(log));
            QVERIFY(LabFolders::putFile(QDir(third).filePath(QStringLiteral("okto.go")), " 99 \r\n"));
        } else if (situation == QLatin1String("set")) {
            QByteArray other = middle;
            other.replace(0, 6, "13  2 ");
            QVERIFY(QFile::remove(log));
            const QString path = QDir(third).filePath(QStringLiteral("o213btinp.01"));
            QVERIFY(LabFolders::putFile(path, other));
            QVERIFY(touch(path, LastWrite));
        } else if (situation == QLatin1String("two")) {
            QVERIFY(touch(LabFolders::putLogOf(third, middle, 14), LastWrite.addSecs(-5)));
        } else if (situation == QLatin1String("fails")) {
            QVERIFY(append(log, "46 Continue            \r\n"));
            QVERIFY(touch(log, LastWrite));
        } else if (situation == QLatin1String("missing")) {
            third += QStringLiteral("-gone");
        }
        folders.append(third);
        StubClock clock(TenOClock + (situation == QLatin1String("silent") ? 300 : 30), Day);
        RoomReader reader(clock, 4);
        reader.setSilentAfter(situation == QLatin1String("silent") ? 240 : 3600);
        reader.setFolders(folders);
        reader.tick();

        const RoomReader::Row &row = reader.rows()[2];
        QVERIFY2(kinds(row).contains(mark), qPrintable(kinds(row).join(QStringLiteral(", "))));
        bool explained = false;
        for (const RoomMark &m : row.marks)
            explained = explained || m.reason.contains(reason);
        QVERIFY2(explained, qPrintable(row.marks.value(0).reason));
        const bool shared = situation == QLatin1String("same") || situation == QLatin1String("silent");
        QCOMPARE(kinds(reader.rows()[0]).contains(mark), shared);
    }

    // A room named by the folder that holds its workstations: ws2 before ws10, and only
    // the ws* folders that hold a data folder.
    void aRoomFolderStandsForItsWorkstations()
    {
        const QString room = QDir(m_dir.path()).filePath(QStringLiteral("named"));
        for (const QString &name : {QStringLiteral("ws10"), QStringLiteral("ws2"), QStringLiteral("ws1")})
            station(QStringLiteral("named"), name, QByteArray());
        QDir().mkpath(QDir(room).filePath(QStringLiteral("ws3"))); // no data folder
        const QStringList folders = RoomFolders::expand({room, QDir(room).filePath(QStringLiteral("ws1/data"))});
        QCOMPARE(folders, (QStringList{QDir(room).filePath(QStringLiteral("ws1/data")),
                                       QDir(room).filePath(QStringLiteral("ws2/data")),
                                       QDir(room).filePath(QStringLiteral("ws10/data"))}));
        // A workstation's program folder stands for its data folder.
        QCOMPARE(RoomFolders::expand({QDir(room).filePath(QStringLiteral("ws2"))}),
                 QStringList{QDir(room).filePath(QStringLiteral("ws2/data"))});
    }
};

QTEST_GUILESS_MAIN(TestRoomReader)
#include "TestRoomReader.moc"
