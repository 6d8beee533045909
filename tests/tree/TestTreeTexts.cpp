#include "tree/logic/TreeTexts.h"

#include <QTest>

namespace {

QString blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

QString pounds(const char *amount)
{
    return QString(QChar(0x00A3)) + QLatin1String(amount);
}

const QString DecisionTip = QStringLiteral("This is a decision node. Click to open the Notepad.");
const QString ChanceTip = QStringLiteral("This is a chance node. Click to open the Notepad.");
const QString PayoffTip = QStringLiteral("This is a payoff node. Click to see the payoff.");
const QString DecisionWhite = QStringLiteral("The currently white node is a DECISION node.");
const QString ChanceWhite = QStringLiteral("The currently white node is a CHANCE node.");

} // namespace

// Every text the tree shows the subject, with the counted leading blanks that centre the
// messages in their box: a blank too many or too few moves the message on screen.
class TestTreeTexts : public QObject
{
    Q_OBJECT

private slots:
    void eachLevelHasItsNameColourTipAndMessage_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("arrayName");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<QString>("whiteNodeMessage");
        QTest::newRow("d1") << 1 << "d1" << "&HC000" << DecisionTip << blanks(12) + DecisionWhite;
        QTest::newRow("c1: one blank fewer") << 2 << "c1" << "&HFF" << ChanceTip << blanks(11) + ChanceWhite;
        QTest::newRow("d2") << 3 << "d2" << "&HC000" << DecisionTip << blanks(12) + DecisionWhite;
        QTest::newRow("c2") << 4 << "c2" << "&HFF" << ChanceTip << blanks(12) + ChanceWhite;
        QTest::newRow("d3") << 5 << "d3" << "&HC000" << DecisionTip << blanks(12) + DecisionWhite;
        QTest::newRow("c3") << 6 << "c3" << "&HFF" << ChanceTip << blanks(12) + ChanceWhite;
        QTest::newRow("p: no message") << 7 << "p" << "&H0000FFFF" << PayoffTip << QString();
    }

    void eachLevelHasItsNameColourTipAndMessage()
    {
        QFETCH(int, level);
        QFETCH(QString, arrayName);
        QFETCH(QString, colour);
        QFETCH(QString, tooltip);
        QFETCH(QString, whiteNodeMessage);
        const TreeTexts::LevelTexts &texts = TreeTexts::level(level);
        QCOMPARE(texts.arrayName, arrayName);
        QCOMPARE(texts.colour, colour);
        QCOMPARE(texts.tooltip, tooltip);
        QCOMPARE(texts.whiteNodeMessage, whiteNodeMessage);
    }

    void notepadCaptionCountsNodesFromOne_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::newRow("d1") << 1 << 0 << "This is the only node at the first decision level.";
        QTest::newRow("c1(0)") << 2 << 0 << "This is node number 1 at the first chance level.";
        QTest::newRow("c1(1)") << 2 << 1 << "This is node number 2 at the first chance level.";
        QTest::newRow("d2(3)") << 3 << 3 << "This is node number 4 at the second decision level.";
        QTest::newRow("c2(7)") << 4 << 7 << "This is node number 8 at the second chance level.";
        QTest::newRow("d3(9)") << 5 << 9 << "This is node number 10 at the third decision level.";
        QTest::newRow("c3(5)") << 6 << 5 << "This is node number 6 at the third chance level.";
        QTest::newRow("c3(31)") << 6 << 31 << "This is node number 32 at the third chance level.";
    }

    void notepadCaptionCountsNodesFromOne()
    {
        QFETCH(int, level);
        QFETCH(int, index);
        QFETCH(QString, caption);
        QCOMPARE(TreeTexts::notepadCaption(level, index), caption);
    }

    void decisionMessagesAreCentred_data()
    {
        QTest::addColumn<bool>("left");
        QTest::addColumn<QString>("message");
        QTest::newRow("left: 29 blanks") << true << blanks(29) + "You have just moved left.";
        QTest::newRow("right: 28 blanks") << false << blanks(28) + "You have just moved right.";
    }

    void decisionMessagesAreCentred()
    {
        QFETCH(bool, left);
        QFETCH(QString, message);
        QCOMPARE(TreeTexts::decisionMessage(left), message);
        QCOMPARE(TreeTexts::decisionMessage(left).size(), 54);
    }

    void natureTexts_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("left");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("title");
        QTest::newRow("c1 left") << 2 << true << "Nature has chosen Left. Click OK to continue..."
                                 << "Nature 's Move";
        QTest::newRow("c1 right") << 2 << false << "Nature has chosen Right. Click OK to continue..."
                                  << "Nature 's Move";
        QTest::newRow("c2 left") << 4 << true << "Nature has chosen Left. Click OK to continue..."
                                 << "Nature 's Move";
        QTest::newRow("c2 right") << 4 << false << "Nature has chosen Right. Click OK to continue..."
                                  << "Nature 's Move";
        QTest::newRow("c3 left") << 6 << true << "Nature has chosen Left. Click to find the realised payoff."
                                 << "Nature's move";
        QTest::newRow("c3 right") << 6 << false
                                  << "Nature has chosen Right. Click to find the realised payoff."
                                  << "Nature's move";
    }

    void natureTexts()
    {
        QFETCH(int, level);
        QFETCH(bool, left);
        QFETCH(QString, prompt);
        QFETCH(QString, title);
        QCOMPARE(TreeTexts::natureBoxPrompt(level, left), prompt);
        QCOMPARE(TreeTexts::natureBoxTitle(level), title);
    }

    void natureMessagesAreCentred_data()
    {
        QTest::addColumn<bool>("left");
        QTest::addColumn<QString>("message");
        QTest::newRow("left: 32 blanks") << true << blanks(32) + "Nature has chosen Left.";
        QTest::newRow("right: 31 blanks") << false << blanks(31) + "Nature has chosen Right.";
    }

    void natureMessagesAreCentred()
    {
        QFETCH(bool, left);
        QFETCH(QString, message);
        QCOMPARE(TreeTexts::natureMessage(left), message);
    }

    void realisedPayoffTexts_data()
    {
        QTest::addColumn<bool>("left");
        QTest::addColumn<QString>("payoff");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("left: 35 blanks")
            << true << pounds("7") << blanks(35) + "The realised Payoff is " + pounds("7") + "."
            << "The realised payoff is " + pounds("7");
        QTest::newRow("right: 34 blanks")
            << false << "-" + pounds("15") << blanks(34) + "The realised Payoff is -" + pounds("15") + "."
            << "The realised payoff is -" + pounds("15");
        QTest::newRow("zero") << true << pounds("0") << blanks(35) + "The realised Payoff is " + pounds("0") + "."
                              << "The realised payoff is " + pounds("0");
    }

    void realisedPayoffTexts()
    {
        QFETCH(bool, left);
        QFETCH(QString, payoff);
        QFETCH(QString, message);
        QFETCH(QString, prompt);
        QCOMPARE(TreeTexts::realisedPayoffMessage(left, payoff), message);
        // The box's prompt has no full stop.
        QCOMPARE(TreeTexts::realisedPayoffPrompt(payoff), prompt);
        QCOMPARE(TreeTexts::realisedPayoffTitle(), QStringLiteral("Payoff"));
    }

    void payoffNodeMessage_data()
    {
        QTest::addColumn<QString>("payoff");
        QTest::addColumn<QString>("message");
        QTest::newRow("gain") << pounds("12") << blanks(13) + "The PAYOFF at the currently white node is " + pounds("12") + ".";
        QTest::newRow("loss") << "-" + pounds("3") << blanks(13) + "The PAYOFF at the currently white node is -" + pounds("3") + ".";
    }

    void payoffNodeMessage()
    {
        QFETCH(QString, payoff);
        QFETCH(QString, message);
        QCOMPARE(TreeTexts::payoffNodeMessage(payoff), message);
    }

    void resetMessage()
    {
        QCOMPARE(TreeTexts::clickOnPayoffMessage(),
                 QStringLiteral("Click on any payoff (yellow) node to find the payoff at that node."));
    }
};

QTEST_GUILESS_MAIN(TestTreeTexts)
#include "TestTreeTexts.moc"
