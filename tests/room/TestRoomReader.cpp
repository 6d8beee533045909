#include "LabFolders.h"
#include "StubClock.h"

#include "room/logic/RoomFolders.h"
#include "room/logic/RoomReader.h"
#include "session/StatusColumn.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// What is done to a workstation's log (its path, there or not yet) between two ticks,
// or to the clock. False when it could not be done.
using Change = bool (*)(const QString &log, StubClock &clock);

// Lines 28 and 29: the notepad of d3(12) left, Nature's move at c3.
bool growByARecord(const QString &log, StubClock &)
{
    const QByteArray whole = wholeExperimentLog();
    const qsizetype from = firstLines(whole, 27).size();
    return append(log, whole.mid(from, firstLines(whole, 29).size() - from)) && touch(log, LastWrite.addSecs(1));
}

bool replaceByACopy(const QString &log, StubClock &)
{
    const QString copy = log + QStringLiteral(".copy");
    return QFile::copy(log, copy) && QFile::remove(log) && QFile::rename(copy, log) && touch(log, LastWrite);
}

bool rewriteOkto(const QString &log, StubClock &)
{
    return LabFolders::putFile(QFileInfo(log).dir().filePath(QStringLiteral("okto.go")), " 99 \r\n");
}

bool letALogAppear(const QString &log, StubClock &)
{
    return touch(LabFolders::putLogOf(QFileInfo(log).path(), firstLines(wholeExperimentLog(), 27), 12), LastWrite);
}

bool passMidnight(const QString &, StubClock &clock)
{
    clock.setDate(Day.addDays(1));
    return true;
}

QStringList kinds(const RoomReader::Row &row)
{
    QStringList names;
    for (const RoomMark &mark : row.marks)
        names.append(RoomMark::name(mark.kind));
    return names;
}

// The log, its header made subject's and set's, put into folder as o<set><subject>btinp.01
// and last written at ten o'clock.
bool putLog(const QString &folder, int subject, int set, const QByteArray &log)
{
    QByteArray bytes = log;
    bytes.replace(0, 6, QByteArray::number(subject).rightJustified(2) + "  " + QByteArray::number(set) + ' ');
    const QString path = QDir(folder).filePath(QStringLiteral("o%1%2btinp.01").arg(set).arg(subject));
    return LabFolders::putFile(path, bytes) && touch(path, LastWrite);
}

} // namespace

Q_DECLARE_METATYPE(Change)

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
        QCOMPARE(StatusColumn::of(StatusColumn::Since).text(reader.rows()[0].state), QStringLiteral("35 s"));
    }

    void whatChangesAFolderReadsItAgain_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("logBefore");     // the changed folder holds its log before the change
        QTest::addColumn<int>("folderReads");    // since the reader was made
        QTest::addColumn<QList<int>>("changed"); // the rows the second tick reports
        QTest::addColumn<int>("linesRead");      // the log lines read again: a grown log's new ones alone
        QTest::addColumn<int>("level");          // the changed folder's, after
        QTest::newRow("the log grows by a record") << Change(growByARecord) << true << 3 << QList<int>{1} << 2 << 7;
        QTest::newRow("the log replaced by a copy of the same size and time")
            << Change(replaceByACopy) << true << 3 << QList<int>{} << 27 << 6;
        QTest::newRow("okto.go rewritten") << Change(rewriteOkto) << true << 3 << QList<int>{1} << 0 << 6;
        QTest::newRow("a log appears") << Change(letALogAppear) << false << 3 << QList<int>{1} << 27 << 6;
        // Every age and "today" moved, and each folder is read again.
        QTest::newRow("midnight passes") << Change(passMidnight) << true << 4 << QList<int>{0, 1} << 0 << 6;
    }

    // One folder of two changes; only it is read again, and its row alone is reported.
    void whatChangesAFolderReadsItAgain()
    {
        QFETCH(Change, change);
        QFETCH(bool, logBefore);
        const QString room = QStringLiteral("change-") + QString::fromLatin1(QTest::currentDataTag());
        const QString other = station(room, QStringLiteral("ws1"), firstLines(wholeExperimentLog(), 27), 11);
        const QString folder = station(room, QStringLiteral("ws2"),
                                       logBefore ? firstLines(wholeExperimentLog(), 27) : QByteArray(), 12);
        const QString log = QDir(folder).filePath(QStringLiteral("o112btinp.01"));
        StubClock clock(TenOClock + 30, Day);
        RoomReader reader(clock, 4);
        reader.setFolders({other, folder});
        reader.tick();
        QCOMPARE(reader.folderReads(), 2);
        const qint64 linesBefore = reader.logLinesRead();

        QVERIFY(change(log, clock));
        const RoomReader::Changes changes = reader.tick();
        QTEST(int(reader.folderReads()), "folderReads");
        QVERIFY(!changes.rowsReplaced);
        QTEST(changes.changed, "changed");
        QTEST(int(reader.logLinesRead() - linesBefore), "linesRead");
        QTEST(reader.rows()[1].state.level, "level");
    }

    void eachMarkWithItsReason_data()
    {
        QTest::addColumn<int>("subject");        // the third workstation's
        QTest::addColumn<int>("set");
        QTest::addColumn<bool>("hasLog");        // the middle of the first attempt
        QByteArray tail;                         // after it
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<QByteArray>("okto");
        QTest::addColumn<int>("secondSubject");  // of a second log of today in its folder, 0: none
        QTest::addColumn<QString>("gone");       // what its folder's name lacks, so it is not there
        QTest::addColumn<int>("seconds");        // since the logs were last written
        QTest::addColumn<int>("silentAfter");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("shared");        // the first workstation is marked too
        const QByteArray two(" 2 \r\n");
        QTest::newRow("a leftover 99") << 13 << 1 << false << tail << QByteArray(" 99 \r\n") << 0 << QString() << 30
                                       << 3600 << QStringLiteral("leftover go-ahead")
                                       << QStringLiteral("okto.go holds 99, left from an earlier session") << false;
        QTest::newRow("one subject in two folders") << 11 << 1 << true << tail << two << 0 << QString() << 30 << 3600
                                                    << QStringLiteral("same subject")
                                                    << QStringLiteral("subject 11 also has a log of today") << true;
        QTest::newRow("a set of its own") << 13 << 2 << true << tail << two << 0 << QString() << 30 << 3600
                                          << QStringLiteral("set differs") << QStringLiteral("parameter set 2 differs")
                                          << false;
        QTest::newRow("two subjects in one folder") << 13 << 1 << true << tail << two << 14 << QString() << 30 << 3600
                                                    << QStringLiteral("two subjects")
                                                    << QStringLiteral("logs of two programs of today") << false;
        QTest::newRow("silent in an attempt") << 13 << 1 << true << tail << two << 0 << QString() << 300 << 240
                                              << QStringLiteral("silent")
                                              << QStringLiteral("nothing written for 5 min while attempt 1 is in play")
                                              << true;
        QTest::newRow("a log that fails verification")
            << 13 << 1 << true << QByteArray("46 Continue            \r\n") << two << 0 << QString() << 30 << 3600
            << QStringLiteral("fails verification") << QStringLiteral("o113btinp.01 fails verification") << false;
        QTest::newRow("a folder not there") << 13 << 1 << true << tail << two << 0 << QStringLiteral("-gone") << 30
                                            << 3600 << QStringLiteral("cannot be read")
                                            << QStringLiteral("there is no such folder") << false;
    }

    // The third of three workstations gets into the situation; its row carries the mark
    // with its reason, and the two others stay unmarked unless the mark is theirs too.
    void eachMarkWithItsReason()
    {
        QFETCH(int, subject);
        QFETCH(int, set);
        QFETCH(bool, hasLog);
        QFETCH(QByteArray, tail);
        QFETCH(QByteArray, okto);
        QFETCH(int, secondSubject);
        QFETCH(QString, gone);
        QFETCH(int, seconds);
        QFETCH(int, silentAfter);
        QFETCH(QString, mark);
        QFETCH(QString, reason);
        QFETCH(bool, shared);
        const QString room = QStringLiteral("marks-") + QString::fromLatin1(QTest::currentDataTag());
        const QByteArray middle = firstLines(wholeExperimentLog(), 27);
        QStringList folders{station(room, QStringLiteral("ws1"), middle, 11),
                            station(room, QStringLiteral("ws2"), middle, 12)};
        const QString third = station(room, QStringLiteral("ws3"), QByteArray(), subject, okto);
        if (hasLog)
            QVERIFY(putLog(third, subject, set, middle + tail));
        if (secondSubject != 0)
            QVERIFY(touch(LabFolders::putLogOf(third, middle, secondSubject), LastWrite.addSecs(-5)));
        folders.append(third + gone);
        StubClock clock(TenOClock + float(seconds), Day);
        RoomReader reader(clock, 4);
        reader.setSilentAfter(silentAfter);
        reader.setFolders(folders);
        reader.tick();

        const RoomReader::Row &row = reader.rows()[2];
        QVERIFY2(kinds(row).contains(mark), qPrintable(kinds(row).join(QStringLiteral(", "))));
        bool explained = false;
        for (const RoomMark &m : row.marks)
            explained = explained || m.finding.message.contains(reason);
        QVERIFY2(explained, qPrintable(row.marks.value(0).finding.message));
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
