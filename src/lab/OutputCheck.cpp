#include "lab/OutputCheck.h"

#include "lab/CommandLine.h"
#include "record/CompanionReader.h"

#include "record/InputFile.h"
#include "record/LogReader.h"
#include "window/PayoffFile.h"
#include "window/PayoffReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path fsPath(const QString &path)
{
    return std::filesystem::path(path.toStdU16String());
}

// The first 65 items of the file are whole numbers: a record of a payoff file.
bool holdsPayoffRecord(const QString &path)
{
    QFile file;
    if (!InputFile::open(file, path, nullptr))
        return false;
    PayoffReader reader(file);
    for (int k = 0; k < PayoffFile::RecordSize; ++k)
        if (reader.next().status != PayoffReader::Status::Number)
            return false;
    return true;
}

bool isCompanionName(const QFileInfo &info)
{
    return !CompanionReader::logOf(info.absoluteFilePath(), Qt::CaseInsensitive).isEmpty();
}

// Whether the two paths name the same file, existing or not.
bool sameFile(const QString &a, const QString &b)
{
    std::error_code error;
    if (std::filesystem::exists(fsPath(a), error) && std::filesystem::exists(fsPath(b), error))
        return std::filesystem::equivalent(fsPath(a), fsPath(b), error) && !error;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

// Why output may not be written; empty when it may. inputs are the files the command
// reads; others are the command's other outputs.
QString refusal(const QString &output, const QStringList &inputs, const QStringList &others)
{
    const QFileInfo info(output);
    const QString shown = QDir::toNativeSeparators(output);
    if (info.fileName().compare(QLatin1String("okto.go"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("%1 is a go-ahead file; write the table elsewhere").arg(shown);
    for (const QString &other : others)
        if (sameFile(output, other))
            return QStringLiteral("%1 is named for two outputs; give each its own file").arg(shown);
    for (const QString &input : inputs)
        if (sameFile(output, input))
            return QStringLiteral("%1 is the input %2; an output never replaces an input")
                .arg(shown, QDir::toNativeSeparators(input));
    if (!info.exists() && !info.isSymLink())
        return isCompanionName(info)
            ? QStringLiteral("%1 is the name of the companion record of a log").arg(shown)
            : QString();
    if (!info.isFile())
        return QStringLiteral("%1 is not a regular file").arg(shown);
    if (LogReader::readHeader(output))
        return QStringLiteral("%1 holds an event log; an output never replaces one").arg(shown);
    if (isCompanionName(info))
        return QStringLiteral("%1 is the companion record of a log; an output never replaces one").arg(shown);
    if (holdsPayoffRecord(output))
        return QStringLiteral("%1 holds a payoff file; an output never replaces one").arg(shown);
    return QString();
}

} // namespace

namespace OutputCheck {

std::optional<int> refuse(const QString &command, const QStringList &outputs,
                          const QStringList &logs, const QString &payoffFile)
{
    QStringList inputs = logs;
    if (!payoffFile.isEmpty())
        inputs.append(payoffFile);
    for (qsizetype k = 0; k < outputs.size(); ++k) {
        const QString refused = refusal(outputs[k], inputs, outputs.mid(k + 1));
        if (!refused.isEmpty())
            return CommandLine::usageError(command, refused + QStringLiteral("; nothing written"));
    }
    return std::nullopt;
}

} // namespace OutputCheck
