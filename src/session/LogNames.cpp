#include "session/LogNames.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

QString LogNames::keptAsideFrom(const QString &name)
{
    static const QRegularExpression kept(QStringLiteral("^(.+)\\.\\d+$"));
    return kept.match(name).captured(1);
}

QString LogNames::keptAsideIn(const QString &folder, const QString &name)
{
    const QString keptFrom = keptAsideFrom(name);
    return !keptFrom.isEmpty() && QFileInfo(QDir(folder).filePath(keptFrom)).isFile() ? keptFrom : QString();
}

QString LogNames::dataFileOf(const QString &folder, const QString &logName, qint16 set, qint16 subject)
{
    const QString prefix = QLatin1Char('o') + QString::number(set) + QString::number(subject);
    if (!logName.startsWith(prefix) || logName.size() == prefix.size())
        return QString();
    const QString name = logName.mid(prefix.size());
    const QString keptFrom = keptAsideFrom(name);
    const QDir dir(folder);
    if (!keptFrom.isEmpty() && !QFileInfo::exists(dir.filePath(name)) && QFileInfo::exists(dir.filePath(keptFrom)))
        return keptFrom;
    return name;
}
