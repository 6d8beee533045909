#include "GuiTestMain.h"
#include "WindowFixture.h"

#include "tree/widgets/BranchLine.h"
#include "tree/widgets/BranchLines.h"
#include "tree/widgets/NodeButton.h"
#include "tree/logic/TreeModel.h"
#include "window/widgets/Controls.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QPaintEvent>
#include <QScreen>

// The branch lines drawn by one widget beneath the nodes: what each repaint draws, and
// what each change asks to be repainted.
class TestBranchLines : public QObject
{
    Q_OBJECT

    // Every paint event's object name and region in the window's coordinates.
    struct PaintSpy : QObject
    {
        QWidget *window = nullptr;
        QList<QPair<QString, QRegion>> painted;
        bool eventFilter(QObject *o, QEvent *e) override
        {
            if (e->type() == QEvent::Paint) {
                auto *w = static_cast<QWidget *>(o);
                const QRegion r = static_cast<QPaintEvent *>(e)->region();
                painted.append({o->objectName(), r.translated(w->mapTo(window, QPoint()))});
            }
            return false;
        }
        QStringList names() const
        {
            QStringList n;
            for (const auto &p : painted)
                n << p.first;
            return n;
        }
        QRegion all() const
        {
            QRegion r;
            for (const auto &p : painted)
                r += p.second;
            return r;
        }
    };

    static void settle()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    static QStringList names(const QList<const BranchLine *> &lines)
    {
        QStringList n;
        for (const BranchLine *line : lines)
            n << line->objectName();
        return n;
    }

    // The pixels of the window inside box that have the colour ink.
    static QList<QPoint> inked(QWidget &window, const QRect &box, const QColor &ink)
    {
        const QImage image = window.grab().toImage();
        QList<QPoint> points;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (image.pixelColor(x, y) == ink)
                    points << QPoint(x, y);
        return points;
    }

private slots:
    void aRepaintDrawsOnlyTheLinesItsRegionMeets_data()
    {
        QTest::addColumn<QRect>("region");
        QTest::addColumn<QStringList>("drawn");
        // Level 6's lines stand alone between y 53 and 127; nothing reaches the top left corner.
        QTest::newRow("the middle of l6(63)") << QRect(1014, 90, 1, 1) << QStringList{"l6(63)"};
        QTest::newRow("the middle of l6(0)") << QRect(14, 90, 1, 1) << QStringList{"l6(0)"};
        QTest::newRow("where l6(0) and l6(1) meet") << QRect(18, 120, 1, 1)
                                                    << QStringList{"l6(0)", "l6(1)"};
        QTest::newRow("left of the tree") << QRect(0, 60, 5, 5) << QStringList{};
        QTest::newRow("the window's corner") << QRect(0, 0, 3, 3) << QStringList{};
        QTest::newRow("l1(0) and l1(1) at d1's top") << QRect(514, 540, 2, 2)
                                                      << QStringList{"l1(0)", "l1(1)"};
    }

    void aRepaintDrawsOnlyTheLinesItsRegionMeets()
    {
        QFETCH(QRect, region);
        QFETCH(QStringList, drawn);
        WindowFixture f;
        f.startRun();
        QCOMPARE(names(f.controls().tree.lines()->linesIn(region)), drawn);
    }

    void aWholeRepaintDrawsEveryShownLineInOrder()
    {
        WindowFixture f;
        f.startRun();
        const TreeControls &tree = f.controls().tree;
        const QList<const BranchLine *> lines = tree.lines()->linesIn(f.window().rect());
        QCOMPARE(lines.size(), 126);
        QCOMPARE(lines.first(), tree.line(1, 0));
        QCOMPARE(lines.last(), tree.line(6, 63));
        tree.line(3, 5)->hide();
        QVERIFY(!tree.lines()->linesIn(f.window().rect()).contains(tree.line(3, 5)));
        QCOMPARE(tree.lines()->linesIn(f.window().rect()).size(), 125);
    }

    void aHiddenLineIsNotPainted()
    {
        WindowFixture f;
        f.startRun();
        BranchLine *line = f.controls().tree.line(6, 63);
        const QColor ink = f.window().palette().color(QPalette::WindowText);
        const QList<QPoint> drawn = inked(f.window(), line->box(), ink);
        // A one-pixel line across 74 rows has a pixel in each.
        QVERIFY(drawn.size() >= line->box().height());
        line->hide();
        QVERIFY(!line->isVisible());
        // What ink is left in the box is a neighbour's: l6(62) starts where l6(63) does.
        const QList<QPoint> left = inked(f.window(), line->box(), ink);
        QVERIFY(left.size() < drawn.size() / 4);
        for (const QPoint &p : left)
            QCOMPARE(names(f.controls().tree.lines()->linesIn(QRect(p, QSize(1, 1)))),
                     QStringList{QStringLiteral("l6(62)")});
        line->show();
        QVERIFY(line->isVisible());
        QCOMPARE(inked(f.window(), line->box(), ink), drawn);
    }

    void showingOrHidingALineRepaintsItsRectangleOnly_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("j");
        QTest::newRow("l1(1), the longest") << 1 << 1;
        QTest::newRow("l3(2)") << 3 << 2;
        QTest::newRow("l6(63)") << 6 << 63;
    }

    void showingOrHidingALineRepaintsItsRectangleOnly()
    {
        QFETCH(int, k);
        QFETCH(int, j);
        WindowFixture f;
        f.startRun();
        settle();
        BranchLine *line = f.controls().tree.line(k, j);
        for (const bool shown : {false, true}) {
            PaintSpy spy;
            spy.window = &f.window();
            qApp->installEventFilter(&spy);
            line->setVisible(shown);
            settle();
            qApp->removeEventFilter(&spy);
            QVERIFY(spy.names().contains(QStringLiteral("BranchLines")));
            QCOMPARE(spy.all() - line->box(), QRegion());
        }
    }

    void recolouredNodesAskForTheirOwnRectanglesOnly_data()
    {
        QTest::addColumn<QList<QPoint>>("nodes"); // level, index
        QTest::newRow("one") << QList<QPoint>{{3, 0}};
        QTest::newRow("four, as a payoff node's inspection and a decision") << QList<QPoint>{{1, 0}, {2, 1}, {4, 2}, {7, 40}};
        QTest::newRow("a whole level") << [] {
            QList<QPoint> all;
            for (int i = 0; i < 64; ++i)
                all << QPoint(7, i);
            return all;
        }();
    }

    // No line, and nothing of the window beneath, is repainted for a node's new colour.
    void recolouredNodesAskForTheirOwnRectanglesOnly()
    {
        QFETCH(QList<QPoint>, nodes);
        WindowFixture f;
        f.startRun();
        settle();
        PaintSpy spy;
        spy.window = &f.window();
        qApp->installEventFilter(&spy);
        QRegion expected;
        QStringList expectedNames;
        for (const QPoint &n : nodes) {
            NodeButton *node = f.node(n.x(), n.y());
            node->setBackColor(QStringLiteral("&H808080"));
            expected += node->geometry();
            expectedNames << node->objectName();
        }
        settle();
        qApp->removeEventFilter(&spy);
        QStringList painted = spy.names();
        painted.sort();
        expectedNames.sort();
        QCOMPARE(painted, expectedNames);
        QCOMPARE(spy.all(), expected);
    }

    // The tree appears at Start in one paint of the window; what is on screen then is
    // what the controls draw, and every node is opaque again after it, so that a new
    // colour repaints nothing beneath it.
    void theTreeAppearsOnScreenAsItsControlsDrawIt()
    {
        WindowFixture f;
        f.confirmAndGoAhead();
        settle();
        f.click(f.controls().Start);
        settle();
        QWidget &window = f.window();
        const QImage onScreen = window.screen()->grabWindow(window.winId()).toImage();
        const QImage drawn = window.grab().toImage();
        QCOMPARE(onScreen.size(), drawn.size());
        QCOMPARE(onScreen.convertToFormat(QImage::Format_RGB32), drawn.convertToFormat(QImage::Format_RGB32));
        for (int level = 1; level <= TreeModel::PayoffLevel; ++level)
            for (int i = 0; i < TreeModel::nodesOnLevel(level); ++i)
                QVERIFY(f.node(level, i)->testAttribute(Qt::WA_OpaquePaintEvent));
    }

    void theLinesWidgetLiesUnderEveryNodeAndCoversTheLines()
    {
        WindowFixture f;
        f.startRun();
        const TreeControls &tree = f.controls().tree;
        const QObjectList children = f.window().children();
        const qsizetype lines = children.indexOf(tree.lines());
        QVERIFY(lines >= 0);
        for (int level = 1; level <= TreeModel::PayoffLevel; ++level)
            for (int i = 0; i < TreeModel::nodesOnLevel(level); ++i)
                QVERIFY(lines < children.indexOf(f.node(level, i)));
        for (int k = 1; k < TreeModel::PayoffLevel; ++k)
            for (int j = 0; j < TreeModel::nodesOnLevel(k + 1); ++j)
                QVERIFY(tree.lines()->geometry().contains(tree.line(k, j)->box()));
    }

    // The window's union of its opaque nodes is rebuilt at a repaint after any control is
    // shown, hidden or moved; in the rows' order on screen each node is appended to it.
    void nodesFollowOneAnotherInTheirRowsOrderOnScreen()
    {
        WindowFixture f;
        f.startRun();
        QList<QRect> rows;
        for (QObject *child : f.window().children())
            if (auto *node = qobject_cast<NodeButton *>(child))
                rows << node->geometry();
        QCOMPARE(rows.size(), 127);
        for (qsizetype i = 1; i < rows.size(); ++i) {
            const QRect &before = rows.at(i - 1), &after = rows.at(i);
            const bool sameRow = after.top() == before.top();
            QVERIFY2(sameRow ? after.left() > before.right() : after.top() > before.bottom(),
                     qPrintable(QString::number(i)));
        }
    }

    // The lines' widget is on screen while any line is: not on the parameter screen,
    // not between the experiment's end and the window's close.
    void theLinesWidgetIsVisibleWhileAnyLineIsShown()
    {
        WindowFixture f;
        BranchLines *lines = f.controls().tree.lines();
        QVERIFY(!lines->isVisible());
        f.startRun();
        QVERIFY(lines->isVisible());
        for (int k = 1; k < TreeModel::PayoffLevel; ++k)
            for (int j = 0; j < TreeModel::nodesOnLevel(k + 1); ++j)
                f.controls().tree.line(k, j)->hide();
        QVERIFY(!lines->isVisible());
        f.controls().tree.line(2, 3)->show();
        QVERIFY(lines->isVisible());
        QVERIFY(f.controls().tree.line(2, 3)->isVisible());
        QVERIFY(!f.controls().tree.line(2, 2)->isVisible());
    }
};

DT_GUI_TEST_MAIN(TestBranchLines)
#include "TestBranchLines.moc"
