#include "GuiTestMain.h"
#include "WindowFixture.h"

#include "tree/widgets/BranchLine.h"
#include "tree/widgets/NodeButton.h"
#include "tree/logic/TreeModel.h"
#include "window/widgets/Controls.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>

// The tree as the subject sees it: the starting state after a reset, the geometry in
// pixels at 96 DPI, and the exact colours on screen.
class TestTreeDisplay : public QObject
{
    Q_OBJECT

    static QColor pixelAtCentre(WindowFixture &f, int level, int index)
    {
        const QImage image = f.window().grab().toImage();
        const QRect r = f.node(level, index)->geometry();
        return image.pixelColor(r.center());
    }

private slots:
    void resetShowsEveryNodeInPlay()
    {
        WindowFixture f;
        f.confirmAndGoAhead();
        f.click(f.controls().Start);
        const QStringList tips = {QString(),
                                  QStringLiteral("This is a decision node. Click to open the Notepad."),
                                  QStringLiteral("This is a chance node. Click to open the Notepad."),
                                  QStringLiteral("This is a decision node. Click to open the Notepad."),
                                  QStringLiteral("This is a chance node. Click to open the Notepad."),
                                  QStringLiteral("This is a decision node. Click to open the Notepad."),
                                  QStringLiteral("This is a chance node. Click to open the Notepad."),
                                  QStringLiteral("This is a payoff node. Click to see the payoff.")};
        const QStringList colours = {QString(), "&HC000", "&HFF", "&HC000", "&HFF", "&HC000", "&HFF", "&H0000FFFF"};
        for (int level = 1; level <= 7; ++level) {
            for (int i = 0; i < TreeModel::nodesOnLevel(level); ++i) {
                NodeButton *n = f.node(level, i);
                QVERIFY(n->isVisible());
                QVERIFY(n->isEnabled());
                QCOMPARE(n->toolTip(), tips[level]);
                QCOMPARE(n->backColor(), colours[level]);
                QCOMPARE(n->cursor().shape(), Qt::CrossCursor);
                QCOMPARE(n->size(), QSize(13, 13)); // 9.75 points
                if (level > 1)
                    QVERIFY(f.controls().tree.line(level - 1, i)->isVisible());
            }
        }
        QVERIFY(!f.controls().Start->isVisible());
        QCOMPARE(f.controls().Payoffs->text(),
                 QStringLiteral("Click on any payoff (yellow) node to find the payoff at that node."));
    }

    void nodesAndLinesStandWhereTheLevelTableSays_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("index");
        QTest::addColumn<QPoint>("topLeft");
        // Points times 4/3, rounded: c1(1) Left 573 Top 355; d1 381, 410; p(63) 759, 30.
        QTest::newRow("d1") << 1 << 0 << QPoint(508, 547);
        QTest::newRow("c1(1)") << 2 << 1 << QPoint(764, 473);
        QTest::newRow("d2(0)") << 3 << 0 << QPoint(124, 387);
        QTest::newRow("c3(31)") << 6 << 31 << QPoint(1004, 127);
        QTest::newRow("p(0)") << 7 << 0 << QPoint(4, 40);
        QTest::newRow("p(63)") << 7 << 63 << QPoint(1012, 40);
    }

    void nodesAndLinesStandWhereTheLevelTableSays()
    {
        QFETCH(int, level);
        QFETCH(int, index);
        QFETCH(QPoint, topLeft);
        WindowFixture f;
        f.confirmAndGoAhead();
        f.click(f.controls().Start);
        QCOMPARE(f.node(level, index)->pos(), topLeft);
    }

    void linesRunFromTheParentsTopToTheChildsBottom()
    {
        WindowFixture f;
        f.confirmAndGoAhead();
        f.click(f.controls().Start);
        const double k = 4.0 / 3.0;
        QCOMPARE(f.controls().tree.line(1, 1)->ends(),
                 QLineF(385.875 * k, 410 * k, 577.875 * k, 364.75 * k));
        QCOMPARE(f.controls().tree.line(6, 63)->ends(),
                 QLineF(757.875 * k, 95 * k, 763.875 * k, 39.75 * k));
        // Lines lie under the buttons: every line is created before every node.
        const QObjectList children = f.window().children();
        QVERIFY(children.indexOf(f.controls().tree.line(6, 63)) < children.indexOf(f.node(1, 0)));
    }

    void faceColoursAreExactInEveryStyle_data()
    {
        QTest::addColumn<QString>("style");
        for (const QString &key : QStyleFactory::keys())
            QTest::newRow(qPrintable(key)) << key;
    }

    void faceColoursAreExactInEveryStyle()
    {
        QFETCH(QString, style);
        WindowFixture f;
        std::unique_ptr<QStyle> s(QStyleFactory::create(style));
        for (int level = 1; level <= 7; ++level)
            for (int i = 0; i < TreeModel::nodesOnLevel(level); ++i)
                f.node(level, i)->setStyle(s.get());
        f.confirmAndGoAhead();
        f.click(f.controls().Start);
        QCOMPARE(pixelAtCentre(f, 1, 0), QColor(0, 192, 0));
        QCOMPARE(pixelAtCentre(f, 2, 1), QColor(255, 0, 0));
        QCOMPARE(pixelAtCentre(f, 7, 40), QColor(255, 255, 0));

        f.clickNode(7, 40);
        QCOMPARE(pixelAtCentre(f, 7, 40), QColor(255, 255, 255));

        // Left at d1 marks out the right half: grey, and grey although disabled.
        f.clickNode(1, 0);
        f.controls().MoveLeft->click();
        f.click(f.controls().ConfirmDecision);
        QVERIFY(!f.node(2, 1)->isEnabled());
        QCOMPARE(pixelAtCentre(f, 2, 1), QColor(128, 128, 128));
        QCOMPARE(pixelAtCentre(f, 1, 0), QColor(128, 128, 128));
        QCOMPARE(pixelAtCentre(f, 7, 63), QColor(128, 128, 128));
        QCOMPARE(pixelAtCentre(f, 2, 0), QColor(255, 0, 0));
        for (int level = 1; level <= 7; ++level)
            for (int i = 0; i < TreeModel::nodesOnLevel(level); ++i)
                f.node(level, i)->setStyle(nullptr);
    }

    void edgesLookRaisedAndSunkenWhilePressed_data()
    {
        QTest::addColumn<bool>("pressed");
        QTest::newRow("raised") << false;
        QTest::newRow("pressed") << true;
    }

    // A one-pixel edge around the face: light above and to the left, dark below and to
    // the right (the two far corners dark too); the other way round while pressed.
    void edgesLookRaisedAndSunkenWhilePressed()
    {
        QFETCH(bool, pressed);
        WindowFixture f;
        f.confirmAndGoAhead();
        f.click(f.controls().Start);
        NodeButton *node = f.node(2, 1);
        node->setDown(pressed);
        const QImage image = node->grab().toImage();
        const QColor light(255, 255, 255), dark(64, 64, 64);
        const QColor upperLeft = pressed ? dark : light, lowerRight = pressed ? light : dark;
        const int last = 12;
        QCOMPARE(image.size(), QSize(13, 13));
        for (int i = 0; i < last; ++i) {
            QCOMPARE(image.pixelColor(i, 0), upperLeft);
            QCOMPARE(image.pixelColor(0, i), upperLeft);
            QCOMPARE(image.pixelColor(i + 1, last), lowerRight);
            QCOMPARE(image.pixelColor(last, i + 1), lowerRight);
        }
        QCOMPARE(image.pixelColor(last, 0), lowerRight);
        QCOMPARE(image.pixelColor(0, last), lowerRight);
        for (int y = 1; y < last; ++y)
            for (int x = 1; x < last; ++x)
                QCOMPARE(image.pixelColor(x, y), QColor(255, 0, 0));
    }

    void aNodeRepaintsAloneWithoutWhatLiesBeneath_data()
    {
        QTest::addColumn<QString>("style");
        QTest::newRow("the window's") << QString();
        for (const QString &key : QStyleFactory::keys())
            QTest::newRow(qPrintable(key)) << key;
    }

    // A node's face covers it whole: recolouring 127 nodes at a reset must not also
    // repaint the window and the branch lines under each of them.
    void aNodeRepaintsAloneWithoutWhatLiesBeneath()
    {
        QFETCH(QString, style);
        WindowFixture f;
        std::unique_ptr<QStyle> s(style.isEmpty() ? nullptr : QStyleFactory::create(style));
        f.confirmAndGoAhead();
        f.click(f.controls().Start);
        NodeButton *node = f.node(3, 0);
        if (s)
            node->setStyle(s.get());
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();

        struct PaintSpy : QObject {
            QStringList painted;
            bool eventFilter(QObject *o, QEvent *e) override
            {
                if (e->type() == QEvent::Paint)
                    painted << o->objectName();
                return false;
            }
        } spy;
        qApp->installEventFilter(&spy);
        node->setBackColor(QStringLiteral("&H808080"));
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        qApp->removeEventFilter(&spy);
        node->setStyle(nullptr);
        QCOMPARE(spy.painted, QStringList{QStringLiteral("d2(0)")});
    }

    void eachNodeCarriesANameForScreenReaders_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::newRow("d1") << 1 << 0 << "Decision node, the only node at the first decision level";
        QTest::newRow("c3(5)") << 6 << 5 << "Chance node 6 at the third chance level";
        QTest::newRow("d2(0)") << 3 << 0 << "Decision node 1 at the second decision level";
        QTest::newRow("p(63)") << 7 << 63 << "Payoff node 64 of 64";
    }

    void eachNodeCarriesANameForScreenReaders()
    {
        QFETCH(int, level);
        QFETCH(int, index);
        QFETCH(QString, name);
        WindowFixture f;
        QCOMPARE(f.node(level, index)->accessibleName(), name);
    }

    void aSecondAttemptStartsFromAFreshTree()
    {
        WindowFixture f;
        f.confirmAndGoAhead();
        f.click(f.controls().Start);
        for (int level : {1, 3, 5}) {
            f.clickNode(level, 0);
            f.controls().MoveLeft->click();
            f.click(f.controls().ConfirmDecision);
            f.clickNode(level + 1, 0);
            f.click(f.controls().NatureMove);
        }
        QCOMPARE(f.node(1, 0)->backColor(), QStringLiteral("&H808080"));
        f.click(f.controls().Continue);
        f.click(f.controls().NextAttempt);
        QCOMPARE(f.window().state().ReachedLevel, qint16(1));
        QCOMPARE(f.node(1, 0)->backColor(), QStringLiteral("&HC000"));
        QVERIFY(f.node(1, 0)->isEnabled());
        QCOMPARE(pixelAtCentre(f, 7, 63), QColor(255, 255, 0));
    }
};

DT_GUI_TEST_MAIN(TestTreeDisplay)
#include "TestTreeDisplay.moc"
