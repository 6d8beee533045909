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

// Inspecting decision and chance nodes: the click and notepad records in the log, the
// notepad frame with its caption and stored text, the node colours, and where the move
// frames are offered.
class TestNodeClicks : public QObject
{
    Q_OBJECT

    static QString blanks(int n) { return QString(n, QLatin1Char(' ')); }

    // Plays the rest of the attempt Left at every level, from wherever the subject stands.
    static void finishAttempt(WindowFixture &f)
    {
        const Controls &c = f.controls();
        while (f.window().state().ReachedLevel < 7) {
            const int level = f.window().state().ReachedLevel;
            f.clickNode(level, f.window().state().PathNode[level]);
            if (level % 2 == 1) {
                c.MoveLeft->click();
                f.click(c.ConfirmDecision);
            } else {
                f.random.draws.append(0.25f);
                f.click(c.NatureMove);
            }
        }
    }

    static int nodesOn(int level) { return 1 << (level - 1); }

private slots:
    // A node click opens that node's notepad frame with its caption and message, and the
    // first click of the run writes nothing but its own click record.
    void clickOpensTheNodesNotepad_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("offersDecision");

        const QString decision = blanks(12) + "The currently white node is a DECISION node.";
        const QString chance = blanks(12) + "The currently white node is a CHANCE node.";
        QTest::newRow("d1") << 1 << 0 << QByteArray("7 d1                  0\r\n")
            << "This is the only node at the first decision level." << decision << true;
        QTest::newRow("c1(0)") << 2 << 0 << QByteArray("7 c1                  0\r\n")
            << "This is node number 1 at the first chance level."
            << blanks(11) + "The currently white node is a CHANCE node." << false;
        QTest::newRow("c1(1)") << 2 << 1 << QByteArray("7 c1                  1\r\n")
            << "This is node number 2 at the first chance level."
            << blanks(11) + "The currently white node is a CHANCE node." << false;
        QTest::newRow("d2(3)") << 3 << 3 << QByteArray("7 d2                  3\r\n")
            << "This is node number 4 at the second decision level." << decision << false;
        QTest::newRow("c2(7)") << 4 << 7 << QByteArray("7 c2                  7\r\n")
            << "This is node number 8 at the second chance level." << chance << false;
        QTest::newRow("d3(9)") << 5 << 9 << QByteArray("7 d3                  9\r\n")
            << "This is node number 10 at the third decision level." << decision << false;
        QTest::newRow("c3(5)") << 6 << 5 << QByteArray("7 c3                  5\r\n")
            << "This is node number 6 at the third chance level." << chance << false;
        QTest::newRow("c3(31)") << 6 << 31 << QByteArray("7 c3                  31\r\n")
            << "This is node number 32 at the third chance level." << chance << false;
    }

    void clickOpensTheNodesNotepad()
    {
        QFETCH(int, level);
        QFETCH(int, index);
        QFETCH(QByteArray, record);
        QFETCH(QString, caption);
        QFETCH(QString, message);
        QFETCH(bool, offersDecision);

        WindowFixture f;
        const Controls &c = f.controls();
        f.startRun();
        QVERIFY(c.Welcome->isVisible());
        f.at(7);
        const QByteArray before = f.log();
        f.clickNode(level, index);

        QCOMPARE(f.since(before), record);
        for (int l = 1; l <= 7; ++l) {
            for (int i = 0; i < nodesOn(l); ++i) {
                const QString expected = (l == level && i == index) ? QStringLiteral("&H00FFFFFF")
                                                                    : WindowFixture::levelColour(l);
                QCOMPARE(f.node(l, i)->backColor(), expected);
            }
        }
        QVERIFY(c.NotepadContainer->isVisible());
        QCOMPARE(c.NotepadContainer->title(), caption);
        QCOMPARE(c.NotepadContainer->pos(), QPoint(200, 560)); // Left 150, Top 420 points
        QCOMPARE(c.Notepad->toPlainText(), QString());
        QCOMPARE(c.Payoffs->text(), message);
        QVERIFY(!c.Welcome->isVisible());
        QVERIFY(!c.NatureBox->isVisible());
        QCOMPARE(c.DecisionBox->isVisible(), offersDecision);
        if (offersDecision) {
            QCOMPARE(c.DecisionBox->pos(), QPoint(667, 560)); // Left 500, Top 420 points
            QVERIFY(!c.MoveLeft->isChecked());
            QVERIFY(!c.MoveRight->isChecked());
        }
        QCOMPARE(f.window().state().NoteLevel, qint16(level));
        QCOMPARE(f.window().state().NoteIndex, qint16(index));
        QCOMPARE(f.window().state().ReachedLevel, qint16(1));
    }

    // Leaving a node logs the new click first, then the left node's notepad text; the
    // left node gets its level colour back and keeps its text. A payoff node left
    // behind has no notepad and gives no NotepadContents record.
    void switchingNodesLogsTheNodeLeftBehind_data()
    {
        QTest::addColumn<int>("fromLevel");
        QTest::addColumn<int>("fromIndex");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("toLevel");
        QTest::addColumn<int>("toIndex");
        QTest::addColumn<QByteArray>("expected");

        // The second click happens at 14.5 s, which the log rounds to the even 14.
        QTest::newRow("d1 to c1(0)") << 1 << 0 << "left looks safer" << 2 << 0
            << QByteArray("14 c1                  0\r\n"
                          "14 NotepadContents     1 0 left looks safer\r\n");
        QTest::newRow("c2(3) to p(5)") << 4 << 3 << "risky" << 7 << 5
            << QByteArray("14 p                   5\r\n"
                          "14 NotepadContents     4 3 risky\r\n");
        QTest::newRow("c3(31) to d2(0)") << 6 << 31 << "top right" << 3 << 0
            << QByteArray("14 d2                  0\r\n"
                          "14 NotepadContents     6 31 top right\r\n");
        QTest::newRow("d3(7) to d3(8)") << 5 << 7 << "next door" << 5 << 8
            << QByteArray("14 d3                  8\r\n"
                          "14 NotepadContents     5 7 next door\r\n");
        QTest::newRow("d2(2) to itself") << 3 << 2 << "again" << 3 << 2
            << QByteArray("14 d2                  2\r\n"
                          "14 NotepadContents     3 2 again\r\n");
        QTest::newRow("p(5) to d3(2)") << 7 << 5 << QString() << 5 << 2
            << QByteArray("14 d3                  2\r\n");
        QTest::newRow("p(5) to c1(1)") << 7 << 5 << QString() << 2 << 1
            << QByteArray("14 c1                  1\r\n");
    }

    void switchingNodesLogsTheNodeLeftBehind()
    {
        QFETCH(int, fromLevel);
        QFETCH(int, fromIndex);
        QFETCH(QString, typed);
        QFETCH(int, toLevel);
        QFETCH(int, toIndex);
        QFETCH(QByteArray, expected);

        WindowFixture f;
        const Controls &c = f.controls();
        f.startRun();
        f.at(3.5);
        f.clickNode(fromLevel, fromIndex);
        if (fromLevel < 7)
            QTest::keyClicks(c.Notepad, typed);
        f.at(14.5);
        const QByteArray before = f.log();
        f.clickNode(toLevel, toIndex);

        QCOMPARE(f.since(before), expected);
        QCOMPARE(f.node(toLevel, toIndex)->backColor(), QStringLiteral("&H00FFFFFF"));
        const bool same = fromLevel == toLevel && fromIndex == toIndex;
        if (!same)
            QCOMPARE(f.node(fromLevel, fromIndex)->backColor(),
                     WindowFixture::levelColour(fromLevel));
        if (fromLevel == 7)
            return;
        QCOMPARE(f.window().state().NoteTexts[fromLevel][fromIndex], typed);
        // The node shows the text when it is opened again.
        f.clickNode(fromLevel, fromIndex);
        QCOMPARE(c.Notepad->toPlainText(), typed);
    }

    // The notepad text goes into its record verbatim: an empty notepad leaves the line
    // ending in the blank after the index, line breaks become CR LF line ends inside the
    // record, and "£" is the Windows-1252 byte A3.
    void notepadTextIsWrittenAsItStands_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("empty") << QStringList()
            << QByteArray("9 c1                  0\r\n"
                          "9 NotepadContents     1 0 \r\n");
        QTest::newRow("one line") << QStringList{"wait and see"}
            << QByteArray("9 c1                  0\r\n"
                          "9 NotepadContents     1 0 wait and see\r\n");
        QTest::newRow("two line breaks") << QStringList{"first", "second", "third"}
            << QByteArray("9 c1                  0\r\n"
                          "9 NotepadContents     1 0 first\r\nsecond\r\nthird\r\n");
        QTest::newRow("ends in a line break") << QStringList{"go left", ""}
            << QByteArray("9 c1                  0\r\n"
                          "9 NotepadContents     1 0 go left\r\n\r\n");
        QTest::newRow("blanks kept") << QStringList{"  two  blanks  "}
            << QByteArray("9 c1                  0\r\n"
                          "9 NotepadContents     1 0   two  blanks  \r\n");
        QTest::newRow("pound sign") << QStringList{QString::fromUtf8("\xC2\xA3" "5 is enough")}
            << QByteArray("9 c1                  0\r\n"
                          "9 NotepadContents     1 0 \xA3" "5 is enough\r\n");
    }

    void notepadTextIsWrittenAsItStands()
    {
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, expected);

        WindowFixture f;
        const Controls &c = f.controls();
        f.startRun();
        f.at(2);
        f.clickNode(1, 0);
        for (int k = 0; k < lines.size(); ++k) {
            if (k > 0)
                QTest::keyClick(c.Notepad, Qt::Key_Return);
            QTest::keyClicks(c.Notepad, lines[k]);
        }
        QCOMPARE(c.Notepad->toPlainText(), lines.join(QLatin1Char('\n')));
        f.at(9);
        const QByteArray before = f.log();
        f.clickNode(2, 0);

        const QByteArray written = f.since(before);
        QCOMPARE(written, expected);
        // The record starts on the line after the click record and spans one file line
        // per notepad line.
        QCOMPARE(written.count("\r\n"), 1 + qMax(1, int(lines.size())));
        QCOMPARE(f.window().state().NoteTexts[1][0], lines.join(QLatin1Char('\n')));
    }

    // CloseNotepad logs the close with the node's level and index, then that node's
    // text; it hides every frame, gives the node its colour back and keeps the text. The
    // closed node is still the one left by the next click, which logs its text again.
    void closeNotepadLogsAndKeepsTheText_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("atClose");
        QTest::addColumn<int>("nextLevel");
        QTest::addColumn<int>("nextIndex");
        QTest::addColumn<QByteArray>("atNextClick");

        QTest::newRow("d1 with its DecisionBox") << 1 << 0 << "plan"
            << QByteArray("6 CloseNotepad        1 0\r\n"
                          "6 NotepadContents     1 0 plan\r\n")
            << 2 << 1
            << QByteArray("11 c1                  1\r\n"
                          "11 NotepadContents     1 0 plan\r\n");
        QTest::newRow("c2(6) empty") << 4 << 6 << QString()
            << QByteArray("6 CloseNotepad        4 6\r\n"
                          "6 NotepadContents     4 6 \r\n")
            << 7 << 50
            << QByteArray("11 p                   50\r\n"
                          "11 NotepadContents     4 6 \r\n");
        QTest::newRow("c3(30) then itself") << 6 << 30 << "odds"
            << QByteArray("6 CloseNotepad        6 30\r\n"
                          "6 NotepadContents     6 30 odds\r\n")
            << 6 << 30
            << QByteArray("11 c3                  30\r\n"
                          "11 NotepadContents     6 30 odds\r\n");
        QTest::newRow("d3(10) then d1") << 5 << 10 << "later"
            << QByteArray("6 CloseNotepad        5 10\r\n"
                          "6 NotepadContents     5 10 later\r\n")
            << 1 << 0
            << QByteArray("11 d1                  0\r\n"
                          "11 NotepadContents     5 10 later\r\n");
    }

    void closeNotepadLogsAndKeepsTheText()
    {
        QFETCH(int, level);
        QFETCH(int, index);
        QFETCH(QString, typed);
        QFETCH(QByteArray, atClose);
        QFETCH(int, nextLevel);
        QFETCH(int, nextIndex);
        QFETCH(QByteArray, atNextClick);

        WindowFixture f;
        const Controls &c = f.controls();
        f.startRun();
        f.at(1);
        f.clickNode(level, index);
        QTest::keyClicks(c.Notepad, typed);
        f.at(6);
        QByteArray before = f.log();
        f.click(c.CloseNotepad);

        QCOMPARE(f.since(before), atClose);
        QVERIFY(!c.NotepadContainer->isVisible());
        QVERIFY(!c.DecisionBox->isVisible());
        QVERIFY(!c.NatureBox->isVisible());
        QCOMPARE(f.node(level, index)->backColor(), WindowFixture::levelColour(level));
        QCOMPARE(f.window().state().NoteTexts[level][index], typed);
        QCOMPARE(f.window().state().NoteLevel, qint16(level));
        QCOMPARE(f.window().state().NoteIndex, qint16(index));

        f.at(11);
        before = f.log();
        f.clickNode(nextLevel, nextIndex);
        QCOMPARE(f.since(before), atNextClick);
        QCOMPARE(f.node(nextLevel, nextIndex)->backColor(), QStringLiteral("&H00FFFFFF"));
        if (nextLevel != level || nextIndex != index)
            QCOMPARE(f.node(level, index)->backColor(), WindowFixture::levelColour(level));
    }

    // The move frames are offered only on the node the subject stands on: DecisionBox
    // on a decision level, NatureBox on a chance level; a node ahead is only inspected.
    void moveIsOfferedOnlyWhereTheSubjectStands_data()
    {
        QTest::addColumn<QList<bool>>("moves");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("frame");

        const bool L = false, R = true;
        QTest::newRow("d1 at the start") << QList<bool>{} << 1 << 0 << "decision";
        QTest::newRow("c1(0) ahead of d1") << QList<bool>{} << 2 << 0 << "none";
        QTest::newRow("c3(20) ahead of d1") << QList<bool>{} << 6 << 20 << "none";
        QTest::newRow("p(0) ahead of d1") << QList<bool>{} << 7 << 0 << "none";
        QTest::newRow("c1(0) after Left") << QList<bool>{L} << 2 << 0 << "nature";
        QTest::newRow("d2(0) ahead of c1(0)") << QList<bool>{L} << 3 << 0 << "none";
        QTest::newRow("d2(1) ahead of c1(0)") << QList<bool>{L} << 3 << 1 << "none";
        QTest::newRow("d2(3) after Right, Right") << QList<bool>{R, R} << 3 << 3 << "decision";
        QTest::newRow("c2(7) ahead of d2(3)") << QList<bool>{R, R} << 4 << 7 << "none";
        QTest::newRow("c2(6) ahead of d2(3)") << QList<bool>{R, R} << 4 << 6 << "none";
        QTest::newRow("c2(7) stood on") << QList<bool>{R, R, R} << 4 << 7 << "nature";
        QTest::newRow("d3(14) ahead of c2(7)") << QList<bool>{R, R, R} << 5 << 14 << "none";
        QTest::newRow("d3(10) stood on") << QList<bool>{R, L, R, L} << 5 << 10 << "decision";
        QTest::newRow("c3(21) ahead of d3(10)") << QList<bool>{R, L, R, L} << 6 << 21 << "none";
        QTest::newRow("c3(31) stood on") << QList<bool>{R, R, R, R, R} << 6 << 31 << "nature";
        QTest::newRow("p(63) ahead of c3(31)") << QList<bool>{R, R, R, R, R} << 7 << 63 << "none";
    }

    void moveIsOfferedOnlyWhereTheSubjectStands()
    {
        QFETCH(QList<bool>, moves);
        QFETCH(int, level);
        QFETCH(int, index);
        QFETCH(QString, frame);

        WindowFixture f;
        const Controls &c = f.controls();
        f.startRun();
        f.playMoves(moves);
        QVERIFY(f.node(level, index)->isEnabled());
        const qint16 reached = f.window().state().ReachedLevel;
        f.clickNode(level, index);

        QCOMPARE(f.node(level, index)->backColor(), QStringLiteral("&H00FFFFFF"));
        QCOMPARE(c.NotepadContainer->isVisible(), level < 7);
        QCOMPARE(c.DecisionBox->isVisible(), frame == QLatin1String("decision"));
        QCOMPARE(c.NatureBox->isVisible(), frame == QLatin1String("nature"));
        if (frame == QLatin1String("decision")) {
            QCOMPARE(c.DecisionBox->pos(), QPoint(667, 560));
            QVERIFY(!c.MoveLeft->isChecked());
            QVERIFY(!c.MoveRight->isChecked());
        }
        if (frame == QLatin1String("nature"))
            QCOMPARE(c.NatureBox->pos(), QPoint(667, 560));
        // Inspecting never moves the subject.
        QCOMPARE(f.window().state().ReachedLevel, reached);
    }

    // Clicking the decision node stood on again logs its own text, reopens it white with
    // the same text and drops the chosen option, so a confirm then moves nowhere.
    void reclickingTheCurrentDecisionNodeDropsTheChoice_data()
    {
        QTest::addColumn<QList<bool>>("moves");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("chooseRight");
        QTest::addColumn<QByteArray>("expected");

        const bool L = false, R = true;
        QTest::newRow("Left at d1") << QList<bool>{} << 1 << 0 << false
            << QByteArray("5 d1                  0\r\n"
                          "5 NotepadContents     1 0 hmm\r\n");
        QTest::newRow("Right at d1") << QList<bool>{} << 1 << 0 << true
            << QByteArray("5 d1                  0\r\n"
                          "5 NotepadContents     1 0 hmm\r\n");
        QTest::newRow("Left at d2(1)") << QList<bool>{L, R} << 3 << 1 << false
            << QByteArray("5 d2                  1\r\n"
                          "5 NotepadContents     3 1 hmm\r\n");
        QTest::newRow("Right at d3(13)") << QList<bool>{R, R, L, R} << 5 << 13 << true
            << QByteArray("5 d3                  13\r\n"
                          "5 NotepadContents     5 13 hmm\r\n");
    }

    void reclickingTheCurrentDecisionNodeDropsTheChoice()
    {
        QFETCH(QList<bool>, moves);
        QFETCH(int, level);
        QFETCH(int, index);
        QFETCH(bool, chooseRight);
        QFETCH(QByteArray, expected);

        WindowFixture f;
        const Controls &c = f.controls();
        f.startRun();
        f.playMoves(moves);
        QCOMPARE(f.window().state().ReachedLevel, qint16(level));
        f.at(2);
        f.clickNode(level, index);
        QTest::keyClicks(c.Notepad, QStringLiteral("hmm"));
        QRadioButton *option = chooseRight ? c.MoveRight : c.MoveLeft;
        QTest::mouseClick(option, Qt::LeftButton);
        QVERIFY(option->isChecked());

        f.at(5);
        QByteArray before = f.log();
        f.clickNode(level, index);
        QCOMPARE(f.since(before), expected);
        QCOMPARE(f.node(level, index)->backColor(), QStringLiteral("&H00FFFFFF"));
        QCOMPARE(c.Notepad->toPlainText(), QStringLiteral("hmm"));
        QVERIFY(c.DecisionBox->isVisible());
        QVERIFY(!c.MoveLeft->isChecked());
        QVERIFY(!c.MoveRight->isChecked());

        before = f.log();
        f.click(c.ConfirmDecision);
        QCOMPARE(f.log(), before);
        QCOMPARE(f.window().state().ReachedLevel, qint16(level));
        QVERIFY(c.DecisionBox->isVisible());
    }

    // After a move the node left behind is still the inspected node: the next click
    // logs its text, but the node stays grey and disabled and keeps the text the move
    // stored.
    void nodeLeftBehindByAMoveStaysGrey_data()
    {
        QTest::addColumn<QList<bool>>("moves");
        QTest::addColumn<QString>("note");
        QTest::addColumn<int>("leftLevel");
        QTest::addColumn<int>("leftIndex");
        QTest::addColumn<int>("nextLevel");
        QTest::addColumn<int>("nextIndex");
        QTest::addColumn<QByteArray>("expected");

        const bool L = false, R = true;
        QTest::newRow("d1 left, c1(0) clicked") << QList<bool>{L} << "safe" << 1 << 0 << 2 << 0
            << QByteArray("20 c1                  0\r\n"
                          "20 NotepadContents     1 0 safe\r\n");
        QTest::newRow("d1 left, p(0) clicked") << QList<bool>{L} << "safe" << 1 << 0 << 7 << 0
            << QByteArray("20 p                   0\r\n"
                          "20 NotepadContents     1 0 safe\r\n");
        QTest::newRow("c1(0) left, d2(1) clicked") << QList<bool>{L, R} << "coin" << 2 << 0 << 3 << 1
            << QByteArray("20 d2                  1\r\n"
                          "20 NotepadContents     2 0 coin\r\n");
        QTest::newRow("d2(1) left, c3(12) clicked") << QList<bool>{L, R, R} << "note" << 3 << 1
            << 6 << 12
            << QByteArray("20 c3                  12\r\n"
                          "20 NotepadContents     3 1 note\r\n");
        QTest::newRow("c3(3) left, p(6) clicked") << QList<bool>{L, L, L, R, R, L} << "end" << 6 << 3
            << 7 << 6
            << QByteArray("20 p                   6\r\n"
                          "20 NotepadContents     6 3 end\r\n");
    }

    void nodeLeftBehindByAMoveStaysGrey()
    {
        QFETCH(QList<bool>, moves);
        QFETCH(QString, note);
        QFETCH(int, leftLevel);
        QFETCH(int, leftIndex);
        QFETCH(int, nextLevel);
        QFETCH(int, nextIndex);
        QFETCH(QByteArray, expected);

        WindowFixture f;
        f.startRun();
        f.playMoves(moves, note);
        QCOMPARE(f.node(leftLevel, leftIndex)->backColor(), QStringLiteral("&H808080"));
        f.at(20);
        const QByteArray before = f.log();
        f.clickNode(nextLevel, nextIndex);

        QCOMPARE(f.since(before), expected);
        QCOMPARE(f.node(leftLevel, leftIndex)->backColor(), QStringLiteral("&H808080"));
        QVERIFY(!f.node(leftLevel, leftIndex)->isEnabled());
        QCOMPARE(f.window().state().NoteTexts[leftLevel][leftIndex], note);
        QCOMPARE(f.node(nextLevel, nextIndex)->backColor(), QStringLiteral("&H00FFFFFF"));
    }

    // A notepad text outlives its attempt, however it was left: by another click, by
    // CloseNotepad, by the decision or by Nature's move.
    void notepadTextsCarryOverToTheNextAttempt_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("index");

        QTest::newRow("left by a click") << "click" << 6 << 5;
        QTest::newRow("closed") << "close" << 3 << 2;
        QTest::newRow("kept by the decision") << "decide" << 1 << 0;
        QTest::newRow("kept by Nature's move") << "nature" << 2 << 0;
    }

    void notepadTextsCarryOverToTheNextAttempt()
    {
        QFETCH(QString, how);
        QFETCH(int, level);
        QFETCH(int, index);

        WindowFixture f;
        const Controls &c = f.controls();
        f.startRun();
        if (how == QLatin1String("nature"))
            f.playMoves({false});
        f.clickNode(level, index);
        QTest::keyClicks(c.Notepad, QStringLiteral("for next time"));
        if (how == QLatin1String("click")) {
            f.clickNode(1, 0);
        } else if (how == QLatin1String("close")) {
            f.click(c.CloseNotepad);
        } else if (how == QLatin1String("decide")) {
            c.MoveLeft->click();
            f.click(c.ConfirmDecision);
        } else {
            f.click(c.NatureMove);
        }
        finishAttempt(f);
        f.click(c.Continue);
        f.click(c.NextAttempt);
        QCOMPARE(f.window().state().ReachedLevel, qint16(1));

        f.clickNode(level, index);
        QCOMPARE(c.Notepad->toPlainText(), QStringLiteral("for next time"));
        // Any other node still opens with its own (empty) text.
        f.clickNode(6, level == 6 ? 6 : 5);
        QCOMPARE(c.Notepad->toPlainText(), QString());
    }
};

DT_GUI_TEST_MAIN(TestNodeClicks)
#include "TestNodeClicks.moc"
