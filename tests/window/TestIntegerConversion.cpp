#include "window/logic/IntegerConversion.h"

#include <QTest>

Q_DECLARE_METATYPE(IntegerConversion::Status)

// The experimenter's entries become 16-bit Integers: blanks around the number are
// allowed, a fraction goes to the nearest whole number with halves to the even
// neighbour, and anything outside -32768..32767 is refused rather than wrapped.
class TestIntegerConversion : public QObject
{
    Q_OBJECT

private slots:
    void fromText_data()
    {
        using S = IntegerConversion::Status;
        QTest::addColumn<QString>("text");
        QTest::addColumn<IntegerConversion::Status>("status");
        QTest::addColumn<int>("value");

        QTest::newRow("plain") << "99" << S::Ok << 99;
        QTest::newRow("blanks around") << "  42  " << S::Ok << 42;
        QTest::newRow("tabs around") << "\t7\t" << S::Ok << 7;
        QTest::newRow("plus sign") << "+7" << S::Ok << 7;
        QTest::newRow("minus sign") << "-15" << S::Ok << -15;
        QTest::newRow("zero") << "0" << S::Ok << 0;
        QTest::newRow("minus zero") << "-0" << S::Ok << 0;
        QTest::newRow("leading zeros") << "00032767" << S::Ok << 32767;

        QTest::newRow("2.5 to even 2") << "2.5" << S::Ok << 2;
        QTest::newRow("3.5 to even 4") << "3.5" << S::Ok << 4;
        QTest::newRow("1.5 to even 2") << "1.5" << S::Ok << 2;
        QTest::newRow("0.5 to even 0") << "0.5" << S::Ok << 0;
        QTest::newRow("-2.5 to even -2") << "-2.5" << S::Ok << -2;
        QTest::newRow("-3.5 to even -4") << "-3.5" << S::Ok << -4;
        QTest::newRow("just above a half") << "0.5000001" << S::Ok << 1;
        QTest::newRow("just below a half") << "2.4999999" << S::Ok << 2;
        QTest::newRow("a half with trailing zeros") << "2.5000" << S::Ok << 2;
        QTest::newRow("no whole part") << ".5" << S::Ok << 0;
        QTest::newRow("fraction with blanks") << " 1.5 " << S::Ok << 2;

        QTest::newRow("largest") << "32767" << S::Ok << 32767;
        QTest::newRow("smallest") << "-32768" << S::Ok << -32768;
        QTest::newRow("32767.4 stays in range") << "32767.4" << S::Ok << 32767;
        QTest::newRow("-32768.5 to even stays in range") << "-32768.5" << S::Ok << -32768;
        QTest::newRow("32768") << "32768" << S::OutOfRange << 0;
        QTest::newRow("-32769") << "-32769" << S::OutOfRange << 0;
        QTest::newRow("32767.5 to even 32768") << "32767.5" << S::OutOfRange << 0;
        QTest::newRow("-32768.6") << "-32768.6" << S::OutOfRange << 0;
        QTest::newRow("65536 does not wrap to 0") << "65536" << S::OutOfRange << 0;
        QTest::newRow("twelve digits") << "999999999999" << S::OutOfRange << 0;

        QTest::newRow("letters") << "abc" << S::NotANumber << 0;
        QTest::newRow("empty") << "" << S::NotANumber << 0;
        QTest::newRow("only blanks") << "   " << S::NotANumber << 0;
        QTest::newRow("exponent") << "1e3" << S::NotANumber << 0;
        QTest::newRow("digits then letters") << "12a" << S::NotANumber << 0;
        QTest::newRow("two numbers") << "1 2" << S::NotANumber << 0;
        QTest::newRow("grouping") << "1,000" << S::NotANumber << 0;
        QTest::newRow("two signs") << "--1" << S::NotANumber << 0;
        QTest::newRow("sign only") << "-" << S::NotANumber << 0;
        QTest::newRow("point only") << "." << S::NotANumber << 0;
        QTest::newRow("hexadecimal") << "0x10" << S::NotANumber << 0;
        QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("\u0661\u0662") << S::NotANumber << 0;
        QTest::newRow("full-width digits") << QString::fromUtf8("\uFF11\uFF12") << S::NotANumber << 0;
        QTest::newRow("a point without fraction") << "5." << S::Ok << 5;
        QTest::newRow("no-break space around") << QString::fromUtf8("\u00A03\u00A0") << S::Ok << 3;
    }

    void fromText()
    {
        QFETCH(QString, text);
        QFETCH(IntegerConversion::Status, status);
        QFETCH(int, value);
        const IntegerConversion converted = IntegerConversion::fromText(text);
        QCOMPARE(converted.status, status);
        QCOMPARE(converted.ok(), status == IntegerConversion::Status::Ok);
        if (status == IntegerConversion::Status::Ok)
            QCOMPARE(int(converted.value), value);
    }
};

QTEST_GUILESS_MAIN(TestIntegerConversion)
#include "TestIntegerConversion.moc"
