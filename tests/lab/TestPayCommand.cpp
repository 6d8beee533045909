#include "LabFolders.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

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

    // Seed 42, subject 99: Python's int(hashlib.sha256(b"42:99").hexdigest(), 16) % 4 + 1
    // is 2, so attempt 2 is paid: node 24, -£5.
    void aKnownSeed()
    {
        const auto run = treelab({QStringLiteral("pay"), m_log99, QStringLiteral("--seed"), QStringLiteral("42"),
                                  QStringLiteral("--out"), out(QStringLiteral("known.csv"))});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        const QString expected = QStringLiteral("seed,log,subject,set,finished,draw,attempt,node,payoff_text,payoff,complete,"
                                                "show_up_fee,amount,floored\n"
                                                "42,%1,99,1,4,8a3a6d55ebab9e10c503bb7ac37ba897aa3e2247b0493432157f49fb2cf638c9,"
                                                "2,24,-#5,-5,1,0.00,0.00,1\n")
                                     .arg(m_log99)
                                     .replace(QLatin1Char('#'), Pound);
        QCOMPARE(QString::fromUtf8(LabFolders::fileBytes(out(QStringLiteral("known.csv")))), expected);
        QCOMPARE(run.out, QStringLiteral("seed 42\n") + expected + QStringLiteral("total for 1 subject: #0.00\n").replace(QLatin1Char('#'), Pound));
    }

    // The paid attempts below were worked out with the one line of Python that pay --help
    // gives, outside this program. A subject's attempt depends on the seed and that subject
    // alone: paid with the room or alone, in any order, it is the same.
    void theDrawFollowsTheSeedAndTheSubjectAlone_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("attempt99");
        QTest::addColumn<int>("attempt5");
        QTest::newRow("0") << 0u << 4 << 3;
        QTest::newRow("1") << 1u << 3 << 4;
        QTest::newRow("7") << 7u << 3 << 2;
        QTest::newRow("2024") << 2024u << 4 << 1;
        QTest::newRow("4711") << 4711u << 4 << 1;
        QTest::newRow("123456789") << 123456789u << 2 << 3;
        QTest::newRow("4294967295") << 4294967295u << 4 << 1;
    }
    void theDrawFollowsTheSeedAndTheSubjectAlone()
    {
        QFETCH(quint32, seed);
        QFETCH(int, attempt99);
        QFETCH(int, attempt5);
        const QString seedText = QString::number(seed);
        const QString first = out(seedText + QStringLiteral("-a.csv"));
        const QString second = out(seedText + QStringLiteral("-b.csv"));
        const QString alone = out(seedText + QStringLiteral("-alone.csv"));
        const auto a = treelab({QStringLiteral("pay"), m_log99, m_log5, QStringLiteral("--seed"), seedText,
                                QStringLiteral("--out"), first});
        QVERIFY2(a.exitCode == 0, qPrintable(report(a)));
        const auto b = treelab({QStringLiteral("pay"), QStringLiteral("--seed"), seedText, m_log5, m_log99,
                                QStringLiteral("--out"), second});
        QVERIFY2(b.exitCode == 0, qPrintable(report(b)));
        QCOMPARE(LabFolders::fileBytes(second), LabFolders::fileBytes(first));
        const auto c = treelab({QStringLiteral("pay"), m_log99, QStringLiteral("--seed"), seedText,
                                QStringLiteral("--out"), alone});
        QVERIFY2(c.exitCode == 0, qPrintable(report(c)));

        const QStringList rows = QString::fromUtf8(LabFolders::fileBytes(first)).split(QLatin1Char('\n'));
        QCOMPARE(rows.size(), 4); // heading, subject 5, subject 99, and the empty end
        for (const auto &[subject, attempt, row] : {std::tuple{5, attempt5, rows[1]}, std::tuple{99, attempt99, rows[2]}}) {
            const QStringList fields = row.split(QLatin1Char(','));
            const Paid paid = attemptOfWholeLog(attempt);
            QCOMPARE(fields.value(2), QString::number(subject));
            QCOMPARE(fields.value(6), QString::number(attempt));
            QCOMPARE(fields.value(7), QString::number(paid.node));
            QCOMPARE(fields.value(8), paid.text);
            QCOMPARE(fields.value(9), QString::number(paid.payoff));
        }
        QCOMPARE(QString::fromUtf8(LabFolders::fileBytes(alone)).section(QLatin1Char('\n'), 1, 1), rows[2]);
        QVERIFY(a.out.startsWith(QStringLiteral("seed ") + seedText + QLatin1Char('\n')));
    }

    // A subject still playing, or whose run was cut short, is refused by name; --partial
    // pays such a run from the attempts it finished and says so, and one with none
    // finished gets a row that pays nothing and blocks no one.
    void anUnfinishedRunIsPaidOnlyWithPartial_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QString>("paidRow");
        QTest::newRow("attempt 2 begun") << 40 << QStringLiteral("unfinished, 1 of 4 attempts finished")
                                         << QStringLiteral("99,1,1,#,1,50,\u00a351,51,0,0.00,51.00,0");
        QTest::newRow("attempt 1 in play") << 20 << QStringLiteral("unfinished, 0 of 4 attempts finished")
                                           << QStringLiteral("99,1,0,,,,,0,0,0.00,0.00,0");
    }
    void anUnfinishedRunIsPaidOnlyWithPartial()
    {
        QFETCH(int, lines);
        QFETCH(QString, ending);
        QFETCH(QString, paidRow);
        QTemporaryDir dir;
        const QString ws = LabFolders::workstation(dir.path(), QStringLiteral("ws"), " 2 \r\n",
                                                   LabFolders::firstLines(LabFolders::wholeExperimentLog(), lines));
        const QString log = QDir(ws).filePath(QStringLiteral("o199btinp.01"));
        const QString table = QDir(dir.path()).filePath(QStringLiteral("p.csv"));
        const QStringList arguments{QStringLiteral("pay"), log, m_log5, QStringLiteral("--seed"), QStringLiteral("3"),
                                    QStringLiteral("--out"), table};
        const auto refused = treelab(arguments);
        QVERIFY2(refused.exitCode == 1, qPrintable(report(refused)));
        QVERIFY2(refused.err.contains(QStringLiteral("subject 99 has not finished: ") + ending), qPrintable(report(refused)));
        QVERIFY2(refused.err.contains(QStringLiteral("--partial")), qPrintable(report(refused)));
        QVERIFY(!QFileInfo::exists(table));

        const auto partial = treelab(arguments + QStringList{QStringLiteral("--partial")});
        QVERIFY2(partial.exitCode == 0, qPrintable(report(partial)));
        const QStringList rows = QString::fromUtf8(LabFolders::fileBytes(table)).split(QLatin1Char('\n'));
        QVERIFY2(rows.value(1).startsWith(QStringLiteral("3,%1,5,1,4,").arg(m_log5)), qPrintable(rows.join('\n')));
        QVERIFY(rows.value(1).endsWith(QStringLiteral(",1")));
        // The digest in the draw column is the same whoever else is paid; compare the rest.
        QStringList fields = rows.value(2).split(QLatin1Char(','));
        QCOMPARE(fields.mid(0, 2), (QStringList{QStringLiteral("3"), log}));
        if (!fields.value(5).isEmpty())
            fields[5] = QStringLiteral("#");
        QCOMPARE(fields.mid(2).join(QLatin1Char(',')), paidRow);
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
        for (const char *bad : {"-1", "abc", "2.505", "", "1,50", "5e2", "-0.01"})
            QTest::addRow("fee \"%s\"", bad) << QStringList{log, s, QStringLiteral("1"), o, QStringLiteral("p.csv"),
                                                             QStringLiteral("--show-up-fee"), QString::fromLatin1(bad)}
                                             << 2 << QStringLiteral("--show-up-fee \"%1\" is not an amount").arg(QString::fromLatin1(bad));
        QTest::newRow("schedule over okto.go")
            << QStringList{log, s, QStringLiteral("1"), o, QStringLiteral("p.csv"), QStringLiteral("--schedule"),
                           QStringLiteral("ws1/okto.go")}
            << 2 << QStringLiteral("is a go-ahead file");
        QTest::newRow("receipts over the room's audit trail")
            << QStringList{log, s, QStringLiteral("1"), o, QStringLiteral("p.csv"), QStringLiteral("--receipts"),
                           QStringLiteral("room-log.txt")}
            << 2 << QStringLiteral("audit trail");
        QTest::newRow("receipts over the log")
            << QStringList{log, s, QStringLiteral("1"), o, QStringLiteral("p.csv"), QStringLiteral("--receipts"), log}
            << 2 << QStringLiteral("an output never replaces an input");
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
        QCOMPARE(run.out.count(QLatin1Char('\n')), 4); // the seed, the heading, subject 99, the total

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

    // A lab's glob: data folders stand for their event logs, without the companion
    // records or the logs kept aside in them; companions named among the logs are passed
    // over in one line.
    void dataFoldersStandForTheirLogs()
    {
        QTemporaryDir dir;
        const QByteArray whole = LabFolders::wholeExperimentLog();
        const QString ws1 = LabFolders::workstation(dir.path(), QStringLiteral("ws1/data"), " 2 \r\n", whole);
        QVERIFY(QFile::copy(QStringLiteral(DT_WHOLE_EXPERIMENT_COMPANION), QDir(ws1).filePath(QStringLiteral("o199btinp.01.jsonl"))));
        QVERIFY(LabFolders::putFile(QDir(ws1).filePath(QStringLiteral("o199btinp.01.1")), LabFolders::firstLines(whole, 5)));
        const QString ws2 = LabFolders::workstation(dir.path(), QStringLiteral("ws2/data"), " 2 \r\n", {});
        QVERIFY(!LabFolders::putLogOf(ws2, whole, 5).isEmpty());
        const QStringList seed{QStringLiteral("--seed"), QStringLiteral("4711"), QStringLiteral("--out")};

        const auto folders = treelab(QStringList{QStringLiteral("pay"), QStringLiteral("ws1/data"), QStringLiteral("ws2/data")}
                                         + seed + QStringList{QStringLiteral("f.csv")},
                                     dir.path());
        QVERIFY2(folders.exitCode == 0 && folders.err.isEmpty(), qPrintable(report(folders)));
        const QStringList rows = QString::fromUtf8(LabFolders::fileBytes(QDir(dir.path()).filePath(QStringLiteral("f.csv"))))
                                     .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 3);
        QVERIFY(rows[1].startsWith(QStringLiteral("4711,%1,5,").arg(QDir::toNativeSeparators(QStringLiteral("ws2/data/o15btinp.01")))));
        QVERIFY(rows[2].startsWith(QStringLiteral("4711,%1,99,").arg(QDir::toNativeSeparators(QStringLiteral("ws1/data/o199btinp.01")))));

        // What ws*/data/o1* catches: both logs, the kept one and the companion (with the
        // separators of the system, as its users type them and as the folders' logs read).
        QStringList caught;
        for (const char *path : {"ws1/data/o199btinp.01", "ws1/data/o199btinp.01.1", "ws1/data/o199btinp.01.jsonl",
                                 "ws2/data/o15btinp.01"})
            caught.append(QDir::toNativeSeparators(QString::fromLatin1(path)));
        const auto glob = treelab(QStringList{QStringLiteral("pay")} + caught + seed + QStringList{QStringLiteral("g.csv")},
                                  dir.path());
        QVERIFY2(glob.exitCode == 0, qPrintable(report(glob)));
        QCOMPARE(glob.err.count(QLatin1Char('\n')), 2); // the kept log skipped, the companion passed over
        QVERIFY2(glob.err.contains(QStringLiteral("note: 1 companion record passed over, each read with its log\n")),
                 qPrintable(report(glob)));
        QCOMPARE(LabFolders::fileBytes(QDir(dir.path()).filePath(QStringLiteral("g.csv"))),
                 LabFolders::fileBytes(QDir(dir.path()).filePath(QStringLiteral("f.csv"))));

        // A log of last week's session left in a folder would be paid again: said.
        QFile old(QDir(ws2).filePath(QStringLiteral("o15btinp.01")));
        QVERIFY(old.open(QIODevice::ReadWrite)
                && old.setFileTime(QDateTime::currentDateTime().addDays(-7), QFileDevice::FileModificationTime));
        old.close();
        const auto mixed = treelab(QStringList{QStringLiteral("pay"), QStringLiteral("ws1/data"), QStringLiteral("ws2/data")}
                                       + seed + QStringList{QStringLiteral("m.csv")},
                                   dir.path());
        QVERIFY2(mixed.err.contains(QStringLiteral("warning: the folders hold logs last written on 2 days")),
                 qPrintable(report(mixed)));
    }

    // Last week's log left in a folder is left out of pay and export, named with its day,
    // --partial or not; --include-days takes it in.
    void logsOfAnotherDayAreLeftOut_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("said");
        QTest::newRow("pay") << QStringList() << 1 << QStringLiteral("is left out");
        QTest::newRow("pay --partial") << QStringList{QStringLiteral("--partial")} << 1 << QStringLiteral("is left out");
        QTest::newRow("pay --include-days") << QStringList{QStringLiteral("--include-days")} << 2
                                            << QStringLiteral("is taken in");
    }

    void logsOfAnotherDayAreLeftOut()
    {
        QFETCH(QStringList, options);
        QFETCH(int, rows);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const QString ws1 = LabFolders::workstation(dir.path(), QStringLiteral("ws1/data"), " 2 \r\n", QByteArray());
        const QString ws2 = LabFolders::workstation(dir.path(), QStringLiteral("ws2/data"), " 2 \r\n", QByteArray());
        LabFolders::putLogOf(ws1, LabFolders::wholeExperimentLog(), 11);
        const QString old = LabFolders::putLogOf(ws2, LabFolders::wholeExperimentLog(), 8);
        const QDate lastWeek = QDate::currentDate().addDays(-7);
        QFile file(old);
        QVERIFY(file.open(QIODevice::ReadWrite)
                && file.setFileTime(QDateTime(lastWeek, QTime(9, 30)), QFileDevice::FileModificationTime));
        file.close();
        const QString csv = QDir(dir.path()).filePath(QStringLiteral("p.csv"));
        const auto paid = treelab(QStringList{QStringLiteral("pay"), ws1, ws2, QStringLiteral("--seed"), QStringLiteral("1"),
                                              QStringLiteral("--out"), csv} + options);
        QVERIFY2(paid.exitCode == 0, qPrintable(report(paid)));
        QVERIFY2(paid.err.contains(QStringLiteral("1 log last written on %1, not on the session's day %2, %3: %4")
                                       .arg(lastWeek.toString(Qt::ISODate), QDate::currentDate().toString(Qt::ISODate),
                                            said, QDir::toNativeSeparators(old))),
                 qPrintable(report(paid)));
        QCOMPARE(LabFolders::fileBytes(csv).count('\n'), rows + 1);
        const auto exported = treelab(QStringList{QStringLiteral("export"), ws1, ws2, QStringLiteral("--runs"),
                                                  QDir(dir.path()).filePath(QStringLiteral("r.csv"))}
                                              + (options.contains(QStringLiteral("--include-days")) ? QStringList{QStringLiteral("--include-days")}
                                                                                                  : QStringList()));
        QVERIFY2(exported.exitCode == 0, qPrintable(report(exported)));
        QCOMPARE(LabFolders::fileBytes(QDir(dir.path()).filePath(QStringLiteral("r.csv"))).count('\n'), rows + 1);
        // verify reads both, and says when each was last written.
        const auto verified = treelab({QStringLiteral("verify"), ws1, ws2});
        QVERIFY2(verified.exitCode == 0 && verified.out.contains(QStringLiteral("  last written %1 09:30:00\n")
                                                                     .arg(lastWeek.toString(Qt::ISODate))),
                 qPrintable(report(verified)));
    }

    // A session that runs past midnight is one session: the logs last written before
    // midnight are paid with the others; a log of that morning, fifteen hours before the
    // last, is not the session's.
    void aSessionPastMidnightIsOneSession()
    {
        QTemporaryDir dir;
        const QDate day(2026, 3, 14);
        const QList<QDateTime> written{QDateTime(day, QTime(23, 50)), QDateTime(day.addDays(1), QTime(0, 20)),
                                       QDateTime(day, QTime(9, 0))};
        QStringList folders;
        QStringList logs;
        for (int k = 0; k < written.size(); ++k) {
            folders.append(LabFolders::workstation(dir.path(), QStringLiteral("ws%1/data").arg(k + 1), " 2 \r\n", QByteArray()));
            logs.append(LabFolders::putLogOf(folders.last(), LabFolders::wholeExperimentLog(), 11 + k));
            QFile file(logs.last());
            QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(written[k], QFileDevice::FileModificationTime));
        }
        const QString csv = QDir(dir.path()).filePath(QStringLiteral("p.csv"));
        const auto paid = treelab(QStringList{QStringLiteral("pay")} + folders
                                  + QStringList{QStringLiteral("--seed"), QStringLiteral("1"), QStringLiteral("--out"), csv});
        QVERIFY2(paid.exitCode == 0, qPrintable(report(paid)));
        QVERIFY2(paid.err.contains(QStringLiteral("1 log last written on 2026-03-14, not on the session's day 2026-03-15, "
                                                  "is left out: %1").arg(QDir::toNativeSeparators(logs[2]))),
                 qPrintable(report(paid)));
        QCOMPARE(LabFolders::fileBytes(csv).count('\n'), 2 + 1);
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

    // Seed 42 pays subject 99 attempt 2, -£5 (aKnownSeed): the fee takes the loss, and a
    // loss larger than the fee leaves nothing, marked floored.
    void theFeeTakesTheLossNeverBelowNothing_data()
    {
        QTest::addColumn<QString>("fee");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("floored");
        QTest::newRow("no fee") << QString() << QStringLiteral("0.00") << QStringLiteral("1");
        QTest::newRow("2.50: the loss is larger") << QStringLiteral("2.50") << QStringLiteral("0.00") << QStringLiteral("1");
        QTest::newRow("5: the loss takes it all") << QStringLiteral("5") << QStringLiteral("0.00") << QStringLiteral("0");
        QTest::newRow("7.5") << QStringLiteral("7.5") << QStringLiteral("2.50") << QStringLiteral("0");
        QTest::newRow("20") << QStringLiteral("20") << QStringLiteral("15.00") << QStringLiteral("0");
    }
    void theFeeTakesTheLossNeverBelowNothing()
    {
        QFETCH(QString, fee);
        QFETCH(QString, amount);
        QFETCH(QString, floored);
        QStringList arguments{QStringLiteral("pay"), m_log99, QStringLiteral("--seed"), QStringLiteral("42"),
                              QStringLiteral("--out"), out(QStringLiteral("fee.csv"))};
        if (!fee.isEmpty())
            arguments << QStringLiteral("--show-up-fee") << fee;
        const auto run = treelab(arguments);
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        const QStringList lines = QString::fromUtf8(LabFolders::fileBytes(out(QStringLiteral("fee.csv")))).split(QLatin1Char('\n'));
        const QStringList fields = lines.value(1).split(QLatin1Char(','));
        QCOMPARE(fields.size(), 14);
        QCOMPARE(fields.value(9), QStringLiteral("-5")); // the payoff as it always was
        const QString feeText = fee.isEmpty() ? QStringLiteral("0.00") : QString::number(fee.toDouble(), 'f', 2);
        QCOMPARE(fields.value(11), feeText);
        QCOMPARE(fields.value(12), amount);
        QCOMPARE(fields.value(13), floored);
        QVERIFY(run.out.endsWith(QStringLiteral("total for 1 subject: ") + Pound + amount + QLatin1Char('\n')));
    }

    // Seed 2024 pays subject 99 attempt 4 and subject 5 attempt 1, £51 each: with a fee of
    // £3.87 each envelope holds £54.87, and the session's cash is the envelopes' summed.
    void theCashAddsUp()
    {
        const auto run = treelab({QStringLiteral("pay"), m_log99, m_log5, QStringLiteral("--seed"), QStringLiteral("2024"),
                                  QStringLiteral("--out"), out(QStringLiteral("cash.csv")), QStringLiteral("--show-up-fee"),
                                  QStringLiteral("3.87"), QStringLiteral("--cash")});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        // £54.87: 50 + 2 + 2 + 0.50 + 0.20 + 0.10 + 0.05 + 0.02, eight pieces.
        const QString envelope = QStringLiteral("1 \u00d7 #50, 2 \u00d7 #2, 1 \u00d7 #0.50, 1 \u00d7 #0.20, 1 \u00d7 #0.10, "
                                                "1 \u00d7 #0.05, 1 \u00d7 #0.02").replace(QLatin1Char('#'), Pound);
        QVERIFY2(run.out.contains(QStringLiteral("ws1 subject 99 ") + Pound + QStringLiteral("54.87: ") + envelope + QLatin1Char('\n')),
                 qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("ws2 subject 5 ") + Pound + QStringLiteral("54.87: ") + envelope + QLatin1Char('\n')),
                 qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("cash for the session, ") + Pound + QStringLiteral("109.74: 2 \u00d7 ") + Pound
                                  + QStringLiteral("50, 4 \u00d7 ") + Pound + QStringLiteral("2, 2 \u00d7 ") + Pound
                                  + QStringLiteral("0.50, 2 \u00d7 ") + Pound + QStringLiteral("0.20, 2 \u00d7 ") + Pound
                                  + QStringLiteral("0.10, 2 \u00d7 ") + Pound + QStringLiteral("0.05, 2 \u00d7 ") + Pound
                                  + QStringLiteral("0.02\n")),
                 qPrintable(run.out));
        // 4, 3 and 1: the largest first makes 6 as 4 + 1 + 1; the fewest is 3 + 3.
        const auto odd = treelab({QStringLiteral("pay"), m_log99, QStringLiteral("--seed"), QStringLiteral("42"),
                                  QStringLiteral("--out"), out(QStringLiteral("odd.csv")), QStringLiteral("--show-up-fee"),
                                  QStringLiteral("11"), QStringLiteral("--cash"), QStringLiteral("--denominations"),
                                  QStringLiteral("4,3,1")});
        QVERIFY2(odd.exitCode == 0, qPrintable(report(odd)));
        QVERIFY2(odd.out.contains(QStringLiteral("is not always the fewest")), qPrintable(odd.out));
        QVERIFY2(odd.out.contains(QStringLiteral("6.00: 2 \u00d7 ") + Pound + QStringLiteral("3\n")), qPrintable(odd.out));
        const auto wrong = treelab({QStringLiteral("pay"), m_log99, QStringLiteral("--seed"), QStringLiteral("42"),
                                    QStringLiteral("--out"), out(QStringLiteral("odd.csv")), QStringLiteral("--cash"),
                                    QStringLiteral("--denominations"), QStringLiteral("5,two")});
        QCOMPARE(wrong.exitCode, 2);
        QVERIFY(wrong.err.contains(QStringLiteral("\"two\"")));
    }

    // A room of n workstations ws1/data.. playing the whole experiment as subjects 1..n,
    // paid with seed 4711 and a fee of £5: the schedule lists each subject once with the
    // header on every page, "page k of n" and the total; one receipt a page.
    void theScheduleAndTheReceiptsReadBack_data()
    {
        QTest::addColumn<int>("subjects");
        QTest::addColumn<int>("schedulePages");
        QTest::newRow("a room of 7") << 7 << 1;
        QTest::newRow("a room of 40") << 40 << 3; // 17 rows on the first page, 23 on the next, then the total
    }
    void theScheduleAndTheReceiptsReadBack()
    {
        QFETCH(int, subjects);
        QFETCH(int, schedulePages);
        QTemporaryDir dir;
        QStringList arguments{QStringLiteral("pay")};
        for (int k = 1; k <= subjects; ++k) {
            const QString ws = LabFolders::workstation(dir.path(), QStringLiteral("ws%1/data").arg(k), " 2 \r\n", {});
            QVERIFY(!LabFolders::putLogOf(ws, LabFolders::wholeExperimentLog(), k).isEmpty());
            arguments << ws;
        }
        const QString schedule = QDir(dir.path()).filePath(QStringLiteral("schedule.pdf"));
        const QString receipts = QDir(dir.path()).filePath(QStringLiteral("receipts.pdf"));
        arguments << QStringLiteral("--seed") << QStringLiteral("4711") << QStringLiteral("--out")
                  << QDir(dir.path()).filePath(QStringLiteral("p.csv")) << QStringLiteral("--show-up-fee")
                  << QStringLiteral("5") << QStringLiteral("--schedule") << schedule << QStringLiteral("--receipts")
                  << receipts;
        const auto run = treelab(arguments);
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        // The amounts from the CSV, summed here: the total the schedule ends with.
        const QStringList rows = QString::fromUtf8(LabFolders::fileBytes(QDir(dir.path()).filePath(QStringLiteral("p.csv"))))
                                     .split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(1);
        qint64 pence = 0;
        for (const QString &row : rows)
            pence += qRound64(row.section(QLatin1Char(','), 12, 12).toDouble() * 100);
        const QString total = Pound + QString::number(pence / 100) + QLatin1Char('.')
            + QStringLiteral("%1").arg(pence % 100, 2, 10, QLatin1Char('0'));

#ifdef Q_OS_WIN
        if (!LabFolders::canReadPdf())
            QSKIP("no pdftotext here; scripts/windows/test.sh reads the PDFs written under Wine");
#endif
        const QString text = LabFolders::pdfText(schedule);
        QVERIFY2(!text.isEmpty(), "pdftotext (poppler-utils, scripts/setup.sh) could not read the schedule");
        QCOMPARE(LabFolders::pdfPages(schedule), schedulePages);
        const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        for (int k = 0; k < schedulePages; ++k) {
            QVERIFY2(pages[k].contains(QStringLiteral("page %1 of %2").arg(k + 1).arg(schedulePages)), qPrintable(pages[k]));
            QVERIFY(pages[k].contains(QStringLiteral("Workstation")));
        }
        QVERIFY(text.contains(QStringLiteral("Schedule of payments")));
        QVERIFY(text.contains(QStringLiteral("Seed: 4711")));
        QVERIFY(text.contains(QStringLiteral("\"4711:<subject number>\"")));
        QVERIFY(text.contains(QStringLiteral("Total to pay: %1 to %2 subjects").arg(total).arg(subjects)));
        QVERIFY(run.out.contains(QStringLiteral("total for %1 subjects: %2").arg(subjects).arg(total)));
        QVERIFY(text.contains(QStringLiteral("Experimenter's name:")));
        // Each workstation's row once, ws2 before ws10.
        for (int k = 1; k <= subjects; ++k)
            QCOMPARE(text.count(QRegularExpression(QStringLiteral("\\bws%1\\s+%1\\s").arg(k))), 1);
        if (subjects >= 10)
            QVERIFY(text.indexOf(QRegularExpression(QStringLiteral("\\bws2\\s"))) < text.indexOf(QStringLiteral("ws10")));

        QCOMPARE(LabFolders::pdfPages(receipts), subjects);
        const QStringList slips = LabFolders::pdfText(receipts).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QVERIFY(slips.first().contains(QStringLiteral("Subject 1 at workstation ws1")));
        QVERIFY(slips.first().contains(QStringLiteral("seed 4711")));
        QVERIFY(slips.first().contains(QStringLiteral("Amount received: ") + Pound));
        QVERIFY(slips.first().contains(QStringLiteral("receipt 1 of %1").arg(subjects)));
        for (const QString &line : {QStringLiteral("Name:"), QStringLiteral("Signature:"), QStringLiteral("Date:")})
            QVERIFY(slips.last().contains(line));
    }

    // Seven workstations play set 1; at ws3 the payoff file was changed so that node 50
    // pays £25 where the other six pay £51. The pair verifies alone; held against the room
    // it is named, and pay refuses until --force.
    void aForgedPayoffTableIsNamed()
    {
        QTemporaryDir dir;
        QStringList folders;
        for (int k = 1; k <= 7; ++k) {
            const QString ws = LabFolders::workstation(dir.path(), QStringLiteral("ws%1").arg(k), " 2 \r\n", {});
            QVERIFY(!LabFolders::putLogOf(ws, LabFolders::wholeExperimentLog(), k).isEmpty());
            folders << ws;
        }
        const QString forged = QDir(folders[2]).filePath(QStringLiteral("btinp.01"));
        QByteArray payoffs = LabFolders::fileBytes(forged);
        const qsizetype at = payoffs.indexOf(" 51,");
        QVERIFY(at > 0);
        payoffs.replace(at, 4, " 25,");
        QVERIFY(LabFolders::putFile(forged, payoffs));
        const QStringList arguments = QStringList{QStringLiteral("pay")} + folders
            + QStringList{QStringLiteral("--seed"), QStringLiteral("1"), QStringLiteral("--out"),
                          QDir(dir.path()).filePath(QStringLiteral("p.csv"))};
        const auto refused = treelab(arguments);
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains(QStringLiteral("the logs of set 1 were shown different payoffs: payoff node 50 is %1 "
                                                     "at ws1, ws2, ws4, ws5, ws6, ws7 but %2 at ws3")
                                          .arg(Pound + QStringLiteral("51"), Pound + QStringLiteral("25"))),
                 qPrintable(report(refused)));
        QVERIFY(!QFileInfo::exists(QDir(dir.path()).filePath(QStringLiteral("p.csv"))));
        const auto forcedRun = treelab(arguments + QStringList{QStringLiteral("--force")});
        QVERIFY2(forcedRun.exitCode == 0, qPrintable(report(forcedRun)));
        QVERIFY(forcedRun.err.contains(QStringLiteral("payoff node 50")));
        // verify and status tell the same, naming the workstations and both values.
        const QString named = QStringLiteral("payoff node 50 is %1 at ws1, ws2, ws4, ws5, ws6, ws7 but %2 at ws3")
                                  .arg(Pound + QStringLiteral("51"), Pound + QStringLiteral("25"));
        const auto verified = treelab(QStringList{QStringLiteral("verify")} + folders);
        QCOMPARE(verified.exitCode, 1);
        QVERIFY2(verified.out.contains(named), qPrintable(report(verified)));
        QCOMPARE(verified.out.count(QStringLiteral(": ok: ")), 7); // each log alone verifies
        const auto status = treelab(QStringList{QStringLiteral("status")} + folders);
        QVERIFY2((status.out + status.err).contains(named), qPrintable(report(status)));
    }

    void help()
    {
        const auto run = treelab({QStringLiteral("pay"), QStringLiteral("--help")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith(QStringLiteral("Usage: treelab pay LOG... --seed S")));
        QVERIFY(run.out.contains(QStringLiteral("hashlib.sha256(f\"{S}:{subject}\".encode()).hexdigest(), 16) % n + 1")));
        // The fee, the floor, the documents and the cash, with one worked example in pounds.
        for (const QString &told : {QStringLiteral("--show-up-fee AMOUNT"), QStringLiteral("never below 0"),
                                    QStringLiteral("--schedule FILE"), QStringLiteral("--receipts FILE"),
                                    QStringLiteral("--cash"), QStringLiteral("floored 1"),
                                    QStringLiteral("gets ") + Pound + QStringLiteral("2.00")})
            QVERIFY2(run.out.contains(told), qPrintable(told));
        QCOMPARE(run.out.count(QLatin1Char('%')), 1); // the Python line's alone: no placeholder left
    }
};

QTEST_GUILESS_MAIN(TestPayCommand)
#include "TestPayCommand.moc"
