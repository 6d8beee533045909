#include "session/CsvWriter.h"

#include <QTemporaryDir>
#include <QTest>

// The quoting of the exported tables, field by field and as a whole file.
class TestCsvWriter : public QObject
{
    Q_OBJECT

private slots:
    void field_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("written");
        QTest::newRow("plain") << QStringLiteral("d1") << QStringLiteral("d1");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("blanks stay bare") << QStringLiteral(" a b ") << QStringLiteral(" a b ");
        QTest::newRow("comma") << QStringLiteral("left, then right") << QStringLiteral("\"left, then right\"");
        QTest::newRow("quote") << QStringLiteral("say \"no\"") << QStringLiteral("\"say \"\"no\"\"\"");
        QTest::newRow("lone quote") << QStringLiteral("\"") << QStringLiteral("\"\"\"\"");
        QTest::newRow("line feed") << QStringLiteral("one\ntwo") << QStringLiteral("\"one\ntwo\"");
        QTest::newRow("carriage return") << QStringLiteral("one\rtwo") << QStringLiteral("\"one\rtwo\"");
        QTest::newRow("pound sign") << QStringLiteral("-\u00A33") << QStringLiteral("-\u00A33");
    }
    void field()
    {
        QFETCH(QString, text);
        QFETCH(QString, written);
        QCOMPARE(CsvWriter::field(text), written);
    }

    void aTableIsUtf8WithLfLineEndsAndNoByteOrderMark()
    {
        CsvWriter table({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        table.addRow({QStringLiteral("1"), QStringLiteral("x,y"), QStringLiteral("\u00A37")});
        table.addRow({QStringLiteral("2"), QStringLiteral("two\nlines")}); // c left empty
        QCOMPARE(table.rowCount(), qsizetype(2));
        const QByteArray expected = "a,b,c\n"
                                    "1,\"x,y\",\xC2\xA3"
                                    "7\n"
                                    "2,\"two\nlines\",\n";
        QCOMPARE(table.bytes(), expected);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.csv"));
        QString error;
        QVERIFY2(table.save(path, &error), qPrintable(error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), expected);
    }

    void aFileThatCannotBeWrittenIsReported()
    {
        CsvWriter table({QStringLiteral("a")});
        QString error;
        QVERIFY(!table.save(QStringLiteral("/nonexistent-folder/t.csv"), &error));
        QVERIFY(error.contains(QStringLiteral("/nonexistent-folder/t.csv")));
    }
};

QTEST_GUILESS_MAIN(TestCsvWriter)
#include "TestCsvWriter.moc"
