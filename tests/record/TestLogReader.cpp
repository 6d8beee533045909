#include "StubClock.h"
#include "TestFiles.h"

#include "record/EventLog.h"
#include "record/EventTags.h"
#include "record/LogReader.h"
#include "record/Windows1252.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

using TestFiles::fileBytes;

using Kind = LogRecord::Kind;
using Direction = LogRecord::Direction;

// A log from lines given without their CR LF.
QByteArray logOf(const QList<QByteArray> &lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

const QByteArray Header = "99  1  3/4/09  512.5";

QString problemsText(const ParsedLog &log)
{
    QStringList lines;
    for (const LogProblem &problem : log.problems)
        lines.append(QStringLiteral("%1: %2").arg(problem.line).arg(problem.message));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

class TestLogReader : public QObject
{
    Q_OBJECT

private slots:
    // ---- Logs the program wrote.

    void theWholeExperimentOnTheRealWindowReadsCleanly()
    {
#ifndef DT_WHOLE_EXPERIMENT_LOG
        QSKIP("tests/window/expected/whole-experiment.log is not there");
#else
        const QByteArray bytes = fileBytes(QStringLiteral(DT_WHOLE_EXPERIMENT_LOG));
        QVERIFY(!bytes.isEmpty());
        const ParsedLog log = LogReader::parse(bytes);
        QVERIFY2(log.clean(), qPrintable(problemsText(log)));
        QCOMPARE(log.header->subjectNo, qint16(99));
        QCOMPARE(log.header->paramSetNo, qint16(1));
        QCOMPARE(log.header->dateText, QStringLiteral("3/4/09"));
        QCOMPARE(log.header->clock, 512.5);
        QCOMPARE(log.lineCount, qint64(bytes.count('\n')));

        // Every line after the header belongs to exactly one record, in order.
        qint64 next = 2;
        for (const LogRecord &record : log.records) {
            QCOMPARE(record.firstLine, next);
            QVERIFY(record.lastLine >= record.firstLine);
            if (record.lastLine > record.firstLine)
                QCOMPARE(record.kind, Kind::NotepadContents);
            next = record.lastLine + 1;
        }
        QCOMPARE(next, log.lineCount + 1);

        const LogRecord &start = log.records.first();
        QCOMPARE(start.kind, Kind::Start);
        QCOMPARE(start.stamp, qint64(7));
        QCOMPARE(start.kindName(), QStringLiteral("Start"));

        // "20 NotepadContents     1 0 Right looks richer" and two more lines.
        const auto threeLines = std::find_if(log.records.begin(), log.records.end(),
                                             [](const LogRecord &r) { return r.firstLine == 9; });
        QVERIFY(threeLines != log.records.end());
        QCOMPARE(threeLines->kind, Kind::NotepadContents);
        QCOMPARE(threeLines->stamp, qint64(20));
        QCOMPARE(threeLines->level, 1);
        QCOMPARE(threeLines->index, 0);
        QCOMPARE(threeLines->lastLine, qint64(11));
        QCOMPARE(threeLines->text, QStringLiteral("Right looks richer\nLeft has the losses\nTry right first"));

        // "30 NotepadContents     2 1 ": an empty notepad.
        const auto empty = std::find_if(log.records.begin(), log.records.end(),
                                        [](const LogRecord &r) { return r.firstLine == 18; });
        QVERIFY(empty != log.records.end());
        QCOMPARE(empty->kind, Kind::NotepadContents);
        QCOMPARE(empty->level, 2);
        QCOMPARE(empty->index, 1);
        QCOMPARE(empty->text, QString());

        const LogRecord &last = log.records.last();
        QCOMPARE(last.kind, Kind::Continue);
        QCOMPARE(last.stamp, qint64(140));
        QCOMPARE(last.firstLine, qint64(111));

        const QList<AttemptSummary> attempts = LogReader::attempts(log.records);
        QCOMPARE(attempts.size(), 4);
        const QList<int> finals{50, 24, 42, 50};
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(attempts[k].number, k + 1);
            QVERIFY(attempts[k].continued);
            QCOMPARE(attempts[k].reachedLevel, 7);
            QCOMPARE(attempts[k].finalPayoffNode, finals[k]);
            QCOMPARE(log.records[attempts[k].lastRecord].kind, Kind::Continue);
            if (k > 0)
                QCOMPARE(attempts[k].firstRecord, attempts[k - 1].lastRecord + 1);
        }
        QCOMPARE(attempts[0].firstRecord, qsizetype(0));
        QCOMPARE(attempts[3].lastRecord, log.records.size() - 1);
        // Attempt 1: d1 R, c1(1) R, d2(3) L, c2(6) L, d3(12) R, c3(25) L to p(50).
        const std::array<int, 8> path{-1, 0, 1, 3, 6, 12, 25, 50};
        QCOMPARE(attempts[0].pathNode, path);
#endif
    }

    void aLogWrittenByTheEventLogReadsBackRecordForRecord()
    {
        QTemporaryDir dir;
        StubClock clock(512.5f);
        EventLog eventLog(clock, QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(eventLog.OpenEventLog(dir.path(), 5, 12, QStringLiteral("btinp.01")).ok);
        clock.set(519.5f);
        eventLog.WriteEventRecord(EventTags::Start, QString());
        eventLog.WriteEventRecord(EventTags::click(QStringLiteral("d1")), QStringLiteral("0"));
        clock.set(530.f);
        eventLog.WriteEventRecord(EventTags::click(QStringLiteral("c3")), QStringLiteral("31"));
        // Three typed lines, a pound and a euro sign: Windows-1252 bytes 0xA3 and 0x80.
        eventLog.WriteEventRecord(EventTags::NotepadContents,
                                  QStringLiteral("1 0 first \u00A35\nsecond \u20AC\n12 later"));
        eventLog.WriteEventRecord(EventTags::CloseNotepad, QStringLiteral("6 31"));
        eventLog.WriteEventRecord(EventTags::NotepadContents, QStringLiteral("6 31 "));
        eventLog.WriteEventRecord(EventTags::click(QStringLiteral("d1")), QStringLiteral("0"));
        eventLog.WriteEventRecord(EventTags::NotepadContents, QStringLiteral("6 31 "));
        eventLog.WriteEventRecord(EventTags::ConfirmDecisionLeft, QStringLiteral("1 0"));
        eventLog.WriteEventRecord(EventTags::click(QStringLiteral("c1")), QStringLiteral("0"));
        eventLog.WriteEventRecord(EventTags::NotepadContents, QStringLiteral("1 0 x"));
        eventLog.WriteEventRecord(EventTags::NatureMoveRight, QStringLiteral("2 0"));
        const QString path = eventLog.path();
        eventLog.CloseEventLog();

        ParsedLog log;
        QString error;
        QVERIFY2(LogReader::read(path, &log, &error), qPrintable(error));
        QVERIFY2(log.clean(), qPrintable(problemsText(log)));
        QCOMPARE(log.header->subjectNo, qint16(5));
        QCOMPARE(log.header->paramSetNo, qint16(12));
        QVERIFY(LogReader::readHeader(path).has_value());

        struct Expected
        {
            Kind kind;
            qint64 stamp;
            int level, index;
            Direction direction;
            qint64 firstLine, lastLine;
        };
        const QList<Expected> expected{
            {Kind::Start, 7, 0, -1, Direction::None, 2, 2},
            {Kind::NodeClick, 7, 1, 0, Direction::None, 3, 3},
            {Kind::NodeClick, 18, 6, 31, Direction::None, 4, 4},
            {Kind::NotepadContents, 18, 1, 0, Direction::None, 5, 7},
            {Kind::CloseNotepad, 18, 6, 31, Direction::None, 8, 8},
            {Kind::NotepadContents, 18, 6, 31, Direction::None, 9, 9},
            {Kind::NodeClick, 18, 1, 0, Direction::None, 10, 10},
            {Kind::NotepadContents, 18, 6, 31, Direction::None, 11, 11},
            {Kind::ConfirmDecision, 18, 1, 0, Direction::Left, 12, 12},
            {Kind::NodeClick, 18, 2, 0, Direction::None, 13, 13},
            {Kind::NotepadContents, 18, 1, 0, Direction::None, 14, 14},
            {Kind::NatureMove, 18, 2, 0, Direction::Right, 15, 15},
        };
        QCOMPARE(log.records.size(), expected.size());
        for (qsizetype k = 0; k < expected.size(); ++k) {
            const LogRecord &r = log.records[k];
            const Expected &e = expected[k];
            QCOMPARE(r.kind, e.kind);
            QCOMPARE(r.stamp, e.stamp);
            QCOMPARE(r.level, e.level);
            QCOMPARE(r.index, e.index);
            QCOMPARE(r.direction, e.direction);
            QCOMPARE(r.firstLine, e.firstLine);
            QCOMPARE(r.lastLine, e.lastLine);
        }
        QCOMPARE(log.records[2].kindName(), QStringLiteral("c3"));
        QCOMPARE(log.records[3].text, QStringLiteral("first \u00A35\nsecond \u20AC\n12 later"));
        QCOMPARE(log.records[5].text, QString());

        // One attempt in play, at d2(1) after d1 Left and Nature Right.
        const QList<AttemptSummary> attempts = LogReader::attempts(log.records);
        QCOMPARE(attempts.size(), 1);
        QVERIFY(!attempts[0].continued);
        QCOMPARE(attempts[0].reachedLevel, 3);
        const std::array<int, 8> path1{-1, 0, 0, 1, -1, -1, -1, -1};
        QCOMPARE(attempts[0].pathNode, path1);
    }

    // ---- Every record kind, one line each.

    void everyRecordKind_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("text");
        const auto row = [](const char *name, const QString &line, Kind kind, int level, int index,
                            Direction direction = Direction::None, const QString &text = QString()) {
            QTest::newRow(name) << line << int(kind) << level << index << int(direction) << text;
        };
        row("Start", QStringLiteral("41 Start"), Kind::Start, 0, -1);
        row("d1", QStringLiteral("63 d1                  0"), Kind::NodeClick, 1, 0);
        row("c1", QStringLiteral("63 c1                  1"), Kind::NodeClick, 2, 1);
        row("d2", QStringLiteral("63 d2                  3"), Kind::NodeClick, 3, 3);
        row("c2", QStringLiteral("63 c2                  7"), Kind::NodeClick, 4, 7);
        row("d3", QStringLiteral("63 d3                  15"), Kind::NodeClick, 5, 15);
        row("c3", QStringLiteral("158 c3                  12"), Kind::NodeClick, 6, 12);
        row("p", QStringLiteral("0 p                   63"), Kind::NodeClick, 7, 63);
        row("NotepadContents", QStringLiteral("85 NotepadContents     1 0 left looks safer"),
            Kind::NotepadContents, 1, 0, Direction::None, QStringLiteral("left looks safer"));
        row("NotepadContents empty", QStringLiteral("158 NotepadContents     5 6 "),
            Kind::NotepadContents, 5, 6);
        row("NotepadContents blanks kept", QStringLiteral("158 NotepadContents     3 2   two  "),
            Kind::NotepadContents, 3, 2, Direction::None, QStringLiteral("  two  "));
        row("CloseNotepad", QStringLiteral("22 CloseNotepad        4 6"), Kind::CloseNotepad, 4, 6);
        row("ConfirmDecision L", QStringLiteral("79 ConfirmDecision     L 1 0"),
            Kind::ConfirmDecision, 1, 0, Direction::Left);
        row("ConfirmDecision R", QStringLiteral("17 ConfirmDecision     R 5 12"),
            Kind::ConfirmDecision, 5, 12, Direction::Right);
        row("NatureMove L", QStringLiteral("36 NatureMove          L 4 6"), Kind::NatureMove, 4, 6,
            Direction::Left);
        row("NatureMove R", QStringLiteral("88 NatureMove          R 2 0"), Kind::NatureMove, 2, 0,
            Direction::Right);
        row("FinalPayoffNode", QStringLiteral("163 FinalPayoffNode     25"), Kind::FinalPayoffNode,
            7, 25);
        row("Continue", QStringLiteral("171 Continue            "), Kind::Continue, 0, -1);
        row("negative stamp", QStringLiteral("-5 Start"), Kind::Start, 0, -1);
    }

    void everyRecordKind()
    {
        QFETCH(QString, line);
        const std::optional<LogRecord> record = LogReader::parseRecordLine(line);
        QVERIFY(record.has_value());
        QTEST(int(record->kind), "kind");
        QTEST(record->level, "level");
        QTEST(record->index, "index");
        QTEST(int(record->direction), "direction");
        QTEST(record->text, "text");
    }

    void linesThatAreNoRecord_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("empty") << QString();
        QTest::newRow("text") << QStringLiteral("left looks safer");
        QTest::newRow("no stamp") << QStringLiteral(" Start");
        QTest::newRow("stamp not a number") << QStringLiteral("4x Start");
        QTest::newRow("leading zero") << QStringLiteral("07 Start");
        QTest::newRow("minus zero") << QStringLiteral("-0 Start");
        QTest::newRow("unknown tag") << QStringLiteral("12 Finish             ");
        QTest::newRow("Start with text") << QStringLiteral("12 Start now");
        QTest::newRow("Continue stripped") << QStringLiteral("171 Continue");
        QTest::newRow("Continue with text") << QStringLiteral("171 Continue            x");
        QTest::newRow("d1 not 0") << QStringLiteral("63 d1                  1");
        QTest::newRow("c1 beyond its level") << QStringLiteral("63 c1                  2");
        QTest::newRow("p beyond its level") << QStringLiteral("63 p                   64");
        QTest::newRow("index with zero") << QStringLiteral("63 c3                  07");
        QTest::newRow("click without index") << QStringLiteral("63 c3                  ");
        QTest::newRow("click with more") << QStringLiteral("63 c3                  1 2");
        QTest::newRow("notepad without text blank") << QStringLiteral("85 NotepadContents     1 0");
        QTest::newRow("notepad level 8") << QStringLiteral("85 NotepadContents     8 0 x");
        QTest::newRow("notepad index beyond") << QStringLiteral("85 NotepadContents     2 2 x");
        QTest::newRow("close without index") << QStringLiteral("22 CloseNotepad        4");
        QTest::newRow("decision at chance level") << QStringLiteral("79 ConfirmDecision     L 2 0");
        QTest::newRow("nature at decision level") << QStringLiteral("88 NatureMove          R 3 0");
        QTest::newRow("move letter missing") << QStringLiteral("88 NatureMove          2 0");
        QTest::newRow("payoff node 64") << QStringLiteral("163 FinalPayoffNode     64");
        QTest::newRow("column short") << QStringLiteral("63 d1 0");
    }

    void linesThatAreNoRecord()
    {
        QFETCH(QString, line);
        QVERIFY(!LogReader::parseRecordLine(line).has_value());
    }

    // ---- The header.

    void headers_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("subject");
        QTest::addColumn<int>("set");
        QTest::addColumn<QString>("date");
        QTest::addColumn<double>("clock");
        QTest::newRow("as written") << QStringLiteral("99  1  3/4/09  512.5") << true << 99 << 1
                              << QStringLiteral("3/4/09") << 512.5;
        QTest::newRow("subject first") << QStringLiteral("5  12  04.03.2009  43200") << true << 5
                                       << 12 << QStringLiteral("04.03.2009") << 43200.0;
        QTest::newRow("decimal comma") << QStringLiteral("-3  7  4 Mar 2009  86399,25") << true
                                       << -3 << 7 << QStringLiteral("4 Mar 2009") << 86399.25;
        QTest::newRow("tiny clock") << QStringLiteral("1  1  3/4/09  1e-05") << true << 1 << 1
                                    << QStringLiteral("3/4/09") << 1e-05;
        QTest::newRow("one blank") << QStringLiteral("99 1 3/4/09 512.5") << false << 0 << 0
                                   << QString() << 0.0;
        QTest::newRow("three fields") << QStringLiteral("99  1  512.5") << false << 0 << 0
                                      << QString() << 0.0;
        QTest::newRow("subject not a number") << QStringLiteral("x9  1  3/4/09  512.5") << false
                                              << 0 << 0 << QString() << 0.0;
        QTest::newRow("subject too big") << QStringLiteral("40000  1  3/4/09  512.5") << false
                                         << 0 << 0 << QString() << 0.0;
        QTest::newRow("clock not a number") << QStringLiteral("99  1  3/4/09  noon") << false << 0
                                            << 0 << QString() << 0.0;
        QTest::newRow("clock past a day") << QStringLiteral("99  1  3/4/09  90000") << false << 0
                                          << 0 << QString() << 0.0;
        QTest::newRow("a record") << QStringLiteral("41 Start") << false << 0 << 0 << QString()
                                  << 0.0;
        QTest::newRow("go-ahead file") << QStringLiteral(" 1 ") << false << 0 << 0 << QString()
                                       << 0.0;
    }

    void headers()
    {
        QFETCH(QString, line);
        QFETCH(bool, valid);
        const std::optional<LogHeader> header = LogReader::parseHeader(line);
        QCOMPARE(header.has_value(), valid);
        if (!valid)
            return;
        QTEST(int(header->subjectNo), "subject");
        QTEST(int(header->paramSetNo), "set");
        QTEST(header->dateText, "date");
        QTEST(header->clock, "clock");
    }

    // ---- Malformed logs: each problem with its line, nothing guessed.

    void aBadHeaderIsReportedOnLineOne()
    {
        const ParsedLog log = LogReader::parse(logOf({"99 1 3/4/09 512.5", "41 Start"}));
        QVERIFY(!log.header.has_value());
        QCOMPARE(log.problems.size(), 1);
        QCOMPARE(log.problems[0].line, qint64(1));
        QVERIFY(log.problems[0].message.contains(QStringLiteral("not a log header")));
        QCOMPARE(log.records.size(), 1); // the records are still read
    }

    void aTruncatedLastLineIsReportedAndKeptWhenItIsARecord()
    {
        QByteArray bytes = logOf({Header, "41 Start"}) + "63 d1                  0";
        ParsedLog log = LogReader::parse(bytes);
        QCOMPARE(log.problems.size(), 1);
        QCOMPARE(log.problems[0].line, qint64(3));
        QVERIFY(log.problems[0].message.contains(QStringLiteral("without CR LF")));
        QCOMPARE(log.records.size(), 2);
        QCOMPARE(log.records[1].kind, Kind::NodeClick);

        // Cut in the middle of the tag: reported once, as cut short, and not a record.
        bytes = logOf({Header, "41 Start"}) + "63 d1    ";
        log = LogReader::parse(bytes);
        QCOMPARE(log.problems.size(), 1);
        QCOMPARE(log.problems[0].line, qint64(3));
        QVERIFY(log.problems[0].message.contains(QStringLiteral("without CR LF")));
        QCOMPARE(log.records.size(), 1);

        // A header not yet ended: the file is no log yet for readHeader.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("o199btinp.01"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Header);
        file.close();
        QVERIFY(!LogReader::readHeader(path).has_value());
    }

    void anUnknownTagIsReportedWithItsLine()
    {
        const ParsedLog log = LogReader::parse(
            logOf({Header, "41 Start", "45 Finish             ", "63 d1                  0"}));
        QCOMPARE(log.problems.size(), 1);
        QCOMPARE(log.problems[0].line, qint64(3));
        QVERIFY2(log.problems[0].message.contains(QStringLiteral("none the program writes")),
                 qPrintable(log.problems[0].message));
        QCOMPARE(log.records.size(), 2);
        QCOMPARE(log.records[1].firstLine, qint64(4));
    }

    void aTimeStampThatIsNoNumberIsReportedWithItsLine()
    {
        const ParsedLog log = LogReader::parse(
            logOf({Header, "41 Start", "4x d1                  0", "O7 Continue            "}));
        QCOMPARE(log.problems.size(), 2);
        QCOMPARE(log.problems[0].line, qint64(3));
        QCOMPARE(log.problems[1].line, qint64(4));
        QVERIFY(log.problems[1].message.contains(QStringLiteral("does not begin with a time stamp")));
        QCOMPARE(log.records.size(), 1);
    }

    void malformedFieldsAreNamed()
    {
        const ParsedLog log = LogReader::parse(logOf({Header, "41 Start", "63 c1                  2"}));
        QCOMPARE(log.problems.size(), 1);
        QCOMPARE(log.problems[0].line, qint64(3));
        QVERIFY2(log.problems[0].message.contains(QStringLiteral("a node 0 to 1")),
                 qPrintable(log.problems[0].message));
    }

    void lineEndsOtherThanCrLfAreReported()
    {
        const ParsedLog log = LogReader::parse(Header + "\r\n41 Start\n63 d1                  0\r\n");
        QCOMPARE(log.problems.size(), 1);
        QCOMPARE(log.problems[0].line, qint64(2));
        QVERIFY(log.problems[0].message.contains(QStringLiteral("LF without CR")));
        QCOMPARE(log.records.size(), 2);
    }

    void anEmptyFileAndAHeaderAlone()
    {
        ParsedLog log = LogReader::parse(QByteArray());
        QVERIFY(!log.header.has_value());
        QCOMPARE(log.problems.size(), 1);
        QCOMPARE(log.problems[0].line, qint64(1));

        log = LogReader::parse(logOf({Header}));
        QVERIFY(log.clean());
        QVERIFY(log.records.isEmpty());
        QVERIFY(LogReader::attempts(log.records).isEmpty());
    }

    void aStrayLineOutsideANotepadIsAProblem()
    {
        const ParsedLog log = LogReader::parse(logOf({Header, "41 Start", "", "stray words"}));
        QCOMPARE(log.problems.size(), 2);
        QCOMPARE(log.problems[0].line, qint64(3));
        QVERIFY(log.problems[0].message.contains(QStringLiteral("empty")));
        QCOMPARE(log.problems[1].line, qint64(4));
    }

    void aStampThatGoesBackIsReported()
    {
        const ParsedLog log = LogReader::parse(
            logOf({Header, "41 Start", "63 d1                  0", "50 c1                  1"}));
        QCOMPARE(log.problems.size(), 1);
        QCOMPARE(log.problems[0].line, qint64(4));
        QVERIFY(log.problems[0].message.contains(QStringLiteral("earlier")));
        QCOMPARE(log.records.size(), 3);
    }

    // ---- The continuation rule: a line is a record exactly when all of it parses as one.

    void notepadLinesThatAreNoRecordContinueTheText()
    {
        const ParsedLog log = LogReader::parse(logOf({
            Header,
            "41 Start",
            "63 d1                  0",
            "64 c1                  0",
            "64 NotepadContents     1 0 first",
            "",                              // an empty line typed
            "12 Start now",                  // Start with text after it
            "45 Finish             ",        // an unknown tag
            "63 d1                  0 extra", // a click with more after it
            "63 d1                  1",      // a click on a node d1 has not
            "4x NatureMove          R 2 0",  // a stamp that is no number
            "171 Continue",                  // Continue without its blanks
            "\xA3" "5 or \x80" "5",          // Windows-1252 pound and euro
            "66 d2                  0",
        }));
        QVERIFY2(log.clean(), qPrintable(problemsText(log)));
        QCOMPARE(log.records.size(), 5);
        const LogRecord &notepad = log.records[3];
        QCOMPARE(notepad.kind, Kind::NotepadContents);
        QCOMPARE(notepad.firstLine, qint64(5));
        QCOMPARE(notepad.lastLine, qint64(13));
        QCOMPARE(notepad.text,
                 QStringLiteral("first\n\n12 Start now\n45 Finish             \n"
                                "63 d1                  0 extra\n63 d1                  1\n"
                                "4x NatureMove          R 2 0\n171 Continue\n\u00A35 or \u20AC5"));
        QCOMPARE(log.records[4].kind, Kind::NodeClick);
        QCOMPARE(log.records[4].firstLine, qint64(14));
    }

    // Lines typed into a notepad in the form of records: text unless the rules allow
    // that record at that point, and where one is allowed, the reading that places every
    // later line.
    void notepadLinesAreReadByTheRules_data()
    {
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::addColumn<QString>("kinds");    // the records read, one letter each
        QTest::addColumn<QString>("lastText"); // the text of the last NotepadContents
        const QList<QByteArray> start{Header, "41 Start", "63 d1                  0", "70 ConfirmDecision     L 1 0",
                                      "80 c1                  0"};
        QTest::newRow("forged payoff and Continue in d1's notepad")
            << start + QList<QByteArray>{"80 NotepadContents     1 0 first", "9 FinalPayoffNode     12",
                                         "9 Continue            ", "81 NatureMove          R 2 0"}
            << QStringLiteral("ScDcNM") << QStringLiteral("first\n9 FinalPayoffNode     12\n9 Continue            ");
        QTest::newRow("a Start typed later")
            << start + QList<QByteArray>{"80 NotepadContents     1 0 first", "70 Start", "81 NatureMove          R 2 0"}
            << QStringLiteral("ScDcNM") << QStringLiteral("first\n70 Start");
        // A click on d2(0) is allowed after the notepad line; only the reading that takes
        // it as text places the NatureMove at c1(0) that follows.
        QTest::newRow("an allowed click typed, then a move that needs it to be text")
            << start + QList<QByteArray>{"80 NotepadContents     1 0 a", "80 d2                  0",
                                         "81 NatureMove          R 2 0"}
            << QStringLiteral("ScDcNM") << QStringLiteral("a\n80 d2                  0");
        QTest::newRow("a real click after the notepad")
            << start + QList<QByteArray>{"80 NotepadContents     1 0 a", "82 d2                  1",
                                         "82 NotepadContents     2 0 b"}
            << QStringLiteral("ScDcNcN") << QStringLiteral("b");
    }
    void notepadLinesAreReadByTheRules()
    {
        QFETCH(QList<QByteArray>, lines);
        QFETCH(QString, kinds);
        QFETCH(QString, lastText);
        const ParsedLog log = LogReader::parse(logOf(lines));
        QVERIFY2(log.clean(), qPrintable(problemsText(log)));
        QString read;
        for (const LogRecord &r : log.records)
            read += QLatin1Char("ScNXDMFK"[int(r.kind)]);
        QCOMPARE(read, kinds);
        const auto last = std::find_if(log.records.rbegin(), log.records.rend(),
                                       [](const LogRecord &r) { return r.kind == Kind::NotepadContents; });
        QCOMPARE(last->text, lastText);
    }

    void aRecordTheRulesDoNotAllowIsReportedWithWhatTheyExpect()
    {
        const ParsedLog log = LogReader::parse(logOf({Header, "41 Start", "63 d1                  0",
                                                      "70 FinalPayoffNode     12"}));
        QCOMPARE(log.problems.size(), 1);
        QCOMPARE(log.problems[0].line, qint64(4));
        QVERIFY2(log.problems[0].message.contains(QStringLiteral("cannot come here: the rules expect a click on d1(0) "
                                                                 "or a node above it, CloseNotepad of d1(0), ConfirmDecision at d1(0)")),
                 qPrintable(log.problems[0].message));
        QCOMPARE(log.records.size(), 3); // read by force
    }

    void aLogWithLfLineEndsIsReadWithOneWarning()
    {
        QByteArray bytes;
#ifdef DT_WHOLE_EXPERIMENT_LOG
        bytes = fileBytes(QStringLiteral(DT_WHOLE_EXPERIMENT_LOG));
#endif
        if (bytes.isEmpty())
            QSKIP("tests/window/expected/whole-experiment.log is not there");
        const ParsedLog crlf = LogReader::parse(bytes);
        const ParsedLog lf = LogReader::parse(QByteArray(bytes).replace("\r\n", "\n"));
        QVERIFY2(lf.clean(), qPrintable(problemsText(lf)));
        QCOMPARE(lf.warnings.size(), 1);
        QCOMPARE(lf.records.size(), crlf.records.size());
    }

    // ---- Attempts.

    void attemptsAreSeparatedByContinue()
    {
        const ParsedLog log = LogReader::parse(logOf({
            Header,
            "41 Start",
            "63 d1                  0",
            "79 ConfirmDecision     L 1 0",
            "85 c1                  0",
            "88 NatureMove          R 2 0",
            "90 Continue            ", // an attempt cut short, as only a hand-made log has
            "95 d1                  0",
            "96 ConfirmDecision     R 1 0",
        }));
        // Read by force where the rules expect a notepad record or the payoff node.
        QList<qint64> forced;
        for (const LogProblem &problem : log.problems)
            forced.append(problem.line);
        QCOMPARE(forced, (QList<qint64>{6, 7, 9}));
        const QList<AttemptSummary> attempts = LogReader::attempts(log.records);
        QCOMPARE(attempts.size(), 2);
        QCOMPARE(attempts[0].number, 1);
        QCOMPARE(attempts[0].reachedLevel, 3);
        QCOMPARE(attempts[0].pathNode[2], 0);
        QCOMPARE(attempts[0].pathNode[3], 1);
        QCOMPARE(attempts[0].finalPayoffNode, -1);
        QVERIFY(attempts[0].continued);
        QCOMPARE(attempts[0].firstRecord, qsizetype(0));
        QCOMPARE(attempts[0].lastRecord, qsizetype(5));
        QCOMPARE(attempts[1].number, 2);
        QCOMPARE(attempts[1].reachedLevel, 2);
        QCOMPARE(attempts[1].pathNode[2], 1);
        QVERIFY(!attempts[1].continued);
        QCOMPARE(attempts[1].firstRecord, qsizetype(6));
        QCOMPARE(attempts[1].lastRecord, qsizetype(7));
    }

    void levelNames()
    {
        QCOMPARE(LogReader::levelName(1), QStringLiteral("d1"));
        QCOMPARE(LogReader::levelName(6), QStringLiteral("c3"));
        QCOMPARE(LogReader::levelName(7), QStringLiteral("p"));
        QCOMPARE(LogReader::levelName(0), QString());
        QCOMPARE(LogReader::levelName(8), QString());
    }
};

QTEST_GUILESS_MAIN(TestLogReader)
#include "TestLogReader.moc"
