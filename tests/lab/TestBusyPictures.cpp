#include "GuiTestMain.h"
#include "LabFolders.h"
#include "WindowFixture.h"

#include "window/widgets/Controls.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QFontMetricsF>
#include <QImage>
#include <QMap>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextDocumentFragment>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

using LabFolders::report;
using LabFolders::treelab;

// treelab draw of busy attempts, each played with 60 node clicks on the real window: every
// text of the picture, measured here with the font the picture names, lies inside the
// picture and covers no other text and no node, and every click number is told once.
namespace {

struct Text
{
    QString role;
    QString text;
    QRectF box;
};

struct Picture
{
    QSizeF size;
    QList<Text> texts;
    QList<QRectF> nodes;
};

double attribute(const QString &element, const QString &name)
{
    const QRegularExpression pattern(QStringLiteral("\\b%1=\"([-0-9.]+)\"").arg(name));
    return pattern.match(element).captured(1).toDouble();
}

QString textAttribute(const QString &element, const QString &name)
{
    return QRegularExpression(QStringLiteral("\\b%1=\"([^\"]*)\"").arg(name)).match(element).captured(1);
}

// The room a <text> of the SVG takes, from its position, anchor, size, weight and turn.
QRectF boxOf(const QString &element, const QString &text)
{
    QFont font(textAttribute(element, QStringLiteral("font-family")));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(attribute(element, QStringLiteral("font-size"))));
    font.setBold(textAttribute(element, QStringLiteral("font-weight")) == QLatin1String("bold"));
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);
    const double x = attribute(element, QStringLiteral("x"));
    const double y = attribute(element, QStringLiteral("y"));
    const QString anchor = textAttribute(element, QStringLiteral("text-anchor"));
    const double left = anchor == QLatin1String("end") ? x - width : anchor == QLatin1String("middle") ? x - width / 2 : x;
    const QRectF flat(left, y - metrics.ascent(), width, metrics.ascent() + metrics.descent());
    if (!element.contains(QStringLiteral("rotate(-90 ")))
        return flat;
    // A quarter turn to the left about (x, y): the text reads upwards from that point.
    return QRectF(x - (flat.bottom() - y), y - (flat.right() - x), flat.height(), flat.width());
}

Picture readSvg(const QString &svg)
{
    Picture p;
    const QRegularExpression viewBox(QStringLiteral("viewBox=\"0 0 ([0-9.]+) ([0-9.]+)\""));
    const auto size = viewBox.match(svg);
    p.size = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    const QRegularExpression textElement(QStringLiteral("(<text [^>]*>)([^<]*)</text>"));
    for (auto it = textElement.globalMatch(svg); it.hasNext();) {
        const auto m = it.next();
        const QString text = QTextDocumentFragment::fromHtml(m.captured(2)).toPlainText();
        p.texts.append({textAttribute(m.captured(1), QStringLiteral("class")), text, boxOf(m.captured(1), text)});
    }
    const QRegularExpression rect(QStringLiteral("<rect class=\"[^\"]+\"[^>]*>"));
    for (auto it = rect.globalMatch(svg); it.hasNext();) {
        const QString element = it.next().captured(0);
        p.nodes.append(QRectF(attribute(element, QStringLiteral("x")), attribute(element, QStringLiteral("y")),
                              attribute(element, QStringLiteral("width")), attribute(element, QStringLiteral("height"))));
    }
    return p;
}

// A node's time on screen in a click text drawn with --times: "3,9 (4.5 s)".
const QRegularExpression TimeText(QStringLiteral(" \\(([0-9]+\\.[0-9]) s\\)"));

// The numbers a click text tells: "3,9–12" is 3, 9, 10, 11, 12; a list below the
// legend ("a  c3(12): 1,3") tells those after its colon; a time is no number of a click.
QList<int> numbersIn(QString text)
{
    text = text.mid(text.indexOf(QLatin1Char(':')) + 1).remove(TimeText);
    QList<int> numbers;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList ends = part.trimmed().split(QChar(0x2013));
        for (int n = ends.first().toInt(); n <= ends.last().toInt(); ++n)
            numbers.append(n);
    }
    return numbers;
}

// The subject's place in the attempt, and the moves up from it.
class Walk
{
public:
    explicit Walk(WindowFixture &f) : m_f(f) {}

    // Clicks the node stood on and moves on: Right when right.
    void move(bool right)
    {
        const Controls &c = m_f.controls();
        click(m_level, m_index);
        if (m_level % 2 == 1) {
            m_f.click(right ? c.MoveRight : c.MoveLeft);
            m_f.click(c.ConfirmDecision);
        } else {
            m_f.random.draws.append(right ? 0.75f : 0.25f);
            m_f.click(c.NatureMove);
        }
        m_index = 2 * m_index + (right ? 1 : 0);
        ++m_level;
    }

    void inspect(const QList<QPair<int, int>> &nodes)
    {
        for (const auto &[level, index] : nodes)
            click(level, index);
    }

    // n nodes still in play, drawn from the seeded generator.
    void inspectAhead(int n, std::mt19937 &draw)
    {
        for (int k = 0; k < n; ++k) {
            const int level = m_level + int(draw() % unsigned(8 - m_level));
            const int width = 1 << (level - m_level);
            click(level, m_index * width + int(draw() % unsigned(width)));
        }
    }

private:
    // Each node stays on screen a little longer than the one before, so that the times
    // drawn differ from node to node.
    void click(int level, int index)
    {
        m_f.clickNode(level, index);
        m_f.clock.advance(0.1f * float(++m_clicks % 7 + 1));
    }

    WindowFixture &m_f;
    int m_clicks = 0;
    int m_level = 1;
    int m_index = 0;
};

using Script = void (*)(Walk &);

void movesAfter(Walk &w, const QList<QPair<int, int>> &first)
{
    w.inspect(first);
    for (bool right : {true, false, true, true, false, false})
        w.move(right);
}

QList<QPair<int, int>> repeated(const QList<QPair<int, int>> &round, int times)
{
    QList<QPair<int, int>> nodes;
    for (int k = 0; k < times; ++k)
        nodes += round;
    return nodes;
}

} // namespace

class TestBusyPictures : public QObject
{
    Q_OBJECT

private slots:
    void everyTextStaysOnThePictureAndClearOfTheOthers_data()
    {
        QTest::addColumn<Script>("script");
        QTest::newRow("one payoff 19 times, then across the row") << Script([](Walk &w) {
            QList<QPair<int, int>> nodes = repeated({{7, 37}}, 19);
            for (int j = 0; j < 35; ++j)
                nodes.append({7, (j * 11) % 64});
            movesAfter(w, nodes);
        });
        QTest::newRow("neighbours in turn on three levels") << Script([](Walk &w) {
            movesAfter(w, repeated({{6, 12}, {6, 13}}, 9) + repeated({{5, 6}, {5, 7}}, 9)
                              + repeated({{7, 24}, {7, 25}}, 9));
        });
        QTest::newRow("d1 and p(0) in turn") << Script([](Walk &w) {
            movesAfter(w, repeated({{1, 0}, {7, 0}}, 27));
        });
        QTest::newRow("the right-hand edge") << Script([](Walk &w) {
            movesAfter(w, repeated({{6, 31}, {5, 15}, {4, 7}, {3, 3}, {2, 1}, {7, 63}}, 9));
        });
        QTest::newRow("looking ahead before every move") << Script([](Walk &w) {
            std::mt19937 draw(2105);
            for (bool right : {true, false, false, true, true, false}) {
                w.inspectAhead(9, draw);
                w.move(right);
            }
        });
    }

    void everyTextStaysOnThePictureAndClearOfTheOthers()
    {
        QFETCH(Script, script);
        WindowFixture f;
        f.startRun();
        Walk walk(f);
        script(walk);
        f.click(f.controls().Continue);
        const QByteArray log = f.log();
        int clicks = 0;
        for (const QByteArray &line : log.split('\n'))
            clicks += QRegularExpression(QStringLiteral("^[0-9]+ (d1|c1|d2|c2|d3|c3|p) +[0-9]+\r$"))
                          .match(QString::fromLatin1(line)).hasMatch();
        QCOMPARE(clicks, 60);

        const QString logPath = f.dataPath(QStringLiteral("o199btinp.01"));
        // Each node's time on screen, from the inspections table: the times --times must tell.
        const QString table = f.dataPath(QStringLiteral("inspections.csv"));
        const auto exported = treelab({QStringLiteral("export"), logPath, QStringLiteral("--inspections"), table});
        QVERIFY2(exported.exitCode == 0, qPrintable(report(exported)));
        QMap<QString, qint64> dwell;
        for (const QString &line : QString::fromUtf8(LabFolders::fileBytes(table)).split(QLatin1Char('\n')).mid(1)) {
            const QStringList fields = line.split(QLatin1Char(','));
            if (fields.size() > 11 && fields[2] == QLatin1String("1"))
                dwell[fields[4] + QLatin1Char('(') + fields[5] + QLatin1Char(')')] += fields[11].toLongLong();
        }
        QStringList expectedTimes;
        for (const qint64 ms : std::as_const(dwell))
            expectedTimes.append(QString::number(double(ms) / 1000, 'f', 1));
        std::sort(expectedTimes.begin(), expectedTimes.end());
        QVERIFY(expectedTimes.size() > 5 && expectedTimes.first() != expectedTimes.last());

        for (const bool times : {false, true}) {
            const QString svgPath = f.dataPath(times ? QStringLiteral("busy-times.svg") : QStringLiteral("busy.svg"));
            const QString pngPath = f.dataPath(times ? QStringLiteral("busy-times.png") : QStringLiteral("busy.png"));
            for (const QString &out : {svgPath, pngPath}) {
                QStringList arguments{QStringLiteral("draw"), logPath, QStringLiteral("--attempt"), QStringLiteral("1"),
                                      QStringLiteral("--out"), out};
                if (times)
                    arguments.append(QStringLiteral("--times"));
                const auto run = treelab(arguments);
                QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
            }
            const QStringList told = checkPicture(svgPath, pngPath);
            if (QTest::currentTestFailed())
                return;
            QCOMPARE(told, times ? expectedTimes : QStringList());
        }
    }

private:
    // Every text of the picture on it and clear of the others and of the nodes, every click
    // number told once, ink in the PNG where each text is. Returns the times told, sorted.
    static QStringList checkPicture(const QString &svgPath, const QString &pngPath)
    {
        QStringList times;
        [&] {
            const Picture picture = readSvg(QString::fromUtf8(LabFolders::fileBytes(svgPath)));
            QCOMPARE(picture.size.width(), 800.0);
            QVERIFY(picture.size.height() >= 560);

            const QRectF bounds(QPointF(0, 0), picture.size);
            QList<int> told;
            for (qsizetype k = 0; k < picture.texts.size(); ++k) {
                const Text &t = picture.texts[k];
                const QString where = QStringLiteral("%1 \"%2\"").arg(t.role, t.text);
                QVERIFY2(bounds.contains(t.box), qPrintable(where + QStringLiteral(" lies off the picture")));
                for (qsizetype j = k + 1; j < picture.texts.size(); ++j)
                    QVERIFY2(!t.box.intersects(picture.texts[j].box),
                             qPrintable(where + QStringLiteral(" covers ") + picture.texts[j].role + QStringLiteral(" \"")
                                        + picture.texts[j].text + QLatin1Char('"')));
                for (const QRectF &node : picture.nodes)
                    QVERIFY2(!t.box.intersects(node), qPrintable(where + QStringLiteral(" covers a node")));
                if (t.role == QLatin1String("click") || t.role == QLatin1String("click-list")) {
                    told += numbersIn(t.text);
                    for (auto it = TimeText.globalMatch(t.text); it.hasNext();)
                        times.append(it.next().captured(1));
                }
            }
            std::sort(told.begin(), told.end());
            QList<int> all(60);
            std::iota(all.begin(), all.end(), 1);
            QCOMPARE(told, all);

            // The PNG is the same picture, two pixels a point, with ink inside every text's box.
            QImage png;
            QVERIFY(png.load(pngPath, "PNG"));
            QCOMPARE(png.size(), QSize(1600, int(std::ceil(picture.size.height() * 2))));
            for (const Text &t : picture.texts) {
                const QRect box = QRectF(t.box.topLeft() * 2, t.box.size() * 2).toAlignedRect() & png.rect();
                bool ink = false;
                for (int y = box.top(); y <= box.bottom() && !ink; ++y)
                    for (int x = box.left(); x <= box.right() && !ink; ++x)
                        ink = qGray(png.pixel(x, y)) < 160;
                QVERIFY2(ink, qPrintable(QStringLiteral("no ink where the PNG should show \"%1\"").arg(t.text)));
            }
        }();
        std::sort(times.begin(), times.end());
        return times;
    }
};

DT_GUI_TEST_MAIN(TestBusyPictures)
#include "TestBusyPictures.moc"
