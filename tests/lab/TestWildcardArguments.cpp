#include "session/WildcardArguments.h"

#include "LabFolders.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// Wildcards that Windows shells leave to the program, on a room of real folders: ws1, ws2
// and ws10 each with data holding okto.go and two logs.
class TestWildcardArguments : public QObject
{
    Q_OBJECT

    QTemporaryDir m_room;
    const QString m_start = QDir::currentPath(); // where the build's paths resolve, also under Wine

private slots:
    void initTestCase()
    {
        QVERIFY(m_room.isValid());
        for (const char *ws : {"ws1", "ws2", "ws10"}) {
            const QString data = m_room.filePath(QString::fromLatin1(ws) + QStringLiteral("/data"));
            QVERIFY(QDir().mkpath(data));
            for (const char *file : {"okto.go", "o199btinp.01", "o299btinp.01"})
                QVERIFY(LabFolders::putFile(QDir(data).filePath(QString::fromLatin1(file)), "0\r\n"));
        }
        QVERIFY(LabFolders::putFile(m_room.filePath(QStringLiteral("ws2/notes.txt")), "x"));
        QVERIFY(QDir::setCurrent(m_room.path()));
    }

    void expand_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("expanded"); // with / for the separator
        const QString dataAll = QStringLiteral("ws1/data ws10/data ws2/data");
        QTest::newRow("folders") << QStringList{QStringLiteral("ws*/data")} << dataAll.split(QLatin1Char(' '));
        QTest::newRow("backslashes, as typed on Windows")
            << QStringList{QStringLiteral("ws*\\data")} << dataAll.split(QLatin1Char(' '));
        QTest::newRow("wildcards in two parts")
            << QStringList{QStringLiteral("ws?/data/o1*")}
            << QStringList{QStringLiteral("ws1/data/o199btinp.01"), QStringLiteral("ws2/data/o199btinp.01")};
        QTest::newRow("any case, as Windows names match")
            << QStringList{QStringLiteral("ws1/data/O?99*")}
            << QStringList{QStringLiteral("ws1/data/o199btinp.01"), QStringLiteral("ws1/data/o299btinp.01")};
        QTest::newRow("a file is no folder to look in")
            << QStringList{QStringLiteral("ws2/*/okto.go")} << QStringList{QStringLiteral("ws2/data/okto.go")};
        QTest::newRow("options and plain arguments stay, no match is kept as typed")
            << QStringList{QStringLiteral("--seed"), QStringLiteral("4711"), QStringLiteral("--out=p*.csv"),
                           QStringLiteral("ws3*/data"), QStringLiteral("ws1/data")}
            << QStringList{QStringLiteral("--seed"), QStringLiteral("4711"), QStringLiteral("--out=p*.csv"),
                           QStringLiteral("ws3*/data"), QStringLiteral("ws1/data")};
        QTest::newRow("from the root of the path")
            << QStringList{m_room.filePath(QStringLiteral("ws1?/data/okto*"))}
            << QStringList{m_room.filePath(QStringLiteral("ws10/data/okto.go"))};
    }

    void expand()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, expanded);
        QStringList got = WildcardArguments::expand(arguments);
        for (QString &path : got)
            path = QDir::fromNativeSeparators(path);
        QCOMPARE(got, expanded);
    }

#ifdef Q_OS_WIN
    // treelab itself expands what cmd.exe and PowerShell hand over unexpanded.
    void treelabExpandsOnWindows()
    {
        QVERIFY(QDir::setCurrent(m_start));
        const QString pattern = QDir::toNativeSeparators(m_room.filePath(QStringLiteral("ws1*/data")));
        const LabFolders::Run run = LabFolders::treelab({QStringLiteral("status"), pattern});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains(QStringLiteral("ws1\\data")) && run.out.contains(QStringLiteral("ws10\\data")),
                 qPrintable(run.out + run.err));
    }
#endif
};

QTEST_GUILESS_MAIN(TestWildcardArguments)
#include "TestWildcardArguments.moc"
