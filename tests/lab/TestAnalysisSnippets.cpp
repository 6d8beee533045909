#include "LabFolders.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using LabFolders::report;
using LabFolders::treelab;

// docs/analysis.md's R and pandas snippets, run as they stand on the tables of the whole
// experiment, with the workstation on UTC and an hour east of it, so that the snippets
// cannot drift from what export writes. Each run ends with a check that every time was read.
namespace {

// The code of the first fenced block of the language in docs/analysis.md.
QString snippet(const QString &language)
{
    const QString doc = QString::fromUtf8(LabFolders::fileBytes(QStringLiteral(DT_ANALYSIS_DOC)));
    const QRegularExpression block(QStringLiteral("```%1\\n(.*?)```").arg(language),
                                   QRegularExpression::DotMatchesEverythingOption);
    return block.match(doc).captured(1);
}

// A Python that has pandas: Debian's own, where a python3 ahead of it on PATH lacks it.
QString pythonWithPandas()
{
    for (const QString &python : {QStringLiteral("/usr/bin/python3"), QStandardPaths::findExecutable(QStringLiteral("python3"))}) {
        if (python.isEmpty() || !QFileInfo::exists(python))
            continue;
        QProcess probe;
        probe.start(python, {QStringLiteral("-c"), QStringLiteral("import pandas, matplotlib")});
        if (probe.waitForFinished(60000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0)
            return python;
    }
    return QString();
}

} // namespace

class TestAnalysisSnippets : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // The tables exported from the whole experiment, its start at the offset given; their folder.
    QString tables(const QString &offset)
    {
        const QString folder = m_dir.filePath(offset == QLatin1String("Z") ? QStringLiteral("utc") : QStringLiteral("east"));
        QDir().mkpath(folder);
        const QString log = QDir(folder).filePath(QStringLiteral("o199btinp.01"));
        LabFolders::putFile(log, LabFolders::wholeExperimentLog());
        LabFolders::putFile(log + QStringLiteral(".jsonl"),
                            LabFolders::fileBytes(QStringLiteral(DT_WHOLE_EXPERIMENT_COMPANION))
                                .replace("@START@", "2009-03-04T00:08:32.500" + offset.toUtf8())
                                .replace("@HOST@", "lab-07"));
        QStringList arguments{QStringLiteral("export"), log};
        for (const char *table : {"events", "attempts", "inspections", "decisions", "notes", "runs", "measures", "payoffs"})
            arguments << QStringLiteral("--%1").arg(QLatin1String(table))
                      << QDir(folder).filePath(QStringLiteral("%1.csv").arg(QLatin1String(table)));
        const auto run = treelab(arguments);
        if (run.exitCode != 0)
            qWarning("%s", qPrintable(report(run)));
        return folder;
    }

    static void runIn(const QString &folder, const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.setWorkingDirectory(folder);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        QVERIFY(process.waitForFinished(300000));
        const QByteArray output = process.readAll();
        QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0, output.constData());
        QVERIFY2(output.contains("ALL TIMES READ"), output.constData());
    }

    // The start as a workstation on UTC writes it (Z), and an hour east of it.
    static void offsets()
    {
        QTest::addColumn<QString>("offset");
        QTest::newRow("a workstation on UTC") << QStringLiteral("Z");
        QTest::newRow("an hour east of it") << QStringLiteral("+01:00");
    }

private slots:
    // One form of every time: the offset as +hh:mm, UTC's too.
    void utcIsWrittenAsAnOffset()
    {
        const QString folder = tables(QStringLiteral("Z"));
        const QString runs = QString::fromUtf8(LabFolders::fileBytes(QDir(folder).filePath(QStringLiteral("runs.csv"))));
        QVERIFY2(runs.contains(QStringLiteral(",2009-03-04T00:08:32.500+00:00,")), qPrintable(runs));
        const QString events = QString::fromUtf8(LabFolders::fileBytes(QDir(folder).filePath(QStringLiteral("events.csv"))));
        QVERIFY(events.contains(QStringLiteral(".750+00:00,")));
        QVERIFY(!events.contains(QStringLiteral("Z,")));
    }


    void theRSnippet()
    {
        QFETCH(QString, offset);
        const QString rscript = QStandardPaths::findExecutable(QStringLiteral("Rscript"));
        if (rscript.isEmpty())
            QSKIP("Rscript is not installed here (scripts/setup.sh --snippets installs r-base-core)");
        const QString folder = tables(offset);
        const QString code = snippet(QStringLiteral("r"))
            + QStringLiteral("\nstopifnot(nrow(events) == 100, !any(is.na(events$time)), is.character(runs$program_version),"
                             " runs$program_version == \"1.0\", nrow(measures) == 4, nrow(payoffs) == 64,"
                             " is.character(events$level), is.integer(attempts$finished), all(attempts$finished == 1))\ncat(\"ALL TIMES READ\\n\")\n");
        QVERIFY(!snippet(QStringLiteral("r")).isEmpty());
        LabFolders::putFile(QDir(folder).filePath(QStringLiteral("snippet.R")), code.toUtf8());
        runIn(folder, rscript, {QStringLiteral("snippet.R")});
    }
    void theRSnippet_data() { offsets(); }

    void thePandasSnippet()
    {
        QFETCH(QString, offset);
        const QString python = pythonWithPandas();
        if (python.isEmpty())
            QSKIP("no python3 with pandas and matplotlib here (scripts/setup.sh --snippets installs python3-pandas)");
        const QString folder = tables(offset);
        const QString code = QStringLiteral("import matplotlib\nmatplotlib.use('Agg')\n") + snippet(QStringLiteral("python"))
            + QStringLiteral("\nassert len(events) == 100 and events['time'].notna().all()\n"
                             "assert tables['runs'].program_version[0] == '1.0' and len(tables['payoffs']) == 64\n"
                             "assert events.level.dropna().isin(['d1', 'c1', 'd2', 'c2', 'd3', 'c3', 'p']).all()\n"
                             "assert (tables['attempts'].finished == 1).all()\nprint('ALL TIMES READ')\n");
        QVERIFY(!snippet(QStringLiteral("python")).isEmpty());
        LabFolders::putFile(QDir(folder).filePath(QStringLiteral("snippet.py")), code.toUtf8());
        runIn(folder, python, {QStringLiteral("snippet.py")});
    }
    void thePandasSnippet_data() { offsets(); }
};

QTEST_GUILESS_MAIN(TestAnalysisSnippets)
#include "TestAnalysisSnippets.moc"
