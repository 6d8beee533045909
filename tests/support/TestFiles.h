#pragma once

#include <QByteArray>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>

// Whole files, for tests that write what a program reads and read back what it wrote.
namespace TestFiles {

// The file's bytes; a file that cannot be read gives a text no expectation matches.
inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<cannot be read>");
    return file.readAll();
}

// Writes the file whole, replacing what was there; false when that fails.
inline bool putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The objects of a file of JSON lines (the record for analysis), in order.
inline QList<QJsonObject> jsonObjects(const QByteArray &jsonl)
{
    QList<QJsonObject> result;
    for (const QByteArray &line : jsonl.split('\n')) {
        if (!line.isEmpty())
            result.append(QJsonDocument::fromJson(line).object());
    }
    return result;
}

} // namespace TestFiles
