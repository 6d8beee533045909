#include "room/logic/RoomFolders.h"

#include "window/logic/GoAheadFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace RoomFolders {

QStringList expand(const QStringList &named)
{
    QStringList folders;
    for (const QString &name : named) {
        const QDir dir(name);
        QStringList stations = dir.entryList({QStringLiteral("ws*")}, QDir::Dirs | QDir::NoDotAndDotDot);
        stations.erase(std::remove_if(stations.begin(), stations.end(),
                                      [&](const QString &station) {
                                          return !QFileInfo(dir.filePath(station + QStringLiteral("/data"))).isDir();
                                      }),
                       stations.end());
        // By number (ws2 before ws10), whatever the locale's collation can do.
        std::sort(stations.begin(), stations.end(), [](const QString &a, const QString &b) {
            const qsizetype x = a.mid(2).toLongLong(), y = b.mid(2).toLongLong();
            return x != y ? x < y : a < b;
        });
        if (!stations.isEmpty() && !QFileInfo::exists(GoAheadFile::in(name))) {
            for (const QString &station : std::as_const(stations))
                folders.append(QDir::cleanPath(dir.filePath(station + QStringLiteral("/data"))));
        } else if (!QFileInfo::exists(GoAheadFile::in(name)) && QFileInfo(dir.filePath(QStringLiteral("data"))).isDir()) {
            folders.append(QDir::cleanPath(dir.filePath(QStringLiteral("data"))));
        } else {
            folders.append(QDir::cleanPath(name));
        }
    }
    folders.removeDuplicates();
    return folders;
}

} // namespace RoomFolders
