#include "session/WildcardArguments.h"

#include <QDir>

namespace WildcardArguments {

namespace {

bool hasWildcard(const QString &part)
{
    return part.contains(QLatin1Char('*')) || part.contains(QLatin1Char('?'));
}

// The paths that the parts from index on match below each of the folders found so far.
QStringList matches(const QStringList &found, const QStringList &parts, qsizetype index)
{
    if (index == parts.size() || found.isEmpty())
        return found;
    const QString &part = parts[index];
    const bool last = index + 1 == parts.size();
    QStringList next;
    for (const QString &base : found) {
        const QString prefix = base.isEmpty() || base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/');
        if (!hasWildcard(part)) {
            if (part.isEmpty() || QFileInfo::exists(prefix + part))
                next.append(prefix + part);
            continue;
        }
        // A wildcard matches no hidden name unless the pattern starts with a dot.
        QDir folder(base.isEmpty() ? QStringLiteral(".") : base);
        QDir::Filters filters = QDir::NoDotAndDotDot | (last ? QDir::AllEntries : QDir::Dirs);
        if (part.startsWith(QLatin1Char('.')))
            filters |= QDir::Hidden;
        folder.setNameFilters({part});
        for (const QString &name : folder.entryList(filters, QDir::Name | QDir::IgnoreCase))
            next.append(prefix + name);
    }
    return matches(next, parts, index + 1);
}

} // namespace

QStringList expand(const QStringList &arguments)
{
    QStringList expanded;
    for (const QString &argument : arguments) {
        if (!hasWildcard(argument) || argument.startsWith(QLatin1Char('-'))) {
            expanded.append(argument);
            continue;
        }
        const QString path = QString(argument).replace(QLatin1Char('\\'), QLatin1Char('/'));
        QStringList parts = path.split(QLatin1Char('/'));
        // "C:/..." and "/..." start at a root, everything else in the working folder.
        QString root;
        if (path.startsWith(QLatin1Char('/')) || (parts.size() > 1 && parts[0].endsWith(QLatin1Char(':')))) {
            root = parts.takeFirst() + QLatin1Char('/');
        }
        const QStringList found = matches({root}, parts, 0);
        if (found.isEmpty()) {
            expanded.append(argument);
            continue;
        }
        for (const QString &match : found)
            expanded.append(QDir::toNativeSeparators(match));
    }
    return expanded;
}

} // namespace WildcardArguments
