#include "tree/logic/BgrColour.h"

#include <QTest>

Q_DECLARE_METATYPE(RgbColour)

// Failure messages show the colour, found through argument-dependent lookup.
char *toString(const RgbColour &c)
{
    return QTest::toString(QStringLiteral("(%1, %2, %3)").arg(c.red).arg(c.green).arg(c.blue));
}

// Node colours travel as "&H" text of a Windows BGR value: the low byte is red, the
// high byte blue. A colour text that is read the wrong way round paints a decision node
// in the wrong colour, so each of the five colours of the tree is pinned here.
class TestBgrColour : public QObject
{
    Q_OBJECT

private slots:
    void hexTextGivesRedGreenBlue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::newRow("decision green") << QStringLiteral("&HC000") << 0 << 192 << 0;
        QTest::newRow("chance red") << QStringLiteral("&HFF") << 255 << 0 << 0;
        QTest::newRow("payoff yellow") << QStringLiteral("&H0000FFFF") << 255 << 255 << 0;
        QTest::newRow("inspected white") << QStringLiteral("&H00FFFFFF") << 255 << 255 << 255;
        QTest::newRow("marked-out grey") << QStringLiteral("&H808080") << 128 << 128 << 128;
        QTest::newRow("blue is the high byte") << QStringLiteral("&HFF0000") << 0 << 0 << 255;
        QTest::newRow("three distinct bytes") << QStringLiteral("&H123456") << 0x56 << 0x34 << 0x12;
        QTest::newRow("lower-case digits") << QStringLiteral("&Hc000") << 0 << 192 << 0;
        QTest::newRow("black") << QStringLiteral("&H0") << 0 << 0 << 0;
    }

    void hexTextGivesRedGreenBlue()
    {
        QFETCH(QString, text);
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        bool ok = false;
        const RgbColour colour = BgrColour::fromHexText(text, &ok);
        QVERIFY(ok);
        QCOMPARE(colour.red, red);
        QCOMPARE(colour.green, green);
        QCOMPARE(colour.blue, blue);
    }

    void theTreeColoursAreTheDocumentedOnes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<RgbColour>("colour");
        QTest::newRow("decision") << ColourText::Decision << RgbColour{0, 192, 0};
        QTest::newRow("chance") << ColourText::Chance << RgbColour{255, 0, 0};
        QTest::newRow("payoff") << ColourText::Payoff << RgbColour{255, 255, 0};
        QTest::newRow("inspected") << ColourText::Inspected << RgbColour{255, 255, 255};
        QTest::newRow("marked out") << ColourText::MarkedOut << RgbColour{128, 128, 128};
    }

    void theTreeColoursAreTheDocumentedOnes()
    {
        QFETCH(QString, text);
        QFETCH(RgbColour, colour);
        bool ok = false;
        QCOMPARE(BgrColour::fromHexText(text, &ok), colour);
        QVERIFY(ok);
    }

    void badTextIsRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("prefix only") << QStringLiteral("&H");
        QTest::newRow("no prefix") << QStringLiteral("C000");
        QTest::newRow("HTML notation") << QStringLiteral("#00C000");
        QTest::newRow("not hexadecimal") << QStringLiteral("&HGG");
        QTest::newRow("trailing letter") << QStringLiteral("&HC00Z");
        QTest::newRow("blank inside") << QStringLiteral("&H C000");
        QTest::newRow("blank after") << QStringLiteral("&HC000 ");
        QTest::newRow("second prefix") << QStringLiteral("&H0xC000");
        QTest::newRow("plus sign") << QStringLiteral("&H+FF");
        QTest::newRow("minus sign") << QStringLiteral("&H-1");
        QTest::newRow("more than 32 bits") << QStringLiteral("&H100000000");
    }

    void badTextIsRefused()
    {
        QFETCH(QString, text);
        bool ok = true;
        const RgbColour colour = BgrColour::fromHexText(text, &ok);
        QVERIFY(!ok);
        QCOMPARE(colour, RgbColour{});
    }
};

QTEST_GUILESS_MAIN(TestBgrColour)
#include "TestBgrColour.moc"
