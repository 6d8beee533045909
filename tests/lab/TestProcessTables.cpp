#include "GuiTestMain.h"
#include "LabFolders.h"
#include "WindowFixture.h"

#include "window/widgets/Controls.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>

using LabFolders::report;
using LabFolders::treelab;

// The process tables of treelab export (inspections, decisions, and the dwell of events and
// the seconds of attempts) from a run played on the real window with a clock that a test
// moves: every time below is known to the millisecond. The run ends its inspections in every
// way there is: the next node click, CloseNotepad, the decision, Nature's move, a message box
// (the go-ahead file that cannot be written at the end of the first attempt), Continue, and
// the window closed in the middle of the third attempt.
namespace {

QStringList csvLines(const QString &path)
{
    return QString::fromUtf8(LabFolders::fileBytes(path)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestProcessTables : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_log;      // with its companion record beside it
    QString m_bareLog;  // the same log alone, beside the payoff file
    QString m_boxedLog; // the same with the warning box over the payoff reached
    QString m_oldLog;   // the same as the previous version of the program recorded it

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // The companion record as the program's previous version wrote it: the same lines
    // without the press and box lines, which that version did not write.
    static QByteArray withoutPressesAndBoxes(const QByteArray &companion)
    {
        QByteArray old;
        for (const QByteArray &line : companion.split('\n'))
            if (!line.isEmpty() && !line.contains("\"type\":\"press\"") && !line.contains("\"type\":\"box\""))
                old += line + '\n';
        return old;
    }

    // Puts the log and its companion (of the version asked) in a new folder; the log's path.
    QString recorded(const QString &folder, const QByteArray &log, const QByteArray &companion, const QString &version)
    {
        const QString dir = path(folder + QLatin1Char('-') + version);
        QDir().mkpath(dir);
        const QString at = QDir(dir).filePath(QStringLiteral("o199btinp.01"));
        LabFolders::putFile(at, log);
        if (version == QLatin1String("new"))
            LabFolders::putFile(at + QStringLiteral(".jsonl"), companion);
        else if (version == QLatin1String("old"))
            LabFolders::putFile(at + QStringLiteral(".jsonl"), withoutPressesAndBoxes(companion));
        else
            LabFolders::putFile(QDir(dir).filePath(QStringLiteral("btinp.01")), WindowFixture::payoffFileText());
        return at;
    }

    // Exports m_log (or the bare log) with one table option; the table's lines.
    QStringList exported(const QString &option, bool bare = false)
    {
        const QString out = path(option.mid(2) + (bare ? QStringLiteral("-bare.csv") : QStringLiteral(".csv")));
        const auto run = treelab({QStringLiteral("export"), bare ? m_bareLog : m_log, option, out});
        if (run.exitCode != 0)
            qWarning("%s", qPrintable(report(run)));
        return csvLines(out);
    }

    QString row(QString text, bool bare = false) const
    {
        return text.replace(QLatin1Char('@'), bare ? m_bareLog : m_log);
    }

private slots:
    void initTestCase()
    {
        WindowFixture f;
        const Controls &c = f.controls();
        // Each box stands two seconds on the screen before OK.
        f.boxes.onShow = [&f](const AnsweringMessageBoxes::Shown &) { f.clock.advance(2); };
        f.confirmAndGoAhead();
        f.at(5);
        f.click(c.Start);
        f.at(10);
        f.clickNode(7, 5);
        f.at(11);
        f.clickNode(5, 13);
        QTest::keyClicks(c.Notepad, QStringLiteral("later"));
        f.at(13);
        f.click(c.CloseNotepad);
        f.at(14);
        f.clickNode(1, 0);
        f.at(16);
        f.click(c.MoveRight);
        f.click(c.ConfirmDecision);
        f.at(17);
        f.clickNode(2, 1);
        f.at(18.5);
        f.random.draws.append(0.75f);
        f.click(c.NatureMove); // its box to 20.5
        f.at(22);
        f.clickNode(3, 3);
        f.at(23);
        f.click(c.MoveLeft);
        f.click(c.ConfirmDecision);
        f.at(24);
        f.clickNode(4, 6);
        f.at(25);
        f.random.draws.append(0.25f);
        f.click(c.NatureMove); // its box to 27
        f.at(28);
        f.clickNode(5, 12);
        f.at(29);
        f.click(c.MoveRight);
        f.click(c.ConfirmDecision);
        f.at(30);
        f.clickNode(6, 25);
        // The end of the first attempt cannot be written to okto.go: a folder stands there.
        QVERIFY(QFile::remove(f.dataPath(QStringLiteral("okto.go"))));
        QVERIFY(QDir().mkdir(f.dataPath(QStringLiteral("okto.go"))));
        f.at(31);
        f.random.draws.append(0.25f);
        f.click(c.NatureMove); // Nature's box to 33, the payoff's to 35
        // The write's failure comes back at once: its warning box follows the payoff's, to 37.
        QCOMPARE(f.boxes.shown.size(), 5);
        QVERIFY(f.boxes.shown.last().warning);
        f.at(38);
        f.clickNode(7, 50);
        f.at(40);
        f.click(c.Continue);
        f.boxes.onShow = nullptr;
        f.at(45);
        f.click(c.NextAttempt);
        f.at(46);
        const int reached = f.playMoves({true, false, true, true, false, false});
        QCOMPARE(reached, 44);
        f.at(60);
        f.clickNode(7, 44);
        f.at(62);
        f.click(c.Continue);
        f.at(65);
        f.click(c.NextAttempt);
        f.at(66);
        f.clickNode(4, 0);
        f.at(70);
        f.window().close();

        const QString folder = path(QStringLiteral("ws"));
        const QString bare = path(QStringLiteral("bare"));
        QVERIFY(QDir().mkpath(folder) && QDir().mkpath(bare));
        m_log = QDir(folder).filePath(QStringLiteral("o199btinp.01"));
        m_bareLog = QDir(bare).filePath(QStringLiteral("o199btinp.01"));
        for (const QString &name : {QStringLiteral("o199btinp.01"), QStringLiteral("o199btinp.01.jsonl")})
            QVERIFY(LabFolders::putFile(QDir(folder).filePath(name), f.readFile(name)));
        QVERIFY(LabFolders::putFile(m_bareLog, f.log()));
        // The same run as a slow disk would have recorded it: the write's answer, and so its
        // box, came while the subject looked at the payoff reached (from 39 s to 39.5 s).
        QByteArray boxed;
        QByteArray warning;
        for (const QByteArray &line : f.readFile(QStringLiteral("o199btinp.01.jsonl")).split('\n')) {
            if (line.contains("\"icon\":\"warning\"")) {
                warning = QByteArray(line).replace("\"ms\":37000", "\"ms\":39500").replace("\"shownMs\":35000", "\"shownMs\":39000");
                continue;
            }
            if (!line.isEmpty())
                boxed += line + '\n';
            if (line.contains("\"kind\":\"p\",\"level\":7,\"index\":50"))
                boxed += "@WARNING@";
        }
        QVERIFY(warning.contains("\"shownMs\":39000"));
        m_boxedLog = path(QStringLiteral("boxed/o199btinp.01"));
        QVERIFY(QDir().mkpath(path(QStringLiteral("boxed"))));
        QVERIFY(LabFolders::putFile(m_boxedLog, f.log()));
        QVERIFY(LabFolders::putFile(m_boxedLog + QStringLiteral(".jsonl"), boxed.replace("@WARNING@", warning + '\n')));
        QVERIFY(LabFolders::putFile(QDir(bare).filePath(QStringLiteral("btinp.01")), WindowFixture::payoffFileText()));
        m_oldLog = recorded(QStringLiteral("run"), f.log(), f.readFile(QStringLiteral("o199btinp.01.jsonl")), QStringLiteral("old"));
        QVERIFY(!LabFolders::fileBytes(m_oldLog + QStringLiteral(".jsonl")).contains("\"type\":\"box\""));
    }

    // One row per click, each ended by what took its node off the screen, at the ms the
    // clock stood at then. The number of each row is its place in the table.
    void inspections_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("expected");
        const QString p5 = QString::number(WindowFixture::payoffFor(5));
        const QString p50 = QString::number(WindowFixture::payoffFor(50));
        const QString p44 = QString::number(WindowFixture::payoffFor(44));
        QTest::newRow("a payoff node ahead, left by the next click")
            << 1 << QStringLiteral("99,@,1,1,p,5,0,6,0,10000,11000,1000,click,%1,,,0,,d1,0").arg(p5);
        QTest::newRow("a note written, then closed")
            << 2 << QStringLiteral("99,@,1,2,d3,13,0,4,0,11000,13000,2000,CloseNotepad,,1,p(5),0,other,d1,0");
        QTest::newRow("the decision") << 3 << QStringLiteral("99,@,1,3,d1,0,1,0,1,14000,16000,2000,ConfirmDecision,,0,d3(13),0,to the node stood on,d1,0");
        QTest::newRow("Nature's move") << 4 << QStringLiteral("99,@,1,4,c1,1,1,0,1,17000,18500,1500,NatureMove,,0,d1(0),0,to the node stood on,c1,1");
        QTest::newRow("stood on after Nature's box") << 5 << QStringLiteral("99,@,1,5,d2,3,1,0,1,22000,23000,1000,ConfirmDecision,,0,c1(1),0,to the node stood on,d2,3");
        QTest::newRow("the payoff reached, until Continue")
            << 9 << QStringLiteral("99,@,1,9,p,50,1,0,1,38000,40000,2000,Continue,%1,,c3(25),0,to the node stood on,p,50").arg(p50);
        QTest::newRow("moves made at once") << 10 << QStringLiteral("99,@,2,1,d1,0,1,0,1,46000,46000,0,ConfirmDecision,,0,,0,,d1,0");
        QTest::newRow("the payoff reached in the second attempt, until Continue")
            << 16 << QStringLiteral("99,@,2,7,p,44,1,0,1,60000,62000,2000,Continue,%1,,c3(22),0,to the node stood on,p,44").arg(p44);
        QTest::newRow("the window closed over it") << 17 << QStringLiteral("99,@,3,1,c2,0,0,3,,66000,70000,4000,exit,,,,0,,d1,0");
    }
    void inspections()
    {
        QFETCH(int, line);
        QFETCH(QString, expected);
        const QStringList lines = exported(QStringLiteral("--inspections"));
        QCOMPARE(lines.value(0), QStringLiteral("subject,log,attempt,order,level,index,stood_on,levels_ahead,on_path,"
                                                "opened_ms,closed_ms,dwell_ms,closed_by,payoff_seen,note_changed,previous,"
                                                "burst,transition,stood_level,stood_index"));
        QCOMPARE(lines.size(), 1 + 9 + 7 + 1);
        QCOMPARE(lines.value(line), row(expected));
    }

    // A box that appears over the node shown ends its inspection when it appears.
    void aBoxEndsTheInspection()
    {
        const QString out = path(QStringLiteral("boxed.csv"));
        const auto run = treelab({QStringLiteral("export"), m_boxedLog, QStringLiteral("--inspections"), out});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        QCOMPARE(csvLines(out).value(9), QStringLiteral("99,%1,1,9,p,50,1,0,1,38000,39000,1000,box,%2,,c3(25),0,to the node stood on,p,50")
                                             .arg(m_boxedLog).arg(WindowFixture::payoffFor(50)));
    }

    // Without the companion record nothing is timed, and what only it tells (the box, the
    // exit) is not guessed: the records that followed are named, or nothing.
    void inspectionsWithoutTheCompanion_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("expected");
        const QString p50 = QString::number(WindowFixture::payoffFor(50));
        QTest::newRow("a note written, then closed")
            << 2 << QStringLiteral("99,@,1,2,d3,13,0,4,0,,,,CloseNotepad,,1,p(5),,other,d1,0");
        QTest::newRow("until Continue") << 9 << QStringLiteral("99,@,1,9,p,50,1,0,1,,,,Continue,%1,,c3(25),,to the node stood on,p,50").arg(p50);
        QTest::newRow("nor the exit") << 17 << QStringLiteral("99,@,3,1,c2,0,0,3,,,,,,,,,,,d1,0");
    }
    void inspectionsWithoutTheCompanion()
    {
        QFETCH(int, line);
        QFETCH(QString, expected);
        const QStringList lines = exported(QStringLiteral("--inspections"), true);
        QCOMPARE(lines.size(), 1 + 9 + 7 + 1);
        QCOMPARE(lines.value(line), row(expected, true));
    }

    // One row per move: stood on from the attempt's start, the decision before, or the
    // answer of Nature's box; the clicks in between; Nature's draw.
    void decisions_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("expected");
        QTest::newRow("d1 from Start, three nodes looked at")
            << 1 << QStringLiteral("99,@,1,d1,0,subject,R,5000,16000,11000,3,3,6,0,,Start");
        QTest::newRow("Nature at c1") << 2 << QStringLiteral("99,@,1,c1,1,nature,R,16000,18500,2500,1,1,0,0,0.75,ConfirmDecision");
        QTest::newRow("d2 from the box's answer") << 3 << QStringLiteral("99,@,1,d2,3,subject,L,20500,23000,2500,1,1,0,0,,box");
        QTest::newRow("Nature at c3") << 6 << QStringLiteral("99,@,1,c3,25,nature,L,29000,31000,2000,1,1,0,0,0.25,ConfirmDecision");
        QTest::newRow("d1 from NextAttempt") << 7 << QStringLiteral("99,@,2,d1,0,subject,R,45000,46000,1000,1,1,0,0,,NextAttempt");
    }
    void decisions()
    {
        QFETCH(int, line);
        QFETCH(QString, expected);
        const QStringList lines = exported(QStringLiteral("--decisions"));
        QCOMPARE(lines.value(0), QStringLiteral("subject,log,attempt,level,index,mover,direction,stood_ms,moved_ms,"
                                                "decision_ms,inspections,distinct_nodes,deepest_ahead,note_changed,r,stood_from"));
        QCOMPARE(lines.size(), 1 + 12);
        QCOMPARE(lines.value(line), row(expected));
    }

    void decisionsWithoutTheCompanion()
    {
        const QStringList lines = exported(QStringLiteral("--decisions"), true);
        QCOMPARE(lines.size(), 1 + 12);
        QCOMPARE(lines.value(2), row(QStringLiteral("99,@,1,c1,1,nature,R,,,,1,1,0,0,,"), true));
    }

    // events' dwell_ms is the inspection's; the attempts' seconds run from Start or the
    // NextAttempt press to Continue (whole seconds of the log's stamps without the companion).
    void eventsAndAttemptsAgree()
    {
        const QStringList events = exported(QStringLiteral("--events"));
        QVERIFY2(events.value(2).endsWith(QStringLiteral(",p,p,5,,,10000,") + events.value(2).section(QLatin1Char(','), 12, 12)
                                          + QStringLiteral(",1000")),
                 qPrintable(events.value(2)));
        QVERIFY(events.value(1).endsWith(QStringLiteral(",Start,,,,,5000,") + events.value(1).section(QLatin1Char(','), 12, 12)
                                         + QLatin1Char(',')));
        const QStringList attempts = exported(QStringLiteral("--attempts"));
        QCOMPARE(attempts.size(), 1 + 3);
        QCOMPARE(attempts.value(1).section(QLatin1Char(','), 13, 13), QStringLiteral("35.000"));
        QCOMPARE(attempts.value(2).section(QLatin1Char(','), 13, 13), QStringLiteral("17.000"));
        QCOMPARE(attempts.value(3).section(QLatin1Char(','), 13, 13), QString());
        const QStringList bare = exported(QStringLiteral("--attempts"), true);
        QCOMPARE(bare.value(1).section(QLatin1Char(','), 13, 13), QStringLiteral("35")); // whole seconds of the log
    }

    // One basis for every attempt: the companion's milliseconds, from the anchor named.
    // Attempt 2 was begun by NextAttempt at 45 s, its first click at 46 s, Continue at 62 s.
    void attemptSecondsNameTheirAnchor_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("attempt");
        QTest::addColumn<QString>("expected"); // seconds, ..., seconds_from
        QTest::newRow("from Start") << QStringLiteral("new") << 1 << QStringLiteral("35.000|Start");
        QTest::newRow("from the NextAttempt press") << QStringLiteral("new") << 2 << QStringLiteral("17.000|NextAttempt");
        QTest::newRow("the previous version: from Start") << QStringLiteral("old") << 1 << QStringLiteral("35.000|Start");
        QTest::newRow("the previous version: from the first click, in ms")
            << QStringLiteral("old") << 2 << QStringLiteral("16.000|first click");
        QTest::newRow("no companion: the log's stamps, named") << QStringLiteral("bare") << 2 << QStringLiteral("16|first click stamp");
        QTest::newRow("not ended") << QStringLiteral("old") << 3 << QStringLiteral("|");
    }
    void attemptSecondsNameTheirAnchor()
    {
        QFETCH(QString, version);
        QFETCH(int, attempt);
        QFETCH(QString, expected);
        const QString log = version == QLatin1String("new") ? m_log : version == QLatin1String("old") ? m_oldLog : m_bareLog;
        const QString out = path(QStringLiteral("attempts-%1.csv").arg(version));
        const auto run = treelab({QStringLiteral("export"), log, QStringLiteral("--attempts"), out});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        const QStringList lines = csvLines(out);
        QVERIFY(lines.value(0).endsWith(QStringLiteral(",seconds,inspected,edits,finished,seconds_from")));
        const QStringList row = lines.value(attempt).split(QLatin1Char(','));
        QCOMPARE(row.value(13) + QLatin1Char('|') + row.value(17), expected);
    }

    // Without box lines nothing tells when the subject stood on d2 after Nature's box: no
    // time, rather than Nature's move (18.5 s) with the box's 2 s counted as deciding.
    void standingAfterNatureNeedsTheBox_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("expected"); // stood_ms,moved_ms,decision_ms ... stood_from
        QTest::newRow("d2 after the box") << QStringLiteral("new") << 3 << QStringLiteral("20500,23000,2500|box");
        QTest::newRow("d2, no box lines") << QStringLiteral("old") << 3 << QStringLiteral(",23000,|");
        QTest::newRow("c1 from the decision") << QStringLiteral("old") << 2 << QStringLiteral("16000,18500,2500|ConfirmDecision");
        QTest::newRow("d1 of attempt 2 from its first click")
            << QStringLiteral("old") << 7 << QStringLiteral("46000,46000,0|first click");
    }
    void standingAfterNatureNeedsTheBox()
    {
        QFETCH(QString, version);
        QFETCH(int, line);
        QFETCH(QString, expected);
        const QString out = path(QStringLiteral("decisions-%1.csv").arg(version));
        const auto run = treelab({QStringLiteral("export"), version == QLatin1String("new") ? m_log : m_oldLog,
                                  QStringLiteral("--decisions"), out});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        const QStringList row = csvLines(out).value(line).split(QLatin1Char(','));
        QCOMPARE(row.mid(7, 3).join(QLatin1Char(',')) + QLatin1Char('|') + row.value(15), expected);
    }

    // A note typed at c3 is stored by Nature's move, in attempt 1; the classic log shows it
    // only with attempt 2's first click. Every table counts it once, in attempt 1.
    void anEditCountsInTheAttemptItWasMadeIn_data()
    {
        QTest::addColumn<QString>("version");
        QTest::newRow("companion") << QStringLiteral("new");
        QTest::newRow("previous version's companion") << QStringLiteral("old");
        QTest::newRow("no companion") << QStringLiteral("bare");
    }
    void anEditCountsInTheAttemptItWasMadeIn()
    {
        QFETCH(QString, version);
        static QByteArray log, companion;
        if (log.isEmpty()) {
            WindowFixture f;
            const Controls &c = f.controls();
            f.confirmAndGoAhead();
            f.click(c.Start);
            const int reached = f.playMoves({true, true, true, true, true, true}, QStringLiteral("last look"));
            f.clickNode(7, reached);
            f.click(c.Continue);
            f.click(c.NextAttempt);
            f.clickNode(1, 0);
            f.click(c.MoveLeft);
            f.click(c.ConfirmDecision);
            f.window().close();
            log = f.log();
            companion = f.readFile(QStringLiteral("o199btinp.01.jsonl"));
        }
        const QString at = recorded(QStringLiteral("c3note"), log, companion, version);
        const QString out = path(QStringLiteral("c3note-%1").arg(version));
        const auto run = treelab({QStringLiteral("export"), at, QStringLiteral("--attempts"), out + QStringLiteral("-a.csv"),
                                  QStringLiteral("--inspections"), out + QStringLiteral("-i.csv"),
                                  QStringLiteral("--notes"), out + QStringLiteral("-n.csv")});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        const QStringList attempts = csvLines(out + QStringLiteral("-a.csv"));
        QCOMPARE(attempts.value(1).section(QLatin1Char(','), 15, 15), QStringLiteral("1"));
        QCOMPARE(attempts.value(2).section(QLatin1Char(','), 15, 15), QStringLiteral("0"));
        // The inspection of c3 in attempt 1 (its 6th click) changed its note.
        const QStringList inspections = csvLines(out + QStringLiteral("-i.csv"));
        QCOMPARE(inspections.value(6).section(QLatin1Char(','), 4, 5), QStringLiteral("c3,31"));
        QCOMPARE(inspections.value(6).section(QLatin1Char(','), 14, 14), QStringLiteral("1"));
        int changedNotes = 0;
        for (const QString &note : csvLines(out + QStringLiteral("-n.csv")).mid(1))
            changedNotes += note.endsWith(QStringLiteral(",1")) ? 1 : 0;
        QCOMPARE(changedNotes, version == QLatin1String("bare") ? 0 : 1);
    }

    // The measures of attempt 1 of the run above, worked out by hand from its clicks:
    // p(5) 10-11 s and d3(13) 11-13 s while on d1 (6 and 4 levels ahead), then d1(0) 14 s
    // and its decision at 16 s, c1(1), d2(3) 22 s decided at 23 s, c2(6), d3(12) 28 s
    // decided at 29 s, c3(25), p(50). No repeats: 9 visits, 2 of them look-ahead, 1 payoff
    // node among those. Deepest ahead on d1 6 (6/6 = 1), on d2 and d3 0. The only pair of
    // look-ahead visits, p(5) then d3(13), is neither parent/child nor one level: no index.
    // Mean look-ahead dwell (1000 + 2000) / 2 = 1500 ms. First click to decision: d1
    // 16000 - 14000, d2 23000 - 22000, d3 29000 - 28000.
    // With a payoff table paying 10 at p(50) alone: d1 right holds p(50) (EV 1.25 against
    // 0), d2(3) left holds it (c2(6) 2.5 against c2(7) 0), d3(12) right (c3(25) 5 against
    // 0): all three decisions of attempt 1 take the higher branch. Attempt 2 goes right at
    // d1 (the higher), then meets d2(2) and d3(11) whose branches all pay 0: two ties.
    void theMeasuresWorkedByHand()
    {
        const QString out = path(QStringLiteral("measures.csv"));
        auto run = treelab({QStringLiteral("export"), m_log, QStringLiteral("--measures"), out});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        const QStringList lines = csvLines(out);
        QCOMPARE(lines.value(0).section(QLatin1Char(','), 0, 6),
                 QStringLiteral("log,subject,set,attempt,visits,lookahead_visits,payoff_nodes_seen"));
        const QStringList first = lines.value(1).split(QLatin1Char(','));
        QCOMPARE(first.mid(4, 10).join(QLatin1Char(',')), QStringLiteral("9,2,1,6,0,0,1.000,0.000,0.000,"));
        QCOMPARE(first.mid(16).join(QLatin1Char(',')), QStringLiteral("1500.000,2000,1000,1000"));

        QByteArray payoffs = "1";
        for (int j = 0; j < 64; ++j)
            payoffs += ' ' + QByteArray::number(j == 50 ? 10 : 0);
        const QString data = path(QStringLiteral("p50.txt"));
        QVERIFY(LabFolders::putFile(data, payoffs));
        const QString bareOut = path(QStringLiteral("measures-bare.csv"));
        run = treelab({QStringLiteral("export"), m_bareLog, QStringLiteral("--measures"), bareOut, QStringLiteral("--data"), data});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        const QStringList bare = csvLines(bareOut);
        QCOMPARE(bare.value(1).section(QLatin1Char(','), 14, 15), QStringLiteral("3,0"));
        QCOMPARE(bare.value(2).section(QLatin1Char(','), 14, 15), QStringLiteral("1,2"));
        QCOMPARE(bare.value(1).section(QLatin1Char(','), 16, 16), QString()); // no times without the companion
    }

    // Looking along branches and across a level, and a burst of two clicks on p(5) 50 ms
    // apart. By hand: visits c1(0), d2(0), d2(1), c2(3), p(5) (two clicks merged), d1(0):
    // 6, 5 of them look-ahead. Pairs of look-ahead visits: c1(0)-d2(0) a child (V),
    // d2(0)-d2(1) one level (H), d2(1)-c2(3) a child (V), c2(3)-p(5) neither: (2 - 1) / 3.
    // Each look-ahead visit lasted 1000 ms (p(5) 50 + 950). d1 first clicked at 11 s,
    // decided at 12 s.
    void searchAlongBranchesAndABurst()
    {
        WindowFixture f;
        const Controls &c = f.controls();
        f.confirmAndGoAhead();
        f.at(5);
        f.click(c.Start);
        const QList<std::array<int, 2>> clicks{{2, 0}, {3, 0}, {3, 1}, {4, 3}, {7, 5}};
        for (qsizetype k = 0; k < clicks.size(); ++k) {
            f.at(6 + double(k));
            f.clickNode(clicks[k][0], clicks[k][1]);
        }
        f.at(10.05);
        f.clickNode(7, 5);
        f.at(11);
        f.clickNode(1, 0);
        f.at(12);
        f.click(c.MoveLeft);
        f.click(c.ConfirmDecision);
        f.window().close();
        const QString log = recorded(QStringLiteral("search"), f.log(), f.readFile(QStringLiteral("o199btinp.01.jsonl")),
                                     QStringLiteral("new"));
        const QString out = path(QStringLiteral("search"));
        const auto run = treelab({QStringLiteral("export"), log, QStringLiteral("--measures"), out + QStringLiteral("-m.csv"),
                                  QStringLiteral("--inspections"), out + QStringLiteral("-i.csv")});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        const QStringList measures = csvLines(out + QStringLiteral("-m.csv")).value(1).split(QLatin1Char(','));
        QCOMPARE(measures.mid(4, 10).join(QLatin1Char(',')), QStringLiteral("6,5,1,6,,,1.000,,,0.333"));
        QCOMPARE(measures.mid(16).join(QLatin1Char(',')), QStringLiteral("1000.000,1000,,"));
        const QStringList inspections = csvLines(out + QStringLiteral("-i.csv"));
        QCOMPARE(inspections.size(), 1 + 7);
        const auto tail = [&](int line) { return inspections.value(line).section(QLatin1Char(','), 16); };
        QCOMPARE(tail(1), QStringLiteral("0,,d1,0"));
        QCOMPARE(tail(2), QStringLiteral("0,child,d1,0"));
        QCOMPARE(tail(3), QStringLiteral("0,sibling,d1,0"));
        QCOMPARE(tail(5), QStringLiteral("0,other,d1,0"));
        QCOMPARE(tail(6), QStringLiteral("1,repeat,d1,0"));
        QCOMPARE(tail(7), QStringLiteral("0,to the node stood on,d1,0"));
    }
};

DT_GUI_TEST_MAIN(TestProcessTables)
#include "TestProcessTables.moc"
