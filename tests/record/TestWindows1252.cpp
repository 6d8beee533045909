#include "record/Windows1252.h"

#include <QTest>

// The lab's files are Windows-1252 text: every character the code page has must come out
// as its own byte, and everything else as a single "?".
class TestWindows1252 : public QObject
{
    Q_OBJECT

private slots:
    void encodeWritesTheCodePageByte_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ASCII and CR LF") << QStringLiteral("99  1\r\n") << QByteArray("99  1\r\n");
        QTest::newRow("euro 0x80") << QString(QChar(0x20AC)) << QByteArray("\x80");
        QTest::newRow("low quote 0x82") << QString(QChar(0x201A)) << QByteArray("\x82");
        QTest::newRow("dagger 0x86") << QString(QChar(0x2020)) << QByteArray("\x86");
        QTest::newRow("S caron 0x8A") << QString(QChar(0x0160)) << QByteArray("\x8A");
        QTest::newRow("z caron 0x9E") << QString(QChar(0x017E)) << QByteArray("\x9E");
        QTest::newRow("Y diaeresis 0x9F") << QString(QChar(0x0178)) << QByteArray("\x9F");
        QTest::newRow("no-break space 0xA0") << QString(QChar(0x00A0)) << QByteArray("\xA0");
        QTest::newRow("pound 0xA3") << QString(QChar(0x00A3)) << QByteArray("\xA3");
        QTest::newRow("y diaeresis 0xFF") << QString(QChar(0x00FF)) << QByteArray("\xFF");
        QTest::newRow("omega: ?") << QString(QChar(0x03A9)) << QByteArray("?");
        QTest::newRow("C1 control the page lacks: ?") << QString(QChar(0x0081)) << QByteArray("?");
        QTest::newRow("pair of surrogates: one ?")
            << QString::fromUtf8("x\xF0\x9F\x98\x80y") << QByteArray("x?y");
        QTest::newRow("empty") << QString() << QByteArray();
    }

    void encodeWritesTheCodePageByte()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(Windows1252::encode(text), bytes);
    }

    void everyDefinedByteSurvivesDecodeAndEncode()
    {
        // 0x81, 0x8D, 0x8F, 0x90 and 0x9D are the bytes the code page leaves undefined.
        const QList<int> undefined = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
        QByteArray all;
        for (int b = 0; b < 256; ++b) {
            if (!undefined.contains(b))
                all.append(char(b));
        }
        QCOMPARE(all.size(), 251);
        const QString text = Windows1252::decode(all);
        QCOMPARE(text.size(), all.size());
        QCOMPARE(Windows1252::encode(text), all);
        QCOMPARE(text.at(0x80), QChar(0x20AC));
        QCOMPARE(text.at(0xA3 - 5), QChar(0x00A3)); // all five undefined bytes lie below 0xA3
    }
};

QTEST_GUILESS_MAIN(TestWindows1252)
#include "TestWindows1252.moc"
