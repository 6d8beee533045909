#include "session/OutputCheck.h"

#include "record/CompanionReader.h"
#include "record/FileIdentity.h"
#include "record/InputFile.h"
#include "record/LogReader.h"
#include "session/SetAside.h"
#include "window/logic/GoAheadFile.h"
#include "window/logic/PayoffFile.h"
#include "window/logic/PayoffReader.h"

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

// The first line of the file is a companion record's run line, whatever the file's name.
bool holdsCompanionRecord(const QString &path)
{
    QFile file;
    if (!InputFile::open(file, path, nullptr))
        return false;
    const QByteArray start = file.read(4096);
    return start.startsWith("{") && start.left(start.indexOf('\n')).contains("\"decision-tree-companion\"");
}

// Where output would really land: links in its folders and the file itself resolved.
QString realTarget(const QFileInfo &info)
{
    if (info.exists()) {
        const QString resolved = info.canonicalFilePath();
        if (!resolved.isEmpty())
            return resolved;
    }
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : QDir(folder).filePath(info.fileName());
}

// Why a file of the lab's may not be replaced by target; empty when none is there.
QString protectedFile(const QString &target, const QString &shown)
{
    const QFileInfo info(target);
    const QString name = info.fileName();
    if (name.compare(GoAheadFile::FileName, Qt::CaseInsensitive) == 0)
        return QStringLiteral("%1 is a go-ahead file; write the table elsewhere").arg(shown);
    if (SetAside::isDecisionFile(name))
        return QStringLiteral("%1 is the record of a log set aside; an output never replaces one").arg(shown);
    if (name.endsWith(QLatin1String(".unwritten"), Qt::CaseInsensitive))
        return QStringLiteral("%1 is a file of records kept when a log could not be written; an output never "
                              "replaces one").arg(shown);
    if (!info.exists())
        return isCompanionName(info)
            ? QStringLiteral("%1 is the name of the companion record of a log").arg(shown)
            : QString();
    if (!info.isFile())
        return QStringLiteral("%1 is not a regular file").arg(shown);
    if (LogReader::readHeader(target))
        return QStringLiteral("%1 holds an event log; an output never replaces one").arg(shown);
    if (isCompanionName(info) || holdsCompanionRecord(target))
        return QStringLiteral("%1 is the companion record of a log; an output never replaces one").arg(shown);
    if (holdsPayoffRecord(target))
        return QStringLiteral("%1 holds a payoff file; an output never replaces one").arg(shown);
    return QString();
}

// Why an output may not land on target, the audit trail; empty when it is another file.
QString auditTrail(const QString &target, const QString &shown)
{
    if (QFileInfo(target).fileName().compare(OutputCheck::AuditTrailName, Qt::CaseInsensitive) != 0)
        return QString();
    return QStringLiteral("%1 is the room's audit trail; an output never replaces it").arg(shown);
}

// A link, or a file of several names, that a write would go through; empty when neither.
QString linkRefusal(const QFileInfo &info, const QString &shown, const QString &what)
{
    if (info.isSymLink())
        return QStringLiteral("%1 is a link; %2 is written to a file of its own").arg(shown, what);
    if (info.isFile() && FileIdentity::nameCount(info.filePath()) > 1)
        return QStringLiteral("%1 is one of several names of one file (a hard link); %2 is written to a "
                              "file of its own").arg(shown, what);
    return QString();
}

// Why output may not be written; empty when it may. inputs are the files the command
// reads; others are the command's other outputs.
QString refusalOf(const QString &output, const QStringList &inputs, const QStringList &others)
{
    const QFileInfo info(output);
    const QString shown = QDir::toNativeSeparators(output);
    // A link (or a Windows shortcut) would have the table written into whatever it points
    // at; a file of several names (hard links) would change under every other name too.
    if (const QString refused = linkRefusal(info, shown, QStringLiteral("an output")); !refused.isEmpty())
        return refused;
    for (const QString &other : others)
        if (sameFile(output, other))
            return QStringLiteral("%1 is named for two outputs; give each its own file").arg(shown);
    for (const QString &input : inputs)
        if (sameFile(output, input))
            return QStringLiteral("%1 is the input %2; an output never replaces an input")
                .arg(shown, QDir::toNativeSeparators(input));
    if (const QString refused = auditTrail(output, shown); !refused.isEmpty())
        return refused;
    if (const QString refused = protectedFile(output, shown); !refused.isEmpty())
        return refused;
    // Through a linked folder the output may land on a lab's file elsewhere.
    const QString target = realTarget(info);
    if (QDir::cleanPath(target) != QDir::cleanPath(info.absoluteFilePath())) {
        const QString through = shown + QStringLiteral(" (that is, ") + QDir::toNativeSeparators(target) + QLatin1Char(')');
        if (const QString refused = auditTrail(target, through); !refused.isEmpty())
            return refused;
        if (const QString refused = protectedFile(target, through); !refused.isEmpty())
            return refused;
    }
    return QString();
}

} // namespace

namespace OutputCheck {

QString refusal(const QStringList &outputs, const QStringList &logs, const QString &payoffFile)
{
    QStringList inputs = logs;
    if (!payoffFile.isEmpty())
        inputs.append(payoffFile);
    for (qsizetype k = 0; k < outputs.size(); ++k)
        if (const QString refused = refusalOf(outputs[k], inputs, outputs.mid(k + 1)); !refused.isEmpty())
            return refused;
    return QString();
}

QString appendRefusal(const QString &path)
{
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (const QString refused = linkRefusal(info, shown, QStringLiteral("the audit trail")); !refused.isEmpty())
        return refused;
    if (const QString refused = protectedFile(path, shown); !refused.isEmpty())
        return refused;
    const QString target = realTarget(info);
    if (QDir::cleanPath(target) != QDir::cleanPath(info.absoluteFilePath()))
        return protectedFile(target, shown + QStringLiteral(" (that is, ") + QDir::toNativeSeparators(target)
                                         + QLatin1Char(')'));
    return QString();
}

} // namespace OutputCheck
