#include "GoAheadFileCheck.h"
#include "IntegerConversionCheck.h"
#ifdef DT_HAVE_LOG_READER
#include "LogReaderCheck.h"
#endif
#include "PayoffFileCheck.h"
#include "PayoffReaderCheck.h"

#include "window/logic/GoAheadFile.h"
#include "window/logic/PayoffReader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Every input with which the fuzzers once found a fault (findings/<fuzzer>/), run
// through the same checks, and the faults themselves spelled out.
class TestParserFindings : public QObject
{
    Q_OBJECT

    QTemporaryDir m_scratch;

    static QByteArray bytesOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void findingsPassTheirChecks_data()
    {
        QTest::addColumn<QString>("fuzzer");
        QTest::addColumn<QString>("path");
        const QDir findings(QStringLiteral(DT_FINDINGS));
        int count = 0;
        for (const QString &fuzzer : findings.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            const QDir dir(findings.filePath(fuzzer));
            for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
                QTest::addRow("%s/%s", qPrintable(fuzzer), qPrintable(name)) << fuzzer << dir.filePath(name);
                ++count;
            }
        }
        if (count == 0)
            qFatal("no findings under %s", DT_FINDINGS);
    }

    void findingsPassTheirChecks()
    {
        QFETCH(QString, fuzzer);
        QFETCH(QString, path);
        const QByteArray data = bytesOf(path);
        QString problem;
        if (fuzzer == QLatin1String("payoff_reader")) {
            for (qint64 chunk = 0; chunk <= 13 && problem.isEmpty(); ++chunk)
                problem = PayoffReaderCheck::run(data, chunk);
        } else if (fuzzer == QLatin1String("payoff_file")) {
            problem = PayoffFileCheck::runAll(data, m_scratch.filePath(QStringLiteral("btinp.01")));
        } else if (fuzzer == QLatin1String("goahead_file")) {
            problem = GoAheadFileCheck::run(data, m_scratch.filePath(QStringLiteral("okto.go")));
        } else if (fuzzer == QLatin1String("parameter_text")) {
            problem = IntegerConversionCheck::run(QString::fromUtf8(data));
#ifdef DT_HAVE_LOG_READER
        } else if (fuzzer == QLatin1String("log_reader")) {
            problem = LogReaderCheck::run(data, m_scratch.filePath(QStringLiteral("o199btinp.01")));
#endif
        } else {
            QFAIL(qPrintable(QStringLiteral("no check for the fuzzer ") + fuzzer));
        }
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // Leading zeros beyond the length kept for messages once hid the digits after them.
    void longNumbersKeepTheirValue_data()
    {
        QTest::addColumn<QByteArray>("token");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("value");
        const QByteArray zeros(100, '0');
        QTest::newRow("-000...0003") << "-" + zeros + "3" << int(PayoffReader::Status::Number) << -3;
        QTest::newRow("000...0025") << zeros + "25" << int(PayoffReader::Status::Number) << 25;
        QTest::newRow("000...000") << zeros << int(PayoffReader::Status::Number) << 0;
        QTest::newRow("000...00040000") << zeros + "40000" << int(PayoffReader::Status::OutOfRange) << 0;
        QTest::newRow("000...000x") << zeros + "x" << int(PayoffReader::Status::NotWhole) << 0;
        QTest::newRow("000...0001.5") << zeros + "1.5" << int(PayoffReader::Status::NotWhole) << 0;
    }

    void longNumbersKeepTheirValue()
    {
        QFETCH(QByteArray, token);
        QFETCH(int, status);
        QFETCH(int, value);
        QByteArray text = "7, " + token + ", 8\r\n";
        QBuffer buffer(&text);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        PayoffReader reader(buffer);
        QCOMPARE(reader.next().value, qint16(7));
        const PayoffReader::Item item = reader.next();
        QCOMPARE(int(item.status), status);
        if (status == int(PayoffReader::Status::Number))
            QCOMPARE(item.value, qint16(value));
        QCOMPARE(item.column, qint64(4));
        QCOMPARE(reader.next().value, qint16(8));
        QCOMPARE(reader.next().status, PayoffReader::Status::End);
    }

    // The go-ahead's number after many blank lines, and bytes that are no part of one.
    void goAheadReadsItsFirstItemWhole_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("value");
        const int number = int(GoAheadFile::Status::Number);
        const int notANumber = int(GoAheadFile::Status::NotANumber);
        QTest::newRow("300 blank lines, then 1") << QByteArray(300, '\n') + "1\r\n" << number << 1;
        QTest::newRow("255 blanks, then 99") << QByteArray(255, ' ') + "99 \r\n" << number << 99;
        QTest::newRow("NUL after the number") << QByteArray("99\0\r\n", 5) << notANumber << 0;
        QTest::newRow("NULs of a torn write") << QByteArray("1\0\0\0", 4) << notANumber << 0;
        QTest::newRow("NUL before the number") << QByteArray("\0" "1\r\n", 4) << notANumber << 0;
        QTest::newRow("blanks to the end of the first 64 KiB, then 1")
            << QByteArray(64 * 1024, ' ') + "1\r\n" << int(GoAheadFile::Status::Empty) << 0;
        QTest::newRow("a number that runs past the first 64 KiB")
            << QByteArray(64 * 1024 - 1, ' ') + "12\r\n" << notANumber << 0;
        QTest::newRow("a number that ends the first 64 KiB")
            << QByteArray(64 * 1024 - 2, ' ') + "12 \r\n" << number << 12;
    }

    void goAheadReadsItsFirstItemWhole()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, status);
        QFETCH(int, value);
        const QString path = m_scratch.filePath(QStringLiteral("okto.go"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(content), content.size());
        file.close();
        const GoAheadFile::Reading reading = GoAheadFile::read(path);
        QCOMPARE(int(reading.status), status);
        if (status == int(GoAheadFile::Status::Number))
            QCOMPARE(reading.value, qint16(value));
        else
            QVERIFY(!reading.detail.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestParserFindings)
#include "TestParserFindings.moc"
