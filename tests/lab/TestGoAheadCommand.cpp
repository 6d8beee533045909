#include "LabFolders.h"

#include "window/logic/GoAheadFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using LabFolders::fileBytes;
using LabFolders::report;
using LabFolders::treelab;

class TestGoAheadCommand : public QObject
{
    Q_OBJECT

private slots:
    void releaseWritesOneIntoEveryFolderAndReportsTheOneMissing()
    {
        QTemporaryDir dir;
        const QString first = LabFolders::workstation(dir.path(), QStringLiteral("ws1"), " 0 \r\n", {});
        const QString second = LabFolders::workstation(dir.path(), QStringLiteral("ws2"), "5\r\n", {});
        const QString missing = dir.filePath(QStringLiteral("ws3"));

        const auto run = treelab({QStringLiteral("release"), first, missing, second});
        QVERIFY2(run.exitCode == 1, qPrintable(report(run)));
        QCOMPARE(run.out,
                 QDir::toNativeSeparators(first) + QStringLiteral(": okto.go held 0; now it holds 1\n")
                     + QDir::toNativeSeparators(missing) + QStringLiteral(": no such folder; nothing written\n")
                     + QDir::toNativeSeparators(second) + QStringLiteral(": okto.go held 5; now it holds 1\n"));
        // Byte for byte what the program writes for its 2, with 1.
        QCOMPARE(fileBytes(QDir(first).filePath(QStringLiteral("okto.go"))), QByteArray(" 1 \r\n"));
        QCOMPARE(fileBytes(QDir(second).filePath(QStringLiteral("okto.go"))), GoAheadFile::text(1));
        QVERIFY(!QFileInfo::exists(missing)); // never created
        // Nothing left beside it: the write went through a temporary file renamed over it.
        QCOMPARE(QDir(first).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{QStringLiteral("btinp.01"), QStringLiteral("okto.go")}));
    }

    void quitWritesNinetyNine()
    {
        QTemporaryDir dir;
        const QString first = LabFolders::workstation(dir.path(), QStringLiteral("ws1"), " 2 \r\n", {});
        const QString second = LabFolders::workstation(dir.path(), QStringLiteral("ws2"), "1", {});
        const auto run = treelab({QStringLiteral("quit"), first, second});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        QVERIFY(run.out.contains(QStringLiteral(": okto.go held 2; now it holds 99\n")));
        QVERIFY(run.out.contains(QStringLiteral(": okto.go held 1; now it holds 99\n")));
        QCOMPARE(fileBytes(QDir(first).filePath(QStringLiteral("okto.go"))), QByteArray(" 99 \r\n"));
        QCOMPARE(fileBytes(QDir(second).filePath(QStringLiteral("okto.go"))), QByteArray(" 99 \r\n"));
    }

    // prepare readies a room that holds what an earlier session left; quit does not
    // report success where the subject is still in the experiment.
    void prepareAndQuitOnLeftoverValues()
    {
        QTemporaryDir dir;
        const QByteArray whole = LabFolders::wholeExperimentLog();
        const QString done = LabFolders::workstation(dir.path(), QStringLiteral("done"), " 99 \r\n", whole);
        const QString busy = LabFolders::workstation(dir.path(), QStringLiteral("busy"), " 1 \r\n",
                                                     LabFolders::firstLines(whole, 40));
        const auto prepare = treelab({QStringLiteral("prepare"), done, busy});
        QVERIFY2(prepare.exitCode == 0, qPrintable(report(prepare)));
        QVERIFY(prepare.out.contains(QStringLiteral("done: okto.go held 99; now it holds 0\n")));
        QVERIFY(prepare.out.contains(QStringLiteral("busy: okto.go held 1; now it holds 0\n")));
        QCOMPARE(fileBytes(QDir(done).filePath(QStringLiteral("okto.go"))), QByteArray(" 0 \r\n"));

        treelab({QStringLiteral("release"), done, busy});
        const auto quit = treelab({QStringLiteral("quit"), done, busy});
        QVERIFY2(quit.exitCode == 1, qPrintable(report(quit)));
        QVERIFY(quit.out.contains(QStringLiteral("done: okto.go held 1; now it holds 99 (the program of subject 99)\n")));
        QVERIFY2(quit.out.contains(QStringLiteral("busy: okto.go held 1; now it holds 99 (the program of subject 99), but "
                                                  "the subject has not finished (attempt 2/4)")),
                 qPrintable(quit.out));
        treelab({QStringLiteral("release"), busy}); // an experiment of one attempt is over there
        QCOMPARE(treelab({QStringLiteral("quit"), busy, QStringLiteral("--attempts"), QStringLiteral("1")}).exitCode, 0);

        // status flags a leftover 99 where no log of today's run is there yet, once okto.go
        // is last week's; a 1 released today before the subject typed anything is not.
        QVERIFY(QFile::remove(QDir(done).filePath(QStringLiteral("o199btinp.01"))));
        const QString fresh = LabFolders::workstation(dir.path(), QStringLiteral("fresh"), " 0 \r\n", QByteArray());
        QCOMPARE(treelab({QStringLiteral("release"), fresh}).exitCode, 0);
        const auto released = treelab({QStringLiteral("status"), fresh});
        QVERIFY2(!released.out.contains(QStringLiteral("1!")) && !released.out.contains(QStringLiteral("left from an earlier session")),
                 qPrintable(released.out));
        const auto sameDay = treelab({QStringLiteral("status"), done});
        QVERIFY2(!sameDay.out.contains(QStringLiteral("left from an earlier session")), qPrintable(sameDay.out));
        QFile goAhead(QDir(done).filePath(QStringLiteral("okto.go")));
        QVERIFY(goAhead.open(QIODevice::ReadWrite)
                && goAhead.setFileTime(QDateTime::currentDateTime().addDays(-7), QFileDevice::FileModificationTime));
        goAhead.close();
        const auto status = treelab({QStringLiteral("status"), done});
        QCOMPARE(status.exitCode, 1);
        QVERIFY2(status.out.contains(QStringLiteral("99!")) && status.out.contains(QStringLiteral("left from an earlier session")),
                 qPrintable(status.out));
    }

    void whatWasThereBeforeIsReported()
    {
        QTemporaryDir dir;
        const QString none = dir.filePath(QStringLiteral("none"));
        const QString empty = dir.filePath(QStringLiteral("empty"));
        const QString words = dir.filePath(QStringLiteral("words"));
        QDir().mkpath(none);
        QDir().mkpath(empty);
        QDir().mkpath(words);
        LabFolders::putFile(QDir(empty).filePath(QStringLiteral("okto.go")), "  \r\n");
        LabFolders::putFile(QDir(words).filePath(QStringLiteral("okto.go")), "go\r\n");
        const auto run = treelab({QStringLiteral("release"), none, empty, words});
        QVERIFY2(run.exitCode == 0, qPrintable(report(run)));
        QVERIFY(run.out.contains(QStringLiteral("none: there was no okto.go; now it holds 1\n")));
        QVERIFY(run.out.contains(QStringLiteral("empty: okto.go held no number; now it holds 1\n")));
        QVERIFY(run.out.contains(QStringLiteral("words: okto.go could not be read as a number")));
        for (const QString &folder : {none, empty, words})
            QCOMPARE(fileBytes(QDir(folder).filePath(QStringLiteral("okto.go"))), QByteArray(" 1 \r\n"));
    }

    void theProgramsOwnFolderIsRefused()
    {
        QTemporaryDir dir; // the folder of decisiontree, with data below it
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("data")));
        const QString file = dir.filePath(QStringLiteral("plain"));
        LabFolders::putFile(file, "x");
        const auto run = treelab({QStringLiteral("release"), dir.path(), file});
        QVERIFY2(run.exitCode == 1, qPrintable(report(run)));
        QVERIFY(run.out.contains(QStringLiteral("holds no okto.go but a folder \"data\"; give the data folder")));
        QVERIFY(run.out.contains(QStringLiteral("plain: not a folder; nothing written")));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("okto.go"))));
    }

    void aGoAheadFileThatCannotBeReplacedFails()
    {
        QTemporaryDir dir; // okto.go is a folder: no one, root included, can write it as a file
        const QString folder = dir.filePath(QStringLiteral("ws"));
        QVERIFY(QDir().mkpath(QDir(folder).filePath(QStringLiteral("okto.go"))));
        const auto run = treelab({QStringLiteral("release"), folder});
        QVERIFY2(run.exitCode == 1, qPrintable(report(run)));
        QVERIFY2(run.out.contains(QStringLiteral("; writing 1 FAILED: ")), qPrintable(run.out));
        QVERIFY(QFileInfo(QDir(folder).filePath(QStringLiteral("okto.go"))).isDir());
    }

    void helpAndUsage()
    {
        for (const char *command : {"release", "quit"}) {
            const auto help = treelab({QLatin1String(command), QStringLiteral("--help")});
            QCOMPARE(help.exitCode, 0);
            QVERIFY(help.out.startsWith(QStringLiteral("Usage: treelab %1 DIR...").arg(QLatin1String(command))));
            const auto none = treelab({QLatin1String(command)});
            QCOMPARE(none.exitCode, 2);
            QVERIFY(none.err.contains(QStringLiteral("no DIR given")));
            const auto wrong = treelab({QLatin1String(command), QStringLiteral("--all")});
            QCOMPARE(wrong.exitCode, 2);
        }
        QVERIFY(treelab({QStringLiteral("release"), QStringLiteral("--help")}).out.contains(QStringLiteral("\" 1 \"")));
        QVERIFY(treelab({QStringLiteral("quit"), QStringLiteral("--help")}).out.contains(QStringLiteral("\" 99 \"")));
    }
};

QTEST_GUILESS_MAIN(TestGoAheadCommand)
#include "TestGoAheadCommand.moc"
