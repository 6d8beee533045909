#include "LabFolders.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <random>

using LabFolders::treelab;

namespace {

QString report(const LabFolders::Run &run)
{
    return QStringLiteral("exit %1\n--- stdout\n%2--- stderr\n%3").arg(run.exitCode).arg(run.out, run.err);
}

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
