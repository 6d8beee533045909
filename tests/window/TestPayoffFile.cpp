#include "TestFiles.h"

#include "window/logic/PayoffFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

using TestFiles::putFile;

using Payoffs = QList<int>;

// 64 payoffs that differ from position to position, so a record read one number out
// of step shows at once.
Payoffs pattern(int base)
{
    Payoffs values;
    for (int k = 0; k < 64; ++k)
        values.append(base + 7 * k - 200);
    return values;
}

Payoffs allEqual(int value)
{
    return Payoffs(64, value);
}

Payoffs zeros()
{
    return allEqual(0);
}

// The separators a lab's file may mix: commas, blanks, tabs and CR LF or LF line breaks,
// cycled so that records start and end anywhere on a line.
const QList<QByteArray> Separators = {",", " ", "\r\n", " , ", "\t", ",\r\n  ", "\n", "  "};

QByteArray record(int set, const Payoffs &payoffs, int &separatorCursor)
{
    QByteArray text = QByteArray::number(set);
    for (const int v : payoffs) {
        text += Separators[separatorCursor++ % Separators.size()];
        text += QByteArray::number(v);
    }
    text += Separators[separatorCursor++ % Separators.size()];
    return text;
}

// One record per line, comma separated, as the lab's files are usually laid out.
QByteArray plainRecord(int set, const Payoffs &payoffs)
{
    QByteArray text = QByteArray::number(set);
    for (const int v : payoffs)
        text += "," + QByteArray::number(v);
    return text + "\r\n";
}

QByteArray records(const QList<QPair<int, Payoffs>> &list)
{
    int cursor = 0;
    QByteArray text;
    for (const auto &[set, payoffs] : list)
        text += record(set, payoffs, cursor);
    return text;
}

Payoffs asList(const std::array<qint16, PayoffFile::PayoffCount> &payoffs)
{
    Payoffs list;
    for (const qint16 v : payoffs)
        list.append(v);
    return list;
}

QList<int> asList(const QList<qint16> &sets)
{
    QList<int> list;
    for (const qint16 s : sets)
        list.append(s);
    return list;
}

enum class Setup { File, NoFile, NoFolder };

} // namespace

Q_DECLARE_METATYPE(Setup)

// The input data file is read number by number: records of other sets are skipped
// whole, the first record of the wanted set is used and nothing after it matters, set 0
// reads nothing at all, and every reason for refusing a file is reported where it lies.
class TestPayoffFile : public QObject
{
    Q_OBJECT

private slots:
    void readSetFindsTheFirstRecordOfTheSet_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("set");
        QTest::addColumn<Payoffs>("payoffs");
        QTest::addColumn<QList<int>>("setsBefore");

        QTest::newRow("only record") << plainRecord(1, pattern(1)) << 1 << pattern(1) << QList<int>{};
        QTest::newRow("first of several")
            << plainRecord(1, pattern(1)) + plainRecord(2, pattern(2)) << 1 << pattern(1) << QList<int>{};
        // The skipped records are full of the wanted set number: a reader that looked
        // for it anywhere but at the start of a record would stop inside them.
        QTest::newRow("other sets before are skipped whole")
            << records({{3, allEqual(1)}, {2, allEqual(1)}, {1, pattern(5)}}) << 1 << pattern(5)
            << QList<int>{3, 2};
        QTest::newRow("two records of the set: the first is used")
            << records({{4, pattern(1)}, {1, pattern(2)}, {1, pattern(3)}}) << 1 << pattern(2)
            << QList<int>{4};
        QTest::newRow("numbers spread over lines")
            << records({{9, pattern(4)}, {7, pattern(8)}}) << 7 << pattern(8) << QList<int>{9};
        QTest::newRow("range limits")
            << plainRecord(2, Payoffs(32, 32767) + Payoffs(32, -32767)) << 2
            << Payoffs(32, 32767) + Payoffs(32, -32767) << QList<int>{};
        QTest::newRow("negative set number")
            << plainRecord(3, pattern(0)) + plainRecord(-4, pattern(9)) << -4 << pattern(9) << QList<int>{3};
        QTest::newRow("a record of set 0 is skipped like any other")
            << plainRecord(0, pattern(3)) + plainRecord(6, pattern(6)) << 6 << pattern(6) << QList<int>{0};
        QTest::newRow("separators before the first number")
            << QByteArray("\r\n\r\n , \t") + plainRecord(1, pattern(2)) << 1 << pattern(2) << QList<int>{};
        QTest::newRow("no line break at the end")
            << plainRecord(1, pattern(2)).chopped(2) << 1 << pattern(2) << QList<int>{};
        QTest::newRow("plus signs and leading zeros")
            << QByteArray("+1") + QByteArray(",007").repeated(64) << 1 << allEqual(7) << QList<int>{};
        QTest::newRow("garbage after the record is never read")
            << plainRecord(1, pattern(2)) + "12a 2.5 junk 99999 -32768\r\n" << 1 << pattern(2) << QList<int>{};
        QTest::newRow("a short record after it is never read")
            << plainRecord(1, pattern(2)) + "5 1 2 3\r\n" << 1 << pattern(2) << QList<int>{};
        QTest::newRow("set 0 reads nothing from a real file")
            << plainRecord(0, pattern(3)) + plainRecord(1, pattern(4)) << 0 << zeros() << QList<int>{};
        QTest::newRow("set 0 reads nothing from garbage")
            << QByteArray("this is not a payoff file, 12a 2.5 99999\r\n") << 0 << zeros() << QList<int>{};
        QTest::newRow("set 0 reads nothing from an empty file") << QByteArray() << 0 << zeros() << QList<int>{};
    }

    void readSetFindsTheFirstRecordOfTheSet()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, set);
        QFETCH(Payoffs, payoffs);
        QFETCH(QList<int>, setsBefore);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("btinp.01"));
        QVERIFY(putFile(path, content));
        const PayoffFile::SetResult result = PayoffFile::readSet(path, qint16(set));
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(asList(result.payoffs), payoffs);
        QCOMPARE(asList(result.setsBefore), setsBefore);
    }

    void theWantedRecordFarDownALargeFile()
    {
        // 800 records of about 300 bytes: numbers straddle every block a reader may use.
        QByteArray content;
        int cursor = 0;
        for (int set = 1; set <= 800; ++set)
            content += record(set, pattern(set), cursor);
        QVERIFY(content.size() > 128 * 1024);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("big.dat"));
        QVERIFY(putFile(path, content));
        for (const int set : {1, 137, 799, 800}) {
            const PayoffFile::SetResult result = PayoffFile::readSet(path, qint16(set));
            QVERIFY2(result.ok, qPrintable(result.error));
            QCOMPARE(asList(result.payoffs), pattern(set));
            QCOMPARE(result.setsBefore.size(), set - 1);
        }
    }

    void readSetRefusesTheFile_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("set");
        // Facts the message must carry, as whole words: numbers, line and column.
        QTest::addColumn<QStringList>("mentions");

        QTest::newRow("set not in the file")
            << Setup::File << plainRecord(4, pattern(1)) + plainRecord(2, pattern(2)) + plainRecord(4, pattern(3))
            << 9 << QStringList{"9", "4", "2"};
        QTest::newRow("empty file") << Setup::File << QByteArray() << 1 << QStringList{"1", "btinp.01"};
        QTest::newRow("only separators") << Setup::File << QByteArray(" ,\r\n\t") << 1 << QStringList{"1"};
        // Set 5 with 29 payoffs: 30 of the record's 65 numbers.
        QTest::newRow("file ends inside the wanted record")
            << Setup::File << plainRecord(5, pattern(1).mid(0, 29)) << 5 << QStringList{"5", "30", "65"};
        QTest::newRow("file ends inside a later record")
            << Setup::File << plainRecord(2, pattern(1)) + "1 10 20 30 40 50 60 70 80 90\r\n" << 1
            << QStringList{"1", "10", "65"};
        // "40, 5 12a": '4' is column 1, the comma 3, the blank 4, '5' 5, the blank 6.
        QTest::newRow("letters in a number")
            << Setup::File << QByteArray("1 10 20\r\n30\r\n40, 5 12a 60\r\n") << 1
            << QStringList{"line 3", "column 7", "12a"};
        QTest::newRow("a fraction in a skipped record")
            << Setup::File << QByteArray("7\r\n  2.5\r\n") << 1 << QStringList{"line 2", "column 3", "2.5"};
        QTest::newRow("a tab is one column")
            << Setup::File << QByteArray("1\t\t99x\r\n") << 1 << QStringList{"line 1", "column 4", "99x"};
        QTest::newRow("LF line breaks count too")
            << Setup::File << QByteArray("1\n2\n\n3,-\n") << 1 << QStringList{"line 4", "column 3"};
        QTest::newRow("32768 above the file's range")
            << Setup::File << QByteArray("1 5 32768\r\n") << 1 << QStringList{"line 1", "column 5", "32768"};
        QTest::newRow("-32768 below the file's range")
            << Setup::File << QByteArray("1\r\n-32768\r\n") << 1 << QStringList{"line 2", "column 1", "-32768"};
        QTest::newRow("a big number is not wrapped")
            << Setup::File << QByteArray("1,65537") << 1 << QStringList{"line 1", "column 3", "65537"};
        QTest::newRow("no such file") << Setup::NoFile << QByteArray() << 1 << QStringList{"btinp.01"};
        QTest::newRow("no such file, set 0") << Setup::NoFile << QByteArray() << 0 << QStringList{"btinp.01"};
        QTest::newRow("no data folder") << Setup::NoFolder << QByteArray() << 1 << QStringList{"data"};
    }

    void readSetRefusesTheFile()
    {
        QFETCH(Setup, setup);
        QFETCH(QByteArray, content);
        QFETCH(int, set);
        QFETCH(QStringList, mentions);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = setup == Setup::NoFolder ? dir.filePath(QStringLiteral("data")) : dir.path();
        const QString path = QDir(folder).filePath(QStringLiteral("btinp.01"));
        if (setup == Setup::File)
            QVERIFY(putFile(path, content));

        const PayoffFile::SetResult result = PayoffFile::readSet(path, qint16(set));
        QVERIFY(!result.ok);
        for (const QString &mention : mentions) {
            const QRegularExpression word(QStringLiteral("(^|[^0-9A-Za-z-])%1($|[^0-9A-Za-z])")
                                              .arg(QRegularExpression::escape(mention)));
            QVERIFY2(word.match(result.error).hasMatch(),
                     qPrintable(QStringLiteral("\"%1\" not in: %2").arg(mention, result.error)));
        }
        if (setup == Setup::NoFolder) {
            QVERIFY2(result.error.contains(QDir::toNativeSeparators(folder)), qPrintable(result.error));
            QVERIFY(!QFileInfo::exists(folder));
        }
        if (setup == Setup::NoFile)
            QVERIFY2(result.error.contains(QDir::toNativeSeparators(path)), qPrintable(result.error));
    }

    void theSetsBeforeAreReportedWhenTheSetIsMissing()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("btinp.01"));
        QVERIFY(putFile(path, records({{4, pattern(1)}, {2, pattern(2)}, {4, pattern(3)}})));
        const PayoffFile::SetResult result = PayoffFile::readSet(path, 9);
        QVERIFY(!result.ok);
        QCOMPARE(asList(result.setsBefore), (QList<int>{4, 2, 4}));
    }

    void displayText_data()
    {
        const QString pound(QChar(0x00A3));
        QTest::addColumn<int>("payoff");
        QTest::addColumn<QString>("text");
        QTest::newRow("loss of 15") << -15 << "-" + pound + "15";
        QTest::newRow("loss of 3") << -3 << "-" + pound + "3";
        QTest::newRow("zero") << 0 << pound + "0";
        QTest::newRow("gain of 7") << 7 << pound + "7";
        QTest::newRow("gain of 12") << 12 << pound + "12";
        QTest::newRow("largest gain") << 32767 << pound + "32767";
        QTest::newRow("largest loss") << -32767 << "-" + pound + "32767";
    }

    void displayText()
    {
        QFETCH(int, payoff);
        QFETCH(QString, text);
        QCOMPARE(PayoffFile::displayText(payoff), text);
    }
};

QTEST_GUILESS_MAIN(TestPayoffFile)
#include "TestPayoffFile.moc"
