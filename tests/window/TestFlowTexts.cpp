#include "window/logic/FlowTexts.h"

#include <QTest>

namespace {

QString pounds(const char *amount)
{
    return QString(QChar(0x00A3)) + QLatin1String(amount);
}

QString loss(const char *amount)
{
    return QLatin1Char('-') + pounds(amount);
}

// Attempt payoff texts as the flow keeps them: entry 0 is never used.
QList<QString> attempts(const QList<QString> &payoffs)
{
    return QList<QString>{QString()} + payoffs;
}

} // namespace

// The texts that lead the subject through the attempts: how many there are, which one
// is being played, how many are left, and the closing list of payoffs, each payoff in
// the place of its own attempt.
class TestFlowTexts : public QObject
{
    Q_OBJECT

private slots:
    void startCaption_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("caption");
        QTest::newRow("one") << 1 << "You will have one attempt. Click here to start.";
        QTest::newRow("two") << 2 << "You will have 2 attempts. Click here to start.";
        QTest::newRow("four") << 4 << "You will have 4 attempts. Click here to start.";
        QTest::newRow("twenty") << 20 << "You will have 20 attempts. Click here to start.";
        QTest::newRow("none: empty") << 0 << QString();
        QTest::newRow("negative: empty") << -1 << QString();
    }

    void startCaption()
    {
        QFETCH(int, count);
        QFETCH(QString, caption);
        QCOMPARE(FlowTexts::startCaption(count), caption);
    }

    void attemptText_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("only attempt")
            << 1 << 1 << "This is your only attempt. You will be paid the payoff of this attempt.";
        QTest::newRow("first of four") << 1 << 4 << "This is attempt number 1 out of a total of 4 attempts.";
        QTest::newRow("second of four") << 2 << 4 << "This is attempt number 2 out of a total of 4 attempts.";
        QTest::newRow("last of four") << 4 << 4 << "This is attempt number 4 out of a total of 4 attempts.";
        QTest::newRow("second of two") << 2 << 2 << "This is attempt number 2 out of a total of 2 attempts.";
        QTest::newRow("twelfth of twenty") << 12 << 20 << "This is attempt number 12 out of a total of 20 attempts.";
        QTest::newRow("no attempts: empty") << 1 << 0 << QString();
        QTest::newRow("negative count: empty") << 1 << -1 << QString();
    }

    void attemptText()
    {
        QFETCH(int, number);
        QFETCH(int, count);
        QFETCH(QString, text);
        QCOMPARE(FlowTexts::attemptText(number, count), text);
    }

    void nextAttemptCaption_data()
    {
        QTest::addColumn<int>("left");
        QTest::addColumn<QString>("caption");
        // Two blanks after the first full stop in both forms.
        QTest::newRow("three left") << 3 << "You have 3 attempts left.  Click here to continue.";
        QTest::newRow("two left") << 2 << "You have 2 attempts left.  Click here to continue.";
        QTest::newRow("nineteen left") << 19 << "You have 19 attempts left.  Click here to continue.";
        QTest::newRow("last one") << 1 << "Your next attempt is your last attempt.  Click here to continue.";
    }

    void nextAttemptCaption()
    {
        QFETCH(int, left);
        QFETCH(QString, caption);
        QCOMPARE(FlowTexts::nextAttemptCaption(left), caption);
    }

    void summary_data()
    {
        QTest::addColumn<QList<QString>>("payoffs");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("one attempt: 23 blanks")
            << attempts({pounds("7")}) << 1 << QString(23, QLatin1Char(' ')) + "Your payoff is " + pounds("7") + ".";
        QTest::newRow("one attempt, a loss")
            << attempts({loss("15")}) << 1 << QString(23, QLatin1Char(' ')) + "Your payoff is " + loss("15") + ".";
        QTest::newRow("two attempts: no comma")
            << attempts({pounds("7"), loss("3")}) << 2
            << "Your payoff is a randomly chosen one of " + pounds("7") + " and " + loss("3") + ".";
        QTest::newRow("three attempts")
            << attempts({pounds("1"), pounds("2"), pounds("3")}) << 3
            << "Your payoff is a randomly chosen one of " + pounds("1") + ", " + pounds("2") + " and "
                   + pounds("3") + ".";
        QTest::newRow("four attempts")
            << attempts({pounds("7"), loss("3"), pounds("0"), pounds("12")}) << 4
            << "Your payoff is a randomly chosen one of " + pounds("7") + ", " + loss("3") + ", "
                   + pounds("0") + " and " + pounds("12") + ".";
        QTest::newRow("the same payoff twice keeps both places")
            << attempts({pounds("5"), loss("2"), pounds("5"), loss("2")}) << 4
            << "Your payoff is a randomly chosen one of " + pounds("5") + ", " + loss("2") + ", "
                   + pounds("5") + " and " + loss("2") + ".";
        QTest::newRow("only the attempts played are listed")
            << attempts({pounds("4"), pounds("8"), pounds("9")}) << 2
            << "Your payoff is a randomly chosen one of " + pounds("4") + " and " + pounds("8") + ".";
    }

    void summary()
    {
        QFETCH(QList<QString>, payoffs);
        QFETCH(int, count);
        QFETCH(QString, text);
        QCOMPARE(FlowTexts::summary(payoffs, count), text);
    }

    void twentyAttemptsListEveryPayoffInOrder()
    {
        QList<QString> payoffs;
        QString expected = QStringLiteral("Your payoff is a randomly chosen one of ");
        for (int k = 1; k <= 20; ++k) {
            const QString text = QString(QChar(0x00A3)) + QString::number(100 + k);
            payoffs.append(text);
            expected += text + (k < 19 ? QStringLiteral(", ") : k == 19 ? QStringLiteral(" and ")
                                                                      : QStringLiteral("."));
        }
        QCOMPARE(FlowTexts::summary(attempts(payoffs), 20), expected);
    }

    void fixedTexts_data()
    {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        QTest::newRow("welcome line")
            << FlowTexts::hello()
            << "Welcome to this experiment. Please read the instructions carefully and wait for the start of the experiment.";
        QTest::newRow("instructions, with their spelling")
            << FlowTexts::instructions()
            << "This is a decision tree. The green nodes are DECISION nodes - where you decide whether to go left or "
               "right. The red nodes are CHANCE nodes - where Nature decides whether to go left or right. Nature "
               "chooses at random - with left and right being equally likely and independent of your decisions. "
               "The yellow nodes are payoff nodes. Eventually you (with Nature) have to work through the tree - "
               "getting to some final payoff node. You work UP through the tree, starting at the bottom green node. "
               "Full instuctions are in the written Instructions that you have been given.";
    }

    void fixedTexts()
    {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }
};

QTEST_GUILESS_MAIN(TestFlowTexts)
#include "TestFlowTexts.moc"
