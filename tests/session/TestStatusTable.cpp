#include "LabFolders.h"
#include "StubClock.h"

#include "session/LogNames.h"
#include "session/StateTexts.h"
#include "session/StatusColumn.h"
#include "session/StatusTable.h"
#include "session/WorkstationReader.h"

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

bool touch(const QString &path, const QDateTime &when)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.setFileTime(when, QFileDevice::FileModificationTime);
}

// A state as treelab status shows it: the text of each column, and the notes below the table.
struct Row
{
    QString folder, goAhead, log, subject, set, attempt, level, done, payoffs, since, over;
    QStringList notes;
    bool failed = false;
};

Row rowOf(const WorkstationState &state)
{
    const auto text = [&](StatusColumn::Id id) { return StatusColumn::of(id).text(state); };
    return Row{text(StatusColumn::Folder), text(StatusColumn::GoAhead), text(StatusColumn::Log),
               text(StatusColumn::Subject), text(StatusColumn::Set), text(StatusColumn::Attempt),
               text(StatusColumn::Level), text(StatusColumn::Done), text(StatusColumn::Payoffs),
               text(StatusColumn::Since), text(StatusColumn::Over), StatusTable::notes(state), state.failed()};
}

// The reader's states as rows.
struct Table
{
    WorkstationReader reader;

    Table(const Clock &clock, int attempts) : reader(clock, attempts) {}
    Row row(const QString &folder) const { return rowOf(reader.state(folder)); }
    QList<Row> rows(const QStringList &folders) const
    {
        QList<Row> result;
        for (const WorkstationState &state : reader.states(folders))
            result.append(rowOf(state));
        return result;
    }
};

QString rowText(const Row &row)
{
    return QStringList{row.goAhead, row.log, row.subject, row.set, row.attempt, row.level, row.done,
                       row.payoffs, row.since, row.over}
               .join(QStringLiteral(" | "))
        + QStringLiteral("\nnotes: ") + row.notes.join(QStringLiteral("; "));
}

const QString Pound = QString(QChar(0x00A3));

} // namespace

// The status table on its own, over real folders, with a clock that stands 30 seconds
// after the log was last written.
class TestStatusTable : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    StubClock m_clock{36030.0f, Day};

    QString station(const QString &name, const QByteArray &log, const QByteArray &okto = " 2 \r\n")
    {
        const QString folder = LabFolders::workstation(m_dir.path(), name, okto, log);
        if (!log.isEmpty())
            touch(QDir(folder).filePath(QStringLiteral("o199btinp.01")), LastWrite);
        return folder;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!wholeExperimentLog().isEmpty(), "tests/window/expected/whole-experiment.log is missing");
    }

    // Where the subject is in the run, from the log's first lines (0: the whole log).
    void whereTheSubjectIs_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<QByteArray>("okto");
        QTest::addColumn<QString>("goAhead");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("attempt");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("done");
        QTest::addColumn<QString>("payoffs");
        QTest::addColumn<QString>("over");
        // p(50), p(24), p(42), p(50) of set 1.
        const QString all = Pound + QStringLiteral("51 -") + Pound + QStringLiteral("5 ") + Pound + QStringLiteral("0 ")
            + Pound + QStringLiteral("51");
        QTest::newRow("the whole experiment is over")
            << 0 << QByteArray(" 2 \r\n") << "2" << "99" << "1" << "4/4" << "7 p" << "4" << all << "yes";
        // Up to line 33, the Continue of attempt 1.
        QTest::newRow("between two attempts the next one is in play")
            << 33 << QByteArray(" 2 \r\n") << "2" << "99" << "1" << "2/4" << "1 d1" << "1" << Pound + QStringLiteral("51")
            << "no";
        // Up to line 27, "43 c3 25", after the decision at d3(12).
        QTest::newRow("in the middle of an attempt the level reached")
            << 27 << QByteArray(" 2 \r\n") << "2" << "99" << "1" << "1/4" << "6 c3" << "0" << "-" << "no";
        QTest::newRow("a log with its header only has not started")
            << 1 << QByteArray(" 0 \r\n") << "0" << "99" << "1" << "-" << "-" << "0" << "-" << "no";
    }

    void whereTheSubjectIs()
    {
        QFETCH(int, lines);
        QFETCH(QByteArray, okto);
        const QByteArray log = lines == 0 ? wholeExperimentLog() : firstLines(wholeExperimentLog(), lines);
        const Table table(m_clock, 4);
        const Row row = table.row(station(QString::fromLatin1(QTest::currentDataTag()), log, okto));
        QVERIFY2(row.notes.isEmpty(), qPrintable(rowText(row)));
        QVERIFY(!row.failed);
        QTEST(row.goAhead, "goAhead");
        QCOMPARE(row.log, QStringLiteral("o199btinp.01"));
        QTEST(row.subject, "subject");
        QTEST(row.set, "set");
        QTEST(row.attempt, "attempt");
        QTEST(row.level, "level");
        QTEST(row.done, "done");
        QTEST(row.payoffs, "payoffs");
        QCOMPARE(row.since, QStringLiteral("30 s"));
        QTEST(row.over, "over");
    }

    void theNumberOfAttemptsDecidesOver()
    {
        const QString folder = station(QStringLiteral("attempts"), wholeExperimentLog());
        const Row five = Table(m_clock, 5).row(folder);
        QCOMPARE(five.attempt, QStringLiteral("5/5"));
        QCOMPARE(five.level, QStringLiteral("1 d1"));
        QCOMPARE(five.over, QStringLiteral("no"));
        const Row two = Table(m_clock, 2).row(folder);
        QCOMPARE(two.over, QStringLiteral("?")); // flagged, not "5/2 over"
        QCOMPARE(two.attempt, QStringLiteral("4?"));
        QCOMPARE(two.notes.size(), 1);
        QVERIFY(two.notes[0].contains(QStringLiteral("4 Continue records, more than the 2 attempts")));
    }

    void secondsSinceTheLastWriteFollowTheClock()
    {
        const QString folder = station(QStringLiteral("clock"), wholeExperimentLog());
        StubClock later(36000.0f + 3600.0f + 5.5f, Day);
        QCOMPARE(Table(later, 4).row(folder).since, QStringLiteral("60 min"));
        StubClock nextDay(10.0f, Day.addDays(1)); // across midnight
        QCOMPARE(Table(nextDay, 4).row(folder).since, QStringLiteral("14 h"));
        StubClock behind(36000.0f - 90.0f, Day); // this machine's clock behind the log's
        const Row skewed = Table(behind, 4).row(folder);
        QCOMPARE(skewed.since, QStringLiteral("0 s"));
        QVERIFY2(skewed.notes.value(0).contains(QStringLiteral("90 s later than this machine's clock")),
                 qPrintable(skewed.notes.value(0)));
        for (const auto &[seconds, text] : {std::pair{119, "119 s"}, std::pair{7199, "119 min"},
                                            std::pair{172799, "47 h"}, std::pair{172800, "2 days"}})
            QCOMPARE(StateTexts::age(seconds), QLatin1String(text));
    }

    void withoutThePayoffFileTheNodesAreShown()
    {
        const QString folder = station(QStringLiteral("nofile"), wholeExperimentLog());
        QVERIFY(QFile::remove(QDir(folder).filePath(QStringLiteral("btinp.01"))));
        const Row row = Table(m_clock, 4).row(folder);
        QCOMPARE(row.payoffs, QStringLiteral("p(50) p(24) p(42) p(50)"));
        QCOMPARE(row.notes.size(), 1);
        QVERIFY(row.notes[0].contains(QStringLiteral("does not exist")));
        QVERIFY(!row.failed);
    }

    void theNewestLogIsShownAKeptOneOnlyWhenItIsNewer()
    {
        const QString folder = station(QStringLiteral("kept"), firstLines(wholeExperimentLog(), 1));
        const QDir dir(folder);
        const QString kept = dir.filePath(QStringLiteral("o199btinp.01.1"));
        LabFolders::putFile(kept, wholeExperimentLog());
        // Neither a file without a log header nor one whose name does not begin with "o".
        LabFolders::putFile(dir.filePath(QStringLiteral("oops")), "not a log\r\n");
        LabFolders::putFile(dir.filePath(QStringLiteral("copy-o199btinp.01")), wholeExperimentLog());
        touch(dir.filePath(QStringLiteral("oops")), LastWrite.addSecs(20));
        touch(dir.filePath(QStringLiteral("copy-o199btinp.01")), LastWrite.addSecs(20));
        touch(dir.filePath(QStringLiteral("okto.go")), LastWrite.addSecs(20));

        touch(kept, LastWrite.addSecs(-600)); // the log of an earlier run
        Row row = Table(m_clock, 4).row(folder);
        QCOMPARE(row.log, QStringLiteral("o199btinp.01"));
        QCOMPARE(row.attempt, QStringLiteral("-"));

        touch(kept, LastWrite.addSecs(10)); // written after the current one
        row = Table(m_clock, 4).row(folder);
        QVERIFY2(row.notes.isEmpty(), qPrintable(rowText(row)));
        QCOMPARE(row.log, QStringLiteral("o199btinp.01.1"));
        QCOMPARE(row.attempt, QStringLiteral("4/4"));
        QCOMPARE(row.payoffs.left(3), Pound + QStringLiteral("51")); // from btinp.01, without ".1"
        QCOMPARE(row.since, QStringLiteral("20 s"));

        QCOMPARE(LogNames::dataFileOf(folder, QStringLiteral("o199btinp.01.1"), 1, 99), QStringLiteral("btinp.01"));
        QCOMPARE(LogNames::dataFileOf(folder, QStringLiteral("o199btinp.01"), 1, 99), QStringLiteral("btinp.01"));
        QCOMPARE(LogNames::dataFileOf(folder, QStringLiteral("o12btinp.01"), 1, 99), QString());
    }

    // A room where things do not add up, each marked "!" on its row with a note: one
    // subject number at two workstations, a parameter set of its own, two programs started
    // on one folder, and a restart that kept a log aside. Logs of an earlier day count for
    // none of it.
    void theRoomIsMarkedWhereItDoesNotAddUp()
    {
        QTemporaryDir room;
        const QByteArray whole = wholeExperimentLog();
        const auto folder = [&](const QString &name, const QList<std::pair<int, QByteArray>> &logs,
                                const QDateTime &when = LastWrite) {
            const QString path = LabFolders::workstation(room.path(), name, " 2 \r\n", {});
            for (const auto &[subject, log] : logs)
                touch(LabFolders::putLogOf(path, log, subject), when);
            return path;
        };
        QByteArray setTwo = whole;
        setTwo.replace(0, 7, "96  2  ");
        const QStringList folders{
            folder(QStringLiteral("ws1"), {{7, whole}}),
            folder(QStringLiteral("ws2"), {{7, firstLines(whole, 40)}}),
            folder(QStringLiteral("ws3"), {{8, whole}, {9, firstLines(whole, 20)}}),
            folder(QStringLiteral("ws4"), {{96, setTwo}}),
            folder(QStringLiteral("ws5"), {{10, whole}}),
            folder(QStringLiteral("old"), {{7, whole}, {96, setTwo}}, LastWrite.addDays(-7)),
        };
        // ws4's log is named as set 2 writes it.
        QVERIFY(QFile::rename(QDir(folders[3]).filePath(QStringLiteral("o196btinp.01")),
                              QDir(folders[3]).filePath(QStringLiteral("o296btinp.01"))));
        touch(QDir(folders[3]).filePath(QStringLiteral("o296btinp.01")), LastWrite);
        // ws3's second program was started later: its log is the newer.
        touch(QDir(folders[2]).filePath(QStringLiteral("o19btinp.01")), LastWrite.addSecs(5));
        // ws5 was started again with the same subject: the first log kept aside as ".1".
        QVERIFY(LabFolders::putFile(QDir(folders[4]).filePath(QStringLiteral("o110btinp.01.1")), firstLines(whole, 5)));
        touch(QDir(folders[4]).filePath(QStringLiteral("o110btinp.01.1")), LastWrite.addSecs(-300));

        const QList<Row> rows = Table(m_clock, 4).rows(folders);
        QCOMPARE(rows.size(), 7); // ws3 has a line for each of its two logs
        struct Expected { const char *folder; const char *subject; const char *set; const char *log; const char *note; };
        const QList<Expected> expected{
            {"ws1", "7!", "1", "o17btinp.01", "subject 7 has a log of today in 2 folders"},
            {"ws2", "7!", "1", "o17btinp.01", "subject 7 has a log of today in 2 folders"},
            {"ws3", "9", "1", "o19btinp.01!", "this folder holds 2 logs of today"},
            {"ws3", "8", "1", "o18btinp.01!", "this folder holds 2 logs of today"},
            {"ws4", "96", "2!", "o296btinp.01", "parameter set 2 differs from the room's set 1 (set 1 in 5, set 2 in 1)"},
            {"ws5", "10", "1", "o110btinp.01", "o110btinp.01.1 was kept aside today"},
            {"old", "7", "1", "o17btinp.01", nullptr},
        };
        for (qsizetype k = 0; k < rows.size(); ++k) {
            const Row &row = rows[k];
            const Expected &e = expected[k];
            QVERIFY2(row.folder.endsWith(QLatin1String(e.folder)), qPrintable(rowText(row)));
            QCOMPARE(row.subject, QLatin1String(e.subject));
            QCOMPARE(row.set, QLatin1String(e.set));
            QCOMPARE(row.log, QLatin1String(e.log));
            if (e.note) {
                QVERIFY2(row.failed, qPrintable(rowText(row)));
                QVERIFY2(row.notes.join(QLatin1Char('\n')).contains(QLatin1String(e.note)), qPrintable(rowText(row)));
            } else {
                QVERIFY2(row.notes.isEmpty(), qPrintable(rowText(row)));
            }
        }
        // Both folders are named where one subject number is in two.
        QVERIFY(rows[0].notes.join(QLatin1Char('\n')).contains(QDir::toNativeSeparators(folders[1])));
    }

    void problemsOfTheLogAreNotedWithTheirLines()
    {
        // The program stopped in the middle of line 27.
        const QByteArray cut = firstLines(wholeExperimentLog(), 26) + "43 c3   ";
        const Row row = Table(m_clock, 4).row(station(QStringLiteral("cut"), cut));
        QCOMPARE(row.notes.size(), 1);
        QVERIFY2(row.notes[0].startsWith(QStringLiteral("o199btinp.01 line 27: the file ends in the middle")),
                 qPrintable(row.notes[0]));
        QCOMPARE(row.level, QStringLiteral("6 c3"));
    }

    void aMissingFolderOrGoAheadFileFails()
    {
        const Table table(m_clock, 4);
        const Row gone = table.row(m_dir.filePath(QStringLiteral("gone")));
        QVERIFY(gone.failed);
        QCOMPARE(gone.notes, QStringList{QStringLiteral("no such folder")});
        QCOMPARE(gone.log, QStringLiteral("-"));

        const QString folder = station(QStringLiteral("nookto"), wholeExperimentLog());
        QVERIFY(QFile::remove(QDir(folder).filePath(QStringLiteral("okto.go"))));
        const Row row = table.row(folder);
        QVERIFY(row.failed);
        QCOMPARE(row.goAhead, QStringLiteral("none"));
        QCOMPARE(row.over, QStringLiteral("yes")); // the rest is still read

        const QString empty = m_dir.filePath(QStringLiteral("empty"));
        QDir().mkpath(empty);
        LabFolders::putFile(QDir(empty).filePath(QStringLiteral("okto.go")), "1");
        const Row noLog = table.row(empty);
        QVERIFY(noLog.failed); // a 1 with no log of today's run is left from an earlier session
        QCOMPARE(noLog.goAhead, QStringLiteral("1!"));
        QCOMPARE(noLog.log, QStringLiteral("-"));
        QCOMPARE(noLog.notes.size(), 2);
        QVERIFY(noLog.notes[0].contains(QStringLiteral("left from an earlier session")));
        QCOMPARE(noLog.notes[1], QStringLiteral("no event log yet"));
    }

    void theTableIsAligned()
    {
        const Table table(m_clock, 4);
        const QString longer = station(QStringLiteral("a-longer-name"), {});
        QVERIFY(touch(LabFolders::putLogOf(longer, firstLines(wholeExperimentLog(), 27), 98), LastWrite));
        const QStringList folders{station(QStringLiteral("a"), wholeExperimentLog()), longer,
                                  m_dir.filePath(QStringLiteral("gone"))};
        const QString text = StatusTable::render(table.reader.states(folders));
        const QStringList lines = text.split(QLatin1Char('\n'));
        QVERIFY2(lines.size() >= 5, qPrintable(text));
        const QString heading = lines[0];
        QVERIFY(heading.startsWith(QStringLiteral("FOLDER")));
        const qsizetype log = heading.indexOf(QStringLiteral("LOG"));
        const qsizetype level = heading.indexOf(QStringLiteral("LEVEL"));
        const qsizetype payoffs = heading.indexOf(QStringLiteral("PAYOFFS"));
        QVERIFY(log > 0 && level > log && payoffs > level);
        QCOMPARE(lines[1].mid(log, 12), QStringLiteral("o199btinp.01"));
        QCOMPARE(lines[2].mid(log, 12), QStringLiteral("o198btinp.01"));
        QCOMPARE(lines[1].mid(level, 3), QStringLiteral("7 p"));
        QCOMPARE(lines[2].mid(level, 4), QStringLiteral("6 c3"));
        QCOMPARE(lines[1].mid(payoffs, 3), Pound + QStringLiteral("51"));
        QCOMPARE(lines[3].mid(log, 1), QStringLiteral("-"));
        // Numbers are right-aligned: SUBJECT's digits end where its heading ends.
        const qsizetype subjectEnd = heading.indexOf(QStringLiteral("SUBJECT")) + 7;
        QCOMPARE(lines[1].mid(subjectEnd - 2, 2), QStringLiteral("99"));
        // The notes below the table name their folder.
        QVERIFY(lines[4].endsWith(QStringLiteral("gone: no such folder")));
    }
};

QTEST_GUILESS_MAIN(TestStatusTable)
#include "TestStatusTable.moc"
