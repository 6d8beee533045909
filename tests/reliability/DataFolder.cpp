#include "DataFolder.h"

#include <QDir>
#include <QFile>

bool DataFolder::prepare(const QString &folder)
{
    const QByteArray payoffs = read(QStringLiteral(DT_SOURCE_DATA "/btinp.01"));
    return !payoffs.isEmpty() && write(QDir(folder).filePath(QStringLiteral("btinp.01")), payoffs)
        && write(QDir(folder).filePath(QStringLiteral("okto.go")), "0\r\n");
}

QByteArray DataFolder::read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool DataFolder::write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}
