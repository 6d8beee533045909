#include "GuiTestMain.h"
#include "WindowFixture.h"

#include "tree/widgets/NodeButton.h"
#include "window/widgets/Controls.h"
#include "window/TreeWindow.h"
#include "window/widgets/WrappingButton.h"

#include <QDateTime>
#include <QFile>
#include <QSysInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>

// A whole four-attempt experiment played on the real window as a subject and the
// experimenter would: parameters, go-ahead, instructions, inspections, notepads, every
// decision and every move of Nature, the summary and the hand-over. The event log it
// leaves is compared byte for byte with a log written out by hand.
class TestWholeExperiment : public QObject
{
    Q_OBJECT

    static constexpr float OpeningClock = 512.5f;

    // Levels of the tree by their codes.
    enum Level { D1 = 1, C1, D2, C2, D3, C3, P };

    static QByteArray expectedLog()
    {
        QFile file(QStringLiteral(DT_WHOLE_EXPERIMENT_LOG));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

    static QByteArray expectedCompanion()
    {
        QFile file(QStringLiteral(DT_WHOLE_EXPERIMENT_COMPANION));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

    static QList<QByteArray> lines(const QByteArray &bytes)
    {
        return bytes.split('\n');
    }

    static QString pound(const char *rest)
    {
        return QString(QChar(0x00A3)) + QLatin1String(rest);
    }

private slots:
    void fourAttemptsLeaveTheLogWrittenByHand()
    {
        const QByteArray expected = expectedLog();
        QVERIFY2(!expected.isEmpty(), "the hand-written log " DT_WHOLE_EXPERIMENT_LOG " is missing");

        WindowFixture f;
        const Controls &c = f.controls();
        TreeWindow &window = f.window();
        const QString okto = QStringLiteral("okto.go");

        // The subject takes two seconds to read each of Nature's message boxes.
        f.boxes.onShow = [&f](const AnsweringMessageBoxes::Shown &) { f.clock.advance(2.0f); };

        // Seconds since the log was opened; the stamps round halves to the even second.
        const auto at = [&f](float elapsed) { f.clock.set(OpeningClock + elapsed); };
        // Types into the open notepad; '\n' is the Return key.
        const auto type = [&c](const QString &text) {
            const QStringList parts = text.split(QLatin1Char('\n'));
            for (qsizetype k = 0; k < parts.size(); ++k) {
                if (k > 0)
                    QTest::keyClick(c.Notepad, Qt::Key_Return);
                QTest::keyClicks(c.Notepad, parts[k]);
            }
        };
        const auto decide = [&](bool right, float elapsed) {
            f.click(right ? c.MoveRight : c.MoveLeft);
            at(elapsed);
            f.click(c.ConfirmDecision);
        };
        const auto nature = [&](float draw, float elapsed) {
            f.random.draws.append(draw);
            at(elapsed);
            f.click(c.NatureMove);
        };

        // The experimenter confirms the parameters as shown and gives the go-ahead.
        at(0);
        f.confirm();
        QVERIFY(c.TimerOkToGo->isActive());
        f.writeFile(okto, "1\r\n");
        f.tick();
        QVERIFY(c.Start->isVisible());
        QCOMPARE(c.Start->text(), QStringLiteral("You will have 4 attempts. Click here to start."));
        QVERIFY(!c.TimerOkToGo->isActive());

        at(7.25f);
        f.click(c.Start);
        QVERIFY(c.Welcome->isVisible());
        QVERIFY(c.NumberofAttemptFrame->isVisible());
        QCOMPARE(c.NumberofAttempt->toPlainText(),
                 QStringLiteral("This is attempt number 1 out of a total of 4 attempts."));

        // A payoff looked at while the instructions are still up leaves them there.
        at(9.5f);
        f.clickNode(P, 5);
        QVERIFY(c.Welcome->isVisible());
        QCOMPARE(c.Payoffs->text(), QString(13, QLatin1Char(' '))
                     + QStringLiteral("The PAYOFF at the currently white node is ") + pound("6.")); // the payoff of p(5)
        at(11);
        f.click(c.ShowtheTree);
        QVERIFY(!c.Welcome->isVisible());

        // ---- Attempt 1: d1 R, c1(1) R, d2(3) L, c2(6) L, d3(12) R, c3(25) L to p(50).
        at(12.5f);
        f.clickNode(D3, 13); // far ahead: its notepad opens, no move is offered
        QVERIFY(c.NotepadContainer->isVisible());
        QVERIFY(!c.DecisionBox->isVisible());
        type(QStringLiteral("maybe later"));
        at(13.5f);
        f.clickNode(D1, 0);
        QVERIFY(c.DecisionBox->isVisible());
        type(QStringLiteral("Right looks richer\nLeft has the losses\nTry right first"));
        at(15);
        const QByteArray beforeUnchosen = f.log();
        f.click(c.ConfirmDecision); // nothing chosen yet: nothing happens
        QCOMPARE(f.log(), beforeUnchosen);
        QVERIFY(c.DecisionBox->isVisible());
        QVERIFY(c.NotepadContainer->isVisible());
        decide(true, 16.75f);
        QCOMPARE(c.Payoffs->text(), QString(28, QLatin1Char(' ')) + QStringLiteral("You have just moved right."));
        at(18);
        QVERIFY(!f.node(D1, 0)->isEnabled());
        const QByteArray beforeBehind = f.log();
        f.clickNode(D1, 0); // behind the subject now: greyed, and the click does nothing
        QCOMPARE(f.log(), beforeBehind);
        at(20);
        f.clickNode(C2, 6);
        type(QStringLiteral("if nature goes left"));
        at(22);
        f.click(c.CloseNotepad);
        QVERIFY(!c.NotepadContainer->isVisible());
        at(24);
        f.clickNode(C1, 1); // the empty notepad stays empty
        QVERIFY(c.NatureBox->isVisible());
        nature(0.75f, 26.5f);
        QCOMPARE(f.boxes.shown.last().text, QStringLiteral("Nature has chosen Right. Click OK to continue..."));
        at(30);
        f.clickNode(P, 60); // a payoff looked at halfway up
        at(31);
        f.clickNode(D2, 3);
        decide(false, 33);
        at(35);
        f.clickNode(C2, 6);
        QCOMPARE(c.Notepad->toPlainText(), QStringLiteral("if nature goes left"));
        nature(0.5f, 36);
        QCOMPARE(f.boxes.shown.last().text, QStringLiteral("Nature has chosen Left. Click OK to continue..."));
        at(40);
        f.clickNode(D3, 12);
        decide(true, 41.5f);
        at(43);
        f.clickNode(C3, 25);
        type(QStringLiteral("fingers crossed"));
        nature(0.25f, 45);
        QCOMPARE(window.state().ReachedLevel, qint16(P));
        QCOMPARE(f.boxes.shown.last().text, QStringLiteral("The realised payoff is ") + pound("51"));
        QCOMPARE(c.Payoffs->text(), QString(35, QLatin1Char(' ')) + QStringLiteral("The realised Payoff is ")
                     + pound("51."));
        QVERIFY(c.Continue->isVisible());
        QCOMPARE(f.readFile(okto), QByteArray(" 2 \r\n"));
        at(51);
        f.clickNode(P, 50); // the payoff node reached, looked at after the walk
        at(53);
        f.click(c.Continue);
        QVERIFY(c.NextAttempt->isVisible());
        QCOMPARE(c.NextAttempt->text(), QStringLiteral("You have 3 attempts left.  Click here to continue."));
        QCOMPARE(c.NumberofAttempt->toPlainText(),
                 QStringLiteral("This is attempt number 2 out of a total of 4 attempts."));
        QCOMPARE(f.readFile(okto), QByteArray(" 2 \r\n"));
        f.writeFile(okto, "5\r\n"); // from here on only the experimenter writes it
        at(55);
        f.click(c.NextAttempt);
        QVERIFY(!c.NextAttempt->isVisible());
        QVERIFY(!c.Start->isVisible());

        // ---- Attempt 2: d1 L, c1(0) R, d2(1) R, c2(3) L, d3(6) L, c3(12) L to p(24).
        at(57);
        f.clickNode(D1, 0);
        QCOMPARE(c.Notepad->toPlainText(),
                 QStringLiteral("Right looks richer\nLeft has the losses\nTry right first"));
        decide(false, 58.5f);
        at(60);
        f.clickNode(C1, 0);
        type(QStringLiteral("heads or tails"));
        nature(0.75f, 61);
        at(64);
        f.clickNode(C3, 13);
        type(QStringLiteral("too far ahead"));
        at(66);
        f.clickNode(D2, 1);
        f.click(c.MoveLeft);
        QVERIFY(c.MoveLeft->isChecked());
        at(67);
        f.clickNode(D2, 1); // clicking it again takes the choice back
        QVERIFY(!c.MoveLeft->isChecked());
        QVERIFY(!c.MoveRight->isChecked());
        decide(true, 69.5f);
        at(71);
        f.clickNode(C2, 3);
        nature(0.25f, 72);
        at(75);
        f.clickNode(D3, 6);
        decide(false, 76);
        at(77.5f);
        f.clickNode(C3, 12);
        nature(0.5f, 79);
        QCOMPARE(f.boxes.shown.last().text, QStringLiteral("The realised payoff is -") + pound("5"));
        QCOMPARE(f.readFile(okto), QByteArray("5\r\n"));
        at(85);
        f.click(c.Continue);
        QCOMPARE(c.NextAttempt->text(), QStringLiteral("You have 2 attempts left.  Click here to continue."));
        QCOMPARE(c.NumberofAttempt->toPlainText(),
                 QStringLiteral("This is attempt number 3 out of a total of 4 attempts."));
        at(86);
        f.click(c.NextAttempt);

        // ---- Attempt 3: d1 R, c1(1) L, d2(2) R, c2(5) L, d3(10) R, c3(21) L to p(42).
        at(88);
        f.clickNode(C1, 1); // ahead; the node left from attempt 2 is still on record
        QVERIFY(!c.NatureBox->isVisible());
        at(89);
        f.clickNode(D1, 0);
        QTest::keyClick(c.Notepad, Qt::Key_End, Qt::ControlModifier);
        type(QStringLiteral("\nsecond visit"));
        decide(true, 90);
        at(91);
        f.clickNode(C1, 1);
        nature(0.25f, 92);
        at(95);
        f.clickNode(P, 40);
        at(96);
        f.clickNode(P, 41);
        QCOMPARE(f.node(P, 40)->backColor(), QStringLiteral("&H0000FFFF"));
        QCOMPARE(f.node(P, 41)->backColor(), QStringLiteral("&H00FFFFFF"));
        at(97);
        f.clickNode(D2, 2);
        decide(true, 98);
        at(99);
        f.clickNode(C2, 5);
        nature(0.5f, 100);
        at(103);
        f.clickNode(D3, 10);
        decide(true, 104);
        at(105);
        f.clickNode(C3, 21);
        nature(0.25f, 106);
        QCOMPARE(f.boxes.shown.last().text, QStringLiteral("The realised payoff is ") + pound("0"));
        QCOMPARE(f.readFile(okto), QByteArray("5\r\n"));
        at(112);
        f.clickNode(P, 42);
        at(114);
        f.click(c.Continue);
        QCOMPARE(c.NextAttempt->text(),
                 QStringLiteral("Your next attempt is your last attempt.  Click here to continue."));
        QCOMPARE(c.NumberofAttempt->toPlainText(),
                 QStringLiteral("This is attempt number 4 out of a total of 4 attempts."));
        at(115);
        f.click(c.NextAttempt);

        // ---- Attempt 4: the walk of attempt 1 again, to p(50).
        at(116);
        f.clickNode(D1, 0);
        decide(true, 117);
        at(118);
        f.clickNode(C2, 6);
        QCOMPARE(c.Notepad->toPlainText(), QStringLiteral("if nature goes left")); // kept from attempt 1
        at(119);
        f.clickNode(C1, 1);
        nature(0.75f, 120);
        at(123);
        f.clickNode(D2, 3);
        decide(false, 124);
        at(125);
        f.clickNode(C2, 6);
        nature(0.5f, 126);
        at(129);
        f.clickNode(D3, 12);
        decide(true, 130);
        at(131);
        f.clickNode(C3, 25);
        QCOMPARE(c.Notepad->toPlainText(), QStringLiteral("fingers crossed"));
        nature(0.25f, 132.5f);
        QCOMPARE(f.readFile(okto), QByteArray("5\r\n"));
        at(140);
        f.click(c.Continue);

        // The end: the summary in attempt order, the log closed, the experimenter called.
        QCOMPARE(c.Payoffs->text(), QStringLiteral("Your payoff is a randomly chosen one of ") + pound("51") + QStringLiteral(", -")
                     + pound("5") + QStringLiteral(", ") + pound("0") + QStringLiteral(" and ") + pound("51."));
        QVERIFY(c.Payoffs->isVisible());
        QVERIFY(c.ExperimentOver->isVisible());
        QVERIFY(!c.NextAttempt->isVisible());
        QVERIFY(!f.node(D1, 0)->isVisible());
        QCOMPARE(f.readFile(okto), QByteArray("5\r\n"));
        const QByteArray closed = f.log();

        f.click(c.ExperimentOver);
        QVERIFY(c.TimerOkToGo->isActive());
        f.tick(); // still the experimenter's 5
        QVERIFY(window.isVisible());
        f.writeFile(okto, " 2 \r\n");
        f.tick();
        QVERIFY(window.isVisible());
        f.writeFile(okto, "1\r\n");
        f.tick();
        QVERIFY(window.isVisible());
        QVERIFY(!c.Start->isVisible());
        QVERIFY(c.ExperimentOver->isVisible());
        QCOMPARE(f.log(), closed);
        f.writeFile(okto, "99\r\n");
        f.tick();
        QVERIFY(!window.isVisible());

        // Line by line first, so a difference names its line; then every byte.
        const QByteArray actual = f.log();
        QCOMPARE(lines(actual), lines(expected));
        QCOMPARE(actual, expected);

        // The record beside it, with the workstation's name and time zone put in.
        const QDateTime opened(QDate(2009, 3, 4), QTime(0, 8, 32, 500));
        const QByteArray companion = expectedCompanion()
            .replace("@HOST@", QSysInfo::machineHostName().toUtf8())
            .replace("@START@", opened.toOffsetFromUtc(opened.offsetFromUtc())
                                    .toString(Qt::ISODateWithMs).toUtf8());
        QVERIFY2(!companion.isEmpty(), "the hand-written " DT_WHOLE_EXPERIMENT_COMPANION " is missing");
        const QByteArray written = f.readFile(QStringLiteral("o199btinp.01.jsonl"));
        QCOMPARE(lines(written), lines(companion));
    }
};

DT_GUI_TEST_MAIN(TestWholeExperiment)
#include "TestWholeExperiment.moc"
