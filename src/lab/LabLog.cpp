#include "lab/LabLog.h"

#include "lab/StatusTable.h"

#include <QDir>
#include <QFileInfo>

bool LabLog::load(const QString &path, LabLog *log, QString *error)
{
    log->path = path;
    log->fileName = QFileInfo(path).fileName();
    if (!LogReader::read(path, &log->parsed, error))
        return false;
    if (!log->parsed.header) {
        *error = QStringLiteral("%1: line 1 is not an event log header").arg(path);
        return false;
    }
    log->attempts = LogReader::attempts(log->parsed.records);
    return true;
}

bool LabLog::loadPayoffs(const QString &dataFile, QString *error)
{
    QString file = dataFile;
    if (file.isEmpty()) {
        const QFileInfo info(path);
        const QString name = StatusTable::dataFileOf(info.absolutePath(), fileName, set(), subject());
        if (name.isEmpty()) {
            *error = QStringLiteral("%1: the payoff file cannot be told from the log's name; give it "
                                    "with --data")
                         .arg(path);
            return false;
        }
        file = info.absoluteDir().filePath(name);
    }
    PayoffFile::SetResult result = PayoffFile::readSet(file, set());
    if (!result.ok) {
        *error = QStringLiteral("%1: %2").arg(path, result.error);
        return false;
    }
    payoffs = result;
    return true;
}

std::optional<int> LabLog::payoff(int node) const
{
    if (!payoffs || node < 0 || node >= PayoffFile::PayoffCount)
        return std::nullopt;
    return payoffs->payoffs[std::size_t(node)];
}
