#include "TestFiles.h"

#include "record/CompanionFollower.h"
#include "record/CompanionReader.h"
#include "record/LogFollower.h"
#include "record/LogReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray logOf(const QList<QByteArray> &lines, const QByteArray &end = "\r\n")
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + end;
    return bytes;
}

// Everything a reading of a log holds, as text, so that two readings compare whole.
QString dump(const ParsedLog &log)
{
    QStringList out;
    out.append(log.header ? QStringLiteral("header %1 %2 %3").arg(log.header->subjectNo).arg(log.header->paramSetNo)
                                .arg(log.header->clockText)
                          : QStringLiteral("no header"));
    for (const LogRecord &r : log.records)
        out.append(QStringLiteral("%1 %2 %3 %4 %5 [%6] %7-%8")
                       .arg(r.kindName()).arg(r.stamp).arg(r.level).arg(r.index).arg(int(r.direction))
                       .arg(r.text).arg(r.firstLine).arg(r.lastLine));
    for (const LogProblem &p : log.problems)
        out.append(QStringLiteral("problem %1: %2").arg(p.line).arg(p.message));
    for (const LogProblem &p : log.warnings)
        out.append(QStringLiteral("warning %1: %2").arg(p.line).arg(p.message));
    out.append(QStringLiteral("lines %1, unlisted %2").arg(log.lineCount).arg(log.unlistedProblems));
    return out.join(QLatin1Char('\n'));
}

QString dump(const Companion &c)
{
    QStringList out{QStringLiteral("subject %1, attempts %2, complete %3, exit %4 %5")
                        .arg(c.subject).arg(c.attempts).arg(c.complete).arg(c.exitHow).arg(c.exitMs)};
    for (const CompanionRecord &r : c.records)
        out.append(QStringLiteral("%1 %2 %3 %4 [%5] line %6").arg(r.kind).arg(r.ms).arg(r.level).arg(r.index)
                       .arg(r.text).arg(r.line));
    out.append(QStringLiteral("shown %1, presses %2, boxes %3, notes %4, draws %5")
                   .arg(c.shown.size()).arg(c.presses.size()).arg(c.boxes.size()).arg(c.notes.size())
                   .arg(c.draws.size()));
    for (const LogProblem &p : c.problems)
        out.append(QStringLiteral("problem %1: %2").arg(p.line).arg(p.message));
    return out.join(QLatin1Char('\n'));
}

void append(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::Append));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Each piece ends a write: every whole line alone, and each line also cut in two.
QList<QByteArray> piecesOf(const QByteArray &bytes, bool cutLines)
{
    QList<QByteArray> pieces;
    qsizetype at = 0;
    while (at < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', at);
        end = end < 0 ? bytes.size() : end + 1;
        const qsizetype half = (end - at) / 2;
        if (cutLines && half > 0) {
            pieces.append(bytes.mid(at, half));
            pieces.append(bytes.mid(at + half, end - at - half));
        } else {
            pieces.append(bytes.mid(at, end - at));
        }
        at = end;
    }
    return pieces;
}

const QByteArray Header = "99  1  3/4/09  512.5";
const QList<QByteArray> Start{Header, "41 Start", "63 d1                  0", "70 ConfirmDecision     L 1 0",
                              "80 c1                  0"};

} // namespace

class TestLogFollower : public QObject
{
    Q_OBJECT

private slots:
    // A log read piece by piece as the program writes it reads as the whole file does,
    // after every piece, and each line is read by the rules once.
    void aGrowingLogReadsAsTheWholeFileAfterEveryWrite_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("cutLines");
#ifdef DT_WHOLE_EXPERIMENT_LOG
        const QByteArray whole = TestFiles::fileBytes(QStringLiteral(DT_WHOLE_EXPERIMENT_LOG));
        QTest::newRow("the whole experiment, record by record") << whole << false;
        QTest::newRow("the whole experiment, each line in two writes") << whole << true;
#endif
        // Lines read as records at first, then as text once a later line needs them to be.
        QTest::newRow("a click typed into a notepad, then a move that needs it to be text")
            << logOf(Start + QList<QByteArray>{"80 NotepadContents     1 0 a", "80 d2                  0",
                                               "81 NatureMove          R 2 0", "82 c3                  1"})
            << true;
        QTest::newRow("a forged payoff in a notepad")
            << logOf(Start + QList<QByteArray>{"80 NotepadContents     1 0 first", "9 FinalPayoffNode     12",
                                               "9 Continue            ", "81 NatureMove          R 2 0"})
            << false;
        QTest::newRow("a damaged line and a stamp that goes back")
            << logOf(Start + QList<QByteArray>{"80 NotepadContents     1 0 a", "oops", "79 CloseNotepad        2 0"})
            << true;
        QTest::newRow("LF line ends") << logOf(Start, "\n") << false;
    }

    void aGrowingLogReadsAsTheWholeFileAfterEveryWrite()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, cutLines);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("o199btinp.01"));
        QFile::remove(path);
        LogFollower follower;
        QByteArray written;
        int wholeReadings = 0;
        for (const QByteArray &piece : piecesOf(bytes, cutLines)) {
            append(path, piece);
            written += piece;
            QString error;
            QVERIFY2(follower.read(path, &error), qPrintable(error));
            QCOMPARE(dump(follower.parsed()), dump(LogReader::parse(written)));
            wholeReadings += follower.change() == FollowedFile::Change::Whole ? 1 : 0;
        }
        QCOMPARE(wholeReadings, 1); // the first reading alone
        QCOMPARE(follower.linesRead(), qint64(bytes.count('\n')));
        QString error;
        QVERIFY(follower.read(path, &error));
        QCOMPARE(follower.change(), FollowedFile::Change::None);
    }

    // A file that is not the one read before is read whole, and reads as it is now.
    void aLogNoLongerAsItWasIsReadWhole_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("replaced by another file") << QStringLiteral("replaced");
        QTest::newRow("cut shorter") << QStringLiteral("shorter");
        QTest::newRow("written over, the same length") << QStringLiteral("over");
        QTest::newRow("written over and longer") << QStringLiteral("longer");
    }

    void aLogNoLongerAsItWasIsReadWhole()
    {
        QFETCH(QString, how);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("o199btinp.01"));
        const QByteArray before = logOf(Start);
        QVERIFY(TestFiles::putFile(path, before));
        LogFollower follower;
        QString error;
        QVERIFY(follower.read(path, &error));

        QByteArray after = before;
        if (how == QLatin1String("replaced")) {
            const QString other = dir.filePath(QStringLiteral("other"));
            after = logOf(QList<QByteArray>{"98  1  3/4/09  12.5", "3 Start", "5 d1                  0"});
            QVERIFY(TestFiles::putFile(other, after));
            QVERIFY(QFile::remove(path));
            QVERIFY(QFile::rename(other, path));
        } else {
            if (how == QLatin1String("shorter"))
                after = logOf(Start.mid(0, 3));
            else if (how == QLatin1String("over"))
                after.replace("70 ConfirmDecision     L", "70 ConfirmDecision     R");
            else
                after = logOf(QList<QByteArray>{Header, "41 Start", "63 d1                  0",
                                                "70 ConfirmDecision     R 1 0", "80 c1                  1",
                                                "80 NotepadContents     1 0 x"});
            QTest::qWait(20); // a later modification time, on any file system that keeps it finely
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite | QIODevice::Truncate));
            QCOMPARE(file.write(after), after.size());
        }
        QVERIFY2(follower.read(path, &error), qPrintable(error));
        QCOMPARE(follower.change(), FollowedFile::Change::Whole);
        QCOMPARE(dump(follower.parsed()), dump(LogReader::parse(after)));
    }

    void aLogThatGoesIsAnError()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("o199btinp.01"));
        QVERIFY(TestFiles::putFile(path, logOf(Start)));
        LogFollower follower;
        QString error;
        QVERIFY(follower.read(path, &error));
        QVERIFY(QFile::remove(path));
        QVERIFY(!follower.read(path, &error));
        QVERIFY2(error.contains(QStringLiteral("o199btinp.01")), qPrintable(error));
        QVERIFY(TestFiles::putFile(path, logOf(Start.mid(0, 2))));
        QVERIFY(follower.read(path, &error));
        QCOMPARE(follower.change(), FollowedFile::Change::Whole);
        QCOMPARE(follower.parsed().records.size(), 1);
    }

    // The companion record, line by line and with lines cut in two, reads as the whole.
    void aGrowingCompanionReadsAsTheWholeFile()
    {
#ifndef DT_WHOLE_EXPERIMENT_COMPANION
        QSKIP("tests/window/expected/whole-experiment.jsonl is not there");
#else
        const QByteArray bytes = TestFiles::fileBytes(QStringLiteral(DT_WHOLE_EXPERIMENT_COMPANION));
        QVERIFY(bytes.count('\n') > 50);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("o199btinp.01.jsonl"));
        CompanionFollower follower;
        QByteArray written;
        int wholeReadings = 0;
        for (const QByteArray &piece : piecesOf(bytes, true)) {
            append(path, piece);
            written += piece;
            Companion whole;
            QString wholeError;
            const bool wholeRead = CompanionReader::parse(written, &whole, &wholeError);
            QString error;
            QCOMPARE(follower.read(path, &error), wholeRead);
            QCOMPARE(error, wholeError);
            if (wholeRead)
                QCOMPARE(dump(follower.companion()), dump(whole));
            wholeReadings += follower.change() == FollowedFile::Change::Whole ? 1 : 0;
        }
        QCOMPARE(wholeReadings, 1);
        QVERIFY(follower.companion().complete);
#endif
    }
};

QTEST_GUILESS_MAIN(TestLogFollower)
#include "TestLogFollower.moc"
