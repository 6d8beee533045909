#include "TestFiles.h"

#include "record/DurableFile.h"
#include "record/SharedRead.h"
#include "window/logic/GoAheadFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <future>
#include <thread>

Q_DECLARE_METATYPE(GoAheadFile::Status)

namespace {

using TestFiles::fileBytes;
using TestFiles::putFile;

} // namespace

// okto.go is shared with the experimenter: its first number, after blanks, decides
// whether the subject may start (1) or the program ends (99); what follows the number
// is never looked at. The program writes it once, as " 2 " and CR LF.
class TestGoAheadFile : public QObject
{
    Q_OBJECT

    enum Holder { Nobody, SharedReader, PlainReaderForAMoment, PlainReaderForGood };

private slots:
    void readTakesTheFirstNumber_data()
    {
        using S = GoAheadFile::Status;
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<GoAheadFile::Status>("status");
        QTest::addColumn<int>("value");
        QTest::newRow("bare 1") << true << QByteArray("1") << S::Number << 1;
        QTest::newRow("1 with blanks") << true << QByteArray(" 1 ") << S::Number << 1;
        QTest::newRow("1 then 99 on the next line") << true << QByteArray("1\r\n99\r\n") << S::Number << 1;
        QTest::newRow("blanks before 99") << true << QByteArray("  99") << S::Number << 99;
        QTest::newRow("blank lines before") << true << QByteArray("\r\n\r\n\t 1\r\n") << S::Number << 1;
        QTest::newRow("zero") << true << QByteArray("0") << S::Number << 0;
        QTest::newRow("the program's own 2") << true << QByteArray(" 2 \r\n") << S::Number << 2;
        QTest::newRow("negative") << true << QByteArray("-3\r\n") << S::Number << -3;
        QTest::newRow("smallest") << true << QByteArray("-32768") << S::Number << -32768;
        QTest::newRow("largest") << true << QByteArray("32767") << S::Number << 32767;
        QTest::newRow("missing file") << false << QByteArray() << S::Missing << 0;
        QTest::newRow("empty file") << true << QByteArray() << S::Empty << 0;
        QTest::newRow("only blanks and line breaks") << true << QByteArray("  \r\n \r\n") << S::Empty << 0;
        QTest::newRow("letters") << true << QByteArray("abc") << S::NotANumber << 0;
        QTest::newRow("digits run into letters") << true << QByteArray("1abc") << S::NotANumber << 0;
        QTest::newRow("a fraction") << true << QByteArray("1.5") << S::NotANumber << 0;
        QTest::newRow("not 16-bit") << true << QByteArray("99999") << S::NotANumber << 0;
        QTest::newRow("32768") << true << QByteArray("32768") << S::NotANumber << 0;
        QTest::newRow("a torn write's NUL byte") << true << QByteArray("1\0", 2) << S::NotANumber << 0;
    }

    void readTakesTheFirstNumber()
    {
        QFETCH(bool, exists);
        QFETCH(QByteArray, content);
        QFETCH(GoAheadFile::Status, status);
        QFETCH(int, value);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("okto.go"));
        if (exists)
            QVERIFY(putFile(path, content));
        const GoAheadFile::Reading reading = GoAheadFile::read(path);
        QCOMPARE(reading.status, status);
        if (status == GoAheadFile::Status::Number)
            QCOMPARE(int(reading.value), value);
        else
            QVERIFY(!reading.detail.isEmpty());
        // Reading never changes the shared file.
        if (exists)
            QCOMPARE(fileBytes(path), content);
        else
            QVERIFY(!QFileInfo::exists(path));
    }

    void textIsTheNumberBetweenBlanksAndCrLf_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("2") << 2 << QByteArray(" 2 \r\n");
        QTest::newRow("1") << 1 << QByteArray(" 1 \r\n");
        QTest::newRow("0") << 0 << QByteArray(" 0 \r\n");
        QTest::newRow("99") << 99 << QByteArray(" 99 \r\n");
        QTest::newRow("-3: the sign takes the blank's place") << -3 << QByteArray("-3 \r\n");
        QTest::newRow("largest") << 32767 << QByteArray(" 32767 \r\n");
        QTest::newRow("smallest") << -32768 << QByteArray("-32768 \r\n");
    }

    void textIsTheNumberBetweenBlanksAndCrLf()
    {
        QFETCH(int, value);
        QFETCH(QByteArray, text);
        QCOMPARE(GoAheadFile::text(qint16(value)), text);
    }

    void writeCreatesTheFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("okto.go"));
        QString error;
        QVERIFY2(GoAheadFile::write(path, 2, &error), qPrintable(error));
        QCOMPARE(fileBytes(path), QByteArray(" 2 \r\n"));
        // The poll reads back what was written; no temporary file is left beside it.
        const GoAheadFile::Reading reading = GoAheadFile::read(path);
        QCOMPARE(reading.status, GoAheadFile::Status::Number);
        QCOMPARE(int(reading.value), 2);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("okto.go")});
    }

    void writeReplacesTheWholeOldContent_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::newRow("the experimenter's 1") << QByteArray("1\r\n");
        QTest::newRow("longer than the new text") << QByteArray(" 99 \r\nsome notes the experimenter left\r\n");
        QTest::newRow("empty") << QByteArray();
    }

    void writeReplacesTheWholeOldContent()
    {
        QFETCH(QByteArray, old);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("okto.go"));
        QVERIFY(putFile(path, old));
        QString error;
        QVERIFY2(GoAheadFile::write(path, 2, &error), qPrintable(error));
        QCOMPARE(fileBytes(path), QByteArray(" 2 \r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("okto.go")});
    }

    // okto.go held by another program while the program writes its 2. On Windows a file
    // open without delete sharing cannot be replaced: the write waits a moment and tries
    // again, and if the file stays held it fails leaving the old file whole. POSIX systems
    // let the file be replaced under any reader.
    void writeReplacesAFileThatOthersHold_data()
    {
        QTest::addColumn<int>("holder");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("written");
#ifdef Q_OS_WIN
        const bool heldForGoodIsReplaced = false;
#else
        const bool heldForGoodIsReplaced = true;
#endif
        QTest::newRow("read as the poll reads it") << int(SharedReader) << false << true;
        QTest::newRow("held a moment without delete sharing (a virus scanner)") << int(PlainReaderForAMoment) << false << true;
        QTest::newRow("held without delete sharing for good") << int(PlainReaderForGood) << false << heldForGoodIsReplaced;
        QTest::newRow("read-only, and stays so") << int(Nobody) << true << true;
    }
    void writeReplacesAFileThatOthersHold()
    {
        QFETCH(int, holder);
        QFETCH(bool, readOnly);
        QFETCH(bool, written);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("okto.go"));
        QVERIFY(putFile(path, "1\r\n"));
        const QFile::Permissions readable = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
        if (readOnly)
            QVERIFY(QFile::setPermissions(path, readable));

        QFile held;
        QString why;
        if (holder == SharedReader)
            QVERIFY2(SharedRead::open(held, path, &why), qPrintable(why));
        std::promise<void> opened;
        std::thread moment;
        if (holder == PlainReaderForAMoment) {
            moment = std::thread([&path, &opened] {
                QFile file(path);
                file.open(QIODevice::ReadOnly);
                opened.set_value();
                std::this_thread::sleep_for(std::chrono::milliseconds(150));
            });
            opened.get_future().wait();
        }
        if (holder == PlainReaderForGood) {
            held.setFileName(path);
            QVERIFY(held.open(QIODevice::ReadOnly));
        }
        QString error;
        const bool ok = GoAheadFile::write(path, 2, &error);
        if (moment.joinable())
            moment.join();
        held.close();

        QVERIFY2(ok == written, qPrintable(error));
        QVERIFY(ok || error.contains(QDir::toNativeSeparators(path)));
        QCOMPARE(fileBytes(path), written ? QByteArray(" 2 \r\n") : QByteArray("1\r\n"));
        QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("okto.go*")}, QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("okto.go")});
        QCOMPARE(bool(QFile::permissions(path) & QFile::WriteOwner), !readOnly);
        QFile::setPermissions(path, readable | QFile::WriteOwner | QFile::WriteUser);
    }
    void aLinkPlantedBesideTheFileIsNeverFollowed()
    {
        // The temporary file's name cannot be foreseen, so a link waiting at a guessed
        // name (the fixed "okto.go.new" of old) leads nowhere.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("okto.go"));
        const QString victim = dir.filePath(QStringLiteral("results.csv"));
        QVERIFY(putFile(victim, "subject,payoff\r\n"));
        QVERIFY(QFile::link(victim, path + QStringLiteral(".new")));
        QVERIFY(DurableFile::temporaryName(path) != DurableFile::temporaryName(path));
        QString error;
        QVERIFY2(GoAheadFile::write(path, 2, &error), qPrintable(error));
        QCOMPARE(fileBytes(path), QByteArray(" 2 \r\n"));
        QCOMPARE(fileBytes(victim), QByteArray("subject,payoff\r\n"));
    }

    void writeIntoAMissingFolderFails()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.filePath(QStringLiteral("data"));
        const QString path = QDir(folder).filePath(QStringLiteral("okto.go"));
        QString error;
        QVERIFY(!GoAheadFile::write(path, 2, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
        QVERIFY(!QFileInfo::exists(folder));
    }
};

QTEST_GUILESS_MAIN(TestGoAheadFile)
#include "TestGoAheadFile.moc"
