#include "session/HeatPicture.h"
#include "session/LabLog.h"
#include "session/LabLogReader.h"
#include "session/LogPayoffs.h"
#include "session/LogWalk.h"
#include "session/LookaheadPicture.h"
#include "session/NodeHeat.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The heatmap and the look-ahead picture over recorded runs: the whole experiment played
// on the real window (its log and companion record), the one-attempt log of the lab's
// tests and a room of seven subjects' four attempts each. The values are counted by hand
// from the recordings' lines; the layout is checked on the pictures' primitives.
namespace {

using Node = NodeHeat::Node;
const QString Pound(QChar(0x00A3));

// The exact values the heat-node boxes tell, by node name ("c2(6)").
QMap<QString, qint64> tipValues(const Drawing &drawing)
{
    QMap<QString, qint64> values;
    const QRegularExpression tip(QStringLiteral("^(\\w+\\(\\d+\\)): (\\d+) "));
    for (const Drawing::Box &box : drawing.boxes) {
        if (box.role != QLatin1String("heat-node"))
            continue;
        const auto m = tip.match(box.tip);
        values.insert(m.captured(1), m.captured(2).toLongLong());
    }
    return values;
}

QStringList textsOf(const Drawing &drawing, const QString &role)
{
    QStringList found;
    for (const Drawing::Text &text : drawing.texts)
        if (text.role == role)
            found << text.text;
    return found;
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_whole; // the whole experiment's log, four attempts, with its companion record
    QString m_oneAttempt;
    QStringList m_room;

    static bool load(const QString &path, LabLog *log)
    {
        return !LabLogReader::load(path, log) && !LogPayoffs::loadShown(log, QString());
    }

    NodeHeat heatOf(const QStringList &paths, NodeHeat::Measure measure, int attempt)
    {
        NodeHeat heat(measure);
        for (const QString &path : paths) {
            LabLog log;
            if (!load(path, &log))
                qFatal("cannot read %s", qPrintable(path));
            heat.add(log, LogWalk(log), attempt);
        }
        return heat;
    }

    QList<LookaheadPicture::Subject> subjectsOf(const QStringList &paths)
    {
        QList<LookaheadPicture::Subject> subjects;
        for (const QString &path : paths) {
            LabLog log;
            if (!load(path, &log))
                qFatal("cannot read %s", qPrintable(path));
            subjects << LookaheadPicture::of(log, LogWalk(log));
        }
        return subjects;
    }

    // Every text inside the picture, clear of every other text and of every node.
    static QString crowding(const Drawing &drawing)
    {
        const QRectF page(0, 0, drawing.width, drawing.height);
        for (qsizetype i = 0; i < drawing.texts.size(); ++i) {
            const QRectF room = Drawing::extent(drawing.texts[i]);
            if (!page.contains(room))
                return QStringLiteral("\"%1\" leaves the picture").arg(drawing.texts[i].text);
            for (qsizetype j = i + 1; j < drawing.texts.size(); ++j)
                if (room.intersects(Drawing::extent(drawing.texts[j])))
                    return QStringLiteral("\"%1\" covers \"%2\"").arg(drawing.texts[i].text, drawing.texts[j].text);
            for (const Drawing::Box &box : drawing.boxes)
                if (box.role == QLatin1String("heat-node") && room.intersects(box.rect))
                    return QStringLiteral("\"%1\" covers %2").arg(drawing.texts[i].text, box.tip);
        }
        return QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QDir dir(m_dir.path());
        m_whole = dir.filePath(QStringLiteral("o199btinp.01"));
        QVERIFY(QFile::copy(QStringLiteral(DT_WHOLE_EXPERIMENT_LOG), m_whole));
        QVERIFY(QFile::copy(QStringLiteral(DT_WHOLE_EXPERIMENT_COMPANION), m_whole + QStringLiteral(".jsonl")));
        QVERIFY(QFile::copy(QStringLiteral(DT_SHIPPED_PAYOFFS), dir.filePath(QStringLiteral("btinp.01"))));
        m_oneAttempt = QStringLiteral(DT_LAB_DATA "/o17btinp.01");
        const QDir room(QStringLiteral(DT_ROOM_OF_SEVEN));
        for (const QString &name : room.entryList({QStringLiteral("o11*btinp.01")}, QDir::Files, QDir::Name))
            m_room << room.filePath(name);
        QCOMPARE(m_room.size(), 7);
    }

    // Attempt 1's clicks, in the log's lines: p(5), d3(13), d1(0), c2(6), c1(1), p(60),
    // d2(3), c2(6), d3(12), c3(25), p(50).
    void inspectionsOfOneAttempt_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<qint64>("inspections");
        QTest::newRow("c2(6), twice") << QStringLiteral("c2(6)") << qint64(2);
        for (const char *node : {"p(5)", "d3(13)", "d1(0)", "c1(1)", "p(60)", "d2(3)", "d3(12)", "c3(25)", "p(50)"})
            QTest::newRow(node) << QString::fromLatin1(node) << qint64(1);
        QTest::newRow("c1(0), not clicked") << QStringLiteral("c1(0)") << qint64(0);
        QTest::newRow("d2(1), clicked in attempt 2 alone") << QStringLiteral("d2(1)") << qint64(0);
    }
    void inspectionsOfOneAttempt()
    {
        QFETCH(QString, node);
        QFETCH(qint64, inspections);
        const NodeHeat heat = heatOf({m_whole}, NodeHeat::Measure::Inspections, 1);
        QCOMPARE(heat.inspections(), 11);
        const HeatPicture picture(QStringLiteral("attempt 1"), heat);
        QCOMPARE(tipValues(picture.drawing()).value(node, -1), inspections);
    }

    // From the companion's milliseconds: p(5) clicked at 9500, closed by the click on
    // d3(13) at 12500; d3(13) closed by d1(0) at 13500; d1(0) by the decision at 16750;
    // c1(1) clicked at 24000, closed by Nature's move at 26500.
    void dwellOfOneAttempt_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<qint64>("ms");
        QTest::newRow("p(5)") << QStringLiteral("p(5)") << qint64(3000);
        QTest::newRow("d3(13)") << QStringLiteral("d3(13)") << qint64(1000);
        QTest::newRow("d1(0)") << QStringLiteral("d1(0)") << qint64(3250);
        QTest::newRow("c1(1)") << QStringLiteral("c1(1)") << qint64(2500);
    }
    void dwellOfOneAttempt()
    {
        QFETCH(QString, node);
        QFETCH(qint64, ms);
        const NodeHeat heat = heatOf({m_whole}, NodeHeat::Measure::Dwell, 1);
        QCOMPARE(heat.untimed(), 0);
        QCOMPARE(tipValues(HeatPicture(QStringLiteral("attempt 1"), heat).drawing()).value(node, -1), ms);
    }

    // All four attempts of the whole experiment (36 clicks) and the one attempt of
    // o17btinp.01 (d1(0), c1(1), d2(3), c2(6), d3(12), c3(25)), summed.
    void inspectionsOverLogs_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<qint64>("inspections");
        QTest::newRow("d1(0): 4 + 1") << QStringLiteral("d1(0)") << qint64(5);
        QTest::newRow("c1(1): 4 + 1") << QStringLiteral("c1(1)") << qint64(5);
        QTest::newRow("c2(6): 4 + 1") << QStringLiteral("c2(6)") << qint64(5);
        QTest::newRow("d2(3): 2 + 1") << QStringLiteral("d2(3)") << qint64(3);
        QTest::newRow("c3(25): 2 + 1") << QStringLiteral("c3(25)") << qint64(3);
        QTest::newRow("d2(1): 2 + 0") << QStringLiteral("d2(1)") << qint64(2);
        QTest::newRow("p(40): 1 + 0") << QStringLiteral("p(40)") << qint64(1);
    }
    void inspectionsOverLogs()
    {
        QFETCH(QString, node);
        QFETCH(qint64, inspections);
        const NodeHeat heat = heatOf({m_whole, m_oneAttempt}, NodeHeat::Measure::Inspections, 0);
        QCOMPARE(heat.logs(), 2);
        QCOMPARE(heat.attempts(), 5);
        QCOMPARE(heat.inspections(), 42);
        const HeatPicture picture(HeatPicture::summary(heat), heat);
        QCOMPARE(tipValues(picture.drawing()).value(node, -1), inspections);
        // At most 5 on a node: a shade for each number, darker as it grows.
        QCOMPARE(textsOf(picture.drawing(), QStringLiteral("scale")),
                 (QStringList{QStringLiteral("Inspections per node:"), QStringLiteral("none"), QStringLiteral("1"),
                              QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")}));
    }

    // The shades darken step by step, so that they stay apart printed in grey.
    void shadesDarkenInGrey()
    {
        for (int shade = 1; shade <= HeatPicture::Shades; ++shade) {
            const QColor lighter = HeatPicture::shadeColour(shade - 1), darker = HeatPicture::shadeColour(shade);
            const auto grey = [](const QColor &c) { return 0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue(); };
            QVERIFY2(grey(lighter) - grey(darker) > 20, qPrintable(QString::number(shade)));
        }
    }

    // The payoffs of the run's payoff table above the payoff nodes: the attempts' payoffs
    // £51 at p(50) and -£5 at p(24) among them.
    void payoffsStandAboveThePayoffNodes()
    {
        const HeatPicture picture(QStringLiteral("all"), heatOf({m_whole}, NodeHeat::Measure::Inspections, 0));
        const QStringList payoffs = textsOf(picture.drawing(), QStringLiteral("payoff"));
        QCOMPARE(payoffs.size(), 64);
        QCOMPARE(payoffs[50], Pound + QStringLiteral("51"));
        QCOMPARE(payoffs[24], QStringLiteral("-") + Pound + QStringLiteral("5"));
    }

    // normalised_ahead of the whole experiment, from its lines: standing on d1, attempt 1
    // looked at p(5) (6 levels ahead), attempt 3 at c1(1) (1 of 6); standing on d2,
    // attempt 1 at p(60) from d2(3), attempt 2 at c3(13) from d2(1) (3 of 4), attempt 3
    // at p(40) from d2(2); standing on d3 no attempt looked ahead.
    void lookaheadByAttempt()
    {
        const QList<LookaheadPicture::Subject> subjects = subjectsOf({m_whole});
        QCOMPARE(subjects.size(), 1);
        QCOMPARE(subjects[0].name, QStringLiteral("subject 99"));
        const double expected[4][3] = {{1, 1, 0}, {0, 0.75, 0}, {1.0 / 6, 1, 0}, {0, 0, 0}};
        QCOMPARE(subjects[0].depth.size(), 4);
        for (int a = 0; a < 4; ++a)
            for (int d = 0; d < 3; ++d) {
                QVERIFY2(subjects[0].depth[a][std::size_t(d)], qPrintable(QStringLiteral("attempt %1 d%2").arg(a + 1).arg(d + 1)));
                QVERIFY(std::abs(*subjects[0].depth[a][std::size_t(d)] - expected[a][d]) < 0.001);
            }
        // A point for each, told on the picture.
        const LookaheadPicture picture(QStringLiteral("o199btinp.01"), subjects);
        QStringList points;
        for (const Drawing::Box &box : picture.drawing().boxes)
            if (box.role == QLatin1String("point"))
                points << box.tip;
        QCOMPARE(points.size(), 12);
        QVERIFY(points.contains(QStringLiteral("subject 99, attempt 2, d2: 0.750")));
        QCOMPARE(textsOf(picture.drawing(), QStringLiteral("panel")).size(), 3);
        QCOMPARE(textsOf(picture.drawing(), QStringLiteral("legend")), QStringList{QStringLiteral("subject 99")});
    }

    void theRoomOfSevenIsNamedInTheLegend()
    {
        const LookaheadPicture picture(QStringLiteral("7 logs"), subjectsOf(m_room));
        QStringList expected;
        for (int subject = 101; subject <= 107; ++subject)
            expected << QStringLiteral("subject %1").arg(subject);
        QCOMPARE(textsOf(picture.drawing(), QStringLiteral("legend")), expected);
    }

    void everyTextIsClear_data()
    {
        QTest::addColumn<int>("picture");
        QTest::newRow("heat: attempt 1") << 0;
        QTest::newRow("dwell: four attempts") << 1;
        QTest::newRow("heat: room of seven") << 2;
        QTest::newRow("dwell: room of seven") << 3;
        QTest::newRow("look-ahead: one subject") << 4;
        QTest::newRow("look-ahead: room of seven") << 5;
    }
    void everyTextIsClear()
    {
        QFETCH(int, picture);
        Drawing drawing;
        switch (picture) {
        case 0: drawing = HeatPicture(QStringLiteral("a1"), heatOf({m_whole}, NodeHeat::Measure::Inspections, 1)).drawing(); break;
        case 1: drawing = HeatPicture(QStringLiteral("all"), heatOf({m_whole}, NodeHeat::Measure::Dwell, 0)).drawing(); break;
        case 2: drawing = HeatPicture(QStringLiteral("room"), heatOf(m_room, NodeHeat::Measure::Inspections, 0)).drawing(); break;
        case 3: drawing = HeatPicture(QStringLiteral("room"), heatOf(m_room, NodeHeat::Measure::Dwell, 0)).drawing(); break;
        case 4: drawing = LookaheadPicture(QStringLiteral("one"), subjectsOf({m_whole})).drawing(); break;
        default: drawing = LookaheadPicture(QStringLiteral("room"), subjectsOf(m_room)).drawing(); break;
        }
        QVERIFY(!drawing.texts.isEmpty());
        const QString crowded = crowding(drawing);
        QVERIFY2(crowded.isEmpty(), qPrintable(crowded));
    }

    // The SVG and the PNG are made from the same primitives: as many texts, and the same
    // size at two pixels a point.
    void svgAndPngAgree()
    {
        const HeatPicture picture(QStringLiteral("room"), heatOf(m_room, NodeHeat::Measure::Inspections, 0));
        const QString svg = QString::fromUtf8(picture.drawing().bytesFor(QStringLiteral("x.svg")));
        QCOMPARE(int(svg.count(QStringLiteral("<text "))), int(picture.drawing().texts.size()));
        QImage image;
        QVERIFY(image.loadFromData(picture.drawing().bytesFor(QStringLiteral("x.PNG")), "PNG"));
        QCOMPARE(image.size(), QSize(int(std::ceil(2 * picture.drawing().width)), int(std::ceil(2 * picture.height()))));
    }
};

QTEST_MAIN(TestPictures)
#include "TestPictures.moc"
