#include "window/GoAheadFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr qint64 MostRead = 256; // the number stands at the start; never read far

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

} // namespace

GoAheadFile::Reading GoAheadFile::read(const QString &path)
{
    Reading reading;
    QFile file(path);
    if (!QFileInfo::exists(path)) {
        reading.detail = QStringLiteral("%1 does not exist").arg(QDir::toNativeSeparators(path));
        return reading;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        reading.status = Status::Unreadable;
        reading.detail = QStringLiteral("%1 cannot be opened: %2")
                             .arg(QDir::toNativeSeparators(path), file.errorString());
        return reading;
    }
    const QByteArray head = file.read(MostRead);
    file.close();

    qsizetype start = 0;
    while (start < head.size() && isBlank(head[start]))
        ++start;
    qsizetype end = start;
    while (end < head.size() && !isBlank(head[end]) && head[end] != ',')
        ++end;
    const QByteArray token = head.mid(start, end - start);
    if (token.isEmpty()) {
        reading.status = Status::Empty;
        reading.detail = QStringLiteral("%1 holds no number").arg(QDir::toNativeSeparators(path));
        return reading;
    }
    bool ok = false;
    const int value = token.toInt(&ok, 10);
    if (!ok || value < -32768 || value > 32767 || token.startsWith('+')) {
        reading.status = Status::NotANumber;
        reading.detail = QStringLiteral("%1 starts with \"%2\", which is not a whole number")
                             .arg(QDir::toNativeSeparators(path), QString::fromLatin1(token.left(32)));
        return reading;
    }
    reading.status = Status::Number;
    reading.value = static_cast<qint16>(value);
    return reading;
}

QByteArray GoAheadFile::text(qint16 value)
{
    const QByteArray number = QByteArray::number(value);
    return (value < 0 ? number : QByteArray(" ") + number) + QByteArray(" \r\n");
}

bool GoAheadFile::write(const QString &path, qint16 value, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text(value)) < 0 || !file.commit()) {
        if (error)
            *error = QStringLiteral("%1 could not be written: %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}
