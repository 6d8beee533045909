#include "LabFolders.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using LabFolders::report;
using LabFolders::treelab;

namespace {

const QString Pound = QString(QChar(0x00A3));

// The texts of the SVG's <text> elements of one class, in document order.
QStringList texts(const QString &svg, const QString &role)
{
    QStringList found;
    const QRegularExpression element(QStringLiteral("<text class=\"%1\"[^>]*>([^<]*)</text>").arg(role));
    for (auto it = element.globalMatch(svg); it.hasNext();)
        found.append(it.next().captured(1));
    return found;
}

int count(const QString &svg, const QString &pattern)
{
    return int(svg.count(QRegularExpression(pattern)));
}

} // namespace

// treelab draw over the whole-experiment log, beside its payoff file.
class TestDrawCommand : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_folder, m_log;

    QString path(const QString &name) const { return QDir(m_folder).filePath(name); }

    QString drawSvg(const QString &log, int attempt)
    {
        const QString out = path(QStringLiteral("a%1.svg").arg(attempt));
        const auto run = treelab({QStringLiteral("draw"), log, QStringLiteral("--attempt"), QString::number(attempt),
                                  QStringLiteral("--out"), out});
        if (run.exitCode != 0)
            qWarning("%s", qPrintable(report(run)));
        return QString::fromUtf8(LabFolders::fileBytes(out));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!LabFolders::wholeExperimentLog().isEmpty(), "tests/window/expected/whole-experiment.log is missing");
        m_folder = LabFolders::workstation(m_dir.path(), QStringLiteral("ws"), " 2 \r\n",
                                           LabFolders::wholeExperimentLog());
        m_log = path(QStringLiteral("o199btinp.01"));
    }

    void theSvgOfAttempt1()
    {
        const QString svg = drawSvg(m_log, 1);
        QVERIFY(svg.startsWith(QStringLiteral("<?xml")));
        QVERIFY(svg.endsWith(QStringLiteral("</svg>\n")));
        // Every branch line of the tree once, and the path in bold over six of them.
        QCOMPARE(count(svg, QStringLiteral("<line class=\"branch\"")), 126);
        QCOMPARE(count(svg, QStringLiteral("<line class=\"decision\"[^>]*stroke-width=\"3.00\"")), 3);
        QCOMPARE(count(svg, QStringLiteral("<line class=\"nature\"[^>]*stroke-width=\"3.00\"")), 3);
        QCOMPARE(count(svg, QStringLiteral("<rect class=\"path-node\"")), 7);
        QCOMPARE(count(svg, QStringLiteral("<rect class=\"node\"")), 127 - 7);
        // d1 decided Right: from the top centre of d1 (left 381, top 410, width 9.75) to
        // the bottom centre of c1(1) (left 573, top 355), in the picture 16 points right
        // and 62 down.
        QVERIFY2(svg.contains(QStringLiteral("<line class=\"decision\" x1=\"401.88\" y1=\"472.00\" x2=\"593.88\" "
                                             "y2=\"426.75\"")),
                 qPrintable(svg.left(4000)));
        // The moves R R L L R L, from d1 up.
        QCOMPARE(texts(svg, QStringLiteral("move")),
                 (QStringList{QStringLiteral("R"), QStringLiteral("R"), QStringLiteral("L"), QStringLiteral("L"),
                              QStringLiteral("R"), QStringLiteral("L")}));
        // The eleven clicks: p(5), d3(13), d1, c2(6), c1(1), p(60), d2(3), c2(6), d3(12),
        // c3(25), p(50); c2(6) twice.
        QStringList clicks = texts(svg, QStringLiteral("click"));
        clicks.sort();
        QStringList expected{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4,8"),
                             QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("9"),
                             QStringLiteral("10"), QStringLiteral("11")};
        expected.sort();
        QCOMPARE(clicks, expected);
        QCOMPARE(texts(svg, QStringLiteral("payoff")), QStringList{Pound + QStringLiteral("51")});
        QVERIFY(texts(svg, QStringLiteral("title")).value(0).contains(QStringLiteral("attempt 1: payoff ") + Pound
                                                                       + QStringLiteral("51 at p(50)")));
    }

    void eachAttemptHasItsOwnPath_data()
    {
        QTest::addColumn<int>("attempt");
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QString>("payoff");
        QTest::addColumn<int>("clicks");
        QTest::newRow("2") << 2 << QStringLiteral("LRRLLL") << QStringLiteral("-") + Pound + QStringLiteral("5") << 8;
        QTest::newRow("3") << 3 << QStringLiteral("RLRLRL") << Pound + QStringLiteral("0") << 10;
        QTest::newRow("4") << 4 << QStringLiteral("RRLLRL") << Pound + QStringLiteral("51") << 7;
    }
    void eachAttemptHasItsOwnPath()
    {
        QFETCH(int, attempt);
        QFETCH(QString, moves);
        QFETCH(QString, payoff);
        QFETCH(int, clicks);
        const QString svg = drawSvg(m_log, attempt);
        QCOMPARE(texts(svg, QStringLiteral("move")).join(QString()), moves);
        QCOMPARE(texts(svg, QStringLiteral("payoff")), QStringList{payoff});
        int numbers = 0;
        for (const QString &text : texts(svg, QStringLiteral("click")))
            numbers += int(text.split(QLatin1Char(',')).size());
        QCOMPARE(numbers, clicks);
    }

    void anAttemptInPlayIsDrawnAsFarAsItWent()
    {
        QTemporaryDir dir;
        const QString ws = LabFolders::workstation(dir.path(), QStringLiteral("ws"), " 2 \r\n",
                                                   LabFolders::firstLines(LabFolders::wholeExperimentLog(), 40));
        const QString svg = drawSvg(QDir(ws).filePath(QStringLiteral("o199btinp.01")), 2);
        QCOMPARE(texts(svg, QStringLiteral("move")), (QStringList{QStringLiteral("L"), QStringLiteral("R")}));
        QCOMPARE(count(svg, QStringLiteral("<rect class=\"path-node\"")), 3);
        QVERIFY(texts(svg, QStringLiteral("payoff")).isEmpty());
        QVERIFY(texts(svg, QStringLiteral("title")).value(0).contains(QStringLiteral("still in play")));
    }

    void thePngOfAttempt1()
    {
        const QString out = path(QStringLiteral("a1.png"));
        const auto run = treelab({QStringLiteral("draw"), m_log, QStringLiteral("--attempt"), QStringLiteral("1"),
                                  QStringLiteral("--out"), out});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        QVERIFY(LabFolders::fileBytes(out).startsWith("\x89PNG\r\n\x1a\n"));
        QImage image;
        QVERIFY(image.load(out, "PNG"));
        QCOMPARE(image.size(), QSize(1600, 1120)); // 800 by 560 points, two pixels a point
        QCOMPARE(QColor(image.pixel(4, 4)), QColor(Qt::white));
        // The middle of the bold line from d1 to c1(1), at two pixels a point: the
        // subject's decision blue.
        const QColor onPath(image.pixel(996, 899));
        QVERIFY2(onPath.blue() > 150 && onPath.red() < 80, qPrintable(onPath.name()));
        // The middle of the line from d1 to c1(0), not taken: thin grey, nowhere blue.
        const QColor offPath(image.pixel(2 * (401.88 + 209.88) / 2, 899));
        QVERIFY2(offPath.blue() < 150 || offPath.red() > 80, qPrintable(offPath.name()));
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString a = QStringLiteral("--attempt");
        const QString o = QStringLiteral("--out");
        const QString log = QStringLiteral("o199btinp.01");
        QTest::newRow("no log") << QStringList{a, QStringLiteral("1"), o, QStringLiteral("x.svg")} << 2
                                << QStringLiteral("give one LOG");
        QTest::newRow("no attempt") << QStringList{log, o, QStringLiteral("x.svg")} << 2 << QStringLiteral("no --attempt");
        QTest::newRow("attempt not a number") << QStringList{log, a, QStringLiteral("one"), o, QStringLiteral("x.svg")}
                                              << 2 << QStringLiteral("not an attempt number");
        QTest::newRow("attempt 0") << QStringList{log, a, QStringLiteral("0"), o, QStringLiteral("x.svg")} << 2
                                   << QStringLiteral("not an attempt number");
        QTest::newRow("other picture") << QStringList{log, a, QStringLiteral("1"), o, QStringLiteral("x.jpg")} << 2
                                       << QStringLiteral(".svg or .png");
        QTest::newRow("no attempt 5") << QStringList{log, a, QStringLiteral("5"), o, QStringLiteral("x.svg")} << 1
                                      << QStringLiteral("has 4 attempt(s), no attempt 5");
        QTest::newRow("missing log") << QStringList{QStringLiteral("o1gone"), a, QStringLiteral("1"), o,
                                                    QStringLiteral("x.svg")}
                                     << 1 << QStringLiteral("o1gone");
        QTest::newRow("times without a companion record")
            << QStringList{log, a, QStringLiteral("1"), o, QStringLiteral("x.svg"), QStringLiteral("--times")} << 1
            << QStringLiteral("--times needs the companion record");
    }
    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const auto run = treelab(QStringList{QStringLiteral("draw")} + arguments, m_folder);
        QVERIFY2(run.exitCode == exitCode, qPrintable(report(run)));
        QVERIFY2(run.err.contains(message), qPrintable(report(run)));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("x.svg"))));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("x.jpg"))));
    }

    // --heat over two logs given as a folder and a log, summed: the whole experiment's
    // four attempts and o17btinp.01's one (d1(0): 4 + 1 clicks, p(40): 1 + 0), as the
    // boxes' titles tell in the SVG; the PNG has the SVG's size at two pixels a point.
    void theHeatOfTwoLogs()
    {
        QTemporaryDir dir;
        const QString other = LabFolders::workstation(dir.path(), QStringLiteral("ws2"), " 2 \r\n", QByteArray());
        for (const QString &name : {QStringLiteral("o17btinp.01"), QStringLiteral("o17btinp.01.jsonl")})
            QVERIFY(QFile::copy(QStringLiteral(DT_LAB_DATA "/") + name, QDir(other).filePath(name)));
        const QString svgOut = path(QStringLiteral("heat.svg")), pngOut = path(QStringLiteral("heat.png"));
        for (const QString &out : {svgOut, pngOut}) {
            const auto run = treelab({QStringLiteral("draw"), QStringLiteral("--heat"), QStringLiteral("inspections"),
                                      m_log, other, QStringLiteral("--out"), out});
            QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        }
        const QString svg = QString::fromUtf8(LabFolders::fileBytes(svgOut));
        QVERIFY(svg.contains(QStringLiteral("<title>d1(0): 5 inspection(s)</title>")));
        QVERIFY(svg.contains(QStringLiteral("<title>p(40): 1 inspection(s)</title>")));
        QVERIFY(svg.contains(QStringLiteral("<title>c1(0): 1 inspection(s)</title>")));
        QVERIFY(texts(svg, QStringLiteral("title")).join(QLatin1Char(' ')).contains(QStringLiteral("2 log(s), 5 attempt(s)")));
        QImage image;
        QVERIFY(image.load(pngOut, "PNG"));
        const QRegularExpression viewBox(QStringLiteral("viewBox=\"0 0 ([0-9.]+) ([0-9.]+)\""));
        const auto size = viewBox.match(svg);
        QCOMPARE(image.size(), QSize(int(std::ceil(2 * size.captured(1).toDouble())),
                                     int(std::ceil(2 * size.captured(2).toDouble()))));
    }

    // --lookahead: one point per attempt and decision level; attempt 2 of the whole
    // experiment looked at c3(13) while standing on d2(1), three of four levels ahead.
    void theLookaheadOfALog()
    {
        const QString out = path(QStringLiteral("look.svg"));
        const auto run = treelab({QStringLiteral("draw"), QStringLiteral("--lookahead"), m_log, QStringLiteral("--out"), out});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        const QString svg = QString::fromUtf8(LabFolders::fileBytes(out));
        QCOMPARE(count(svg, QStringLiteral("<rect class=\"point\"")), 12);
        QVERIFY(svg.contains(QStringLiteral("<title>subject 99, attempt 2, d2: 0.750</title>")));
        QCOMPARE(texts(svg, QStringLiteral("legend")), QStringList{QStringLiteral("subject 99")});
    }

    void heatAndLookaheadFailures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString log = QStringLiteral("o199btinp.01");
        const QString o = QStringLiteral("--out");
        const QString heat = QStringLiteral("--heat");
        QTest::newRow("another measure") << QStringList{heat, QStringLiteral("clicks"), log, o, QStringLiteral("x.svg")}
                                         << 2 << QStringLiteral("--heat \"clicks\" is neither inspections nor dwell");
        QTest::newRow("both") << QStringList{heat, QStringLiteral("dwell"), QStringLiteral("--lookahead"), log, o,
                                             QStringLiteral("x.svg")}
                              << 2 << QStringLiteral("not both");
        QTest::newRow("times") << QStringList{heat, QStringLiteral("dwell"), QStringLiteral("--times"), log, o,
                                              QStringLiteral("x.svg")}
                               << 2 << QStringLiteral("--times draws one attempt");
        QTest::newRow("lookahead of one attempt")
            << QStringList{QStringLiteral("--lookahead"), log, QStringLiteral("--attempt"), QStringLiteral("2"), o,
                           QStringLiteral("x.svg")}
            << 2 << QStringLiteral("give no --attempt");
        QTest::newRow("no log") << QStringList{heat, QStringLiteral("inspections"), o, QStringLiteral("x.svg")} << 2
                                << QStringLiteral("no LOG given");
        QTest::newRow("other picture") << QStringList{QStringLiteral("--lookahead"), log, o, QStringLiteral("x.jpg")}
                                       << 2 << QStringLiteral(".svg or .png");
        QTest::newRow("no attempt 5") << QStringList{heat, QStringLiteral("inspections"), log, QStringLiteral("--attempt"),
                                                     QStringLiteral("5"), o, QStringLiteral("x.svg")}
                                      << 1 << QStringLiteral("has 4 attempt(s), no attempt 5");
    }
    void heatAndLookaheadFailures()
    {
        failures();
    }

    // A log without its companion record has no times: --heat dwell says so and draws
    // what the others tell.
    void dwellWithoutACompanionIsSaid()
    {
        const QString out = path(QStringLiteral("dwell.svg"));
        const auto run = treelab({QStringLiteral("draw"), QStringLiteral("--heat"), QStringLiteral("dwell"), m_log,
                                  QStringLiteral("--out"), out});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        QVERIFY2(run.err.contains(QStringLiteral("has no companion record")), qPrintable(report(run)));
        const QString svg = QString::fromUtf8(LabFolders::fileBytes(out));
        QVERIFY(texts(svg, QStringLiteral("caption")).join(QLatin1Char(' ')).contains(QStringLiteral("36 inspection(s) carry no time")));
    }

    void help()
    {
        const auto run = treelab({QStringLiteral("draw"), QStringLiteral("--help")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith(QStringLiteral("Usage: treelab draw LOG --attempt K")));
    }
};

QTEST_GUILESS_MAIN(TestDrawCommand)
#include "TestDrawCommand.moc"
