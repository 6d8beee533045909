#pragma once

#include "TestFiles.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// What the treelab tests share: the built treelab run as a process, and workstation data
// folders made of the files the experiment program reads and writes.
namespace LabFolders {

struct Run
{
    int exitCode = -1;
    bool crashed = false;
    QString out; // decoded as UTF-8
    QString err;
};

// Runs build/.../bin/treelab with the arguments, in workingDirectory when given, and
// waits for it (30 s at most, more in a slower build: DT_TIME_FACTOR).
Run treelab(const QStringList &arguments, const QString &workingDirectory = QString());

// The run's exit code and both outputs, for a failure message.
QString report(const Run &run);

using TestFiles::fileBytes;
using TestFiles::putFile;

// tests/window/expected/whole-experiment.log, the log that the whole four-attempt
// experiment on the real window leaves (subject 99, set 1, btinp.01), and its first
// lines (each with its CR LF).
QByteArray wholeExperimentLog();
QByteArray firstLines(const QByteArray &bytes, int count);

// A workstation's data folder under parent: okto.go with okto, btinp.01, and the log
// o199btinp.01 when log is not empty. Returns the folder's path.
QString workstation(const QString &parent, const QString &name, const QByteArray &okto,
                    const QByteArray &log);

// The whole-experiment log (or its first lines) as subject's, put into folder as
// o1<subject>btinp.01 beside the payoff file. Returns its path, empty if not written.
QString putLogOf(const QString &folder, const QByteArray &log, int subject);

// Comma-separated values read back as the statistics programs do: quoted fields may hold
// commas, doubled quotes and line breaks; rows end with LF. *wellFormed is false for a bare
// quote or CR outside quotes, or a last row not ended.
QList<QStringList> readCsv(const QString &text, bool *wellFormed);

// A PDF read back with poppler-utils (scripts/setup.sh installs them): its text as
// pdftotext -layout gives it, empty when it cannot be read; its number of pages, 0 then
// (without pdftotext, the pages the file itself holds).
QString pdfText(const QString &path);
// Whether pdftotext runs here: on Linux always (scripts/setup.sh installs it); under Wine
// there is none, and the PDFs written there are read back by scripts/windows/test.sh.
bool canReadPdf();
int pdfPages(const QString &path);

} // namespace LabFolders
