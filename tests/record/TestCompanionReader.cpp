#include "record/CompanionReader.h"

#include <QTest>

namespace {

// A companion record written by hand after its documentation: the run line, a record of
// each form, a press, a box, a payoff, a line of a type the reader passes over, the end,
// and a last line cut short by a power cut.
QByteArray companionText()
{
    QByteArray payoffs, texts;
    for (int k = 0; k < 64; ++k) {
        payoffs += (k ? "," : "") + QByteArray::number(k - 3);
        texts += (k ? ",\"" : "\"") + (k < 3 ? "-\xC2\xA3" + QByteArray::number(3 - k) : "\xC2\xA3" + QByteArray::number(k - 3)) + "\"";
    }
    return "{\"type\":\"run\",\"schema\":\"decision-tree-companion\",\"version\":1,\"program\":\"Decision Tree\","
           "\"programVersion\":\"1.0\",\"subject\":99,\"paramSet\":1,\"dataFile\":\"btinp.01\",\"attempts\":4,"
           "\"seed\":9910,\"payoffs\":[" + payoffs + "],\"payoffTexts\":[" + texts + "],\"log\":\"o199btinp.01\","
           "\"header\":\"99  1  3/4/09  512.5\",\"start\":\"2009-03-04T00:08:32.500+01:00\",\"host\":\"lab-07\",\"ms\":0}\n"
           "{\"type\":\"goAhead\",\"ms\":1003,\"value\":1}\n"
           "{\"type\":\"record\",\"ms\":41000,\"stamp\":41,\"attempt\":1,\"kind\":\"Start\"}\n"
           "{\"type\":\"press\",\"ms\":52250,\"attempt\":1,\"control\":\"ShowtheTree\"}\n"
           "{\"type\":\"record\",\"ms\":63020,\"stamp\":63,\"attempt\":1,\"kind\":\"d1\",\"level\":1,\"index\":0}\n"
           "{\"type\":\"record\",\"ms\":79400,\"stamp\":79,\"attempt\":1,\"kind\":\"ConfirmDecision\",\"move\":\"L\",\"level\":1,\"index\":0}\n"
           "{\"type\":\"record\",\"ms\":85000,\"stamp\":85,\"attempt\":1,\"kind\":\"c1\",\"level\":2,\"index\":0}\n"
           "{\"type\":\"record\",\"ms\":85001,\"stamp\":85,\"attempt\":1,\"kind\":\"NotepadContents\",\"level\":1,\"index\":0,\"text\":\"left\\u00a0\\u2192 safer\\nyes\"}\n"
           "{\"type\":\"box\",\"ms\":88900,\"attempt\":1,\"icon\":\"information\",\"title\":\"Nature 's Move\","
           "\"text\":\"Nature has chosen Right. Click OK to continue...\",\"shownMs\":86020}\n"
           "{\"type\":\"payoff\",\"ms\":90000,\"attempt\":1,\"index\":50,\"payoff\":47,\"text\":\"\xC2\xA3" "47\"}\n"
           "{\"type\":\"end\",\"ms\":95000,\"payoffTexts\":[\"\xC2\xA3" "47\"]}\n"
           "{\"type\":\"exit\",\"ms\":96";
}

const QByteArray Log = "99  1  3/4/09  512.5\r\n41 Start\r\n63 d1                  0\r\n79 ConfirmDecision     L 1 0\r\n"
                       "85 c1                  0\r\n85 NotepadContents     1 0 left\xA0? safer\r\nyes\r\n";

} // namespace

class TestCompanionReader : public QObject
{
    Q_OBJECT

private slots:
    void aHandWrittenCompanionIsRead()
    {
        Companion c;
        QString error;
        QVERIFY2(CompanionReader::parse(companionText(), &c, &error), qPrintable(error));
        QCOMPARE(c.version, 1);
        QCOMPARE(c.subject, 99);
        QCOMPARE(c.attempts, 4);
        QCOMPARE(c.header, QStringLiteral("99  1  3/4/09  512.5"));
        QCOMPARE(c.start.toString(Qt::ISODateWithMs), QStringLiteral("2009-03-04T00:08:32.500+01:00"));
        QCOMPARE(c.payoffs[50], 47);
        QCOMPARE(c.payoffTexts[0], QStringLiteral("-\u00A33"));
        QCOMPARE(c.records.size(), 5);
        QCOMPARE(c.records[2].move, QStringLiteral("L"));
        QCOMPARE(c.records[4].text, QStringLiteral("left\u00A0\u2192 safer\nyes"));
        QCOMPARE(c.records[4].ms, qint64(85001));
        QCOMPARE(c.presses.size(), 1);
        QCOMPARE(c.presses[0].ms, qint64(52250));
        QCOMPARE(c.presses[0].attempt, 1);
        QCOMPARE(c.presses[0].control, QStringLiteral("ShowtheTree"));
        QCOMPARE(c.boxes.size(), 1);
        QCOMPARE(c.boxes[0].shownMs, qint64(86020));
        QCOMPARE(c.boxes[0].answeredMs, qint64(88900));
        QCOMPARE(c.boxes[0].icon, QStringLiteral("information"));
        QCOMPARE(c.boxes[0].title, QStringLiteral("Nature 's Move"));
        QCOMPARE(c.boxes[0].text, QStringLiteral("Nature has chosen Right. Click OK to continue..."));
        QCOMPARE(c.shown.size(), 1);
        QCOMPARE(c.shown[0].text, QStringLiteral("\u00A347"));
        QVERIFY(c.complete);
        QVERIFY(c.problems.isEmpty()); // the cut last line is passed over

        const ParsedLog log = LogReader::parse(Log);
        QVERIFY(log.clean());
        QVERIFY(CompanionReader::compare(log, c).isEmpty());
        const QList<LogProblem> differences = CompanionReader::compare(LogReader::parse(QByteArray(Log).replace("79 Conf", "80 Conf")), c);
        QCOMPARE(differences.size(), 1);
        QCOMPARE(differences[0].line, qint64(4));
    }

    void whatIsNoCompanionIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QByteArray() << QStringLiteral("empty");
        QTest::newRow("a CSV") << QByteArray("log,subject\n") << QStringLiteral("not a JSON object");
        QTest::newRow("another schema") << QByteArray("{\"type\":\"run\",\"schema\":\"other\"}\n") << QStringLiteral("not the run line");
        QTest::newRow("version 2")
            << QByteArray("{\"type\":\"run\",\"schema\":\"decision-tree-companion\",\"version\":2}\n") << QStringLiteral("version 2");
    }
    void whatIsNoCompanionIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        Companion c;
        QString error;
        QVERIFY(!CompanionReader::parse(bytes, &c, &error));
        QVERIFY2(error.contains(message), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestCompanionReader)
#include "TestCompanionReader.moc"
