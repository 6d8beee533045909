#include "LabFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using LabFolders::fileBytes;
using LabFolders::report;
using LabFolders::treelab;

// treelab never destroys an input, and never hangs or runs away on a file that is not
// what it should be. Each case runs in a workstation folder "ws" holding okto.go,
// btinp.01 and the whole-experiment log o199btinp.01; the arguments name files
// relative to the temporary folder.
class TestLabSafety : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        LabFolders::workstation(m_dir.path(), QStringLiteral("ws"), " 2 \r\n", LabFolders::wholeExperimentLog());
        LabFolders::putFile(path(QStringLiteral("copy.svg")), LabFolders::wholeExperimentLog());
        LabFolders::putFile(path(QStringLiteral("old.csv")), "log\n");
        LabFolders::putFile(path(QStringLiteral("room-log.txt")), "2026-12-09 10:02:31  release  ws/data: 0 -> 1\n");
        QVERIFY(::mkfifo(QFile::encodeName(path(QStringLiteral("fifo"))).constData(), 0600) == 0);
        QByteArray blank = LabFolders::firstLines(LabFolders::wholeExperimentLog(), 2);
        blank += QByteArray(8 * 1024 * 1024, '\n');
        LabFolders::putFile(path(QStringLiteral("blank")), blank);

        // Another workstation with its companion record and a file of unwritten records, and
        // names in the temporary folder that lead to them: symbolic links, a hard link and a
        // linked folder.
        const QString other = LabFolders::workstation(path(QStringLiteral("room")), QStringLiteral("ws9"), " 1 \r\n",
                                                      LabFolders::wholeExperimentLog());
        QVERIFY(QFile::copy(QStringLiteral(DT_WHOLE_EXPERIMENT_COMPANION), QDir(other).filePath(QStringLiteral("o199btinp.01.jsonl"))));
        QVERIFY(LabFolders::putFile(QDir(other).filePath(QStringLiteral("o199btinp.01.unwritten")), "141 Continue            \r\n"));
        QVERIFY(LabFolders::putFile(QDir(other).filePath(QStringLiteral("renamed.txt")), fileBytes(QStringLiteral(DT_WHOLE_EXPERIMENT_COMPANION))));
        const QStringList links{QStringLiteral("e.csv"), QStringLiteral("o199btinp.01.jsonl"),
                                QStringLiteral("x.xlsx"), QStringLiteral("okto.go"),
                                QStringLiteral("u.csv"), QStringLiteral("o199btinp.01.unwritten"),
                                QStringLiteral("plain.csv"), QStringLiteral("../../old.csv")};
        for (qsizetype k = 0; k < links.size(); k += 2)
            QVERIFY(::symlink(QFile::encodeName(QStringLiteral("room/ws9/") + links[k + 1]).constData(),
                              QFile::encodeName(path(links[k])).constData()) == 0);
        QVERIFY(::link(QFile::encodeName(QDir(other).filePath(QStringLiteral("okto.go"))).constData(),
                       QFile::encodeName(path(QStringLiteral("hard.csv"))).constData()) == 0);
        QVERIFY(::symlink("room/ws9", QFile::encodeName(path(QStringLiteral("out"))).constData()) == 0);
    }

    // An output that is an input or a file of the lab: exit 2, nothing written.
    void outputsThatWouldDestroyAFileAreRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("kept"); // the file that must stay as it was
        QTest::addColumn<QString>("message");
        const QString log = QStringLiteral("ws/o199btinp.01");
        const QString e = QStringLiteral("--events"), a = QStringLiteral("--attempts");
        QTest::newRow("export, the glob after --events") << QStringList{QStringLiteral("export"), e, log, log} << log
                                                        << QStringLiteral("is the input");
        QTest::newRow("export, the log by another path")
            << QStringList{QStringLiteral("export"), log, e, QStringLiteral("./ws/../ws/o199btinp.01")} << log
            << QStringLiteral("is the input");
        QTest::newRow("export over the payoff file") << QStringList{QStringLiteral("export"), log, a, QStringLiteral("ws/btinp.01")}
                                                    << QStringLiteral("ws/btinp.01") << QStringLiteral("payoff file");
        QTest::newRow("export over okto.go") << QStringList{QStringLiteral("export"), log, e, QStringLiteral("ws/okto.go")}
                                            << QStringLiteral("ws/okto.go") << QStringLiteral("go-ahead file");
        QTest::newRow("export over a companion")
            << QStringList{QStringLiteral("export"), log, e, QStringLiteral("ws/o199btinp.01.jsonl")}
            << QStringLiteral("ws/o199btinp.01.jsonl") << QStringLiteral("companion record");
        QTest::newRow("--events and --attempts one file")
            << QStringList{QStringLiteral("export"), log, e, QStringLiteral("old.csv"), a, QStringLiteral("./old.csv")}
            << QStringLiteral("old.csv") << QStringLiteral("two outputs");
        QTest::newRow("pay --out the log") << QStringList{QStringLiteral("pay"), log, QStringLiteral("--seed"),
                                                          QStringLiteral("1"), QStringLiteral("--out"), log}
                                           << log << QStringLiteral("is the input");
        QTest::newRow("draw --out its log") << QStringList{QStringLiteral("draw"), QStringLiteral("copy.svg"),
                                                           QStringLiteral("--attempt"), QStringLiteral("1"),
                                                           QStringLiteral("--out"), QStringLiteral("./copy.svg")}
                                            << QStringLiteral("copy.svg") << QStringLiteral("is the input");
        QTest::newRow("export --xlsx over the log")
            << QStringList{QStringLiteral("export"), QStringLiteral("ws/../ws/o199btinp.01"), QStringLiteral("--xlsx"), log}
            << log << QStringLiteral("is the input");
        // The room's audit trail is the lab's record of what was done.
        QTest::newRow("pay --out the room's audit trail")
            << QStringList{QStringLiteral("pay"), log, QStringLiteral("--seed"), QStringLiteral("1"), QStringLiteral("--out"),
                           QStringLiteral("room-log.txt")}
            << QStringLiteral("room-log.txt") << QStringLiteral("audit trail");
        QTest::newRow("export --xlsx onto the audit trail by another case")
            << QStringList{QStringLiteral("export"), log, QStringLiteral("--xlsx"), QStringLiteral("Room-Log.TXT")}
            << QStringLiteral("room-log.txt") << QStringLiteral("audit trail");
        QTest::newRow("export onto the record of a log set aside")
            << QStringList{QStringLiteral("export"), log, QStringLiteral("--events"), QStringLiteral("ws/o199btinp.01.aside")}
            << QStringLiteral("ws/o199btinp.01.aside") << QStringLiteral("set aside");
    }
    // An output that is a link, or that leads to a file of the lab elsewhere.
    void outputsThroughLinksAreRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("message");
        const QString log = QStringLiteral("ws/o199btinp.01");
        const QString e = QStringLiteral("--events");
        const QStringList pay{QStringLiteral("pay"), log, QStringLiteral("--seed"), QStringLiteral("1"),
                              QStringLiteral("--out"), QStringLiteral("ok.csv")};
        QTest::newRow("export --events, a link to a companion")
            << QStringList{QStringLiteral("export"), log, e, QStringLiteral("e.csv")}
            << QStringLiteral("room/ws9/o199btinp.01.jsonl") << QStringLiteral("e.csv is a link");
        QTest::newRow("pay --xlsx, a link to okto.go") << pay + QStringList{QStringLiteral("--xlsx"), QStringLiteral("x.xlsx")}
                                                      << QStringLiteral("room/ws9/okto.go") << QStringLiteral("x.xlsx is a link");
        QTest::newRow("export, a link to unwritten records")
            << QStringList{QStringLiteral("export"), log, e, QStringLiteral("u.csv")}
            << QStringLiteral("room/ws9/o199btinp.01.unwritten") << QStringLiteral("u.csv is a link");
        QTest::newRow("export, a link to a file of no one's") << QStringList{QStringLiteral("export"), log, e, QStringLiteral("plain.csv")}
                                                             << QStringLiteral("old.csv") << QStringLiteral("plain.csv is a link");
        QTest::newRow("pay --out, a hard link of okto.go")
            << QStringList{QStringLiteral("pay"), log, QStringLiteral("--seed"), QStringLiteral("1"), QStringLiteral("--out"),
                           QStringLiteral("hard.csv")}
            << QStringLiteral("room/ws9/okto.go") << QStringLiteral("hard link");
        QTest::newRow("a linked folder, onto unwritten records")
            << QStringList{QStringLiteral("export"), log, e, QStringLiteral("out/o199btinp.01.unwritten")}
            << QStringLiteral("room/ws9/o199btinp.01.unwritten") << QStringLiteral("records kept when a log could not be written");
        QTest::newRow("a companion by another name") << QStringList{QStringLiteral("export"), log, e, QStringLiteral("room/ws9/renamed.txt")}
                                                    << QStringLiteral("room/ws9/renamed.txt") << QStringLiteral("companion record");
        QTest::newRow("unwritten records named directly")
            << QStringList{QStringLiteral("export"), log, e, QStringLiteral("room/ws9/o199btinp.01.unwritten")}
            << QStringLiteral("room/ws9/o199btinp.01.unwritten") << QStringLiteral("records kept when a log could not be written");
    }
    void outputsThroughLinksAreRefused() { outputsThatWouldDestroyAFileAreRefused(); }

    void outputsThatWouldDestroyAFileAreRefused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, kept);
        QFETCH(QString, message);
        const QByteArray before = fileBytes(path(kept));
        const auto run = treelab(arguments, m_dir.path());
        QVERIFY2(run.exitCode == 2, qPrintable(report(run)));
        QVERIFY2(run.err.contains(message), qPrintable(report(run)));
        QCOMPARE(fileBytes(path(kept)), before);
        QCOMPARE(QDir(m_dir.filePath(QStringLiteral("ws"))).entryList(QDir::Files).size(), 3); // nothing new
    }

    // A FIFO, a device or a file far too long: refused at once with a clear message.
    void inputsThatAreNoRegularFileAreRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const QString fifo = QStringLiteral("fifo");
        QTest::newRow("verify a FIFO") << QStringList{QStringLiteral("verify"), fifo} << QStringLiteral("is a FIFO");
        QTest::newRow("export a FIFO") << QStringList{QStringLiteral("export"), fifo, QStringLiteral("--events"), QStringLiteral("x.csv")}
                                       << QStringLiteral("is a FIFO");
        QTest::newRow("check a FIFO") << QStringList{QStringLiteral("check"), fifo} << QStringLiteral("is a FIFO");
        QTest::newRow("pay from a FIFO payoff file")
            << QStringList{QStringLiteral("pay"), QStringLiteral("ws/o199btinp.01"), QStringLiteral("--seed"), QStringLiteral("1"),
                           QStringLiteral("--out"), QStringLiteral("x.csv"), QStringLiteral("--data"), fifo}
            << QStringLiteral("is a FIFO");
        QTest::newRow("check /dev/zero") << QStringList{QStringLiteral("check"), QStringLiteral("/dev/zero")}
                                         << QStringLiteral("is a device");
        QTest::newRow("export /dev/zero") << QStringList{QStringLiteral("export"), QStringLiteral("/dev/zero"),
                                                         QStringLiteral("--events"), QStringLiteral("x.csv")}
                                          << QStringLiteral("is a device");
        QTest::newRow("8 MB of blank lines") << QStringList{QStringLiteral("verify"), QStringLiteral("blank")}
                                             << QStringLiteral("FAILS: 16777216 lines");
    }
    void inputsThatAreNoRegularFileAreRefused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const auto run = treelab(arguments, m_dir.path());
        QVERIFY2(!run.crashed && run.exitCode == 1, qPrintable(report(run)));
        QVERIFY2((run.out + run.err).contains(message), qPrintable(report(run)));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("x.csv"))));
    }

    void aFifoAsOktoGoIsReportedNotWaitedFor()
    {
        const QString folder = path(QStringLiteral("piped"));
        QDir().mkpath(folder);
        QVERIFY(QFile::link(path(QStringLiteral("fifo")), QDir(folder).filePath(QStringLiteral("okto.go"))));
        const auto status = treelab({QStringLiteral("status"), folder});
        QVERIFY2(status.exitCode == 1 && status.out.contains(QStringLiteral("is a FIFO")), qPrintable(report(status)));
        const auto prepare = treelab({QStringLiteral("prepare"), folder});
        QVERIFY2(prepare.exitCode == 0 && prepare.out.contains(QStringLiteral("is a FIFO")), qPrintable(report(prepare)));
        QCOMPARE(fileBytes(QDir(folder).filePath(QStringLiteral("okto.go"))), QByteArray(" 0 \r\n"));
    }

    // A cause that spoils every number is named once.
    void checkNamesAWholeFileCauseInOneLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("cause");
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF" "1, 2, 3\r\n") << QStringLiteral("byte order mark");
        QTest::newRow("semicolons") << QByteArray("1;2;3;-4\r\n5 ; 6\r\n") << QStringLiteral("semicolons");
    }
    void checkNamesAWholeFileCauseInOneLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, cause);
        LabFolders::putFile(path(QStringLiteral("spoilt.01")), content);
        const auto run = treelab({QStringLiteral("check"), path(QStringLiteral("spoilt.01"))});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out.count(QLatin1Char('\n')), 1);
        QVERIFY2(run.out.contains(cause), qPrintable(run.out));
    }
};

QTEST_GUILESS_MAIN(TestLabSafety)
#include "TestLabSafety.moc"
