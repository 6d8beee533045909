#include "LabFolders.h"

#include "window/logic/PayoffFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using LabFolders::report;
using LabFolders::treelab;

namespace {

// One record: the set number on a line, then 64 payoffs, 16 to a line.
QByteArray record(int set, int first = 0)
{
    QByteArray text = QByteArray::number(set) + "\r\n";
    for (int j = 0; j < 64; ++j)
        text += QByteArray::number(first + j) + ((j % 16 == 15) ? "\r\n" : ", ");
    return text;
}

} // namespace

class TestCheckCommand : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        LabFolders::putFile(path, bytes);
        return path;
    }

private slots:
    void helpTellsTheUsage()
    {
        for (const QString &option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
            const auto run = treelab({QStringLiteral("check"), option});
            QCOMPARE(run.exitCode, 0);
            QVERIFY(run.out.startsWith(QStringLiteral("Usage: treelab check DATAFILE [--set N]")));
            QVERIFY(run.out.contains(QStringLiteral("Exit status")));
        }
        const auto top = treelab({QStringLiteral("--help")});
        QCOMPARE(top.exitCode, 0);
        for (const char *command : {"check DATAFILE", "release DIR", "status DIR", "quit DIR"})
            QVERIFY2(top.out.contains(QLatin1String(command)), command);
        const auto viaHelp = treelab({QStringLiteral("help"), QStringLiteral("check")});
        QCOMPARE(viaHelp.exitCode, 0);
        QVERIFY(viaHelp.out.startsWith(QStringLiteral("Usage: treelab check")));
    }

    // A data folder: the translation the program would load from it.
    void aDataFolderTellsItsTranslation_data()
    {
        QTest::addColumn<QByteArray>("texts");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("said");
        QFile german(QStringLiteral(DT_TRANSLATIONS_DIR "/texts_de.qm"));
        QVERIFY(german.open(QIODevice::ReadOnly));
        const QByteArray qm = german.readAll();
        QTest::newRow("none") << QByteArray() << 0 << QStringList{"no translation", "English", "£12"};
        QTest::newRow("German")
            << qm << 0
            << QStringList{"a translation into de_DE (Deutsch)", " 0 missing", "a gain 12 €, zero 0 €, a loss -3 €",
                           QString::fromLatin1(QCryptographicHash::hash(qm, QCryptographicHash::Sha256).toHex())};
        QTest::newRow("not a translation") << QByteArray("12 €") << 1 << QStringList{"would not start", "texts.qm"};
    }

    void aDataFolderTellsItsTranslation()
    {
        QFETCH(QByteArray, texts);
        QFETCH(int, exitCode);
        QFETCH(QStringList, said);
        QTemporaryDir folder;
        if (!texts.isEmpty())
            LabFolders::putFile(QDir(folder.path()).filePath(QStringLiteral("texts.qm")), texts);
        const auto run = treelab({QStringLiteral("check"), folder.path()});
        QCOMPARE(run.exitCode, exitCode);
        for (const QString &text : said)
            QVERIFY2(run.out.contains(text), qPrintable(run.out));
    }

    void usageErrorsExitWithTwo()
    {
        const QString shipped = QStringLiteral(DT_SHIPPED_PAYOFFS);
        const QList<QStringList> wrong{
            {},
            {QStringLiteral("frobnicate")},
            {QStringLiteral("check")},
            {QStringLiteral("check"), shipped, shipped},
            {QStringLiteral("check"), shipped, QStringLiteral("--set")},
            {QStringLiteral("check"), shipped, QStringLiteral("--set"), QStringLiteral("one")},
            {QStringLiteral("check"), shipped, QStringLiteral("--set"), QStringLiteral("40000")},
            {QStringLiteral("check"), shipped, QStringLiteral("--colour")},
        };
        for (const QStringList &arguments : wrong) {
            const auto run = treelab(arguments);
            QVERIFY2(run.exitCode == 2, qPrintable(arguments.join(QLatin1Char(' ')) + QLatin1Char('\n') + report(run)));
            QVERIFY(!run.err.isEmpty());
        }
    }

    void theShippedFileHasFourSets()
    {
        const auto run = treelab({QStringLiteral("check"), QStringLiteral(DT_SHIPPED_PAYOFFS)});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        QVERIFY(run.out.contains(QStringLiteral("4 complete records.")));
        QVERIFY(run.out.contains(QStringLiteral("Sets in the order of the file: 1, 2, 3, 5\n")));
        QVERIFY(run.out.contains(QStringLiteral("set      2  line 6, column 1")));
        QVERIFY(run.out.contains(QStringLiteral("Every record is complete")));
    }

    void aSetOfTheShippedFileShowsItsPayoffsAsTheSubjectSeesThem()
    {
        const QString shipped = QStringLiteral(DT_SHIPPED_PAYOFFS);
        const auto run = treelab({QStringLiteral("check"), shipped, QStringLiteral("--set"), QStringLiteral("2")});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        QVERIFY(run.out.contains(QStringLiteral("Set 2: the program uses the record at line 6, column 1, "
                                                "after the record of set 1.")));
        // The same texts as the program's own reading of the file, eight to a row, in UTF-8.
        const PayoffFile::SetResult program = PayoffFile::readSet(shipped, 2);
        QVERIFY(program.ok);
        for (int row = 0; row < 8; ++row) {
            QString expected = QStringLiteral("  %1").arg(QStringLiteral("p(%1)-p(%2)").arg(row * 8).arg(row * 8 + 7), -12);
            for (int k = row * 8; k < row * 8 + 8; ++k)
                expected += PayoffFile::displayText(program.payoffs[k]).rightJustified(7);
            QVERIFY2(run.out.contains(expected + QLatin1Char('\n')), qPrintable(expected));
        }
        QVERIFY(run.out.contains(QStringLiteral("p(0)-p(7)       \u00A320    \u00A320    \u00A325     \u00A37   -\u00A315")));
    }

    void aSetThatIsNotThereFailsAsTheProgramWould()
    {
        const auto run = treelab({QStringLiteral("check"), QStringLiteral(DT_SHIPPED_PAYOFFS),
                                  QStringLiteral("--set"), QStringLiteral("4")});
        QVERIFY2(run.exitCode == 1, qPrintable(report(run)));
        QVERIFY(run.out.contains(QStringLiteral("Set 4: the program would stop with this message:")));
        QVERIFY(run.out.contains(QStringLiteral("Parameter set 4 is not in the input data file")));
    }

    void setZeroReadsNothing()
    {
        const QString path = file(QStringLiteral("zero"), "garbage here\r\n");
        const auto run = treelab({QStringLiteral("check"), path, QStringLiteral("--set"), QStringLiteral("0")});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        QVERIFY(run.out.contains(QStringLiteral("\"garbage\" is not a whole number")));
        QVERIFY(run.out.contains(QStringLiteral("Set 0: the program opens the file, reads nothing")));
        QVERIFY(run.out.contains(QStringLiteral("p(56)-p(63)      \u00A30     \u00A30")));
    }

    void badNumbersAndAnIncompleteRecordWithTheirPlaces()
    {
        QByteArray second = record(2, 20);
        second.replace("21,", "2x,");     // line 7, number 3 of record 2
        second.replace("45,", "40000,");  // line 8
        const QString path = file(QStringLiteral("bad"), record(1) + second + record(3) + "4\r\n1, 2, 3\r\n");
        const auto run = treelab({QStringLiteral("check"), path});
        QVERIFY2(run.exitCode == 1, qPrintable(report(run)));
        QVERIFY(run.out.contains(QStringLiteral("3 complete records and an incomplete one.")));
        QVERIFY2(run.out.contains(QStringLiteral("  line 7, column 5: \"2x\" is not a whole number "
                                                 "(number 3 of 65 in record 2).\n")),
                 qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("  line 8, column 37: 40000 lies outside the range -32767 "
                                                 "to 32767 (number 27 of 65 in record 2).\n")),
                 qPrintable(run.out));
        QVERIFY(run.out.contains(QStringLiteral("  line 16, column 1: the file ends in the middle of a "
                                                "record: the record of set 4 that begins there has 4 "
                                                "of its 65 numbers.\n")));

        // For set 1 the program stops before any of it: reported, but the check passes.
        const auto one = treelab({QStringLiteral("check"), path, QStringLiteral("--set"), QStringLiteral("1")});
        QVERIFY2(one.exitCode == 0, qPrintable(report(one)));
        QVERIFY(one.out.contains(QStringLiteral("\"2x\" is not a whole number (number 3 of 65 in record 2) "
                                                "[after the record of set 1: the program does not read it].")));
        QVERIFY(one.out.contains(QStringLiteral("Set 1: the program uses the record at line 1, column 1.")));

        // For set 2 and set 3 it reads the bad number and stops there.
        for (const char *set : {"2", "3"}) {
            const auto run2 = treelab({QStringLiteral("check"), path, QStringLiteral("--set"), QLatin1String(set)});
            QVERIFY2(run2.exitCode == 1, qPrintable(report(run2)));
            QVERIFY(run2.out.contains(QStringLiteral("the program would stop with this message:\n  ")
                                      + QDir::toNativeSeparators(path)
                                      + QStringLiteral(", line 7, column 5: \"2x\" is not a whole number.")));
        }
        // For set 4 the file ends inside its record.
        const auto four = treelab({QStringLiteral("check"), path, QStringLiteral("--set"), QStringLiteral("4")});
        QCOMPARE(four.exitCode, 1);
    }

    void anIncompleteRecordAloneFailsForItsSet()
    {
        const QString path = file(QStringLiteral("short"), record(1) + record(2).left(40));
        const auto run = treelab({QStringLiteral("check"), path});
        QVERIFY2(run.exitCode == 1, qPrintable(report(run)));
        QVERIFY(run.out.contains(QStringLiteral("the record of set 2 that begins there has")));
        const auto two = treelab({QStringLiteral("check"), path, QStringLiteral("--set"), QStringLiteral("2")});
        QCOMPARE(two.exitCode, 1);
        QVERIFY(two.out.contains(QStringLiteral("ends in the middle of a record")));
        const auto one = treelab({QStringLiteral("check"), path, QStringLiteral("--set"), QStringLiteral("1")});
        QCOMPARE(one.exitCode, 0);
    }

    void repeatedSetsAreReportedAndTheFirstWins()
    {
        const QString path = file(QStringLiteral("dup"), record(1) + record(2) + record(1, 100) + record(0));
        const auto run = treelab({QStringLiteral("check"), path});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        QVERIFY(run.out.contains(QStringLiteral("Sets in the order of the file: 1, 2, 1, 0\n")));
        QVERIFY(run.out.contains(QStringLiteral("  line 11, column 1: set 1 again; the program uses the "
                                                "first record of set 1 (line 1, column 1) and never "
                                                "reads this one.\n")));
        QVERIFY(run.out.contains(QStringLiteral("  line 16, column 1: a record of set 0, which the "
                                                "program never reads")));
        const auto one = treelab({QStringLiteral("check"), path, QStringLiteral("--set"), QStringLiteral("1")});
        QCOMPARE(one.exitCode, 0);
        QVERIFY(one.out.contains(QStringLiteral("p(0)-p(7)        \u00A30     \u00A31")));
    }

    void aFileThatIsNotThereOrEmptyFails()
    {
        const auto missing = treelab({QStringLiteral("check"), m_dir.filePath(QStringLiteral("none"))});
        QCOMPARE(missing.exitCode, 1);
        QVERIFY(missing.out.contains(QStringLiteral("does not exist")));

        const auto empty = treelab({QStringLiteral("check"), file(QStringLiteral("empty"), "\r\n")});
        QCOMPARE(empty.exitCode, 1);
        QVERIFY(empty.out.contains(QStringLiteral("the file holds no record")));
    }
};

QTEST_GUILESS_MAIN(TestCheckCommand)
#include "TestCheckCommand.moc"
