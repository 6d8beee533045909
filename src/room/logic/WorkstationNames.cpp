#include "room/logic/WorkstationNames.h"

#include <QDir>

#include <algorithm>

namespace {

const QString DataFolder = QStringLiteral("data");

QStringList partsOf(const QString &folder)
{
    return QDir::fromNativeSeparators(folder).split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

// The number of parts every path has in common, from the start (or, with fromEnd, the end).
qsizetype common(const QList<QStringList> &paths, bool fromEnd)
{
    qsizetype shortest = paths.first().size();
    for (const QStringList &parts : paths)
        shortest = std::min(shortest, parts.size());
    qsizetype k = 0;
    for (; k < shortest; ++k) {
        const auto at = [&](const QStringList &parts) { return fromEnd ? parts[parts.size() - 1 - k] : parts[k]; };
        const QString &first = at(paths.first());
        if (!std::all_of(paths.begin(), paths.end(), [&](const QStringList &parts) { return at(parts) == first; }))
            break;
    }
    return k;
}

// A folder alone: its last part, or the one before a last "data".
QString alone(const QStringList &parts, const QString &folder)
{
    if (parts.isEmpty())
        return folder;
    if (parts.size() > 1 && parts.last().compare(DataFolder, Qt::CaseInsensitive) == 0)
        return parts[parts.size() - 2];
    return parts.last();
}

} // namespace

QStringList WorkstationNames::of(const QStringList &folders)
{
    QList<QStringList> paths;
    for (const QString &folder : folders)
        paths.append(partsOf(folder));
    QStringList names;
    if (paths.isEmpty())
        return names;
    const qsizetype front = common(paths, false);
    const qsizetype back = common(paths, true);
    for (qsizetype k = 0; k < paths.size(); ++k) {
        const QStringList &parts = paths[k];
        // Where one path holds another (a and a/b), the common parts overlap: keep it whole.
        const qsizetype length = parts.size() - front - back;
        const QString name = length > 0 ? parts.mid(front, length).join(QLatin1Char('/')) : QString();
        names.append(name.isEmpty() ? alone(parts, folders[k]) : name);
    }
    return names;
}
