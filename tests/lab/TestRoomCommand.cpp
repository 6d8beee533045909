#include "LabFolders.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// treelab room starts the room window's own program from treelab's folder and waits for
// it: run here from a copy of treelab in a folder of its own, beside no program, then
// beside a stand-in that tells its arguments and exits. treelab itself links no widget.
class TestRoomCommand : public QObject
{
    Q_OBJECT

    // A copy of the built treelab in dir; its path.
    static QString copyOfTreelab(const QTemporaryDir &dir)
    {
        const QString copy = dir.filePath(QStringLiteral("treelab"));
        if (!QFile::copy(QStringLiteral(DT_TREELAB), copy))
            return QString();
        return copy;
    }

    static LabFolders::Run run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        LabFolders::Run result;
        if (!process.waitForFinished(30000))
            return result;
        result.exitCode = process.exitCode();
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

private slots:
    void aMissingRoomProgramIsNamed()
    {
        QTemporaryDir dir;
        const QString treelab = copyOfTreelab(dir);
        QVERIFY(!treelab.isEmpty());
        const LabFolders::Run room = run(treelab, {QStringLiteral("room"), dir.path()});
        QCOMPARE(room.exitCode, 1);
        QVERIFY2(room.err.contains(QDir(dir.path()).filePath(QStringLiteral("decisiontree-room"))
                                   + QStringLiteral(" is not there")),
                 qPrintable(LabFolders::report(room)));
    }

    void theRoomProgramBesideIsStartedWithTheFolders()
    {
        QTemporaryDir dir;
        const QString treelab = copyOfTreelab(dir);
        QVERIFY(!treelab.isEmpty());
        const QString standIn = dir.filePath(QStringLiteral("decisiontree-room"));
        QVERIFY(LabFolders::putFile(standIn, "#!/bin/sh\necho \"room: $*\"\nexit 3\n"));
        QVERIFY(QFile::setPermissions(standIn, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const LabFolders::Run room = run(treelab, {QStringLiteral("room"), QStringLiteral("ws1/data"), QStringLiteral("ws2")});
        QVERIFY2(room.exitCode == 3, qPrintable(LabFolders::report(room)));
        QCOMPARE(room.out, QStringLiteral("room: ws1/data ws2\n"));
    }

    void treelabLinksNoWidgets()
    {
        QProcess ldd;
        ldd.start(QStringLiteral("ldd"), {QStringLiteral(DT_TREELAB)});
        if (!ldd.waitForFinished(30000) || ldd.exitCode() != 0)
            QSKIP("ldd cannot be run here");
        const QString libraries = QString::fromUtf8(ldd.readAllStandardOutput());
        QVERIFY2(libraries.contains(QStringLiteral("Qt6Core")) || !libraries.contains(QStringLiteral("Qt6")),
                 qPrintable(libraries));
        QVERIFY2(!libraries.contains(QStringLiteral("Qt6Widgets")), qPrintable(libraries));
    }
};

QTEST_GUILESS_MAIN(TestRoomCommand)
#include "TestRoomCommand.moc"
