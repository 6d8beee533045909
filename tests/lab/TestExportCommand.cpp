#include "LabFolders.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using LabFolders::report;
using LabFolders::treelab;

namespace {

// Reads comma-separated values back as the statistics programs do: quoted fields may
// hold commas, doubled quotes and line breaks; rows end with LF.
QList<QStringList> readCsv(const QString &text, bool *wellFormed)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false, atFieldStart = true;
    *wellFormed = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"') && atFieldStart) {
            quoted = true;
            atFieldStart = false;
        } else if (c == QLatin1Char(',')) {
            row.append(field);
            field.clear();
            atFieldStart = true;
        } else if (c == QLatin1Char('\n')) {
            row.append(field);
            rows.append(row);
            row.clear();
            field.clear();
            atFieldStart = true;
        } else {
            if (c == QLatin1Char('"') || c == QLatin1Char('\r'))
                *wellFormed = false; // a bare quote or CR outside quotes
            field += c;
            atFieldStart = false;
        }
    }
    if (quoted || !field.isEmpty() || !row.isEmpty())
        *wellFormed = false; // the last row is not ended
    return rows;
}

const QString Pound = QString(QChar(0x00A3));

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
                             "inspected,edits,finished\n"
                             "@,99,1,1,R,R,L,L,R,L,50,#51,51,46,11,4,yes\n"
                             "@,99,1,2,L,R,R,L,L,L,24,-#5,-5,28,8,2,yes\n"
                             "@,99,1,3,R,L,R,L,R,L,42,#0,0,26,10,1,yes\n"
                             "@,99,1,4,R,R,L,L,R,L,50,#51,51,24,7,0,yes\n"))
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
        QCOMPARE(lines.value(1), logged(QStringLiteral("@,99,1,1,R,R,L,L,R,L,50,#1234,1234,46,11,4,yes")).replace(QLatin1Char('#'), Pound));
        QCOMPARE(lines.value(2), logged(QStringLiteral("@,99,1,2,L,R,R,L,L,L,24,#0,0,28,8,2,yes")).replace(QLatin1Char('#'), Pound));
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
            "@,99,1,3/4/09,1,10,p,7,5,,,,,\n"
            "@,99,1,3/4/09,1,12,d3,5,13,,,,,\n"
            "@,99,1,3/4/09,1,14,d1,1,0,,,,,\n"
            "@,99,1,3/4/09,1,14,NotepadContents,5,13,,maybe later,,,\n"
            "@,99,1,3/4/09,1,17,ConfirmDecision,1,0,R,,,,\n"
            "@,99,1,3/4/09,1,20,c2,4,6,,,,,\n"
            "@,99,1,3/4/09,1,20,NotepadContents,1,0,,\"Right looks richer\n"
            "Left has the losses\n"
            "Try right first\",,,\n"
            "@,99,1,3/4/09,1,22,CloseNotepad,4,6,,,,,\n"))));
        QVERIFY(csv.contains(logged(QStringLiteral(
            "@,99,1,3/4/09,1,45,NatureMove,6,25,L,,,,\n"
            "@,99,1,3/4/09,1,49,FinalPayoffNode,7,50,,,,,\n"
            "@,99,1,3/4/09,1,51,p,7,50,,,,,\n"
            "@,99,1,3/4/09,1,51,NotepadContents,6,25,,fingers crossed,,,\n"
            "@,99,1,3/4/09,1,53,Continue,,,,,,,\n"
            "@,99,1,3/4/09,2,57,d1,1,0,,,,,\n"))));
        QVERIFY(csv.contains(logged(QStringLiteral(
            "@,99,1,3/4/09,3,91,NotepadContents,1,0,,\"Right looks richer\n"
            "Left has the losses\n"
            "Try right first\n"
            "second visit\",,,\n"
            "@,99,1,3/4/09,3,92,NatureMove,2,1,L,,,,\n"))));
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
        QCOMPARE(attemptLines[6], logged(QStringLiteral("@,99,1,2,L,R,,,,,,,,,2,0,no"), QDir(other).filePath(QStringLiteral("o199btinp.01"))));
        bool wellFormed = false;
        QCOMPARE(readCsv(QString::fromUtf8(LabFolders::fileBytes(events)), &wellFormed).size(), 1 + 100 + 35);
        QVERIFY(wellFormed);
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
