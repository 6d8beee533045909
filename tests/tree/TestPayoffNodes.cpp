#include "GuiTestMain.h"
#include "WindowFixture.h"

#include "tree/widgets/NodeButton.h"
#include "window/widgets/Controls.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

// Inspecting payoff nodes: the p record, the payoff on the message line, the white
// node, the frames it closes, and the node it leaves behind.
class TestPayoffNodes : public QObject
{
    Q_OBJECT

    static QString blanks(int n) { return QString(n, QLatin1Char(' ')); }
    static QString pound() { return QString(QChar(0x00A3)); }

    static QString payoffMessage(const QString &payoff)
    {
        return blanks(13) + QStringLiteral("The PAYOFF at the currently white node is ") + payoff
            + QLatin1Char('.');
    }

private slots:
    // A payoff click logs the node, shows its payoff as "£n", "£0" or "-£n", turns it
    // white and leaves the walk, and the instructions still on screen, as they were.
    void payoffClickShowsThePayoff_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("payoff");

        // Clicked at 2.5 s, which the log rounds to the even 2.
        QTest::newRow("p(0) pays nothing") << 0 << QByteArray("2 p                   0\r\n") << pound() + "0";
        QTest::newRow("p(1) pays 2") << 1 << QByteArray("2 p                   1\r\n") << pound() + "2";
        QTest::newRow("p(9) loses 10") << 9 << QByteArray("2 p                   9\r\n") << "-" + pound() + "10";
        QTest::newRow("p(20) pays 21") << 20 << QByteArray("2 p                   20\r\n") << pound() + "21";
        QTest::newRow("p(63) pays nothing") << 63 << QByteArray("2 p                   63\r\n") << pound() + "0";
    }

    void payoffClickShowsThePayoff()
    {
        QFETCH(int, index);
        QFETCH(QByteArray, record);
        QFETCH(QString, payoff);

        WindowFixture f;
        const Controls &c = f.controls();
        f.startRun();
        QVERIFY(c.Welcome->isVisible());
        f.at(2.5);
        const QByteArray before = f.log();
        f.clickNode(7, index);

        QCOMPARE(f.since(before), record);
        QCOMPARE(c.Payoffs->text(), payoffMessage(payoff));
        QCOMPARE(f.node(7, index)->backColor(), QStringLiteral("&H00FFFFFF"));
        QVERIFY(c.Welcome->isVisible());
        QVERIFY(!c.NotepadContainer->isVisible());
        QVERIFY(!c.DecisionBox->isVisible());
        QVERIFY(!c.NatureBox->isVisible());
        QCOMPARE(f.window().state().ReachedLevel, qint16(1));
        QCOMPARE(f.window().state().PathNode[1], qint16(0));
        QCOMPARE(f.window().state().NoteLevel, qint16(7));
        QCOMPARE(f.window().state().NoteIndex, qint16(index));
        // The move is offered again only from a click on d1.
        f.clickNode(1, 0);
        QVERIFY(c.DecisionBox->isVisible());
        QVERIFY(!c.Welcome->isVisible());
    }

    // The node inspected before a payoff click is left like any other: a decision or
    // chance node logs its text, gets its colour back and keeps its text; a payoff node
    // turns yellow again with no NotepadContents record. The frames close, and a Welcome
    // already put away stays away.
    void payoffClickLeavesTheNodeBefore_data()
    {
        QTest::addColumn<int>("fromLevel");
        QTest::addColumn<int>("fromIndex");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("payoff");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("d1 with its DecisionBox") << 1 << 0 << "d1 note" << 40 << pound() + "41"
            << QByteArray("6 p                   40\r\n"
                          "6 NotepadContents     1 0 d1 note\r\n");
        QTest::newRow("c2(5) ahead, empty") << 4 << 5 << QString() << 22 << pound() + "23"
            << QByteArray("6 p                   22\r\n"
                          "6 NotepadContents     4 5 \r\n");
        QTest::newRow("c3(15) ahead") << 6 << 15 << "below" << 31 << pound() + "32"
            << QByteArray("6 p                   31\r\n"
                          "6 NotepadContents     6 15 below\r\n");
        QTest::newRow("another payoff node") << 7 << 5 << QString() << 6 << "-" + pound() + "7"
            << QByteArray("6 p                   6\r\n");
        QTest::newRow("the same payoff node") << 7 << 5 << QString() << 5 << pound() + "6"
            << QByteArray("6 p                   5\r\n");
    }

    void payoffClickLeavesTheNodeBefore()
    {
        QFETCH(int, fromLevel);
        QFETCH(int, fromIndex);
        QFETCH(QString, typed);
        QFETCH(int, index);
        QFETCH(QString, payoff);
        QFETCH(QByteArray, expected);

        WindowFixture f;
        const Controls &c = f.controls();
        f.startRun();
        f.at(1);
        f.clickNode(fromLevel, fromIndex);
        if (fromLevel < 7)
            QTest::keyClicks(c.Notepad, typed);
        const bool welcome = c.Welcome->isVisible();
        f.at(6);
        const QByteArray before = f.log();
        f.clickNode(7, index);

        QCOMPARE(f.since(before), expected);
        QCOMPARE(f.node(7, index)->backColor(), QStringLiteral("&H00FFFFFF"));
        if (fromLevel != 7 || fromIndex != index)
            QCOMPARE(f.node(fromLevel, fromIndex)->backColor(),
                     WindowFixture::levelColour(fromLevel));
        if (fromLevel < 7)
            QCOMPARE(f.window().state().NoteTexts[fromLevel][fromIndex], typed);
        QVERIFY(!c.NotepadContainer->isVisible());
        QVERIFY(!c.DecisionBox->isVisible());
        QVERIFY(!c.NatureBox->isVisible());
        QCOMPARE(c.Welcome->isVisible(), welcome);
        QCOMPARE(c.Payoffs->text(), payoffMessage(payoff));
    }

    // The payoff node reached is inspected like any other: its click replaces the
    // realised payoff on the message line, logs the text of the chance node left behind
    // and leaves that node grey; clicking it again logs only the p record.
    void reachedPayoffNodeIsInspectedLikeAnyOther_data()
    {
        QTest::addColumn<QList<bool>>("moves");
        QTest::addColumn<int>("reached");
        QTest::addColumn<QString>("payoff");
        QTest::addColumn<QByteArray>("expected");

        const bool L = false, R = true;
        QTest::newRow("p(62) after Left at c3(31)") << QList<bool>{R, R, R, R, R, L} << 62
            << pound() + "63"
            << QByteArray("50 p                   62\r\n"
                          "50 NotepadContents     6 31 last one\r\n");
        QTest::newRow("p(3) after Right at c3(1)") << QList<bool>{L, L, L, L, R, R} << 3
            << "-" + pound() + "4"
            << QByteArray("50 p                   3\r\n"
                          "50 NotepadContents     6 1 last one\r\n");
    }

    void reachedPayoffNodeIsInspectedLikeAnyOther()
    {
        QFETCH(QList<bool>, moves);
        QFETCH(int, reached);
        QFETCH(QString, payoff);
        QFETCH(QByteArray, expected);

        WindowFixture f;
        const Controls &c = f.controls();
        f.startRun();
        f.playMoves(moves, QStringLiteral("last one"));
        QCOMPARE(f.window().state().ReachedLevel, qint16(7));
        const int chanceNode = reached / 2;
        f.at(50);
        QByteArray before = f.log();
        f.clickNode(7, reached);

        QCOMPARE(f.since(before), expected);
        QCOMPARE(c.Payoffs->text(), payoffMessage(payoff));
        QCOMPARE(f.node(7, reached)->backColor(), QStringLiteral("&H00FFFFFF"));
        QCOMPARE(f.node(6, chanceNode)->backColor(), QStringLiteral("&H808080"));
        QVERIFY(!f.node(6, chanceNode)->isEnabled());
        QCOMPARE(f.window().state().ReachedLevel, qint16(7));
        QVERIFY(c.Continue->isVisible());

        f.at(51);
        before = f.log();
        f.clickNode(7, reached);
        QCOMPARE(f.since(before), QByteArray("51 p                   ") + QByteArray::number(reached) + "\r\n");
        QCOMPARE(f.node(7, reached)->backColor(), QStringLiteral("&H00FFFFFF"));
    }
};

DT_GUI_TEST_MAIN(TestPayoffNodes)
#include "TestPayoffNodes.moc"
