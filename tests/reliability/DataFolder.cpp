#include "DataFolder.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

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

bool DataFolder::isWholeCompanion(const QByteArray &jsonl, int records, QString *why)
{
    if (!jsonl.endsWith('\n')) {
        *why = QStringLiteral("it does not end in a whole line: ") + QString::fromUtf8(jsonl.right(80));
        return false;
    }
    QStringList types;
    int recordLines = 0;
    for (const QByteArray &line : jsonl.left(jsonl.size() - 1).split('\n')) {
        const QJsonDocument object = QJsonDocument::fromJson(line);
        if (!object.isObject()) {
            *why = QStringLiteral("a line is not a JSON object: ") + QString::fromUtf8(line.left(80));
            return false;
        }
        types.append(object.object().value(QStringLiteral("type")).toString());
        recordLines += types.last() == QLatin1String("record") ? 1 : 0;
    }
    if (types.first() != QLatin1String("run") || types.last() != QLatin1String("exit")
        || recordLines != records) {
        *why = QStringLiteral("%1 record lines of %2, lines %3").arg(recordLines).arg(records)
                   .arg(types.join(QLatin1Char(',')));
        return false;
    }
    return true;
}
