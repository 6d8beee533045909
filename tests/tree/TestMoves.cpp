#include "GuiTestMain.h"
#include "WindowFixture.h"

#include "tree/widgets/NodeButton.h"
#include "window/widgets/Controls.h"
#include "window/logic/RunState.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSet>

#include <cmath>

// The moves up the tree: the subject's decision and Nature's draw, what each writes to
// the log and shows, the branches they mark out, the payoff reached at the top and the
// go-ahead file written after the first attempt.
class TestMoves : public QObject
{
    Q_OBJECT

    static QString blanks(int n) { return QString(n, QLatin1Char(' ')); }
    static QString pound() { return QString(QChar(0x00A3)); }

    static int nodesOn(int level) { return 1 << (level - 1); }

    // "d1 0; d2 0-1,3; p 0-31" -> the nodes named, as level * 100 + index.
    static QSet<int> nodeSet(const QString &text)
    {
        static const QStringList names = {QString(), "d1", "c1", "d2", "c2", "d3", "c3", "p"};
        QSet<int> nodes;
        for (const QString &part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QStringList words = part.trimmed().split(QLatin1Char(' '));
            const int level = int(names.indexOf(words.at(0)));
            for (const QString &range : words.at(1).split(QLatin1Char(','))) {
                const QStringList ends = range.split(QLatin1Char('-'));
                const int first = ends.first().toInt();
                const int last = ends.last().toInt();
                for (int i = first; i <= last; ++i)
                    nodes.insert(level * 100 + i);
            }
        }
        return nodes;
    }

    // Exactly the nodes named are grey and disabled; every other node shows its level
    // colour and can be clicked.
    static void verifyMarkedOut(WindowFixture &f, const QString &markedOut)
    {
        const QSet<int> grey = nodeSet(markedOut);
        QVERIFY(!grey.isEmpty());
        for (int level = 1; level <= 7; ++level) {
            for (int i = 0; i < nodesOn(level); ++i) {
                const NodeButton *n = f.node(level, i);
                const QByteArray name = QByteArray::number(level) + "/" + QByteArray::number(i);
                if (grey.contains(level * 100 + i)) {
                    QVERIFY2(n->backColor() == QLatin1String("&H808080"), name + " is not grey");
                    QVERIFY2(!n->isEnabled(), name + " is still enabled");
                } else {
                    QVERIFY2(n->backColor() == WindowFixture::levelColour(level),
                             name + " lost its level colour");
                    QVERIFY2(n->isEnabled(), name + " is disabled");
                }
            }
        }
    }

    struct Snapshot
    {
        QByteArray log;
        RunState state;
        int draws = 0;
        qsizetype boxes = 0;
        QStringList colours;
        QList<bool> enabled;
        QList<bool> frames;
        QString payoffs;
    };

    static Snapshot snapshot(WindowFixture &f)
    {
        const Controls &c = f.controls();
        Snapshot s{f.log(), f.window().state(), f.random.drawCount, f.boxes.shown.size(), {}, {}, {}, c.Payoffs->text()};
        for (int level = 1; level <= 7; ++level) {
            for (int i = 0; i < nodesOn(level); ++i) {
                s.colours << f.node(level, i)->backColor();
                s.enabled << f.node(level, i)->isEnabled();
            }
        }
        s.frames = {c.NotepadContainer->isVisible(), c.DecisionBox->isVisible(),
                    c.NatureBox->isVisible(), c.Continue->isVisible()};
        return s;
    }

private slots:
    // Confirming with no option chosen keeps the typed text for the node and nothing
    // else: no record, no move, both frames still open.
    void confirmWithoutAChoiceOnlyKeepsTheText_data()
    {
        QTest::addColumn<QList<bool>>("moves");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("index");

        const bool L = false, R = true;
        QTest::newRow("d1") << QList<bool>{} << 1 << 0;
        QTest::newRow("d2(2)") << QList<bool>{R, L} << 3 << 2;
        QTest::newRow("d3(10)") << QList<bool>{R, L, R, L} << 5 << 10;
    }

    void confirmWithoutAChoiceOnlyKeepsTheText()
    {
        QFETCH(QList<bool>, moves);
        QFETCH(int, level);
        QFETCH(int, index);

        WindowFixture f;
        const Controls &c = f.controls();
        f.startRun();
        f.playMoves(moves);
        f.clickNode(level, index);
        QTest::keyClicks(c.Notepad, QStringLiteral("not sure yet"));
        const QByteArray before = f.log();
        const QString message = c.Payoffs->text();
        f.click(c.ConfirmDecision);

        QCOMPARE(f.log(), before);
        QCOMPARE(f.window().state().NoteTexts[level][index], QStringLiteral("not sure yet"));
        QVERIFY(c.DecisionBox->isVisible());
        QVERIFY(c.NotepadContainer->isVisible());
        QCOMPARE(c.Notepad->toPlainText(), QStringLiteral("not sure yet"));
        QCOMPARE(f.node(level, index)->backColor(), QStringLiteral("&H00FFFFFF"));
        QVERIFY(f.node(level, index)->isEnabled());
        QCOMPARE(f.window().state().ReachedLevel, qint16(level));
        QCOMPARE(c.Payoffs->text(), message);
    }

    // A confirmed decision logs the side with the node, moves the subject to the chosen
    // chance node and marks out exactly the branch not taken and the node left.
    void decisionMarksOutTheBranchNotTaken_data()
    {
        QTest::addColumn<QList<bool>>("moves");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("right");
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("markedOut");

        const bool L = false, R = true;
        const QString left = blanks(29) + "You have just moved left.";
        const QString right = blanks(28) + "You have just moved right.";
        QTest::newRow("Left at d1") << QList<bool>{} << 1 << 0 << false
            << QByteArray("30 ConfirmDecision     L 1 0\r\n") << left << 0
            << "d1 0; c1 1; d2 2-3; c2 4-7; d3 8-15; c3 16-31; p 32-63";
        QTest::newRow("Right at d1") << QList<bool>{} << 1 << 0 << true
            << QByteArray("30 ConfirmDecision     R 1 0\r\n") << right << 1
            << "d1 0; c1 0; d2 0-1; c2 0-3; d3 0-7; c3 0-15; p 0-31";
        QTest::newRow("Left at d2(1)") << QList<bool>{L, R} << 3 << 1 << false
            << QByteArray("30 ConfirmDecision     L 3 1\r\n") << left << 2
            << "d1 0; c1 0-1; d2 0-3; c2 0-1,3-7; d3 0-3,6-15; c3 0-7,12-31; p 0-15,24-63";
        QTest::newRow("Right at d2(3)") << QList<bool>{R, R} << 3 << 3 << true
            << QByteArray("30 ConfirmDecision     R 3 3\r\n") << right << 7
            << "d1 0; c1 0-1; d2 0-3; c2 0-6; d3 0-13; c3 0-27; p 0-55";
        QTest::newRow("Left at d3(0)") << QList<bool>{L, L, L, L} << 5 << 0 << false
            << QByteArray("30 ConfirmDecision     L 5 0\r\n") << left << 0
            << "d1 0; c1 0-1; d2 0-3; c2 0-7; d3 0-15; c3 1-31; p 2-63";
        QTest::newRow("Right at d3(15)") << QList<bool>{R, R, R, R} << 5 << 15 << true
            << QByteArray("30 ConfirmDecision     R 5 15\r\n") << right << 31
            << "d1 0; c1 0-1; d2 0-3; c2 0-7; d3 0-15; c3 0-30; p 0-61";
    }

    void decisionMarksOutTheBranchNotTaken()
    {
        QFETCH(QList<bool>, moves);
        QFETCH(int, level);
        QFETCH(int, index);
        QFETCH(bool, right);
        QFETCH(QByteArray, record);
        QFETCH(QString, message);
        QFETCH(int, chosen);
        QFETCH(QString, markedOut);

        WindowFixture f;
        const Controls &c = f.controls();
        f.startRun();
        f.playMoves(moves);
        QCOMPARE(f.window().state().ReachedLevel, qint16(level));
        QCOMPARE(f.window().state().PathNode[level], qint16(index));
        f.clickNode(level, index);
        QTest::keyClicks(c.Notepad, QStringLiteral("why not"));
        QTest::mouseClick(right ? c.MoveRight : c.MoveLeft, Qt::LeftButton);
        f.at(30);
        const QByteArray before = f.log();
        f.click(c.ConfirmDecision);

        QCOMPARE(f.since(before), record);
        QCOMPARE(c.Payoffs->text(), message);
        QCOMPARE(c.Payoffs->text().size(), 54);
        QCOMPARE(f.window().state().ReachedLevel, qint16(level + 1));
        QCOMPARE(f.window().state().PathNode[level + 1], qint16(chosen));
        QCOMPARE(f.window().state().NoteTexts[level][index], QStringLiteral("why not"));
        QVERIFY(!c.DecisionBox->isVisible());
        QVERIFY(!c.NotepadContainer->isVisible());
        QVERIFY(!c.NatureBox->isVisible());
        QVERIFY(!c.MoveLeft->isChecked());
        QVERIFY(!c.MoveRight->isChecked());
        verifyMarkedOut(f, markedOut);
    }

    // Nature's move logs the side with the chance node, moves to the drawn child and
    // marks out exactly the branch not drawn and the chance node left.
    void natureMarksOutTheBranchNotDrawn_data()
    {
        QTest::addColumn<QList<bool>>("moves");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("index");
        QTest::addColumn<float>("draw");
        QTest::addColumn<QByteArray>("records");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("markedOut");

        const bool L = false, R = true;
        QTest::newRow("Left at c1(1)") << QList<bool>{R} << 2 << 1 << 0.25f
            << QByteArray("30 NatureMove          L 2 1\r\n") << 2
            << "d1 0; c1 0-1; d2 0-1,3; c2 0-3,6-7; d3 0-7,12-15; c3 0-15,24-31; p 0-31,48-63";
        QTest::newRow("Right at c1(0)") << QList<bool>{L} << 2 << 0 << 0.75f
            << QByteArray("30 NatureMove          R 2 0\r\n") << 1
            << "d1 0; c1 0-1; d2 0,2-3; c2 0-1,4-7; d3 0-3,8-15; c3 0-7,16-31; p 0-15,32-63";
        QTest::newRow("Right at c2(5)") << QList<bool>{R, L, R} << 4 << 5 << 0.75f
            << QByteArray("30 NatureMove          R 4 5\r\n") << 11
            << "d1 0; c1 0-1; d2 0-3; c2 0-7; d3 0-10,12-15; c3 0-21,24-31; p 0-43,48-63";
        QTest::newRow("Left at c3(31)") << QList<bool>{R, R, R, R, R} << 6 << 31 << 0.25f
            << QByteArray("30 NatureMove          L 6 31\r\n"
                          "30 FinalPayoffNode     62\r\n") << 62
            << "d1 0; c1 0-1; d2 0-3; c2 0-7; d3 0-15; c3 0-31; p 0-61,63";
    }

    void natureMarksOutTheBranchNotDrawn()
    {
        QFETCH(QList<bool>, moves);
        QFETCH(int, level);
        QFETCH(int, index);
        QFETCH(float, draw);
        QFETCH(QByteArray, records);
        QFETCH(int, chosen);
        QFETCH(QString, markedOut);

        WindowFixture f;
        const Controls &c = f.controls();
        f.startRun();
        f.playMoves(moves);
        QCOMPARE(f.window().state().ReachedLevel, qint16(level));
        f.clickNode(level, index);
        QTest::keyClicks(c.Notepad, QStringLiteral("fingers crossed"));
        f.random.draws = {draw};
        f.at(30);
        const QByteArray before = f.log();
        f.click(c.NatureMove);

        QCOMPARE(f.since(before), records);
        QCOMPARE(f.window().state().ReachedLevel, qint16(level + 1));
        QCOMPARE(f.window().state().PathNode[level + 1], qint16(chosen));
        QCOMPARE(f.window().state().NoteTexts[level][index], QStringLiteral("fingers crossed"));
        QVERIFY(!c.NatureBox->isVisible());
        QVERIFY(!c.NotepadContainer->isVisible());
        QVERIFY(!c.DecisionBox->isVisible());
        verifyMarkedOut(f, markedOut);
    }

    // One draw per move; a draw up to and including one half is Left. The announcement
    // box comes after the record is in the file and before the message line changes.
    // The new decision node is left green and enabled with no frame open.
    void natureDrawDecidesTheSide_data()
    {
        QTest::addColumn<QList<bool>>("moves");
        QTest::addColumn<int>("level");
        QTest::addColumn<float>("draw");
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("chosen");

        const bool L = false;
        const QString leftPrompt = "Nature has chosen Left. Click OK to continue...";
        const QString rightPrompt = "Nature has chosen Right. Click OK to continue...";
        const QString left = blanks(32) + "Nature has chosen Left.";
        const QString right = blanks(31) + "Nature has chosen Right.";
        const float aboveHalf = std::nextafter(0.5f, 1.0f);
        const float belowOne = std::nextafter(1.0f, 0.0f);
        QTest::newRow("c1(0) draws zero") << QList<bool>{L} << 2 << 0.0f
            << QByteArray("30 NatureMove          L 2 0\r\n") << leftPrompt << left << 0;
        QTest::newRow("c1(0) draws one half") << QList<bool>{L} << 2 << 0.5f
            << QByteArray("30 NatureMove          L 2 0\r\n") << leftPrompt << left << 0;
        QTest::newRow("c1(0) draws just above one half") << QList<bool>{L} << 2 << aboveHalf
            << QByteArray("30 NatureMove          R 2 0\r\n") << rightPrompt << right << 1;
        QTest::newRow("c2(0) draws one half") << QList<bool>{L, L, L} << 4 << 0.5f
            << QByteArray("30 NatureMove          L 4 0\r\n") << leftPrompt << left << 0;
        QTest::newRow("c2(0) draws just above one half") << QList<bool>{L, L, L} << 4 << aboveHalf
            << QByteArray("30 NatureMove          R 4 0\r\n") << rightPrompt << right << 1;
        QTest::newRow("c2(0) draws just below one") << QList<bool>{L, L, L} << 4 << belowOne
            << QByteArray("30 NatureMove          R 4 0\r\n") << rightPrompt << right << 1;
    }

    void natureDrawDecidesTheSide()
    {
        QFETCH(QList<bool>, moves);
        QFETCH(int, level);
        QFETCH(float, draw);
        QFETCH(QByteArray, record);
        QFETCH(QString, prompt);
        QFETCH(QString, message);
        QFETCH(int, chosen);

        WindowFixture f;
        const Controls &c = f.controls();
        f.startRun();
        f.playMoves(moves);
        f.clickNode(level, 0);
        QVERIFY(c.NatureBox->isVisible());
        const QString chanceMessage = c.Payoffs->text();
        f.random.draws = {draw};
        const int drawsBefore = f.random.drawCount;
        const qsizetype boxesBefore = f.boxes.shown.size();
        f.at(30);
        const QByteArray before = f.log();
        QByteArray logDuringBox;
        QString messageDuringBox;
        f.boxes.onShow = [&](const AnsweringMessageBoxes::Shown &) {
            logDuringBox = f.log();
            messageDuringBox = c.Payoffs->text();
        };
        f.click(c.NatureMove);

        QCOMPARE(f.random.drawCount, drawsBefore + 1);
        QCOMPARE(f.boxes.shown.size(), boxesBefore + 1);
        QVERIFY(!f.boxes.shown.last().warning);
        QCOMPARE(f.boxes.shown.last().title, QStringLiteral("Nature 's Move"));
        QCOMPARE(f.boxes.shown.last().text, prompt);
        QCOMPARE(logDuringBox, before + record);
        QCOMPARE(messageDuringBox, chanceMessage);
        QCOMPARE(f.since(before), record);
        QCOMPARE(c.Payoffs->text(), message);

        QCOMPARE(f.window().state().ReachedLevel, qint16(level + 1));
        QCOMPARE(f.window().state().PathNode[level + 1], qint16(chosen));
        NodeButton *next = f.node(level + 1, chosen);
        QCOMPARE(next->backColor(), QStringLiteral("&HC000"));
        QVERIFY(next->isEnabled());
        QVERIFY(!c.NotepadContainer->isVisible());
        QVERIFY(!c.NatureBox->isVisible());
        QVERIFY(!c.DecisionBox->isVisible());
        QVERIFY(!c.Continue->isVisible());
        // The move is offered at the new node only once the subject clicks it.
        f.clickNode(level + 1, chosen);
        QVERIFY(c.DecisionBox->isVisible());
    }

    // Nature's move at the last chance level: two boxes, the realised payoff on the
    // message line, Continue offered, the payoff kept for the attempt, and the
    // FinalPayoffNode record only after both boxes have been answered.
    void lastChanceMoveRevealsThePayoff_data()
    {
        QTest::addColumn<QList<bool>>("moves");
        QTest::addColumn<int>("index");
        QTest::addColumn<float>("draw");
        QTest::addColumn<QByteArray>("records");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("payoff");
        QTest::addColumn<int>("reached");

        const bool L = false, R = true;
        const QString left = "Nature has chosen Left. Click to find the realised payoff.";
        const QString right = "Nature has chosen Right. Click to find the realised payoff.";
        const QString realised = "The realised Payoff is ";
        // Each box keeps the subject 3 s: the boxes stand at 40 and 43 s, the final
        // record at 46 s.
        QTest::newRow("Left at c3(31) to p(62)") << QList<bool>{R, R, R, R, R} << 31 << 0.25f
            << QByteArray("40 NatureMove          L 6 31\r\n"
                          "46 FinalPayoffNode     62\r\n")
            << left << blanks(35) + realised + pound() + "63." << pound() + "63" << 62;
        QTest::newRow("Right at c3(0) to p(1)") << QList<bool>{L, L, L, L, L} << 0 << 0.75f
            << QByteArray("40 NatureMove          R 6 0\r\n"
                          "46 FinalPayoffNode     1\r\n")
            << right << blanks(34) + realised + pound() + "2." << pound() + "2" << 1;
        QTest::newRow("Left at c3(0) to p(0)") << QList<bool>{L, L, L, L, L} << 0 << 0.0f
            << QByteArray("40 NatureMove          L 6 0\r\n"
                          "46 FinalPayoffNode     0\r\n")
            << left << blanks(35) + realised + pound() + "0." << pound() + "0" << 0;
        QTest::newRow("Right at c3(1) to p(3)") << QList<bool>{L, L, L, L, R} << 1 << 0.75f
            << QByteArray("40 NatureMove          R 6 1\r\n"
                          "46 FinalPayoffNode     3\r\n")
            << right << blanks(34) + realised + "-" + pound() + "4." << "-" + pound() + "4" << 3;
        QTest::newRow("one half at c3(4) to p(8)") << QList<bool>{L, L, R, L, L} << 4 << 0.5f
            << QByteArray("40 NatureMove          L 6 4\r\n"
                          "46 FinalPayoffNode     8\r\n")
            << left << blanks(35) + realised + pound() + "9." << pound() + "9" << 8;
    }

    void lastChanceMoveRevealsThePayoff()
    {
        QFETCH(QList<bool>, moves);
        QFETCH(int, index);
        QFETCH(float, draw);
        QFETCH(QByteArray, records);
        QFETCH(QString, prompt);
        QFETCH(QString, message);
        QFETCH(QString, payoff);
        QFETCH(int, reached);

        WindowFixture f;
        const Controls &c = f.controls();
        f.startRun();
        f.playMoves(moves);
        f.clickNode(6, index);
        QVERIFY(c.NatureBox->isVisible());
        f.random.draws = {draw};
        const int drawsBefore = f.random.drawCount;
        const qsizetype boxesBefore = f.boxes.shown.size();
        f.at(40);
        const QByteArray before = f.log();
        QList<QByteArray> logs;
        QStringList messages;
        QList<bool> continueShown;
        f.boxes.onShow = [&](const AnsweringMessageBoxes::Shown &) {
            logs << f.since(before);
            messages << c.Payoffs->text();
            continueShown << c.Continue->isVisible();
            f.clock.advance(3.0f);
        };
        f.click(c.NatureMove);

        QCOMPARE(f.random.drawCount, drawsBefore + 1);
        QCOMPARE(f.boxes.shown.size(), boxesBefore + 2);
        const AnsweringMessageBoxes::Shown first = f.boxes.shown.at(boxesBefore);
        const AnsweringMessageBoxes::Shown second = f.boxes.shown.at(boxesBefore + 1);
        QVERIFY(!first.warning);
        QCOMPARE(first.title, QStringLiteral("Nature's move"));
        QCOMPARE(first.text, prompt);
        QVERIFY(!second.warning);
        QCOMPARE(second.title, QStringLiteral("Payoff"));
        QCOMPARE(second.text, QStringLiteral("The realised payoff is ") + payoff);

        const QByteArray natureRecord = records.left(records.indexOf("\r\n") + 2);
        QCOMPARE(logs, (QList<QByteArray>{natureRecord, natureRecord}));
        // The message line still names the chance node while the first box is up.
        QCOMPARE(messages.at(0), blanks(12) + "The currently white node is a CHANCE node.");
        QCOMPARE(messages.at(1), message);
        QCOMPARE(continueShown, (QList<bool>{false, false}));

        QCOMPARE(f.since(before), records);
        QCOMPARE(c.Payoffs->text(), message);
        QVERIFY(c.Continue->isVisible());
        QCOMPARE(c.Continue->pos(), QPoint(427, 613)); // Left 320, Top 460 points
        QCOMPARE(f.window().state().ReachedLevel, qint16(7));
        QCOMPARE(f.window().state().PathNode[7], qint16(reached));
        QCOMPARE(f.window().state().AttemptPayoffText.value(1), payoff);
        QCOMPARE(f.node(7, reached)->backColor(), QStringLiteral("&H0000FFFF"));
        QVERIFY(f.node(7, reached)->isEnabled());
        QVERIFY(!c.NatureBox->isVisible());
        QVERIFY(!c.NotepadContainer->isVisible());
    }

    // The go-ahead file gets " 2 " once, when the first attempt reaches its payoff node,
    // after the boxes; later attempts leave it alone.
    void goAheadFileIsWrittenAfterTheFirstAttemptOnly_data()
    {
        QTest::addColumn<int>("attempts");
        QTest::newRow("one attempt") << 1;
        QTest::newRow("three attempts") << 3;
    }

    void goAheadFileIsWrittenAfterTheFirstAttemptOnly()
    {
        QFETCH(int, attempts);

        WindowFixture f;
        const Controls &c = f.controls();
        c.NumberAttemptsInput->setText(QString::number(attempts));
        f.startRun();
        const QString goAhead = QStringLiteral("okto.go");
        QCOMPARE(f.readFile(goAhead), QByteArray("1\r\n"));
        QCOMPARE(f.window().state().GoValue, qint16(1));

        QByteArray expected = "1\r\n";
        for (int attempt = 1; attempt <= attempts; ++attempt) {
            f.playMoves({false, true, false, true, false});
            QCOMPARE(f.readFile(goAhead), expected);
            f.clickNode(6, 10);
            QList<QByteArray> duringBoxes;
            f.boxes.onShow = [&](const AnsweringMessageBoxes::Shown &) {
                duringBoxes << f.readFile(goAhead);
            };
            f.click(c.NatureMove);
            f.boxes.onShow = nullptr;
            QCOMPARE(duringBoxes, (QList<QByteArray>{expected, expected}));
            if (attempt == 1)
                expected = " 2 \r\n";
            QCOMPARE(f.readFile(goAhead), expected);
            QCOMPARE(f.window().state().GoValue, qint16(2));
            f.click(c.Continue);
            if (attempt < attempts) {
                // The experimenter's own value stays until the end of the run.
                expected = "7\r\n";
                f.writeFile(goAhead, expected);
                f.click(c.NextAttempt);
            }
        }
        QCOMPARE(f.readFile(goAhead), expected);
    }

    // A go-ahead file that cannot be written costs only that file: the attempt ends as
    // usual and the log holds every record of it.
    void unwritableGoAheadFileLeavesTheAttemptComplete()
    {
        WindowFixture f;
        const Controls &c = f.controls();
        f.confirmAndGoAhead();
        f.at(1);
        f.click(c.Start);
        QVERIFY(QFile::remove(f.dataPath(QStringLiteral("okto.go"))));
        QVERIFY(QDir().mkdir(f.dataPath(QStringLiteral("okto.go"))));

        int t = 2;
        for (int level = 1; level <= 6; ++level) {
            f.at(t++);
            f.clickNode(level, 0);
            f.at(t++);
            if (level % 2 == 1) {
                c.MoveLeft->click();
                f.click(c.ConfirmDecision);
            } else {
                f.random.draws = {0.25f};
                f.click(c.NatureMove);
            }
        }
        QVERIFY(c.Continue->isVisible());
        QCOMPARE(f.window().state().ReachedLevel, qint16(7));
        QCOMPARE(f.window().state().AttemptPayoffText.value(1), pound() + "0");
        QCOMPARE(f.window().state().GoValue, qint16(2));
        QVERIFY(QFileInfo(f.dataPath(QStringLiteral("okto.go"))).isDir());
        f.at(14);
        f.clickNode(7, 0);
        f.at(15);
        f.click(c.Continue);
        QVERIFY(c.NextAttempt->isVisible());

        const QByteArray log = f.log();
        const QByteArray records = log.mid(log.indexOf("\r\n") + 2);
        QCOMPARE(records, QByteArray("1 Start\r\n"
                                     "2 d1                  0\r\n"
                                     "3 ConfirmDecision     L 1 0\r\n"
                                     "4 c1                  0\r\n"
                                     "4 NotepadContents     1 0 \r\n"
                                     "5 NatureMove          L 2 0\r\n"
                                     "6 d2                  0\r\n"
                                     "6 NotepadContents     2 0 \r\n"
                                     "7 ConfirmDecision     L 3 0\r\n"
                                     "8 c2                  0\r\n"
                                     "8 NotepadContents     3 0 \r\n"
                                     "9 NatureMove          L 4 0\r\n"
                                     "10 d3                  0\r\n"
                                     "10 NotepadContents     4 0 \r\n"
                                     "11 ConfirmDecision     L 5 0\r\n"
                                     "12 c3                  0\r\n"
                                     "12 NotepadContents     5 0 \r\n"
                                     "13 NatureMove          L 6 0\r\n"
                                     "13 FinalPayoffNode     0\r\n"
                                     "14 p                   0\r\n"
                                     "14 NotepadContents     6 0 \r\n"
                                     "15 Continue            \r\n"));
    }

    // A move handler reached where the window never offers it changes nothing: no
    // record, no draw, no box, the same state and the same tree.
    void moveNotOfferedHereDoesNothing_data()
    {
        QTest::addColumn<QList<bool>>("moves");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("handler");

        const bool L = false, R = true;
        QTest::newRow("NatureMove before any node click") << QList<bool>{} << 0 << 0 << "nature";
        QTest::newRow("NatureMove on d1") << QList<bool>{} << 1 << 0 << "nature";
        QTest::newRow("NatureMove on d2(1)") << QList<bool>{L, R} << 3 << 1 << "nature";
        QTest::newRow("NatureMove on d3(15)") << QList<bool>{R, R, R, R} << 5 << 15 << "nature";
        QTest::newRow("ConfirmDecision Left on c1(0)") << QList<bool>{L} << 2 << 0 << "left";
        QTest::newRow("ConfirmDecision Right on c2(3)") << QList<bool>{L, R, R} << 4 << 3 << "right";
        QTest::newRow("ConfirmDecision Left on c3(0)") << QList<bool>{L, L, L, L, L} << 6 << 0 << "left";
    }

    void moveNotOfferedHereDoesNothing()
    {
        QFETCH(QList<bool>, moves);
        QFETCH(int, level);
        QFETCH(int, index);
        QFETCH(QString, handler);

        WindowFixture f;
        const Controls &c = f.controls();
        f.startRun();
        f.playMoves(moves);
        if (level > 0) {
            f.clickNode(level, index);
            QTest::keyClicks(c.Notepad, QStringLiteral("typed here"));
        }
        if (handler == QLatin1String("left"))
            c.MoveLeft->setChecked(true);
        if (handler == QLatin1String("right"))
            c.MoveRight->setChecked(true);
        f.random.draws = {0.75f};
        const Snapshot before = snapshot(f);

        if (handler == QLatin1String("nature"))
            f.window().walk().NatureMove_Click();
        else
            f.window().walk().ConfirmDecision_Click();

        const Snapshot after = snapshot(f);
        QCOMPARE(after.log, before.log);
        QCOMPARE(after.draws, before.draws);
        QCOMPARE(after.boxes, before.boxes);
        QCOMPARE(after.state.ReachedLevel, before.state.ReachedLevel);
        QVERIFY(after.state.PathNode == before.state.PathNode);
        QCOMPARE(after.state.ClickLevel, before.state.ClickLevel);
        QCOMPARE(after.state.ClickIndex, before.state.ClickIndex);
        QCOMPARE(after.state.NoteLevel, before.state.NoteLevel);
        QCOMPARE(after.state.NoteIndex, before.state.NoteIndex);
        QVERIFY(after.state.NoteTexts == before.state.NoteTexts);
        QCOMPARE(after.state.AttemptPayoffText, before.state.AttemptPayoffText);
        QCOMPARE(after.state.GoValue, before.state.GoValue);
        QCOMPARE(after.colours, before.colours);
        QCOMPARE(after.enabled, before.enabled);
        QCOMPARE(after.frames, before.frames);
        QCOMPARE(after.payoffs, before.payoffs);
    }
};

DT_GUI_TEST_MAIN(TestMoves)
#include "TestMoves.moc"
