#include "GuiTestMain.h"
#include "WindowFixture.h"

#include "tree/widgets/NodeButton.h"
#include "window/widgets/Controls.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>

// Between attempts and after the last one: captions, the attempt texts, the summary of
// payoffs, the closed log and the hand-over to the experimenter.
class TestAttempts : public QObject
{
    Q_OBJECT

    static QString pounds(int v)
    {
        const QString pound(QChar(0x00A3));
        return v < 0 ? QStringLiteral("-") + pound + QString::number(-v) : pound + QString::number(v);
    }

    // A one-attempt experiment played to its payoff node, all Left.
    static void playTheOnlyAttempt(WindowFixture &f)
    {
        f.controls().NumberAttemptsInput->setText(QStringLiteral("1"));
        f.confirmAndGoAhead();
        f.click(f.controls().Start);
        f.playMoves({false, false, false, false, false, false});
    }

    static QList<QByteArray> logLines(const WindowFixture &f)
    {
        QList<QByteArray> lines = f.log().split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

private slots:
    void continueOffersTheNextAttempt_data()
    {
        QTest::addColumn<int>("attempts");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QStringList>("attemptTexts");
        QTest::newRow("four") << 4
            << QStringList{"You have 3 attempts left.  Click here to continue.",
                           "You have 2 attempts left.  Click here to continue.",
                           "Your next attempt is your last attempt.  Click here to continue."}
            << QStringList{"This is attempt number 2 out of a total of 4 attempts.",
                           "This is attempt number 3 out of a total of 4 attempts.",
                           "This is attempt number 4 out of a total of 4 attempts."};
        QTest::newRow("two") << 2
            << QStringList{"Your next attempt is your last attempt.  Click here to continue."}
            << QStringList{"This is attempt number 2 out of a total of 2 attempts."};
    }

    void continueOffersTheNextAttempt()
    {
        QFETCH(int, attempts);
        QFETCH(QStringList, captions);
        QFETCH(QStringList, attemptTexts);
        WindowFixture f;
        const Controls &c = f.controls();
        c.NumberAttemptsInput->setText(QString::number(attempts));
        f.confirmAndGoAhead();
        f.click(c.Start);
        for (int k = 0; k < attempts - 1; ++k) {
            f.playMoves({false, false, false, false, false, false});
            f.click(c.Continue);
            QVERIFY(!c.Continue->isVisible());
            QVERIFY(c.NextAttempt->isVisible());
            QCOMPARE(c.NextAttempt->text(), captions[k]);
            QCOMPARE(c.NextAttempt->pos(), QPoint(400, 600)); // Left 300, Top 450 points
            QCOMPARE(c.NumberofAttempt->toPlainText(), attemptTexts[k]);
            QCOMPARE(c.Payoffs->text(), QString());
            // The tree stays as played until the next attempt begins.
            QCOMPARE(f.node(1, 0)->backColor(), QStringLiteral("&H808080"));
            QVERIFY(!f.node(1, 0)->isEnabled());

            f.click(c.NextAttempt);
            QVERIFY(!c.NextAttempt->isVisible());
            QVERIFY(!c.Start->isVisible());
            QVERIFY(!c.Welcome->isVisible());
            QCOMPARE(f.window().state().ReachedLevel, qint16(1));
            QCOMPARE(f.node(1, 0)->backColor(), QStringLiteral("&HC000"));
        }
        // One " Start" record in the whole run.
        QCOMPARE(f.log().count(" Start\r\n"), 1);
    }

    void theSummaryListsEveryAttemptInItsPlace_data()
    {
        QTest::addColumn<int>("attempts");
        QTest::newRow("one") << 1;
        QTest::newRow("two") << 2;
        QTest::newRow("three") << 3;
        QTest::newRow("four") << 4;
    }

    void theSummaryListsEveryAttemptInItsPlace()
    {
        QFETCH(int, attempts);
        WindowFixture f;
        const Controls &c = f.controls();
        c.NumberAttemptsInput->setText(QString::number(attempts));
        f.confirmAndGoAhead();
        f.click(c.Start);
        // Attempts 1 and 3 reach the same node; each keeps its own place.
        const QList<QList<bool>> walks = {{true, false, true, true, false, true},
                                          {false, false, false, false, false, true},
                                          {true, false, true, true, false, true},
                                          {false, true, true, true, true, false}};
        QStringList payoffs;
        for (int k = 0; k < attempts; ++k) {
            payoffs << pounds(WindowFixture::payoffFor(f.playMoves(walks[k])));
            f.click(c.Continue);
            if (k < attempts - 1)
                f.click(c.NextAttempt);
        }

        QString expected;
        if (attempts == 1) {
            expected = QString(23, QLatin1Char(' ')) + QStringLiteral("Your payoff is ") + payoffs[0] + QLatin1Char('.');
        } else {
            expected = QStringLiteral("Your payoff is a randomly chosen one of ");
            expected += QStringList(payoffs.mid(0, attempts - 1)).join(QStringLiteral(", "));
            expected += QStringLiteral(" and ") + payoffs.last() + QLatin1Char('.');
        }
        QCOMPARE(c.Payoffs->text(), expected);
        QVERIFY(c.Payoffs->isVisible());
        QVERIFY(c.OrrinLogo->isVisible());
        QVERIFY(c.ExperimentOver->isVisible());
        QCOMPARE(c.ExperimentOver->pos(), QPoint(400, 600));
        QVERIFY(!c.NumberofAttemptFrame->isVisible());
        QVERIFY(!c.Continue->isVisible());
        QVERIFY(!f.node(1, 0)->isVisible());
        QVERIFY(!f.node(7, 0)->isVisible());
        QCOMPARE(logLines(f).last(), QByteArray(QByteArray::number(0) + " Continue            \r"));
        QCOMPARE(f.window().state().AttemptsLeft, qint16(0));
    }

    void nothingIsLoggedOnceTheLogIsClosed()
    {
        WindowFixture f;
        const Controls &c = f.controls();
        playTheOnlyAttempt(f);
        f.click(c.Continue);
        const QByteArray closed = f.log();
        // A handler the window no longer offers finds the log closed and writes nothing.
        f.window().flow().Start_Click();
        f.window().walk().p_Click(0);
        QCOMPARE(f.log(), closed);
    }

    void experimentOverRearmsTheGateForNinetyNineOnly()
    {
        WindowFixture f;
        const Controls &c = f.controls();
        playTheOnlyAttempt(f);
        QCOMPARE(f.readFile(QStringLiteral("okto.go")), QByteArray(" 2 \r\n"));
        f.click(c.Continue);
        QVERIFY(!c.TimerOkToGo->isActive());
        f.click(c.ExperimentOver);
        QVERIFY(c.TimerOkToGo->isActive());

        f.tick(); // still 2
        QVERIFY(f.window().isVisible());
        f.writeFile(QStringLiteral("okto.go"), "1\r\n");
        f.tick();
        QVERIFY(!c.Start->isVisible());
        QVERIFY(c.ExperimentOver->isVisible());
        QVERIFY(c.TimerOkToGo->isActive());
        f.writeFile(QStringLiteral("okto.go"), "99\r\n");
        f.tick();
        QVERIFY(!f.window().isVisible());
    }

    void closingTheWindowMidAttemptLeavesEveryRecordWhole()
    {
        WindowFixture f;
        const Controls &c = f.controls();
        f.confirmAndGoAhead();
        f.click(c.Start);
        f.clickNode(1, 0);
        c.Notepad->setPlainText(QStringLiteral("first line\nsecond line"));
        f.clickNode(7, 9);
        f.window().close();
        QCOMPARE(f.log(), QByteArray("99  1  3/4/09  512.5\r\n"
                                     "0 Start\r\n"
                                     "0 d1                  0\r\n"
                                     "0 p                   9\r\n"
                                     "0 NotepadContents     1 0 first line\r\nsecond line\r\n"));
    }
};

DT_GUI_TEST_MAIN(TestAttempts)
#include "TestAttempts.moc"
