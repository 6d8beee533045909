#include "LabFolders.h"

#include "window/logic/PayoffFile.h"

#include <QTemporaryDir>
#include <QTest>

// PayoffFile::scan, which treelab check reports from: every record of the file, read
// with the reader that readSet uses.
class TestPayoffScan : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        LabFolders::putFile(path, bytes);
        return path;
    }

    static QByteArray numbers(int first, int count)
    {
        QByteArray text;
        for (int k = 0; k < count; ++k)
            text += QByteArray::number(first + k) + (k % 13 == 12 ? "\n" : ",");
        return text;
    }

private slots:
    void theShippedFileAgreesWithReadSet()
    {
        const QString shipped = QStringLiteral(DT_SHIPPED_PAYOFFS);
        const PayoffFile::Scan scan = PayoffFile::scan(shipped);
        QVERIFY(scan.ok);
        QVERIFY(scan.badNumbers.isEmpty());
        QVERIFY(!scan.incomplete);
        QCOMPARE(scan.records.size(), 4);
        for (const PayoffFile::ScannedRecord &record : scan.records) {
            QVERIFY(record.setKnown);
            QCOMPARE(record.firstOfSet, -1);
            QCOMPARE(record.column, qint64(1));
            QCOMPARE(record.endLine, record.line + 4);
            const PayoffFile::SetResult program = PayoffFile::readSet(shipped, record.set);
            QVERIFY(program.ok);
            QCOMPARE(record.payoffs, program.payoffs);
        }
    }

    void badNumbersKeepTheirPlaces()
    {
        // Record 1: set 7 and 64 payoffs; record 2: set "x" and a payoff out of range;
        // record 3: set 7 again; then 10 numbers.
        QByteArray second = numbers(100, 65);
        second.replace("100,", "x,").replace("130,", "99999,");
        const QString path = file(QStringLiteral("mixed"), "7," + numbers(1, 64) + second + "7 " + numbers(1, 64)
                                                          + "8 " + numbers(1, 9));
        const PayoffFile::Scan scan = PayoffFile::scan(path);
        QVERIFY(scan.ok);
        QCOMPARE(scan.records.size(), 3);
        QCOMPARE(scan.records[0].set, qint16(7));
        QCOMPARE(scan.records[0].payoffs[63], qint16(64));
        QVERIFY(!scan.records[1].setKnown);
        QCOMPARE(scan.records[1].badNumbers, 2);
        QCOMPARE(scan.records[1].payoffs[0], qint16(101));
        QCOMPARE(scan.records[1].payoffs[29], qint16(0)); // the bad one
        QCOMPARE(scan.records[2].firstOfSet, 0);
        QCOMPARE(scan.badNumbers.size(), 2);
        QCOMPARE(scan.badNumbers[0].status, PayoffReader::Status::NotWhole);
        QCOMPARE(scan.badNumbers[0].record, 2);
        QCOMPARE(scan.badNumbers[0].position, 1);
        QCOMPARE(scan.badNumbers[0].text, QByteArray("x"));
        QCOMPARE(scan.badNumbers[1].status, PayoffReader::Status::OutOfRange);
        QCOMPARE(scan.badNumbers[1].position, 31);
        QVERIFY(scan.incomplete);
        QCOMPARE(scan.last.set, qint16(8));
        QCOMPARE(scan.last.numbers, 10);
    }

    void aFileThatCannotBeOpenedSaysSoAsReadSetDoes()
    {
        const QString path = m_dir.filePath(QStringLiteral("none"));
        const PayoffFile::Scan scan = PayoffFile::scan(path);
        QVERIFY(!scan.ok);
        QCOMPARE(scan.error, PayoffFile::readSet(path, 1).error);
    }
};

QTEST_GUILESS_MAIN(TestPayoffScan)
#include "TestPayoffScan.moc"
