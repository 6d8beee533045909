#include "session/CashBreakdown.h"
#include "session/Money.h"
#include "session/PaidSubject.h"

#include <QTest>

// Money in whole pence: amounts as typed, the amount handed over, and the fewest notes and
// coins for an envelope, worked out by hand below.
class TestMoney : public QObject
{
    Q_OBJECT

private slots:
    void amountsAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("pence"); // -1: refused
        QTest::newRow("whole") << QStringLiteral("5") << qint64(500);
        QTest::newRow("two places") << QStringLiteral("2.50") << qint64(250);
        QTest::newRow("one place") << QStringLiteral("0.5") << qint64(50);
        QTest::newRow("blanks around") << QStringLiteral(" 3 ") << qint64(300);
        QTest::newRow("a million") << QStringLiteral("1000000") << qint64(100000000);
        QTest::newRow("above a million") << QStringLiteral("1000000.01") << qint64(-1);
        QTest::newRow("negative") << QStringLiteral("-1") << qint64(-1);
        QTest::newRow("three places") << QStringLiteral("2.505") << qint64(-1);
        QTest::newRow("comma") << QStringLiteral("2,50") << qint64(-1);
        QTest::newRow("exponent") << QStringLiteral("5e2") << qint64(-1);
        QTest::newRow("empty") << QString() << qint64(-1);
        QTest::newRow("dot alone") << QStringLiteral(".5") << qint64(-1);
    }
    void amountsAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(qint64, pence);
        const std::optional<qint64> parsed = Money::parse(typed);
        QCOMPARE(parsed.value_or(-1), pence);
    }

    void shownAsTheSubjectSawIt()
    {
        QCOMPARE(Money::text(0), QStringLiteral("0.00"));
        QCOMPARE(Money::text(-320), QStringLiteral("-3.20"));
        QCOMPARE(Money::shown(-320, QStringLiteral("\u00a3")), QStringLiteral("-\u00a33.20"));
        QCOMPARE(Money::currencyOf(QStringLiteral("-\u00a35")), QStringLiteral("\u00a3"));
    }

    void theFeeTakesTheLoss_data()
    {
        QTest::addColumn<qint64>("fee");
        QTest::addColumn<qint64>("payoff");
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<bool>("floored");
        QTest::newRow("a gain") << qint64(500) << qint64(1200) << qint64(1700) << false;
        QTest::newRow("a loss within the fee") << qint64(500) << qint64(-300) << qint64(200) << false;
        QTest::newRow("a loss equal to the fee") << qint64(500) << qint64(-500) << qint64(0) << false;
        QTest::newRow("a loss larger than the fee") << qint64(500) << qint64(-800) << qint64(0) << true;
        QTest::newRow("no fee, a loss") << qint64(0) << qint64(-100) << qint64(0) << true;
    }
    void theFeeTakesTheLoss()
    {
        QFETCH(qint64, fee);
        QFETCH(qint64, payoff);
        QFETCH(qint64, amount);
        QFETCH(bool, floored);
        PaidSubject paid;
        paid.payoff = payoff;
        paid.settle(fee);
        QCOMPARE(paid.amount, amount);
        QCOMPARE(paid.floored, floored);
    }

    void theFewestPieces_data()
    {
        QTest::addColumn<QString>("denominations");
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<bool>("greedyIsFewest");
        QTest::addColumn<QString>("pieces"); // empty: cannot be made
        QTest::newRow("pound, £17") << CashBreakdown::poundText() << qint64(1700) << true
                                    << QStringLiteral("1 \u00d7 \u00a310, 1 \u00d7 \u00a35, 1 \u00d7 \u00a32");
        QTest::newRow("pound, £88.88") << CashBreakdown::poundText() << qint64(8888) << true
                                       << QStringLiteral("1 \u00d7 \u00a350, 1 \u00d7 \u00a320, 1 \u00d7 \u00a310, "
                                                         "1 \u00d7 \u00a35, 1 \u00d7 \u00a32, 1 \u00d7 \u00a31, "
                                                         "1 \u00d7 \u00a30.50, 1 \u00d7 \u00a30.20, 1 \u00d7 \u00a30.10, "
                                                         "1 \u00d7 \u00a30.05, 1 \u00d7 \u00a30.02, 1 \u00d7 \u00a30.01");
        QTest::newRow("pound, nothing") << CashBreakdown::poundText() << qint64(0) << true << QStringLiteral("nothing");
        QTest::newRow("4, 3, 1: 6 is 3 + 3") << QStringLiteral("4,3,1") << qint64(600) << false
                                             << QStringLiteral("2 \u00d7 \u00a33");
        QTest::newRow("0.04, 0.03, 0.01 in pence") << QStringLiteral("0.04,0.03,0.01") << qint64(6) << false
                                                   << QStringLiteral("2 \u00d7 \u00a30.03");
        QTest::newRow("25, 10, 5, 1") << QStringLiteral("0.25,0.1,0.05,0.01") << qint64(30) << true
                                      << QStringLiteral("1 \u00d7 \u00a30.25, 1 \u00d7 \u00a30.05");
        QTest::newRow("no penny: 3p cannot be made") << QStringLiteral("0.05,0.02") << qint64(3) << false << QString();
    }
    void theFewestPieces()
    {
        QFETCH(QString, denominations);
        QFETCH(qint64, amount);
        QFETCH(bool, greedyIsFewest);
        QFETCH(QString, pieces);
        QString why;
        const std::optional<CashBreakdown> cash = CashBreakdown::from(denominations, &why);
        QVERIFY2(cash, qPrintable(why));
        QCOMPARE(cash->greedyIsFewest(), greedyIsFewest);
        const std::optional<QList<qint64>> counts = cash->pieces(amount);
        QCOMPARE(counts.has_value(), !pieces.isEmpty());
        if (!counts)
            return;
        qint64 sum = 0;
        for (qsizetype k = 0; k < counts->size(); ++k)
            sum += (*counts)[k] * cash->denominations()[k];
        QCOMPARE(sum, amount);
        QCOMPARE(cash->text(*counts, QStringLiteral("\u00a3")), pieces);
    }

    void refusedDenominations_data()
    {
        QTest::addColumn<QString>("denominations");
        QTest::addColumn<QString>("named");
        QTest::newRow("a word") << QStringLiteral("5,two") << QStringLiteral("\"two\"");
        QTest::newRow("zero") << QStringLiteral("5,0") << QStringLiteral("\"0\"");
        QTest::newRow("twice") << QStringLiteral("5,1,5") << QStringLiteral("\"5\" is given twice");
        QTest::newRow("empty item") << QStringLiteral("5,,1") << QStringLiteral("\"\"");
    }
    void refusedDenominations()
    {
        QFETCH(QString, denominations);
        QFETCH(QString, named);
        QString why;
        QVERIFY(!CashBreakdown::from(denominations, &why));
        QVERIFY2(why.contains(named), qPrintable(why));
    }
};

QTEST_GUILESS_MAIN(TestMoney)
#include "TestMoney.moc"
