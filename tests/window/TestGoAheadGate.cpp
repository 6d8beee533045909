#include "GuiTestMain.h"
#include "WindowFixture.h"

#include "tree/widgets/NodeButton.h"
#include "window/widgets/Controls.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

// The go-ahead poll over the shared okto.go, and the start of the first attempt.
class TestGoAheadGate : public QObject
{
    Q_OBJECT

    static bool waiting(const WindowFixture &f)
    {
        const Controls &c = f.controls();
        return c.OrrinLogo->isVisible() && c.Hello->isVisible() && !c.Start->isVisible()
            && c.TimerOkToGo->isActive();
    }

private slots:
    void zeroKeepsTheSubjectWaiting()
    {
        WindowFixture f;
        f.confirm();
        for (int i = 0; i < 3; ++i)
            f.tick();
        QVERIFY(waiting(f));
        QCOMPARE(f.window().state().GoValue, qint16(0));
    }

    void oneOffersStartAndStopsThePoll_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("bare") << QByteArray("1");
        QTest::newRow("with blanks") << QByteArray(" 1 \r\n");
        QTest::newRow("further lines unread") << QByteArray("1\r\n99\r\n");
        QTest::newRow("blank lines before") << QByteArray("\r\n  1\r\n");
    }

    void oneOffersStartAndStopsThePoll()
    {
        QFETCH(QByteArray, content);
        WindowFixture f;
        f.confirm();
        f.writeFile(QStringLiteral("okto.go"), content);
        f.tick();
        const Controls &c = f.controls();
        QVERIFY(c.Start->isVisible());
        QCOMPARE(c.Start->text(), QStringLiteral("You will have 4 attempts. Click here to start."));
        QVERIFY(!c.OrrinLogo->isVisible());
        QVERIFY(!c.Hello->isVisible());
        QVERIFY(!c.TimerOkToGo->isActive());
        QVERIFY(f.window().isVisible());
        QCOMPARE(f.window().state().GoValue, qint16(1));
        QCOMPARE(c.NumberofAttempt->toPlainText(),
                 QStringLiteral("This is attempt number 1 out of a total of 4 attempts."));
        QVERIFY(!c.NumberofAttemptFrame->isVisible());
    }

    void oneAttemptIsOfferedInItsOwnWords()
    {
        WindowFixture f;
        f.controls().NumberAttemptsInput->setText(QStringLiteral("1"));
        f.confirmAndGoAhead();
        QCOMPARE(f.controls().Start->text(), QStringLiteral("You will have one attempt. Click here to start."));
        QCOMPARE(f.controls().NumberofAttempt->toPlainText(),
                 QStringLiteral("This is your only attempt. You will be paid the payoff of this attempt."));
    }

    void ninetyNineWhileWaitingEndsTheProgramWithTheHeaderAlone()
    {
        WindowFixture f;
        f.confirm();
        f.writeFile(QStringLiteral("okto.go"), " 99 \r\n");
        f.tick();
        QVERIFY(!f.window().isVisible());
        QCOMPARE(f.log(), QByteArray("99  1  3/4/09  512.5\r\n"));
        QVERIFY(f.boxes.shown.isEmpty());
    }

    // 1 or 99 already in the file at the confirmation was left from an earlier session.
    void aLeftoverGoAheadIsCaughtAtTheConfirmation_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("99") << QByteArray(" 99 \r\n") << true
                            << QStringList{"holds 99", "order to end", "write 0", "treelab prepare"};
        QTest::newRow("1") << QByteArray("1\r\n") << false << QStringList{"holds 1", "Start at once"};
    }

    void aLeftoverGoAheadIsCaughtAtTheConfirmation()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, refused);
        QFETCH(QStringList, words);
        WindowFixture f;
        const Controls &c = f.controls();
        f.writeFile(QStringLiteral("okto.go"), content);
        f.confirm();
        QCOMPARE(f.boxes.shown.size(), 1);
        words << QDir::toNativeSeparators(f.dataPath(QStringLiteral("okto.go")));
        for (const QString &word : words)
            QVERIFY2(f.boxes.shown[0].text.contains(word), qPrintable(f.boxes.shown[0].text));
        QCOMPARE(c.ExperimenterInput->isVisible(), refused);
        QCOMPARE(f.log().isEmpty(), refused);
        if (refused) {
            f.writeFile(QStringLiteral("okto.go"), "0\r\n");
            f.confirm();
            QVERIFY(waiting(f));
            QCOMPARE(f.boxes.shown.size(), 1);
        } else {
            f.tick();
            QVERIFY(c.Start->isVisible());
        }
        QCOMPARE(f.log(), QByteArray("99  1  3/4/09  512.5\r\n"));
    }

    void troubledGoAheadFilesKeepThePollWaiting_data()
    {
        QTest::addColumn<int>("trouble");
        QTest::newRow("missing") << 0;
        QTest::newRow("empty") << 1;
        QTest::newRow("not a number") << 2;
        QTest::newRow("half written") << 3;
        QTest::newRow("unreadable") << 4;
    }

    void troubledGoAheadFilesKeepThePollWaiting()
    {
        QFETCH(int, trouble);
        WindowFixture f;
        f.confirm();
        const QString path = f.dataPath(QStringLiteral("okto.go"));
        QFile::remove(path);
        switch (trouble) {
        case 1: f.writeFile(QStringLiteral("okto.go"), ""); break;
        case 2: f.writeFile(QStringLiteral("okto.go"), "go\r\n"); break;
        case 3: f.writeFile(QStringLiteral("okto.go"), "1x"); break;
        case 4: QDir().mkdir(path); break; // a folder in the file's place cannot be read
        default: break;
        }
        f.tick();
        f.tick();
        QVERIFY(waiting(f));
        QVERIFY(f.boxes.shown.isEmpty());
        QVERIFY(f.window().isVisible());

        QDir(path).removeRecursively();
        QFile::remove(path);
        f.writeFile(QStringLiteral("okto.go"), "1\r\n");
        f.tick();
        QVERIFY(f.controls().Start->isVisible());
    }

    void theGoAheadIsReadOnlyWhilePolling()
    {
        WindowFixture f;
        f.confirmAndGoAhead();
        f.click(f.controls().Start);
        f.writeFile(QStringLiteral("okto.go"), "99\r\n");
        QTest::qWait(0);
        QVERIFY(!f.controls().TimerOkToGo->isActive());
        QVERIFY(f.window().isVisible());
    }

    void startWritesOneStartRecordAndShowsTheInstructions()
    {
        WindowFixture f;
        f.confirmAndGoAhead();
        f.clock.set(553.5f); // 41 seconds after the log was opened
        f.click(f.controls().Start);
        QCOMPARE(f.log(), QByteArray("99  1  3/4/09  512.5\r\n41 Start\r\n"));
        const Controls &c = f.controls();
        QVERIFY(!c.Start->isVisible());
        QVERIFY(c.Welcome->isVisible());
        QCOMPARE(c.Welcome->pos(), QPoint(200, 560)); // Left 150, Top 420 points
        QVERIFY(c.Instructions->toPlainText().startsWith(QStringLiteral("This is a decision tree. The green nodes")));
        QVERIFY(c.Instructions->toPlainText().endsWith(
            QStringLiteral("Full instuctions are in the written Instructions that you have been given.")));
        QVERIFY(c.NumberofAttemptFrame->isVisible());
        QVERIFY(c.Payoffs->isVisible());
        QVERIFY(f.node(1, 0)->isVisible());
    }

    void showTheTreeGivesTheSameStartingTreeAndLogsNothing()
    {
        WindowFixture f;
        f.confirmAndGoAhead();
        f.click(f.controls().Start);
        f.clickNode(7, 3);
        const QByteArray log = f.log();
        f.click(f.controls().ShowtheTree);
        QCOMPARE(f.log(), log);
        QVERIFY(!f.controls().Welcome->isVisible());
        QVERIFY(f.controls().NumberofAttemptFrame->isVisible());
        QCOMPARE(f.node(7, 3)->backColor(), QStringLiteral("&H0000FFFF"));
        QCOMPARE(f.controls().Payoffs->text(),
                 QStringLiteral("Click on any payoff (yellow) node to find the payoff at that node."));
        QCOMPARE(f.window().state().ReachedLevel, qint16(1));
    }
};

DT_GUI_TEST_MAIN(TestGoAheadGate)
#include "TestGoAheadGate.moc"
