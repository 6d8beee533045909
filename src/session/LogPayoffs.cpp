#include "session/LogPayoffs.h"

#include "session/LabLog.h"
#include "session/LogNames.h"
#include "window/logic/PayoffFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

Finding unread(const QString &why)
{
    return {Finding::Severity::Plain, QString(), 0, why};
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
    const PayoffFile::SetResult result = PayoffFile::readSet(file, log->set());
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
