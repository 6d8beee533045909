#include "window/logic/GoAheadFile.h"

#include "record/DurableFile.h"
#include "record/InputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The number stands at the start, perhaps after blank lines; never read further.
constexpr qint64 MostRead = 64 * 1024;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

} // namespace

QString GoAheadFile::in(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(FileName);
}

GoAheadFile::Reading GoAheadFile::read(const QString &path)
{
    Reading reading;
    QFile file;
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
        reading.detail = QStringLiteral("%1 does not exist").arg(QDir::toNativeSeparators(path));
        return reading;
    }
    // Only a regular file: a FIFO would hang the poll in the open.
    if (!InputFile::open(file, path, &reading.detail)) {
        reading.status = Status::Unreadable;
        return reading;
    }
    // One byte more than is looked at: it tells whether an item ends at the limit.
    const QByteArray head = file.read(MostRead + 1);
    file.close();

    qsizetype start = 0;
    while (start < head.size() && start < MostRead && isBlank(head[start]))
        ++start;
    qsizetype end = start;
    while (end < head.size() && !isBlank(head[end]) && head[end] != ',')
        ++end;
    const QByteArray token = head.mid(start, end - start);
    if (start >= MostRead || end > MostRead) {
        reading.status = start >= MostRead ? Status::Empty : Status::NotANumber;
        reading.detail = QStringLiteral("%1 holds no whole number within its first %2 bytes")
                             .arg(QDir::toNativeSeparators(path)).arg(MostRead);
        return reading;
    }
    if (token.isEmpty()) {
        reading.status = Status::Empty;
        reading.detail = QStringLiteral("%1 holds no number").arg(QDir::toNativeSeparators(path));
        return reading;
    }
    // Only a minus and digits: a byte such as NUL, which a torn write leaves behind,
    // must not end the number early.
    const qsizetype first = token.startsWith('-') ? 1 : 0;
    bool digits = token.size() > first;
    for (qsizetype i = first; i < token.size() && digits; ++i)
        digits = token[i] >= '0' && token[i] <= '9';
    bool ok = false;
    const int value = digits ? token.toInt(&ok, 10) : 0;
    if (!digits || !ok || value < -32768 || value > 32767) {
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
    // DurableFile::replace: a reader sees the old file or the new one, never half of
    // one, and a power cut right after leaves one of them whole.
    QString why;
    if (DurableFile::replace(path, text(value), &why))
        return true;
    if (error)
        *error = QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), why);
    return false;
}
