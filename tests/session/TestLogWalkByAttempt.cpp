#include "session/ExportTables.h"
#include "session/LabLog.h"
#include "session/LabLogReader.h"
#include "session/LogPayoffs.h"
#include "session/LogWalk.h"
#include "session/RunJudge.h"
#include "session/SearchMeasures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// A log walked one attempt at a time, each inspection handed on and forgotten as the export
// walks a long log, gives every attempt the same inspections, moves and times as the walk
// of the whole log, and the export the same tables: on recorded logs with their companion
// records (one written with press and box lines, one from before them, and the first with
// those lines taken out) and without them (where notepad texts come from the classic log,
// and a text can be stored in a later attempt).
class TestLogWalkByAttempt : public QObject
{
    Q_OBJECT

    static QString text(const std::optional<float> &r) { return r ? QString::number(double(*r)) : QString(); }

    static QString fields(const LogWalk::Inspection &i)
    {
        return QStringList{QString::number(i.attempt), QString::number(i.order), QString::number(i.level),
                           QString::number(i.index), QString::number(i.record), QString::number(i.stoodOn),
                           QString::number(i.levelsAhead), QString::number(i.onPath), QString::number(i.openedMs),
                           QString::number(i.closedMs), i.closedBy, QString::number(i.noteChanged), i.previous,
                           QString::number(i.stoodLevel), QString::number(i.stoodIndex), QString::number(i.burst),
                           i.transition}
            .join(QLatin1Char('|'));
    }

    static QString fields(const LogWalk::Move &m)
    {
        return QStringList{QString::number(m.attempt), QString::number(m.level), QString::number(m.index),
                           QString(QLatin1Char(m.direction)), QString::number(m.record), QString::number(m.stoodMs),
                           m.stoodFrom, QString::number(m.movedMs), QString::number(m.inspections),
                           QString::number(m.distinctNodes), QString::number(m.deepestAhead),
                           QString::number(m.noteChanged), text(m.r)}
            .join(QLatin1Char('|'));
    }

    // The recorded log copied into dir under its subject's name beside the shipped payoff
    // file, with its companion as the case says.
    static QString copied(const QTemporaryDir &dir, const QString &logFile, const QString &companion)
    {
        const bool named = !logFile.endsWith(QLatin1String(".log"));
        const QString path = QDir(dir.path()).filePath(named ? QFileInfo(logFile).fileName() : QStringLiteral("o199btinp.01"));
        if (!QFile::copy(logFile, path) || !QFile::copy(QStringLiteral(DT_PAYOFF_FILE), QDir(dir.path()).filePath(QStringLiteral("btinp.01"))))
            return QString();
        if (companion == QLatin1String("none"))
            return path;
        const QString source = (named ? logFile : logFile.left(logFile.size() - 4)) + QStringLiteral(".jsonl");
        QFile in(source);
        QFile out(path + QStringLiteral(".jsonl"));
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
            return QString();
        for (const QByteArray &line : in.readAll().split('\n')) {
            if (companion == QLatin1String("without press and box lines")
                && (line.startsWith("{\"type\":\"press\"") || line.startsWith("{\"type\":\"box\"")))
                continue;
            out.write(line + (line.isEmpty() ? "" : "\n"));
        }
        return path;
    }

    static void recordedLogs()
    {
        QTest::addColumn<QString>("logFile");
        QTest::addColumn<QString>("companion");
        for (const QString &companion : {QStringLiteral("as recorded"), QStringLiteral("without press and box lines"),
                                         QStringLiteral("none")}) {
            QTest::addRow("four attempts, companion %s", qPrintable(companion))
                << QStringLiteral(DT_WHOLE_EXPERIMENT_LOG) << companion;
        }
        // Recorded before the companion had press and box lines.
        for (const QString &companion : {QStringLiteral("as recorded"), QStringLiteral("none")})
            QTest::addRow("recorded run, companion %s", qPrintable(companion)) << QStringLiteral(DT_RECORDED_LOG) << companion;
    }

    static bool load(const QString &path, LabLog *log)
    {
        std::optional<Finding> unread = LabLogReader::load(path, log);
        if (!unread) {
            RunJudge::judge(log, QString(), 0);
            unread = LogPayoffs::loadShown(log, QString());
        }
        if (unread)
            qWarning("%s", qPrintable(unread->text()));
        return !unread;
    }

private slots:
    void eachAttemptAloneIsAsInTheWholeWalk_data() { recordedLogs(); }

    void eachAttemptAloneIsAsInTheWholeWalk()
    {
        QFETCH(QString, logFile);
        QFETCH(QString, companion);
        QTemporaryDir dir;
        LabLog log;
        QVERIFY(load(copied(dir, logFile, companion), &log));
        QCOMPARE(log.companion.has_value(), companion != QLatin1String("none"));
        QVERIFY(!log.attempts.isEmpty());

        const LogWalk whole(log);
        LogWalk byAttempt(log, LogWalk::Scope::ByAttempt);
        QStringList walked;
        qsizetype kept = 0; // the most inspections the walk held while handing one on
        for (qsizetype a = 0; a < log.attempts.size(); ++a) {
            byAttempt.walkAttempt(a, [&](const LogWalk::Inspection &seen) {
                walked.append(fields(seen));
                kept = std::max(kept, byAttempt.inspections().size());
            });
        }
        QStringList expected;
        for (const LogWalk::Inspection &seen : whole.inspections())
            expected.append(fields(seen));
        QCOMPARE(walked, expected);
        QVERIFY(!walked.isEmpty());
        QCOMPARE(kept, qsizetype(1));
        QVERIFY(byAttempt.inspections().isEmpty());

        QStringList moves, wholeMoves;
        for (const LogWalk::Move &move : byAttempt.moves())
            moves.append(fields(move));
        for (const LogWalk::Move &move : whole.moves())
            wholeMoves.append(fields(move));
        QCOMPARE(moves, wholeMoves);
        for (const AttemptSummary &attempt : log.attempts) {
            QCOMPARE(byAttempt.attemptMs(attempt.number), whole.attemptMs(attempt.number));
            QCOMPARE(byAttempt.attemptFrom(attempt.number), whole.attemptFrom(attempt.number));
        }
    }

    // Every table, and events with attempts alone (which walk only with a companion).
    void theExportIsAsFromTheWholeWalk_data() { recordedLogs(); }

    void theExportIsAsFromTheWholeWalk()
    {
        QFETCH(QString, logFile);
        QFETCH(QString, companion);
        QTemporaryDir dir;
        LabLog log;
        QVERIFY(load(copied(dir, logFile, companion), &log));

        const LogWalk whole(log);
        const QList<QList<QStringList>> expected{ExportTables::eventRows(log, &whole),
                                                 ExportTables::attemptRows(log, &whole),
                                                 ExportTables::inspectionRows(log, whole),
                                                 ExportTables::decisionRows(log, whole),
                                                 ExportTables::noteRows(log),
                                                 ExportTables::runRows(log),
                                                 SearchMeasures::rows(log, whole),
                                                 ExportTables::payoffRows(log)};
        QCOMPARE(expected.size(), ExportTables::all().size());
        QList<QList<QStringList>> exported(expected.size());
        QList<ExportTables::Rows> tables;
        for (qsizetype t = 0; t < expected.size(); ++t)
            tables.append([&exported, t](const QStringList &row) { exported[t].append(row); });
        ExportTables::rowsOf(log, tables);
        for (qsizetype t = 0; t < expected.size(); ++t) {
            QVERIFY2(!expected[t].isEmpty() || t == 4, qPrintable(ExportTables::all()[t].name));
            QCOMPARE(exported[t], expected[t]);
        }

        const LogWalk *timed = log.companion ? &whole : nullptr;
        QList<QList<QStringList>> alone(2);
        ExportTables::rowsOf(log, {[&](const QStringList &row) { alone[0].append(row); },
                                   [&](const QStringList &row) { alone[1].append(row); }});
        QCOMPARE(alone[0], ExportTables::eventRows(log, timed));
        QCOMPARE(alone[1], ExportTables::attemptRows(log, timed));
    }

    // Attempt 2 clicks d2(1) at 66000 ms and again at 67000 ms, and decides there at
    // 69500 ms: the measure runs from the first of the two clicks.
    void timeToDecisionRunsFromTheFirstClick_data()
    {
        QTest::addColumn<QString>("companion");
        QTest::newRow("as recorded") << QStringLiteral("as recorded");
        QTest::newRow("without press and box lines") << QStringLiteral("without press and box lines");
    }

    void timeToDecisionRunsFromTheFirstClick()
    {
        QFETCH(QString, companion);
        QTemporaryDir dir;
        LabLog log;
        QVERIFY(load(copied(dir, QStringLiteral(DT_WHOLE_EXPERIMENT_LOG), companion), &log));
        QList<QStringList> measures;
        QList<ExportTables::Rows> tables(ExportTables::all().size());
        qsizetype at = 0; // the measures among the tables
        while (at < tables.size() && ExportTables::all()[at].name != SearchMeasures::definition().name)
            ++at;
        QVERIFY(at < tables.size());
        tables[at] = [&](const QStringList &row) { measures.append(row); };
        ExportTables::rowsOf(log, tables);
        const qsizetype column = SearchMeasures::definition().header().indexOf(QStringLiteral("first_click_to_decision_ms_d2"));
        QVERIFY(column > 0);
        QCOMPARE(measures.size(), qsizetype(4));
        QCOMPARE(measures[1].value(column), QStringLiteral("3500"));
    }
};

QTEST_GUILESS_MAIN(TestLogWalkByAttempt)
#include "TestLogWalkByAttempt.moc"
