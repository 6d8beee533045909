#include "LabFolders.h"
#include "TestPayoffs.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using LabFolders::readCsv;
using LabFolders::report;
using LabFolders::treelab;

namespace {

const QString Pound = QString(QChar(0x00A3));

// The whole experiment's log with its companion record, the workstation's time put in, in
// folder (no payoff file beside it: the record holds the payoffs). Returns the log's path.
QString companionLog(const QString &folder)
{
    const QString log = QDir(folder).filePath(QStringLiteral("o199btinp.01"));
    LabFolders::putFile(log, LabFolders::wholeExperimentLog());
    LabFolders::putFile(log + QStringLiteral(".jsonl"),
                        LabFolders::fileBytes(QStringLiteral(DT_WHOLE_EXPERIMENT_COMPANION))
                            .replace("@START@", "2009-03-04T00:08:32.500+01:00")
                            .replace("@HOST@", "lab-07"));
    return log;
}

} // namespace

// treelab export over the log that the whole four-attempt experiment on the real window
// leaves (subject 99, set 1), with the payoff file that run used: p(j) pays
// TestPayoffs::payoffFor(j).
class TestExportCommand : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_folder;
    QString m_log;

    QString path(const QString &name) const { return QDir(m_folder).filePath(name); }
    QString text(const QString &name) const { return QString::fromUtf8(LabFolders::fileBytes(path(name))); }
    // Rows name their log by the path given to treelab: "@" in text.
    QString logged(QString text, const QString &log = QString()) const
    {
        return text.replace(QLatin1Char('@'), log.isEmpty() ? m_log : log);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!LabFolders::wholeExperimentLog().isEmpty(), "tests/window/expected/whole-experiment.log is missing");
        m_folder = LabFolders::workstation(m_dir.path(), QStringLiteral("ws"), " 2 \r\n",
                                           LabFolders::wholeExperimentLog());
        m_log = path(QStringLiteral("o199btinp.01"));
    }

    // Worked out from the log line by line: the moves of each attempt, the payoff node
    // with payoffFor of it, Continue's stamp less the first record's, the click records,
    // and the notepad texts that differ from the node's text recorded before.
    void theAttemptsTable()
    {
        const auto run = treelab({QStringLiteral("export"), m_log, QStringLiteral("--attempts"),
                                  path(QStringLiteral("attempts.csv"))});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        const QString expected
            = logged(QStringLiteral("log,subject,set,attempt,d1,c1,d2,c2,d3,c3,node,payoff_text,payoff,seconds,"
                             "inspected,edits,finished,seconds_from\n"
                             "@,99,1,1,R,R,L,L,R,L,50,#51,51,46,11,4,1,Start stamp\n"
                             "@,99,1,2,L,R,R,L,L,L,24,-#5,-5,28,8,2,1,first click stamp\n"
                             "@,99,1,3,R,L,R,L,R,L,42,#0,0,26,10,1,1,first click stamp\n"
                             "@,99,1,4,R,R,L,L,R,L,50,#51,51,24,7,0,1,first click stamp\n"))
                  .replace(QLatin1Char('#'), Pound);
        QCOMPARE(text(QStringLiteral("attempts.csv")), expected);
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("events.csv"))));
    }

    void theAttemptsTableWithThePayoffFileGiven()
    {
        // Set 1 of a copy elsewhere; the log's own folder is not looked at.
        QTemporaryDir other;
        const QString data = QDir(other.path()).filePath(QStringLiteral("payoffs.txt"));
        QByteArray set1;
        set1 += "1";
        for (int j = 0; j < 64; ++j)
            set1 += ' ' + QByteArray::number(j == 50 ? 1234 : 0);
        QVERIFY(LabFolders::putFile(data, set1));
        const QString out = QDir(other.path()).filePath(QStringLiteral("a.csv"));
        const auto run = treelab({QStringLiteral("export"), m_log, QStringLiteral("--attempts"), out,
                                  QStringLiteral("--data"), data});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        const QStringList lines = QString::fromUtf8(LabFolders::fileBytes(out)).split(QLatin1Char('\n'));
        QCOMPARE(lines.value(1), logged(QStringLiteral("@,99,1,1,R,R,L,L,R,L,50,#1234,1234,46,11,4,1,Start stamp")).replace(QLatin1Char('#'), Pound));
        QCOMPARE(lines.value(2), logged(QStringLiteral("@,99,1,2,L,R,R,L,L,L,24,#0,0,28,8,2,1,first click stamp")).replace(QLatin1Char('#'), Pound));
    }

    void eventsRows()
    {
        const auto run = treelab({QStringLiteral("export"), m_log, QStringLiteral("--events"),
                                  path(QStringLiteral("events.csv"))});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        const QString csv = text(QStringLiteral("events.csv"));
        QVERIFY(csv.startsWith(logged(QStringLiteral(
            "log,subject,set,date,attempt,stamp,kind,level,index,direction,text,ms,time,dwell_ms\n"
            "@,99,1,3/4/09,1,7,Start,,,,,,,\n"
            "@,99,1,3/4/09,1,10,p,p,5,,,,,\n"
            "@,99,1,3/4/09,1,12,d3,d3,13,,,,,\n"
            "@,99,1,3/4/09,1,14,d1,d1,0,,,,,\n"
            "@,99,1,3/4/09,1,14,NotepadContents,d3,13,,maybe later,,,\n"
            "@,99,1,3/4/09,1,17,ConfirmDecision,d1,0,R,,,,\n"
            "@,99,1,3/4/09,1,20,c2,c2,6,,,,,\n"
            "@,99,1,3/4/09,1,20,NotepadContents,d1,0,,\"Right looks richer\n"
            "Left has the losses\n"
            "Try right first\",,,\n"
            "@,99,1,3/4/09,1,22,CloseNotepad,c2,6,,,,,\n"))));
        QVERIFY(csv.contains(logged(QStringLiteral(
            "@,99,1,3/4/09,1,45,NatureMove,c3,25,L,,,,\n"
            "@,99,1,3/4/09,1,49,FinalPayoffNode,p,50,,,,,\n"
            "@,99,1,3/4/09,1,51,p,p,50,,,,,\n"
            "@,99,1,3/4/09,1,51,NotepadContents,c3,25,,fingers crossed,,,\n"
            "@,99,1,3/4/09,1,53,Continue,,,,,,,\n"
            "@,99,1,3/4/09,2,57,d1,d1,0,,,,,\n"))));
        QVERIFY(csv.contains(logged(QStringLiteral(
            "@,99,1,3/4/09,3,91,NotepadContents,d1,0,,\"Right looks richer\n"
            "Left has the losses\n"
            "Try right first\n"
            "second visit\",,,\n"
            "@,99,1,3/4/09,3,92,NatureMove,c1,1,L,,,,\n"))));
        QVERIFY(csv.endsWith(logged(QStringLiteral("@,99,1,3/4/09,4,140,Continue,,,,,,,\n"))));
        QVERIFY(!csv.contains(QLatin1Char('\r')));
    }

    // Every record of the log is one row, in order: the rows read back against the lines
    // of the file that begin with a time stamp and a tag, found here without the reader.
    void everyRecordIsOneRow()
    {
        const auto run = treelab({QStringLiteral("export"), m_log, QStringLiteral("--events"),
                                  path(QStringLiteral("round.csv"))});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        bool wellFormed = false;
        const QList<QStringList> rows = readCsv(text(QStringLiteral("round.csv")), &wellFormed);
        QVERIFY(wellFormed);

        static const QRegularExpression recordLine(QStringLiteral(
            "^(0|[1-9][0-9]*) (Start|d1|c1|d2|c2|d3|c3|p|NotepadContents|CloseNotepad|ConfirmDecision"
            "|NatureMove|FinalPayoffNode|Continue)( |$)"));
        QList<QPair<QString, QString>> lines; // stamp, tag name
        const QStringList fileLines = QString::fromLatin1(LabFolders::wholeExperimentLog()).split(QStringLiteral("\r\n"));
        for (qsizetype i = 1; i < fileLines.size(); ++i) {
            const QRegularExpressionMatch m = recordLine.match(fileLines[i]);
            if (m.hasMatch())
                lines.append({m.captured(1), m.captured(2)});
        }
        // 111 lines: the header, 100 records and 10 further lines of notepad texts.
        QCOMPARE(lines.size(), 100);
        QCOMPARE(rows.size(), lines.size() + 1);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QStringList &row = rows[i + 1];
            QCOMPARE(row.size(), 14);
            QCOMPARE(row[5], lines[i].first);
            QCOMPARE(row[6], lines[i].second);
        }
        // The notepad texts of several lines come back whole.
        int threeLines = 0;
        for (const QStringList &row : rows)
            threeLines += row.value(10) == QStringLiteral("Right looks richer\nLeft has the losses\nTry right first");
        QCOMPARE(threeLines, 2);
    }

    void bothTablesAtOnceForTwoLogs()
    {
        QTemporaryDir second;
        const QString other = LabFolders::workstation(second.path(), QStringLiteral("ws2"), " 2 \r\n",
                                                      LabFolders::firstLines(LabFolders::wholeExperimentLog(), 40));
        const QString events = path(QStringLiteral("both-events.csv"));
        const QString attempts = path(QStringLiteral("both-attempts.csv"));
        const auto run = treelab({QStringLiteral("export"), m_log, QDir(other).filePath(QStringLiteral("o199btinp.01")),
                                  QStringLiteral("--events"), events, QStringLiteral("--attempts"), attempts});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        const QStringList attemptLines = QString::fromUtf8(LabFolders::fileBytes(attempts)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(attemptLines.size(), 1 + 4 + 2);
        // Lines 2 to 40 of the log: attempt 1 whole (30 records), then 5 records of attempt
        // 2 up to Nature's move at c1, with two clicks and d1's notepad text unchanged.
        QCOMPARE(attemptLines[6], logged(QStringLiteral("@,99,1,2,L,R,,,,,,,,,2,0,0,"), QDir(other).filePath(QStringLiteral("o199btinp.01"))));
        bool wellFormed = false;
        QCOMPARE(readCsv(QString::fromUtf8(LabFolders::fileBytes(events)), &wellFormed).size(), 1 + 100 + 35);
        QVERIFY(wellFormed);
    }

    // The codebook export writes is docs/codebook.md, word for word: the document cannot
    // drift from the tables.
    void theCodebookIsTheDocument()
    {
        const QString out = path(QStringLiteral("codebook.md"));
        const auto run = treelab({QStringLiteral("export"), m_log, QStringLiteral("--codebook"), out});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        const QByteArray written = LabFolders::fileBytes(out);
        QVERIFY(written.contains("| `dwell_ms` | integer | ms |"));
        QCOMPARE(written, LabFolders::fileBytes(QStringLiteral(DT_CODEBOOK_DOC)));
    }

    // The run's facts and every stored notepad text, from the companion record.
    void theRunsAndTheNotesFromTheCompanion()
    {
        QTemporaryDir dir;
        const QString log = companionLog(dir.path());
        const QString runs = QDir(dir.path()).filePath(QStringLiteral("runs.csv"));
        const QString notes = QDir(dir.path()).filePath(QStringLiteral("notes.csv"));
        const auto run = treelab({QStringLiteral("export"), log, QStringLiteral("--runs"), runs, QStringLiteral("--notes"), notes});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        const QStringList runLines = QString::fromUtf8(LabFolders::fileBytes(runs)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(runLines.size(), 2);
        QVERIFY(runLines[0].startsWith(QStringLiteral("subject,log,set,date,start,program_version,seed,attempts,finished,"
                                                      "complete,exit,ending,p0,p1,")));
        QVERIFY(runLines[0].endsWith(QStringLiteral(",p63")));
        // The payoff table as the run's line holds it (set 1 of the test payoffs).
        QString payoffs;
        for (int j = 0; j < 64; ++j)
            payoffs += QLatin1Char(',') + QString::number(TestPayoffs::payoffFor(j));
        QCOMPARE(runLines[1], QStringLiteral("99,%1,1,3/4/09,2009-03-04T00:08:32.500+01:00,1.0,9910,4,4,1,goAhead99,"
                                             "all 4 attempts finished; closed by 99 in okto.go")
                                  .arg(log) + payoffs);
        bool wellFormed = false;
        const QList<QStringList> rows = readCsv(QString::fromUtf8(LabFolders::fileBytes(notes)), &wellFormed);
        QVERIFY(wellFormed);
        QCOMPARE(rows.size(), 1 + 33); // every note line of the record
        QCOMPARE(rows[0].join(QLatin1Char(',')), QStringLiteral("subject,log,set,attempt,ms,time,level,index,text,changed"));
        QCOMPARE(rows[2], (QStringList{QStringLiteral("99"), log, QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("15000"),
                                       QStringLiteral("2009-03-04T00:08:47.500+01:00"), QStringLiteral("d1"), QStringLiteral("0"),
                                       QStringLiteral("Right looks richer\nLeft has the losses\nTry right first"), QStringLiteral("1")}));
        // Stored again unchanged when the decision was confirmed.
        QCOMPARE(rows[3].value(8), rows[2].value(8));
        QCOMPARE(rows[3].value(9), QStringLiteral("0"));
        // Without a companion record there are none: the texts are in events.
        const auto bare = treelab({QStringLiteral("export"), m_log, QStringLiteral("--notes"), notes});
        QVERIFY2(bare.exitCode == 0, qPrintable(report(bare)));
        QCOMPARE(LabFolders::fileBytes(notes), QByteArray("subject,log,set,attempt,ms,time,level,index,text,changed\n"));
    }

    // The payoff table in long form, 64 rows of log, node, payoff: from the payoff file of a
    // log without a companion (the shipped btinp.01, given with --data), and from the
    // companion's run line where there is one; the same as the wide columns of runs.
    void thePayoffsInLongForm_data()
    {
        QTest::addColumn<bool>("companion");
        QTest::newRow("the payoff file") << false;
        QTest::newRow("the companion's run line") << true;
    }
    void thePayoffsInLongForm()
    {
        QFETCH(bool, companion);
        QTemporaryDir dir;
        const QString log = companion ? companionLog(dir.path()) : m_log;
        QStringList arguments{QStringLiteral("export"), log, QStringLiteral("--payoffs"), QDir(dir.path()).filePath(QStringLiteral("p.csv")),
                              QStringLiteral("--runs"), QDir(dir.path()).filePath(QStringLiteral("r.csv"))};
        QStringList expected;
        if (companion) {
            const QByteArray record = LabFolders::fileBytes(log + QStringLiteral(".jsonl"));
            for (const QJsonValue value : QJsonDocument::fromJson(record.left(record.indexOf('\n'))).object().value(QStringLiteral("payoffs")).toArray())
                expected.append(QString::number(value.toInt()));
        } else {
            arguments << QStringLiteral("--data") << QStringLiteral(DT_SHIPPED_PAYOFFS);
            // Set 1: its number alone, then 64 payoffs separated by commas.
            const QStringList numbers = QString::fromLatin1(LabFolders::fileBytes(QStringLiteral(DT_SHIPPED_PAYOFFS)))
                                            .split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts);
            QCOMPARE(numbers.value(0), QStringLiteral("1"));
            expected = numbers.mid(1, 64);
        }
        QCOMPARE(expected.size(), 64);
        const auto run = treelab(arguments);
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        bool wellFormed = false;
        const QList<QStringList> rows = readCsv(QString::fromUtf8(LabFolders::fileBytes(arguments[3])), &wellFormed);
        QVERIFY(wellFormed);
        QCOMPARE(rows.size(), 1 + 64);
        QCOMPARE(rows[0], (QStringList{QStringLiteral("log"), QStringLiteral("node"), QStringLiteral("payoff")}));
        const QStringList runs = readCsv(QString::fromUtf8(LabFolders::fileBytes(arguments[5])), &wellFormed).value(1);
        for (int j = 0; j < 64; ++j) {
            QCOMPARE(rows[j + 1], (QStringList{log, QString::number(j), expected[j]}));
            QCOMPARE(runs.value(runs.size() - 64 + j), expected[j]);
        }
    }

    // The workbook holds every table, the codebook's text and the runs; times are date-time cells.
    void theWorkbookHoldsEveryTableAndTheCodebook()
    {
#ifdef Q_OS_WIN
        QSKIP("read back on Linux only, where the build machine's unzip runs");
#endif
        QTemporaryDir dir;
        const QString log = companionLog(dir.path());
        const QString book = QDir(dir.path()).filePath(QStringLiteral("t.xlsx"));
        const auto run = treelab({QStringLiteral("export"), log, QStringLiteral("--xlsx"), book});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        const auto unzip = [&](const QString &member) {
            QProcess process;
            process.start(QStringLiteral("unzip"), {QStringLiteral("-p"), book, member});
            process.waitForFinished(10000);
            return QString::fromUtf8(process.readAllStandardOutput());
        };
        const QString workbook = unzip(QStringLiteral("xl/workbook.xml"));
        const QStringList names{QStringLiteral("events"), QStringLiteral("attempts"), QStringLiteral("inspections"),
                                QStringLiteral("decisions"), QStringLiteral("notes"), QStringLiteral("runs"),
                                QStringLiteral("measures"), QStringLiteral("payoffs"), QStringLiteral("codebook")};
        qsizetype at = 0;
        for (const QString &name : names) {
            at = workbook.indexOf(QStringLiteral("name=\"%1\"").arg(name), at);
            QVERIFY2(at >= 0, qPrintable(name + QStringLiteral(" is not the next sheet: ") + workbook));
        }
        // Every cell of the document's tables is a cell of the codebook sheet.
        const QString codebook = unzip(QStringLiteral("xl/worksheets/sheet9.xml"));
        const QStringList document = QString::fromUtf8(LabFolders::fileBytes(QStringLiteral(DT_CODEBOOK_DOC))).split(QLatin1Char('\n'));
        int cells = 0;
        for (const QString &line : document) {
            if (!line.startsWith(QStringLiteral("| `")))
                continue;
            const QStringList parts = line.mid(2, line.size() - 4).split(QStringLiteral(" | "));
            QCOMPARE(parts.size(), 6);
            for (qsizetype k = 1; k < parts.size(); ++k) {
                if (parts[k].isEmpty())
                    continue;
                // As the sheet's XML holds a text: its &, < and > escaped, quotes as they are.
                const QString xml = QString(parts[k]).replace(QLatin1Char('&'), QStringLiteral("&amp;"))
                                        .replace(QLatin1Char('<'), QStringLiteral("&lt;"))
                                        .replace(QLatin1Char('>'), QStringLiteral("&gt;"));
                QVERIFY2(codebook.contains(QStringLiteral("<t>%1</t>").arg(xml))
                             || codebook.contains(QStringLiteral("<t xml:space=\"preserve\">%1</t>").arg(xml)),
                         qPrintable(parts[k]));
                ++cells;
            }
        }
        QVERIFY(cells > 500);
        // time (column M of events) is a number with a date-time format, not a text.
        const QString events = unzip(QStringLiteral("xl/worksheets/sheet1.xml"));
        static const QRegularExpression timeCell(QStringLiteral("<c r=\"M2\" s=\"(\\d+)\"><v>([0-9.]+)</v></c>"));
        const QRegularExpressionMatch time = timeCell.match(events);
        QVERIFY2(time.hasMatch(), qPrintable(events.left(3000)));
        // 4 March 2009, 00:08:39.750 (Start at 7250 ms): days since 30 December 1899.
        QCOMPARE(time.captured(2).toDouble(), 39876 + (8 * 60 + 39.75) / 86400);
        QVERIFY(unzip(QStringLiteral("xl/styles.xml")).contains(QStringLiteral("formatCode=\"yyyy-mm-dd hh:mm:ss.000\"")));
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("no log") << QStringList{QStringLiteral("--events"), QStringLiteral("e.csv")} << 2
                                << QStringLiteral("no LOG given");
        QTest::newRow("no table") << QStringList{QStringLiteral("o199btinp.01")} << 2
                                  << QStringLiteral("--events FILE, --attempts FILE, --xlsx FILE");
        QTest::newRow("unknown option") << QStringList{QStringLiteral("o199btinp.01"), QStringLiteral("--sheets")}
                                        << 2 << QStringLiteral("sheets");
        QTest::newRow("missing log") << QStringList{QStringLiteral("o1gone"), QStringLiteral("--events"),
                                                    QStringLiteral("e.csv")}
                                     << 1 << QStringLiteral("o1gone");
        QTest::newRow("not a log") << QStringList{QStringLiteral("btinp.01"), QStringLiteral("--events"),
                                                  QStringLiteral("e.csv")}
                                   << 1 << QStringLiteral("not an event log header");
        QTest::newRow("missing payoff file") << QStringList{QStringLiteral("o199btinp.01"), QStringLiteral("--attempts"),
                                                            QStringLiteral("e.csv"), QStringLiteral("--data"),
                                                            QStringLiteral("nothing.01")}
                                             << 1 << QStringLiteral("nothing.01");
        QTest::newRow("missing payoff file for the long form")
            << QStringList{QStringLiteral("o199btinp.01"), QStringLiteral("--payoffs"), QStringLiteral("e.csv"),
                           QStringLiteral("--data"), QStringLiteral("nothing.01")}
            << 1 << QStringLiteral("nothing.01");
    }
    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFile::remove(path(QStringLiteral("e.csv")));
        const auto run = treelab(QStringList{QStringLiteral("export")} + arguments, m_folder);
        QVERIFY2(run.exitCode == exitCode, qPrintable(report(run)));
        QVERIFY2(run.err.contains(message), qPrintable(report(run)));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("e.csv"))));
    }

    void aLineThatIsNotARecordIsAFinding()
    {
        QByteArray log = LabFolders::firstLines(LabFolders::wholeExperimentLog(), 3);
        log += "12 Jump                1\r\n";
        const QString bad = path(QStringLiteral("o199bad"));
        QVERIFY(LabFolders::putFile(bad, log));
        const auto run = treelab({QStringLiteral("export"), bad, QStringLiteral("--events"), path(QStringLiteral("bad.csv"))});
        QVERIFY2(run.exitCode == 1, qPrintable(report(run)));
        QVERIFY2(run.err.contains(QStringLiteral(":4:")), qPrintable(report(run)));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("bad.csv"))));
    }

    void help()
    {
        const auto run = treelab({QStringLiteral("export"), QStringLiteral("--help")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith(QStringLiteral("Usage: treelab export LOG...")));
        QVERIFY(run.out.contains(QStringLiteral("--attempts FILE")));
    }
};

QTEST_GUILESS_MAIN(TestExportCommand)
#include "TestExportCommand.moc"
