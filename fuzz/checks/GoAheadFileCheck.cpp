#include "GoAheadFileCheck.h"

#include "window/logic/GoAheadFile.h"

#include <QFile>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// The poll looks at the first 64 KiB only: an item must end within them.
constexpr qsizetype Window = 64 * 1024;

GoAheadFile::Reading plainReading(const QByteArray &data)
{
    GoAheadFile::Reading r;
    qsizetype i = 0;
    while (i < data.size() && isBlank(data[i]))
        ++i;
    qsizetype end = i;
    while (end < data.size() && !isBlank(data[end]) && data[end] != ',')
        ++end;
    const QByteArray item = data.mid(i, end - i);
    if (item.isEmpty() || i >= Window) {
        r.status = GoAheadFile::Status::Empty;
        return r;
    }
    r.status = GoAheadFile::Status::NotANumber;
    if (end > Window)
        return r;
    const bool negative = item.startsWith('-');
    qsizetype k = negative ? 1 : 0;
    if (k == item.size())
        return r;
    for (qsizetype d = k; d < item.size(); ++d) {
        if (item[d] < '0' || item[d] > '9')
            return r;
    }
    while (k < item.size() - 1 && item[k] == '0')
        ++k;
    if (item.size() - k > 5)
        return r;
    int magnitude = 0;
    for (; k < item.size(); ++k)
        magnitude = magnitude * 10 + (item[k] - '0');
    const int value = negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767)
        return r;
    r.status = GoAheadFile::Status::Number;
    r.value = qint16(value);
    return r;
}

bool put(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

} // namespace

QString GoAheadFileCheck::run(const QByteArray &data, const QString &path)
{
    if (!put(path, data))
        return QStringLiteral("cannot prepare %1").arg(path);
    const GoAheadFile::Reading got = GoAheadFile::read(path);
    const GoAheadFile::Reading want = plainReading(data);
    if (got.status != want.status)
        return QStringLiteral("status %1, expected %2 (%3)")
            .arg(int(got.status)).arg(int(want.status)).arg(got.detail);
    if (got.status == GoAheadFile::Status::Number && got.value != want.value)
        return QStringLiteral("value %1, expected %2").arg(got.value).arg(want.value);
    if (got.status != GoAheadFile::Status::Number && got.detail.isEmpty())
        return QStringLiteral("no word for the experimenter about status %1").arg(int(got.status));

    // What the program writes it must read back, whatever else the file held before.
    if (data.size() >= 2) {
        const qint16 value = qint16((uchar(data[0]) << 8) | uchar(data[1]));
        const QByteArray text = GoAheadFile::text(value);
        if (!text.endsWith("\r\n"))
            return QStringLiteral("the text for %1 does not end in CR LF").arg(value);
        if (!put(path, text))
            return QStringLiteral("cannot prepare %1").arg(path);
        const GoAheadFile::Reading back = GoAheadFile::read(path);
        if (back.status != GoAheadFile::Status::Number || back.value != value)
            return QStringLiteral("the program's own text \"%1\" does not read back as %2")
                .arg(QString::fromLatin1(text)).arg(value);
    }
    return {};
}
