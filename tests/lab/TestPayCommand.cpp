#include "LabFolders.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <random>

using LabFolders::report;
using LabFolders::treelab;

namespace {

const QString Pound = QString(QChar(0x00A3));

// The whole-experiment log's four attempts, worked out from its lines and payoffFor:
// the payoff node reached and its payoff as the subject saw it.
struct Paid
{
    int node;
    QString text;
    int payoff;
};
Paid attemptOfWholeLog(int attempt)
{
    switch (attempt) {
    case 1: return {50, Pound + QStringLiteral("51"), 51};
    case 2: return {24, QStringLiteral("-") + Pound + QStringLiteral("5"), -5};
    case 3: return {42, Pound + QStringLiteral("0"), 0};
    default: return {50, Pound + QStringLiteral("51"), 51};
    }
}

} // namespace

// treelab pay over two workstations: subject 99's whole four-attempt log and the same
// log under subject 5, each beside its payoff file.
class TestPayCommand : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_log99, m_log5;

    QString out(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

private slots:
    void initTestCase()
    {
        const QByteArray whole = LabFolders::wholeExperimentLog();
        QVERIFY2(!whole.isEmpty(), "tests/window/expected/whole-experiment.log is missing");
        const QString ws1 = LabFolders::workstation(m_dir.path(), QStringLiteral("ws1"), " 2 \r\n", whole);
        m_log99 = QDir(ws1).filePath(QStringLiteral("o199btinp.01"));
        const QString ws2 = LabFolders::workstation(m_dir.path(), QStringLiteral("ws2"), " 2 \r\n", {});
        QByteArray five = whole;
        QVERIFY(five.startsWith("99  1  "));
        five.replace(0, 2, "5");
        m_log5 = QDir(ws2).filePath(QStringLiteral("o15btinp.01"));
        QVERIFY(LabFolders::putFile(m_log5, five));
    }

    // Seed 42: the first number of std::mt19937 is 1608637542, which is 2 mod 4, so
    // attempt 3 is paid: node 42, £0.
    void aKnownSeed()
    {
        const auto run = treelab({QStringLiteral("pay"), m_log99, QStringLiteral("--seed"), QStringLiteral("42"),
                                  QStringLiteral("--out"), out(QStringLiteral("known.csv"))});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        const QString expected = QStringLiteral("seed,log,subject,set,finished,draw,attempt,node,payoff_text,payoff\n"
                                                "42,%1,99,1,4,1608637542,3,42,#0,0\n")
                                     .arg(m_log99)
                                     .replace(QLatin1Char('#'), Pound);
        QCOMPARE(QString::fromUtf8(LabFolders::fileBytes(out(QStringLiteral("known.csv")))), expected);
        QCOMPARE(run.out, QStringLiteral("seed 42\n") + expected);
    }

    void theDrawFollowsTheSeed_data()
    {
        QTest::addColumn<quint32>("seed");
        for (const quint32 seed : {0u, 1u, 7u, 2024u, 123456789u, 4294967295u})
            QTest::addRow("%u", seed) << seed;
    }
    void theDrawFollowsTheSeed()
    {
        QFETCH(quint32, seed);
        const QString seedText = QString::number(seed);
        const QString first = out(seedText + QStringLiteral("-a.csv"));
        const QString second = out(seedText + QStringLiteral("-b.csv"));
        // The arguments in two orders: subject 5 is drawn for first either way.
        const auto a = treelab({QStringLiteral("pay"), m_log99, m_log5, QStringLiteral("--seed"), seedText,
                                QStringLiteral("--out"), first});
        QVERIFY2(a.exitCode == 0, qPrintable(report(a)));
        const auto b = treelab({QStringLiteral("pay"), QStringLiteral("--seed"), seedText, m_log5, m_log99,
                                QStringLiteral("--out"), second});
        QVERIFY2(b.exitCode == 0, qPrintable(report(b)));
        QCOMPARE(LabFolders::fileBytes(second), LabFolders::fileBytes(first));

        std::mt19937 generator(seed);
        QStringList expected{QStringLiteral("seed,log,subject,set,finished,draw,attempt,node,payoff_text,payoff")};
        for (const auto &[subject, log] : {std::pair{5, m_log5}, std::pair{99, m_log99}}) {
            const quint32 draw = generator();
            const int attempt = int(draw % 4) + 1;
            const Paid paid = attemptOfWholeLog(attempt);
            expected.append(QStringLiteral("%1,%2,%3,1,4,%4,%5,%6,%7,%8")
                                .arg(seedText, log)
                                .arg(subject)
                                .arg(draw)
                                .arg(attempt)
                                .arg(paid.node)
                                .arg(paid.text)
                                .arg(paid.payoff));
        }
        QCOMPARE(QString::fromUtf8(LabFolders::fileBytes(first)), expected.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        QVERIFY(a.out.startsWith(QStringLiteral("seed ") + seedText + QLatin1Char('\n')));
    }

    void anAttemptStillInPlayIsNotPaid()
    {
        // Attempt 1 finished, attempt 2 begun: every seed pays attempt 1.
        QTemporaryDir dir;
        const QString ws = LabFolders::workstation(dir.path(), QStringLiteral("ws"), " 2 \r\n",
                                                   LabFolders::firstLines(LabFolders::wholeExperimentLog(), 40));
        for (const QString &seed : {QStringLiteral("3"), QStringLiteral("8"), QStringLiteral("99")}) {
            const auto run = treelab({QStringLiteral("pay"), QDir(ws).filePath(QStringLiteral("o199btinp.01")),
                                      QStringLiteral("--seed"), seed, QStringLiteral("--out"),
                                      QDir(dir.path()).filePath(QStringLiteral("p.csv"))});
            QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
            QVERIFY2(run.out.contains(QStringLiteral("o199btinp.01,99,1,1,")), qPrintable(run.out));
            QVERIFY2(run.out.contains(QStringLiteral(",1,50,") + Pound + QStringLiteral("51,51\n")), qPrintable(run.out));
        }
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString o = QStringLiteral("--out");
        const QString s = QStringLiteral("--seed");
        const QString log = QStringLiteral("ws1/o199btinp.01");
        for (const char *bad : {"abc", "-1", "+1", "1.5", " 7", "4294967296", "99999999999", ""})
            QTest::addRow("seed \"%s\"", bad) << QStringList{log, s, QString::fromLatin1(bad), o, QStringLiteral("p.csv")}
                                              << 2 << QStringLiteral("is not a whole number");
        QTest::newRow("no seed") << QStringList{log, o, QStringLiteral("p.csv")} << 2 << QStringLiteral("no --seed");
        QTest::newRow("no out") << QStringList{log, s, QStringLiteral("1")} << 2 << QStringLiteral("no --out");
        QTest::newRow("no log") << QStringList{s, QStringLiteral("1"), o, QStringLiteral("p.csv")} << 2
                                << QStringLiteral("no LOG");
        QTest::newRow("missing log") << QStringList{log, QStringLiteral("ws1/o1gone"), s, QStringLiteral("1"), o,
                                                    QStringLiteral("p.csv")}
                                     << 1 << QStringLiteral("o1gone");
        QTest::newRow("missing payoff file")
            << QStringList{log, s, QStringLiteral("1"), o, QStringLiteral("p.csv"), QStringLiteral("--data"),
                           QStringLiteral("none.01")}
            << 1 << QStringLiteral("none.01");
    }
    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFile::remove(out(QStringLiteral("p.csv")));
        const auto run = treelab(QStringList{QStringLiteral("pay")} + arguments, m_dir.path());
        QVERIFY2(run.exitCode == exitCode, qPrintable(report(run)));
        QVERIFY2(run.err.contains(message), qPrintable(report(run)));
        QVERIFY(!QFileInfo::exists(out(QStringLiteral("p.csv"))));
    }

    void aLogWithNoFinishedAttemptIsAFinding()
    {
        QTemporaryDir dir;
        const QString ws = LabFolders::workstation(dir.path(), QStringLiteral("ws"), " 1 \r\n",
                                                   LabFolders::firstLines(LabFolders::wholeExperimentLog(), 20));
        const QString table = QDir(dir.path()).filePath(QStringLiteral("p.csv"));
        const auto run = treelab({QStringLiteral("pay"), QDir(ws).filePath(QStringLiteral("o199btinp.01")), m_log5,
                                  QStringLiteral("--seed"), QStringLiteral("5"), QStringLiteral("--out"), table});
        QVERIFY2(run.exitCode == 1, qPrintable(report(run)));
        QVERIFY2(run.err.contains(QStringLiteral("no finished attempt")), qPrintable(report(run)));
        QVERIFY(!QFileInfo::exists(table));
    }

    // The room's glob catches a log kept aside and one with its header alone: both are
    // skipped with a note. The same subject twice is refused, both paths named.
    void oneLogPerSubject()
    {
        QTemporaryDir dir;
        const QByteArray whole = LabFolders::wholeExperimentLog();
        const QString ws1 = LabFolders::workstation(dir.path(), QStringLiteral("ws1"), " 2 \r\n", whole);
        LabFolders::putFile(QDir(ws1).filePath(QStringLiteral("o199btinp.01.1")), whole);
        const QString ws2 = LabFolders::workstation(dir.path(), QStringLiteral("ws2"), " 0 \r\n", {});
        LabFolders::putFile(QDir(ws2).filePath(QStringLiteral("o13btinp.01")), "3  1  3/4/09  512.5\r\n");
        const QStringList room{QStringLiteral("ws1/o199btinp.01"), QStringLiteral("ws1/o199btinp.01.1"),
                               QStringLiteral("ws2/o13btinp.01")};
        const QStringList seed{QStringLiteral("--seed"), QStringLiteral("7"), QStringLiteral("--out"), QStringLiteral("p.csv")};
        const auto run = treelab(QStringList{QStringLiteral("pay")} + room + seed, dir.path());
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        QVERIFY(run.err.contains(QDir::toNativeSeparators(QStringLiteral("note: ws1/o199btinp.01.1 skipped: a log kept aside"))));
        QVERIFY(run.err.contains(QDir::toNativeSeparators(QStringLiteral("note: ws2/o13btinp.01 skipped: it holds its header alone"))));
        QCOMPARE(run.out.count(QLatin1Char('\n')), 3); // the seed, the heading, subject 99

        const auto twice = treelab(QStringList{QStringLiteral("pay"), QStringLiteral("--include-kept")} + room + seed,
                                   dir.path());
        QVERIFY2(twice.exitCode == 1, qPrintable(report(twice)));
        QVERIFY2(twice.err.contains(QDir::toNativeSeparators(QStringLiteral("subject 99 has two logs, ws1/o199btinp.01 and ws1/o199btinp.01.1"))),
                 qPrintable(report(twice)));

        // The draw does not depend on how a path is written: ./ws1 and the absolute path.
        const auto relative = treelab({QStringLiteral("pay"), QStringLiteral("./ws1/o199btinp.01"), m_log5,
                                       QStringLiteral("--seed"), QStringLiteral("3"), QStringLiteral("--out"), QStringLiteral("r.csv")},
                                      dir.path());
        const auto absolute = treelab({QStringLiteral("pay"), m_log5, QDir(ws1).filePath(QStringLiteral("o199btinp.01")),
                                       QStringLiteral("--seed"), QStringLiteral("3"), QStringLiteral("--out"), QStringLiteral("a.csv")},
                                      dir.path());
        QVERIFY2(relative.exitCode == 0 && absolute.exitCode == 0, qPrintable(report(relative) + report(absolute)));
        const QString draws = relative.out.section(QLatin1Char('\n'), 2).replace(QStringLiteral("./ws1"), QDir(ws1).path());
        QCOMPARE(draws, absolute.out.section(QLatin1Char('\n'), 2));
    }

    // A payoff file changed after the log was written may not hold what the subject saw.
    void aPayoffFileNewerThanTheLogIsWarnedOf()
    {
        QTemporaryDir dir;
        const QString ws = LabFolders::workstation(dir.path(), QStringLiteral("ws"), " 2 \r\n", LabFolders::wholeExperimentLog());
        QFile payoffs(QDir(ws).filePath(QStringLiteral("btinp.01")));
        QVERIFY(payoffs.open(QIODevice::ReadWrite));
        QVERIFY(payoffs.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        payoffs.close();
        const auto run = treelab({QStringLiteral("pay"), QDir(ws).filePath(QStringLiteral("o199btinp.01")),
                                  QStringLiteral("--seed"), QStringLiteral("1"), QStringLiteral("--out"), out(QStringLiteral("n.csv"))});
        QVERIFY2(run.exitCode == 0 && run.err.contains(QStringLiteral("was changed after")), qPrintable(report(run)));
    }

    void help()
    {
        const auto run = treelab({QStringLiteral("pay"), QStringLiteral("--help")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith(QStringLiteral("Usage: treelab pay LOG... --seed S")));
        QVERIFY(run.out.contains(QStringLiteral("std::mt19937")));
    }
};

QTEST_GUILESS_MAIN(TestPayCommand)
#include "TestPayCommand.moc"
