#include "window/logic/ParameterCheck.h"

#include <QTest>

// The four parameters are checked before any file is touched: the seed
// ParamSetNo x 10 + SubjectNo x 100 must fit 16 bits at every step, the attempts must
// fit the table of 20, and the data file must be a plain name in the data folder.
// A refusal tells the experimenter which field is wrong and what was typed there.
class TestParameterCheck : public QObject
{
    Q_OBJECT

private slots:
    void acceptedParameters_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("attempts");
        QTest::addColumn<int>("subjectNo");
        QTest::addColumn<int>("paramSetNo");
        QTest::addColumn<int>("attemptCount");
        QTest::addColumn<int>("seed");
        // seed = set x 10 + subject x 100, worked out by hand in each row.
        QTest::newRow("the texts as created") << "btinp.01" << "99" << "1" << "4" << 99 << 1 << 4 << 9910;
        QTest::newRow("subject 327, set 6") << "btinp.01" << "327" << "6" << "4" << 327 << 6 << 4 << 32760;
        QTest::newRow("subject -327, set -6")
            << "btinp.01" << "-327" << "-6" << "4" << -327 << -6 << 4 << -32760;
        QTest::newRow("subject -327, set 0") << "btinp.01" << "-327" << "0" << "4" << -327 << 0 << 4 << -32700;
        QTest::newRow("set 3276 alone") << "btinp.01" << "0" << "3276" << "4" << 0 << 3276 << 4 << 32760;
        QTest::newRow("set 0, subject 0") << "btinp.01" << "0" << "0" << "4" << 0 << 0 << 4 << 0;
        QTest::newRow("one attempt") << "btinp.01" << "99" << "1" << "1" << 99 << 1 << 1 << 9910;
        QTest::newRow("twenty attempts") << "btinp.01" << "99" << "1" << "20" << 99 << 1 << 20 << 9910;
        QTest::newRow("20.5 attempts round to even 20")
            << "btinp.01" << "99" << "1" << "20.5" << 99 << 1 << 20 << 9910;
        QTest::newRow("blanks and a fraction")
            << "other.dat" << " 99 " << "1.5" << " 3 " << 99 << 2 << 3 << 9920;
    }

    void acceptedParameters()
    {
        QFETCH(QString, file);
        QFETCH(QString, subject);
        QFETCH(QString, set);
        QFETCH(QString, attempts);
        QFETCH(int, subjectNo);
        QFETCH(int, paramSetNo);
        QFETCH(int, attemptCount);
        QFETCH(int, seed);
        const ParameterCheck::Result result = ParameterCheck::check(file, subject, set, attempts);
        QVERIFY2(result.ok, qPrintable(result.error));
        QVERIFY(result.error.isEmpty());
        QCOMPARE(result.dataFileName, file);
        QCOMPARE(int(result.subjectNo), subjectNo);
        QCOMPARE(int(result.paramSetNo), paramSetNo);
        QCOMPARE(int(result.attempts), attemptCount);
        QCOMPARE(int(result.seed), seed);
    }

    void refusedParameters_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("attempts");
        QTest::addColumn<QStringList>("mentions"); // the field and what was typed
        QTest::newRow("subject 327, set 7: sum 32770")
            << "btinp.01" << "327" << "7" << "4"
            << QStringList{"Subject Number", "327", "Parameter Set", "7"};
        QTest::newRow("subject 328: 32800")
            << "btinp.01" << "328" << "0" << "4" << QStringList{"Subject Number", "328"};
        QTest::newRow("subject -328: -32800")
            << "btinp.01" << "-328" << "0" << "4" << QStringList{"Subject Number", "-328"};
        QTest::newRow("subject -327, set -7: sum -32770")
            << "btinp.01" << "-327" << "-7" << "4" << QStringList{"Subject Number", "-327", "-7"};
        QTest::newRow("set 3277 alone: 32770")
            << "btinp.01" << "0" << "3277" << "4" << QStringList{"Parameter Set", "3277"};
        QTest::newRow("each product fits, the sum does not: 32670 + 100")
            << "btinp.01" << "1" << "3267" << "4" << QStringList{"Parameter Set", "3267"};
        QTest::newRow("subject not a number")
            << "btinp.01" << "abc" << "1" << "4" << QStringList{"Subject Number", "\"abc\""};
        QTest::newRow("subject empty") << "btinp.01" << "" << "1" << "4" << QStringList{"Subject Number", "\"\""};
        QTest::newRow("subject outside 16 bits")
            << "btinp.01" << "40000" << "1" << "4" << QStringList{"Subject Number", "40000"};
        QTest::newRow("set not a number")
            << "btinp.01" << "99" << "1e3" << "4" << QStringList{"Parameter Set", "\"1e3\""};
        QTest::newRow("set outside 16 bits")
            << "btinp.01" << "99" << "-32769" << "4" << QStringList{"Parameter Set", "-32769"};
        // The numbers that work with the other value as typed, told at the first refusal.
        QTest::newRow("subject 328 with set 1")
            << "btinp.01" << "328" << "1" << "4"
            << QStringList{"With Parameter Set 1, subject numbers from -327 to 327 can be used.",
                           "No parameter set can be used with Subject Number 328."};
        QTest::newRow("subject 327 with set 7")
            << "btinp.01" << "327" << "7" << "4"
            << QStringList{"With Parameter Set 7, subject numbers from -327 to 326 can be used.",
                           "With Subject Number 327, parameter sets from -3276 to 6 can be used."};
        QTest::newRow("subject 40000 with set -7")
            << "btinp.01" << "40000" << "-7" << "4"
            << QStringList{"With Parameter Set -7, subject numbers from -326 to 327 can be used."};
        QTest::newRow("set x with subject -327")
            << "btinp.01" << "-327" << "x" << "4"
            << QStringList{"With Subject Number -327, parameter sets from -6 to 3276 can be used."};
        QTest::newRow("subject x with set x")
            << "btinp.01" << "x" << "x" << "4" << QStringList{"Subject numbers from -327 to 327 can be used."};
        QTest::newRow("no attempts") << "btinp.01" << "99" << "1" << "0" << QStringList{"Number of Attempts", "\"0\""};
        QTest::newRow("negative attempts")
            << "btinp.01" << "99" << "1" << "-1" << QStringList{"Number of Attempts", "\"-1\""};
        QTest::newRow("21 attempts") << "btinp.01" << "99" << "1" << "21" << QStringList{"Number of Attempts", "\"21\""};
        QTest::newRow("20.6 attempts round to 21")
            << "btinp.01" << "99" << "1" << "20.6" << QStringList{"Number of Attempts", "\"20.6\""};
        QTest::newRow("attempts not a number")
            << "btinp.01" << "99" << "1" << "x" << QStringList{"Number of Attempts", "\"x\""};
        QTest::newRow("file in a sub-folder")
            << "sub/btinp.01" << "99" << "1" << "4" << QStringList{"Input Data File", "sub/btinp.01"};
        QTest::newRow("file with a backslash")
            << "sub\\btinp.01" << "99" << "1" << "4" << QStringList{"Input Data File", "sub\\btinp.01"};
        QTest::newRow("file up a folder")
            << "../btinp.01" << "99" << "1" << "4" << QStringList{"Input Data File", "../btinp.01"};
        QTest::newRow("file name starting with a dot")
            << ".btinp" << "99" << "1" << "4" << QStringList{"Input Data File", ".btinp"};
        QTest::newRow("no file name") << "" << "99" << "1" << "4" << QStringList{"Input Data File"};
    }

    void refusedParameters()
    {
        QFETCH(QString, file);
        QFETCH(QString, subject);
        QFETCH(QString, set);
        QFETCH(QString, attempts);
        QFETCH(QStringList, mentions);
        const ParameterCheck::Result result = ParameterCheck::check(file, subject, set, attempts);
        QVERIFY(!result.ok);
        for (const QString &mention : mentions)
            QVERIFY2(result.error.contains(mention),
                     qPrintable(QStringLiteral("\"%1\" not in: %2").arg(mention, result.error)));
    }
};

QTEST_GUILESS_MAIN(TestParameterCheck)
#include "TestParameterCheck.moc"
