#include "session/LogPayoffs.h"

#include "session/LabLog.h"
#include "session/LogNames.h"
#include "window/logic/PayoffFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

Finding unread(const QString &why)
{
    return {Finding::Severity::Plain, QString(), 0, why};
}

// Each set of a payoff file read once while the file stays as it was (its size and time
// unchanged).
PayoffFile::SetResult readSetOnce(const QString &file, qint16 set)
{
    struct Entry
    {
        qint64 size = -1;
        QDateTime modified;
        PayoffFile::SetResult result;
    };
    static QHash<QString, Entry> read;
    const QFileInfo info(file);
    const QString key = info.absoluteFilePath() + QLatin1Char('\n') + QString::number(set);
    const auto found = read.constFind(key);
    if (found != read.cend() && info.exists() && found->size == info.size() && found->modified == info.lastModified())
        return found->result;
    Entry entry{info.size(), info.lastModified(), PayoffFile::readSet(file, set)};
    if (info.exists())
        read.insert(key, entry);
    return entry.result;
}

} // namespace

std::optional<Finding> LogPayoffs::load(LabLog *log, const QString &dataFile)
{
    QString file = dataFile;
    if (file.isEmpty()) {
        const QFileInfo info(log->path);
        const QString name = LogNames::dataFileOf(info.absolutePath(), log->fileName, log->set(), log->subject());
        if (name.isEmpty())
            return unread(QStringLiteral("%1: the payoff file cannot be told from the log's name; give it "
                                         "with --data")
                              .arg(log->path));
        file = info.absoluteDir().filePath(name);
    }
    const PayoffFile::SetResult result = readSetOnce(file, log->set());
    if (!result.ok)
        return unread(QStringLiteral("%1: %2").arg(log->path, result.error));
    log->payoffs = result;
    log->payoffPath = file;
    return std::nullopt;
}

std::optional<Finding> LogPayoffs::loadShown(LabLog *log, const QString &dataFile)
{
    if (log->companion)
        return std::nullopt;
    return load(log, dataFile);
}
