#include "LabFolders.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using LabFolders::report;
using LabFolders::treelab;

namespace {

const QString Pound = QString(QChar(0x00A3));

} // namespace

// treelab status run as the experimenter runs it, over folders holding the log that the
// whole experiment on the real window leaves.
class TestStatusCommand : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY2(!LabFolders::wholeExperimentLog().isEmpty(), "tests/window/expected/whole-experiment.log is missing");
    }

    void oneLinePerWorkstation()
    {
        const QByteArray log = LabFolders::wholeExperimentLog();
        LabFolders::workstation(m_dir.path(), QStringLiteral("done"), " 2 \r\n", log);
        LabFolders::putLogOf(LabFolders::workstation(m_dir.path(), QStringLiteral("playing"), " 2 \r\n", {}),
                             LabFolders::firstLines(log, 33), 98);
        LabFolders::putLogOf(LabFolders::workstation(m_dir.path(), QStringLiteral("waiting"), " 0 \r\n", {}),
                             LabFolders::firstLines(log, 1), 97);
        const auto run = treelab({QStringLiteral("status"), QStringLiteral("done"), QStringLiteral("playing"),
                                  QStringLiteral("waiting")},
                                 m_dir.path());
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[0].startsWith(QStringLiteral("FOLDER   GO  LOG           SUBJECT  SET  ATTEMPT  LEVEL  DONE  PAYOFFS")));
        QVERIFY(lines[0].endsWith(QStringLiteral("SINCE  OVER")));
        QVERIFY2(lines[1].startsWith(QStringLiteral("done      2  o199btinp.01       99    1      4/4  7 p       4  ")
                                     + Pound + QStringLiteral("51 -") + Pound + QStringLiteral("5 ") + Pound
                                     + QStringLiteral("0 ") + Pound + QStringLiteral("51")),
                 qPrintable(run.out));
        QVERIFY(lines[1].endsWith(QStringLiteral(" s  yes")));
        QVERIFY2(lines[2].startsWith(QStringLiteral("playing   2  o198btinp.01       98    1      2/4  1 d1      1  ")
                                     + Pound + QStringLiteral("51 ")),
                 qPrintable(run.out));
        QVERIFY(lines[2].endsWith(QStringLiteral(" s  no")));
        QVERIFY2(lines[3].startsWith(QStringLiteral("waiting   0  o197btinp.01       97    1        -  -         0  -")),
                 qPrintable(run.out));
    }

    void theNumberOfAttemptsCanBeGiven()
    {
        const QString folder = LabFolders::workstation(m_dir.path(), QStringLiteral("five"), " 2 \r\n",
                                                       LabFolders::wholeExperimentLog());
        const auto run = treelab({QStringLiteral("status"), folder, QStringLiteral("--attempts"), QStringLiteral("5")});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        QVERIFY(run.out.contains(QStringLiteral("5/5  1 d1")));
        QVERIFY(run.out.contains(QStringLiteral(" s  no\n")));
    }

    void aMissingFolderFailsAndTheOthersAreStillShown()
    {
        const QString folder = LabFolders::workstation(m_dir.path(), QStringLiteral("here"), " 1 \r\n", {});
        const auto run = treelab({QStringLiteral("status"), folder, m_dir.filePath(QStringLiteral("gone"))});
        QVERIFY2(run.exitCode == 1, qPrintable(report(run)));
        QVERIFY(run.out.contains(QStringLiteral("gone: no such folder\n")));
        QVERIFY(run.out.contains(QStringLiteral("here: no event log yet\n")));
    }

    // Into a pipe, not a terminal: one table after another, without the codes that clear
    // a screen.
    void watchIntoAPipeAppendsTables()
    {
        const QString folder = LabFolders::workstation(m_dir.path(), QStringLiteral("watched"), " 2 \r\n",
                                                       LabFolders::wholeExperimentLog());
        QProcess process;
        process.start(QStringLiteral(DT_TREELAB), {QStringLiteral("status"), QStringLiteral("--watch"), folder});
        QVERIFY(process.waitForStarted(10000));
        QByteArray seen;
        QElapsedTimer timer;
        timer.start();
        while (seen.count("treelab status at") < 2 && timer.elapsed() < 10000) {
            process.waitForReadyRead(500);
            seen += process.readAllStandardOutput();
        }
        process.kill();
        process.waitForFinished(5000);
        QCOMPARE(seen.count("treelab status at"), 2); // shown again a second later
        QVERIFY2(!seen.contains('\x1b'), seen.constData());
        QVERIFY(seen.contains("o199btinp.01"));
        QVERIFY(seen.contains("Ctrl+C"));
    }

    void helpAndUsage()
    {
        const auto help = treelab({QStringLiteral("status"), QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.startsWith(QStringLiteral("Usage: treelab status DIR... [--attempts N] [--watch]")));
        QVERIFY(help.out.contains(QStringLiteral("modification time")));
        QVERIFY(help.out.contains(QStringLiteral("Continue")));
        for (const QStringList &wrong : QList<QStringList>{
                 {QStringLiteral("status")},
                 {QStringLiteral("status"), QStringLiteral("."), QStringLiteral("--attempts"), QStringLiteral("0")},
                 {QStringLiteral("status"), QStringLiteral("."), QStringLiteral("--attempts"), QStringLiteral("21")},
                 {QStringLiteral("status"), QStringLiteral("."), QStringLiteral("--attempts"), QStringLiteral("many")},
                 {QStringLiteral("status"), QStringLiteral("."), QStringLiteral("--now"), QStringLiteral("5")},
             }) {
            const auto run = treelab(wrong);
            QVERIFY2(run.exitCode == 2, qPrintable(wrong.join(QLatin1Char(' ')) + QLatin1Char('\n') + report(run)));
        }
    }
};

QTEST_GUILESS_MAIN(TestStatusCommand)
#include "TestStatusCommand.moc"
