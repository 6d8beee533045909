#include "LabFolders.h"

#include "session/SetAside.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A log set aside and brought back through the decision file beside it: the log's bytes
// never change, each decision is kept in order, and a record that cannot be read keeps
// the log aside.
class TestSetAside : public QObject
{
    Q_OBJECT

    const QDateTime First{QDate(2026, 12, 9), QTime(10, 42, 7)};
    const QDateTime Second{QDate(2026, 12, 9), QTime(10, 44, 51)};

private slots:
    void aLogIsSetAsideAndBroughtBack()
    {
        QTemporaryDir dir;
        const QString ws = LabFolders::workstation(dir.path(), QStringLiteral("ws"), " 0 \r\n",
                                                   LabFolders::firstLines(LabFolders::wholeExperimentLog(), 1));
        const QString log = QDir(ws).filePath(QStringLiteral("o199btinp.01"));
        const QByteArray before = LabFolders::fileBytes(log);
        QVERIFY(!SetAside::of(log));

        QCOMPARE(SetAside::setAside(log, QStringLiteral("started again\nas subject 103"), First), std::nullopt);
        const std::optional<SetAside::Decision> aside = SetAside::of(log);
        QVERIFY(aside);
        QCOMPARE(aside->reason, QStringLiteral("started again as subject 103"));
        QCOMPARE(aside->when, First);
        QCOMPARE(SetAside::text(*aside), QStringLiteral("set aside on 2026-12-09 10:42: started again as subject 103"));

        QCOMPARE(SetAside::bringBack(log, Second), std::nullopt);
        QVERIFY(!SetAside::of(log));
        QCOMPARE(LabFolders::fileBytes(log), before);
        QCOMPARE(LabFolders::fileBytes(SetAside::fileOf(log)),
                 QByteArray("2026-12-09T10:42:07  set aside  started again as subject 103\n"
                            "2026-12-09T10:44:51  brought back\n"));
    }

    void whatCannotBeDecided_data()
    {
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("logThere");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("no reason") << QStringLiteral(" \n ") << true << QStringLiteral("give the reason the log is set aside");
        QTest::newRow("no log") << QStringLiteral("mistaken") << false << QStringLiteral("is not a log that is there");
    }

    void whatCannotBeDecided()
    {
        QFETCH(QString, reason);
        QFETCH(bool, logThere);
        QFETCH(QString, refusal);
        QTemporaryDir dir;
        const QString log = QDir(dir.path()).filePath(QStringLiteral("o199btinp.01"));
        if (logThere)
            LabFolders::putFile(log, LabFolders::firstLines(LabFolders::wholeExperimentLog(), 1));
        const std::optional<QString> refused = SetAside::setAside(log, reason, First);
        QVERIFY(refused);
        QVERIFY2(refused->contains(refusal), qPrintable(*refused));
        QVERIFY(!QFile::exists(SetAside::fileOf(log)));
    }

    // A record that is no record of decisions keeps the log aside and is not written over.
    void anUnreadableRecordKeepsTheLogAside_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("said");
        QTest::newRow("a folder") << true << QByteArray() << QStringLiteral("cannot be read");
        QTest::newRow("another text") << false << QByteArray("whatever this is\n") << QStringLiteral("no decision");
    }

    void anUnreadableRecordKeepsTheLogAside()
    {
        QFETCH(bool, folder);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const QString log = QDir(dir.path()).filePath(QStringLiteral("o199btinp.01"));
        LabFolders::putFile(log, LabFolders::firstLines(LabFolders::wholeExperimentLog(), 1));
        if (folder)
            QVERIFY(QDir().mkdir(SetAside::fileOf(log)));
        else
            LabFolders::putFile(SetAside::fileOf(log), bytes);
        const std::optional<SetAside::Decision> aside = SetAside::of(log);
        QVERIFY(aside);
        QVERIFY2(aside->reason.contains(said), qPrintable(aside->reason));
        if (folder)
            QVERIFY(SetAside::bringBack(log, Second));
        else
            QCOMPARE(LabFolders::fileBytes(SetAside::fileOf(log)), bytes);
    }
};

QTEST_GUILESS_MAIN(TestSetAside)
#include "TestSetAside.moc"
