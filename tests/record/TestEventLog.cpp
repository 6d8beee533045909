#include "StubClock.h"
#include "TestFiles.h"

#include "record/EventLog.h"
#include "record/EventTags.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QTest>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

using TestFiles::fileBytes;
using TestFiles::putFile;

QByteArray blanks(int count)
{
    return QByteArray(count, ' ');
}

QLocale unitedStates()
{
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

const QString DataFile = QStringLiteral("btinp.01");
const QString LogName = QStringLiteral("o199btinp.01");

#ifdef Q_OS_LINUX
// Caps the size of every regular file this process writes, so that writes past the cap
// fail the way a full disk makes them fail; the cap is lifted when the guard goes.
class FileSizeCap
{
public:
    FileSizeCap()
    {
        m_saved = ::getrlimit(RLIMIT_FSIZE, &m_original) == 0;
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeCap()
    {
        lift();
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool cap(rlim_t bytes)
    {
        if (!m_saved)
            return false;
        rlimit limit = m_original;
        limit.rlim_cur = bytes;
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    void lift()
    {
        if (m_saved)
            ::setrlimit(RLIMIT_FSIZE, &m_original);
    }

private:
    rlimit m_original = {};
    bool m_saved = false;
    void (*m_oldHandler)(int) = SIG_DFL;
};
#endif

} // namespace

// The event log as the experimenter's analysis reads it: the file name, the header, the
// layout and time stamp of every record, CR LF line ends, the code page, and the rule
// that no earlier log and no logged record is ever lost.
class TestEventLog : public QObject
{
    Q_OBJECT

private slots:
    void fileNameJoinsSetSubjectAndDataFile_data()
    {
        QTest::addColumn<int>("paramSet");
        QTest::addColumn<int>("subject");
        QTest::addColumn<QString>("dataFile");
        QTest::addColumn<QString>("expected");
        QTest::newRow("set 1, subject 99") << 1 << 99 << DataFile << QStringLiteral("o199btinp.01");
        QTest::newRow("set 19, subject 9: same name")
            << 19 << 9 << DataFile << QStringLiteral("o199btinp.01");
        QTest::newRow("set 12, subject 5") << 12 << 5 << QStringLiteral("x.dat") << QStringLiteral("o125x.dat");
        QTest::newRow("negative subject") << 2 << -5 << QStringLiteral("b") << QStringLiteral("o2-5b");
        QTest::newRow("set 0") << 0 << 7 << DataFile << QStringLiteral("o07btinp.01");
        QTest::newRow("16-bit extremes")
            << 32767 << -32768 << QStringLiteral("f") << QStringLiteral("o32767-32768f");
    }

    void fileNameJoinsSetSubjectAndDataFile()
    {
        QFETCH(int, paramSet);
        QFETCH(int, subject);
        QFETCH(QString, dataFile);
        QFETCH(QString, expected);
        QCOMPARE(EventLog::fileName(qint16(paramSet), qint16(subject), dataFile), expected);
    }

    void openCreatesTheFileWithItsHeaderOnly_data()
    {
        QTest::addColumn<int>("subject");
        QTest::addColumn<int>("paramSet");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<float>("seconds");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QByteArray>("header");
        // US short dates are month/day/two-digit year; German ones day.month.two-digit year.
        QTest::newRow("subject 99, set 1")
            << 99 << 1 << QDate(2009, 3, 4) << 512.5f << unitedStates()
            << QByteArray("99  1  3/4/09  512.5");
        QTest::newRow("subject 5, set 12, whole seconds")
            << 5 << 12 << QDate(2010, 12, 25) << 43200.0f << unitedStates()
            << QByteArray("5  12  12/25/10  43200");
        QTest::newRow("seven significant digits")
            << 1 << 1 << QDate(2009, 3, 4) << 12345.678f << unitedStates()
            << QByteArray("1  1  3/4/09  12345.68");
        QTest::newRow("midnight") << 1 << 2 << QDate(2009, 3, 4) << 0.0f << unitedStates()
                                  << QByteArray("1  2  3/4/09  0");
        QTest::newRow("no trailing digits of the float")
            << 1 << 2 << QDate(2009, 3, 4) << 0.1f << unitedStates()
            << QByteArray("1  2  3/4/09  0.1");
        QTest::newRow("last second of the day")
            << 1 << 2 << QDate(2009, 3, 4) << 86399.99f << unitedStates()
            << QByteArray("1  2  3/4/09  86399.99");
        QTest::newRow("negative subject")
            << -327 << 6 << QDate(2009, 3, 4) << 60.25f << unitedStates()
            << QByteArray("-327  6  3/4/09  60.25");
        QTest::newRow("decimal comma, no grouping")
            << 99 << 1 << QDate(2009, 3, 4) << 43200.5f << QLocale(QLocale::German, QLocale::Germany)
            << QByteArray("99  1  04.03.09  43200,5");
        // Locales with digits of their own keep their date order and separators, in ASCII
        // digits; the Arabic decimal separator is written as a comma.
        QTest::newRow("ar_EG") << 99 << 1 << QDate(2009, 3, 4) << 512.5f << QLocale(QStringLiteral("ar_EG"))
                               << QByteArray("99  1  4/3/2009  512,5");
        QTest::newRow("fa_IR") << 99 << 1 << QDate(2009, 3, 4) << 512.5f << QLocale(QStringLiteral("fa_IR"))
                               << QByteArray("99  1  2009/3/4  512,5");
        QTest::newRow("bn_BD") << 99 << 1 << QDate(2009, 3, 4) << 512.5f << QLocale(QStringLiteral("bn_BD"))
                               << QByteArray("99  1  4/3/09  512.5");
        QTest::newRow("mr_IN") << 99 << 1 << QDate(2009, 3, 4) << 512.5f << QLocale(QStringLiteral("mr_IN"))
                               << QByteArray("99  1  4/3/09  512.5");
        QTest::newRow("ne_NP") << 99 << 1 << QDate(2009, 3, 4) << 512.5f << QLocale(QStringLiteral("ne_NP"))
                               << QByteArray("99  1  09/3/4  512.5");
        QTest::newRow("my_MM") << 99 << 1 << QDate(2009, 3, 4) << 512.5f << QLocale(QStringLiteral("my_MM"))
                               << QByteArray("99  1  04-03-09  512.5");
    }

    void openCreatesTheFileWithItsHeaderOnly()
    {
        QFETCH(int, subject);
        QFETCH(int, paramSet);
        QFETCH(QDate, date);
        QFETCH(float, seconds);
        QFETCH(QLocale, locale);
        QFETCH(QByteArray, header);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        StubClock clock(seconds, date);
        EventLog log(clock, locale);
        const EventLog::OpenResult opened =
            log.OpenEventLog(dir.path(), qint16(subject), qint16(paramSet), DataFile);
        QVERIFY2(opened.ok, qPrintable(opened.error));
        const QString expectedPath = dir.filePath(
            EventLog::fileName(qint16(paramSet), qint16(subject), DataFile));
        QCOMPARE(QFileInfo(opened.path).absoluteFilePath(), QFileInfo(expectedPath).absoluteFilePath());
        QVERIFY(opened.keptAs.isEmpty());
        QVERIFY(log.isOpen());
        QCOMPARE(log.startTime(), seconds);
        QCOMPARE(fileBytes(expectedPath), header + "\r\n");
    }

    void recordIsStampTagAndFields_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QByteArray>("line");
        // Each tag: a blank and the name left-justified in 20 columns; the move tags then
        // add the letter and a blank. The stamp is 63 in every row.
        QTest::newRow("Start") << EventTags::Start << QString() << QByteArray("63 Start\r\n");
        QTest::newRow("d1 click")
            << EventTags::click(QStringLiteral("d1")) << QStringLiteral("0")
            << QByteArray("63 d1") + blanks(18) + "0\r\n";
        QTest::newRow("c3 click")
            << EventTags::click(QStringLiteral("c3")) << QStringLiteral("12")
            << QByteArray("63 c3") + blanks(18) + "12\r\n";
        QTest::newRow("p click")
            << EventTags::click(QStringLiteral("p")) << QStringLiteral("63")
            << QByteArray("63 p") + blanks(19) + "63\r\n";
        QTest::newRow("notepad contents")
            << EventTags::NotepadContents << QStringLiteral("1 0 left looks safer")
            << QByteArray("63 NotepadContents") + blanks(5) + "1 0 left looks safer\r\n";
        QTest::newRow("empty notepad ends in a blank")
            << EventTags::NotepadContents << QStringLiteral("5 6 ")
            << QByteArray("63 NotepadContents") + blanks(5) + "5 6 \r\n";
        QTest::newRow("close notepad")
            << EventTags::CloseNotepad << QStringLiteral("3 1")
            << QByteArray("63 CloseNotepad") + blanks(8) + "3 1\r\n";
        QTest::newRow("decision left")
            << EventTags::ConfirmDecisionLeft << QStringLiteral("1 0")
            << QByteArray("63 ConfirmDecision") + blanks(5) + "L 1 0\r\n";
        QTest::newRow("decision right")
            << EventTags::ConfirmDecisionRight << QStringLiteral("5 15")
            << QByteArray("63 ConfirmDecision") + blanks(5) + "R 5 15\r\n";
        QTest::newRow("nature left")
            << EventTags::NatureMoveLeft << QStringLiteral("6 31")
            << QByteArray("63 NatureMove") + blanks(10) + "L 6 31\r\n";
        QTest::newRow("nature right")
            << EventTags::NatureMoveRight << QStringLiteral("2 0")
            << QByteArray("63 NatureMove") + blanks(10) + "R 2 0\r\n";
        QTest::newRow("final payoff node")
            << EventTags::FinalPayoffNode << QStringLiteral("25")
            << QByteArray("63 FinalPayoffNode") + blanks(5) + "25\r\n";
        QTest::newRow("Continue ends in twelve blanks")
            << EventTags::Continue << QString() << QByteArray("63 Continue") + blanks(12) + "\r\n";
    }

    void recordIsStampTagAndFields()
    {
        QFETCH(QString, tag);
        QFETCH(QString, fields);
        QFETCH(QByteArray, line);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        StubClock clock(100.0f);
        EventLog log(clock, unitedStates());
        QVERIFY(log.OpenEventLog(dir.path(), 99, 1, DataFile).ok);
        clock.set(163.0f);
        QVERIFY(log.WriteEventRecord(tag, fields));
        QCOMPARE(fileBytes(dir.filePath(LogName)), QByteArray("99  1  3/4/09  100\r\n") + line);
    }

    void timeStampIsWholeSecondsSinceTheOpen_data()
    {
        QTest::addColumn<float>("startSeconds");
        QTest::addColumn<QDate>("startDate");
        QTest::addColumn<float>("nowSeconds");
        QTest::addColumn<QDate>("nowDate");
        QTest::addColumn<QByteArray>("stamp");
        QTest::addColumn<float>("wallStep"); // the wall clock set on by this, time passing not
        const QDate day(2009, 3, 4);
        QTest::newRow("same instant") << 100.0f << day << 100.0f << day << QByteArray("0") << 0.0f;
        QTest::newRow("whole seconds") << 100.0f << day << 163.0f << day << QByteArray("63") << 0.0f;
        QTest::newRow("2.5 rounds down to even") << 100.0f << day << 102.5f << day << QByteArray("2") << 0.0f;
        QTest::newRow("3.5 rounds up to even") << 100.0f << day << 103.5f << day << QByteArray("4") << 0.0f;
        QTest::newRow("just below a half") << 100.0f << day << 101.49f << day << QByteArray("1") << 0.0f;
        QTest::newRow("just above a half") << 100.0f << day << 101.51f << day << QByteArray("2") << 0.0f;
        QTest::newRow("fractional start") << 512.5f << day << 553.75f << day << QByteArray("41") << 0.0f;
        QTest::newRow("across midnight") << 86390.0f << day << 5.0f << day.addDays(1) << QByteArray("15") << 0.0f;
        QTest::newRow("beyond 16 bits") << 0.0f << day << 40000.0f << day << QByteArray("40000") << 0.0f;
        QTest::newRow("a whole day") << 86000.0f << day << 86000.0f << day.addDays(1) << QByteArray("86400") << 0.0f;
        // The wall clock set back or on (by hand, daylight saving) moves no stamp.
        QTest::newRow("clock set back an hour") << 100.0f << day << 163.0f << day << QByteArray("63") << -3600.0f;
        QTest::newRow("autumn change, half-second start") << 512.5f << day << 553.5f << day << QByteArray("41") << -3600.0f;
        QTest::newRow("spring change") << 100.0f << day << 102.5f << day << QByteArray("2") << 3600.0f;
        QTest::newRow("clock set back past the start") << 100.0f << day << 101.0f << day << QByteArray("1") << -50.0f;
    }

    void timeStampIsWholeSecondsSinceTheOpen()
    {
        QFETCH(float, startSeconds);
        QFETCH(QDate, startDate);
        QFETCH(float, nowSeconds);
        QFETCH(QDate, nowDate);
        QFETCH(QByteArray, stamp);
        QFETCH(float, wallStep);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        StubClock clock(startSeconds, startDate);
        EventLog log(clock, unitedStates());
        QVERIFY(log.OpenEventLog(dir.path(), 99, 1, DataFile).ok);
        const QByteArray header = fileBytes(dir.filePath(LogName));
        clock.set(nowSeconds);
        clock.setDate(nowDate);
        clock.stepWallClock(wallStep);
        QVERIFY(log.WriteEventRecord(EventTags::Start, QString()));
        QCOMPARE(fileBytes(dir.filePath(LogName)), header + stamp + " Start\r\n");
    }

    void notepadLineBreaksAreWrittenAsCrLf_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("three typed lines")
            << QStringLiteral("first\nsecond\nthird") << QByteArray("first\r\nsecond\r\nthird");
        QTest::newRow("already CR LF is not doubled")
            << QStringLiteral("one\r\ntwo") << QByteArray("one\r\ntwo");
        QTest::newRow("trailing line break") << QStringLiteral("end\n") << QByteArray("end\r\n");
        QTest::newRow("only a line break") << QStringLiteral("\n") << QByteArray("\r\n");
        QTest::newRow("empty line in the middle")
            << QStringLiteral("a\n\nb") << QByteArray("a\r\n\r\nb");
    }

    void notepadLineBreaksAreWrittenAsCrLf()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, written);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        StubClock clock(10.0f);
        EventLog log(clock, unitedStates());
        QVERIFY(log.OpenEventLog(dir.path(), 99, 1, DataFile).ok);
        QVERIFY(log.WriteEventRecord(EventTags::NotepadContents, QStringLiteral("3 2 ") + text));
        const QByteArray bytes = fileBytes(dir.filePath(LogName));
        QCOMPARE(bytes, QByteArray("99  1  3/4/09  10\r\n0 NotepadContents") + blanks(5) + "3 2 "
                            + written + "\r\n");
        // No bare LF and no bare CR anywhere in the file.
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
    }

    void textIsWrittenInWindows1252_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("pound sign") << QString::fromUtf8("£7") << QByteArray("\xA3" "7");
        QTest::newRow("euro sign is in the code page") << QString::fromUtf8("€5") << QByteArray("\x80" "5");
        QTest::newRow("accented letter") << QString::fromUtf8("café") << QByteArray("caf\xE9");
        QTest::newRow("curly quotes") << QString::fromUtf8("‘a’") << QByteArray("\x91" "a" "\x92");
        QTest::newRow("omega is not: question mark") << QString::fromUtf8("Ω") << QByteArray("?");
        QTest::newRow("outside the BMP: one question mark")
            << QString::fromUtf8("a\xF0\x9F\x98\x80" "b") << QByteArray("a?b");
    }

    void textIsWrittenInWindows1252()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        StubClock clock(10.0f);
        EventLog log(clock, unitedStates());
        QVERIFY(log.OpenEventLog(dir.path(), 99, 1, DataFile).ok);
        QVERIFY(log.WriteEventRecord(EventTags::NotepadContents, QStringLiteral("1 0 ") + text));
        QCOMPARE(fileBytes(dir.filePath(LogName)),
                 QByteArray("99  1  3/4/09  10\r\n0 NotepadContents") + blanks(5) + "1 0 " + bytes
                     + "\r\n");
    }

    void anOlderLogIsKeptUnderTheNextFreeNumber_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("keptAs"); // empty: nothing moved
        QTest::newRow("first older log") << QStringList{LogName} << LogName + QStringLiteral(".1");
        QTest::newRow(".1 taken: .2")
            << QStringList{LogName, LogName + QStringLiteral(".1")} << LogName + QStringLiteral(".2");
        QTest::newRow(".1 and .2 taken: .3")
            << QStringList{LogName, LogName + QStringLiteral(".1"), LogName + QStringLiteral(".2")}
            << LogName + QStringLiteral(".3");
        QTest::newRow("only a numbered copy: nothing moved")
            << QStringList{LogName + QStringLiteral(".1")} << QString();
        QTest::newRow("another run's log is not touched")
            << QStringList{QStringLiteral("o299btinp.01")} << QString();
    }

    void anOlderLogIsKeptUnderTheNextFreeNumber()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, keptAs);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // Each older file holds bytes of its own, a half line and odd bytes among them.
        QHash<QString, QByteArray> before;
        for (const QString &name : existing) {
            const QByteArray bytes = "older log " + name.toLatin1() + "\r\n12 Start\r\n\x80\xFF half";
            QVERIFY(putFile(dir.filePath(name), bytes));
            before.insert(name, bytes);
        }

        StubClock clock(512.5f);
        EventLog log(clock, unitedStates());
        const EventLog::OpenResult opened = log.OpenEventLog(dir.path(), 99, 1, DataFile);
        QVERIFY2(opened.ok, qPrintable(opened.error));
        QCOMPARE(fileBytes(dir.filePath(LogName)), QByteArray("99  1  3/4/09  512.5\r\n"));

        if (keptAs.isEmpty()) {
            QVERIFY(opened.keptAs.isEmpty());
        } else {
            QCOMPARE(QFileInfo(opened.keptAs).absoluteFilePath(),
                     QFileInfo(dir.filePath(keptAs)).absoluteFilePath());
            QCOMPARE(fileBytes(dir.filePath(keptAs)), before.value(LogName));
        }
        for (const QString &name : existing) {
            if (name != LogName)
                QCOMPARE(fileBytes(dir.filePath(name)), before.value(name));
        }
        // Nothing else appeared: the old files, the new log and the kept copy.
        QStringList expectedNames = existing;
        if (!expectedNames.contains(LogName))
            expectedNames.append(LogName);
        if (!keptAs.isEmpty())
            expectedNames.append(keptAs);
        expectedNames.sort();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name), expectedNames);
    }

    void openInAMissingFolderFailsAndCreatesNothing()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString missing = dir.filePath(QStringLiteral("data"));
        StubClock clock(10.0f);
        EventLog log(clock, unitedStates());
        const EventLog::OpenResult opened = log.OpenEventLog(missing, 99, 1, DataFile);
        QVERIFY(!opened.ok);
        QVERIFY2(opened.error.contains(QDir::toNativeSeparators(missing)), qPrintable(opened.error));
        QVERIFY(!log.isOpen());
        QVERIFY(!log.WriteEventRecord(EventTags::Start, QString()));
        QVERIFY(!QFileInfo::exists(missing));
        QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    }

    void eachRecordIsOnDiskWhenWriteReturns()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        StubClock clock(512.5f);
        EventLog log(clock, unitedStates());
        QVERIFY(log.OpenEventLog(dir.path(), 99, 1, DataFile).ok);
        const QString path = dir.filePath(LogName);

        QByteArray expected("99  1  3/4/09  512.5\r\n");
        clock.set(553.5f); // 41 seconds after the open
        QVERIFY(log.WriteEventRecord(EventTags::Start, QString()));
        expected += "41 Start\r\n";
        QCOMPARE(fileBytes(path), expected);

        clock.set(575.5f); // 63: each record reads the clock itself
        QVERIFY(log.WriteEventRecord(EventTags::click(QStringLiteral("d1")), QStringLiteral("0")));
        expected += QByteArray("63 d1") + blanks(18) + "0\r\n";
        QCOMPARE(fileBytes(path), expected);

        clock.set(576.0f); // 63.5 rounds to 64
        QVERIFY(log.WriteEventRecord(EventTags::NotepadContents, QStringLiteral("1 0 ")));
        expected += QByteArray("64 NotepadContents") + blanks(5) + "1 0 \r\n";
        QCOMPARE(fileBytes(path), expected);
        QVERIFY(log.isOpen());
    }

    void nothingIsWrittenAfterTheClose()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        StubClock clock(100.0f);
        EventLog log(clock, unitedStates());
        QVERIFY(log.OpenEventLog(dir.path(), 99, 1, DataFile).ok);
        clock.set(171.0f);
        QVERIFY(log.WriteEventRecord(EventTags::Continue, QString()));
        log.CloseEventLog();
        QVERIFY(!log.isOpen());
        const QByteArray closed = fileBytes(dir.filePath(LogName));
        QCOMPARE(closed, QByteArray("99  1  3/4/09  100\r\n71 Continue") + blanks(12) + "\r\n");

        clock.set(180.0f);
        QVERIFY(!log.WriteEventRecord(EventTags::Start, QString()));
        QVERIFY(!log.WriteEventRecord(EventTags::click(QStringLiteral("d1")), QStringLiteral("0")));
        log.CloseEventLog(); // a second close changes nothing either
        QCOMPARE(fileBytes(dir.filePath(LogName)), closed);
    }

    void aFailedSyncIsReportedLikeAFailedWrite()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        StubClock clock(100.0f);
        QStringList reports;
        EventLog log(clock, unitedStates(), [](int, QString *error) {
            *error = QStringLiteral("Input/output error");
            return false;
        });
        log.setWriteFailureHandler([&reports](const QString &message) { reports.append(message); });
        QVERIFY(log.OpenEventLog(dir.path(), 99, 1, DataFile).ok);
        QVERIFY(log.WriteEventRecord(EventTags::Start, QString())); // in the file all the same
        QCOMPARE(reports.size(), 2);
        QVERIFY2(reports.last().contains(QStringLiteral("Input/output error")), qPrintable(reports.last()));
        QCOMPARE(fileBytes(dir.filePath(LogName)), QByteArray("99  1  3/4/09  100\r\n0 Start\r\n"));
    }

    // A handler that writes a file twice must not find the first write's pages under
    // writeback: the records of one handler are forced to the disk together, after it.
    void aHandlersRecordsAreSyncedOnceAfterIt()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        StubClock clock(100.0f);
        EventLog log(clock, unitedStates());
        QVERIFY(log.OpenEventLog(dir.path(), 99, 1, DataFile).ok);
        log.waitForDisk();
        const quint64 before = log.syncsDone();
        QVERIFY(log.WriteEventRecord(EventTags::Start, QString()));
        QVERIFY(log.WriteEventRecord(EventTags::click(QStringLiteral("d1")), QStringLiteral("0")));
        QThread::msleep(50);
        QCOMPARE(log.syncsDone(), before); // still in the handler: nothing started
        QTRY_COMPARE(log.syncsDone(), before + 1); // back in the event loop: one sync for both
        QVERIFY(log.WriteEventRecord(EventTags::click(QStringLiteral("d2")), QStringLiteral("1")));
        log.waitForDisk(); // started and waited for without the event loop, as at the close
        QCOMPARE(log.syncsDone(), before + 2);
        QCOMPARE(fileBytes(dir.filePath(LogName)).count("\r\n"), 4); // the header and three records
    }

    void laterTasksRunInTurnAndTellTheEventThread_data()
    {
        QTest::addColumn<bool>("threaded");
        QTest::newRow("on the records' thread") << true;
        QTest::newRow("inline, as in the window's tests") << false;
    }

    void laterTasksRunInTurnAndTellTheEventThread()
    {
        QFETCH(bool, threaded);
        StubClock clock(100.0f);
        EventLog log(clock, unitedStates(),
                     threaded ? SyncQueue::SyncFunction() : [](int, QString *) { return true; });
        QStringList reports;
        log.setWriteFailureHandler([&reports](const QString &message) { reports.append(message); });
        QStringList ran;
        QStringList told;
        for (const bool ok : {true, false}) {
            const QString name = ok ? QStringLiteral("written") : QStringLiteral("failed");
            log.later([&ran, name, ok](QString *error) {
                          ran.append(name);
                          *error = ok ? QString() : QStringLiteral("No space left on device");
                          return ok;
                      },
                      [&told, name](bool, const QString &error) {
                          QCOMPARE(QThread::currentThread(), qApp->thread());
                          told.append(name + QLatin1Char(':') + error);
                      });
        }
        log.settle();
        QCOMPARE(ran, (QStringList{"written", "failed"}));
        QCOMPARE(told, (QStringList{"written:", "failed:No space left on device"}));
        QVERIFY(reports.isEmpty()); // told to the task's owner, not as the log's failure
    }

    void aWriteFailureIsReportedOnceAndLosesNoRecord()
    {
#ifndef Q_OS_LINUX
        QSKIP("Needs a per-process file size limit to make writes fail");
#else
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        StubClock clock(100.0f);
        EventLog log(clock, unitedStates());
        QStringList reports;
        log.setWriteFailureHandler([&reports](const QString &message) { reports.append(message); });
        QVERIFY(log.OpenEventLog(dir.path(), 99, 1, DataFile).ok);
        const QString path = dir.filePath(LogName);
        const QByteArray header("99  1  3/4/09  100\r\n");
        QCOMPARE(fileBytes(path), header);

        const QByteArray start("1 Start\r\n");
        const QByteArray click = QByteArray("2 d1") + blanks(18) + "0\r\n";
        const QByteArray contents = QByteArray("3 NotepadContents") + blanks(5) + "1 0 x\r\n";
        const QByteArray decision = QByteArray("4 ConfirmDecision") + blanks(5) + "L 1 0\r\n";
        {
            FileSizeCap cap;
            // Room for five more bytes: the first record gets only partly through.
            QVERIFY(cap.cap(rlim_t(header.size() + 5)));
            clock.set(101.0f);
            QVERIFY(!log.WriteEventRecord(EventTags::Start, QString()));
            clock.set(102.0f);
            QVERIFY(!log.WriteEventRecord(EventTags::click(QStringLiteral("d1")), QStringLiteral("0")));
            cap.lift();
            QCOMPARE(reports.size(), 1);
            QVERIFY2(reports.first().contains(QDir::toNativeSeparators(path)), qPrintable(reports.first()));
            // The file never ends in half a record while it waits.
            QCOMPARE(fileBytes(path), header);
        }
        // The disk has room again: the kept records go out first, in order.
        clock.set(103.0f);
        QVERIFY(log.WriteEventRecord(EventTags::NotepadContents, QStringLiteral("1 0 x")));
        QCOMPARE(fileBytes(path), header + start + click + contents);
        QCOMPARE(reports.size(), 1);

        {
            // A new failure after a success is reported again.
            FileSizeCap cap;
            QVERIFY(cap.cap(rlim_t(fileBytes(path).size())));
            clock.set(104.0f);
            QVERIFY(!log.WriteEventRecord(EventTags::ConfirmDecisionLeft, QStringLiteral("1 0")));
            cap.lift();
        }
        QCOMPARE(reports.size(), 2);
        // The close writes what is still kept.
        log.CloseEventLog();
        QCOMPARE(fileBytes(path), header + start + click + contents + decision);
#endif
    }
};

QTEST_GUILESS_MAIN(TestEventLog)
#include "TestEventLog.moc"
