#pragma once

#include <QString>
#include <QStringList>

// treelab at the scale of a study: a folder of many synthetic event logs, made here from
// the whole four-attempt log of the tests with a subject number each, and treelab's
// commands run over it as the experimenter runs them, each timed as a whole process with
// its peak resident memory.
class StudyBenchmarks
{
public:
    struct Figure
    {
        bool ok = false;
        QString error;
        double seconds = 0.0; // wall clock, from the start of the process to its end
        long peakKb = 0;      // its maximum resident set size
    };

    // logs event logs o1<subject>btinp.01, subjects 1 to logs, and the payoff file, in
    // folder. False, with *error set, when they cannot be written.
    static bool makeStudy(const QString &folder, int logs, const QString &templateLog,
                          const QString &payoffFile, QString *error);

    // folder made if need be, with payoffFile copied into it as its btinp.01. False, with
    // *error set, when it cannot be.
    static bool makeDataFolder(const QString &folder, const QString &payoffFile, QString *error);

    // Runs program with arguments in workingDirectory, its output thrown away, through
    // run-peak (RunPeak.cpp) beside the benchmark.
    static Figure run(const QString &program, const QStringList &arguments, const QString &workingDirectory);

    // The time libxlsxwriter alone takes to write the cells export --xlsx writes for the
    // study of logs logs in folder (xlsx-floor, XlsxFloor.cpp, beside the benchmark), into
    // workbook; its seconds of writing only.
    static Figure floor(const QString &folder, int logs, const QString &workbook, const QString &workingDirectory);
};
