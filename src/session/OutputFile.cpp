#include "session/OutputFile.h"

#include <QFile>
#include <QSaveFile>

namespace OutputFile {

bool save(const QString &path, const QByteArray &bytes, QString *why)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (why)
        *why = file.errorString();
    return false;
}

bool saveCopy(const QString &path, const QString &source, QString *why)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        if (why)
            *why = in.errorString();
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (why)
            *why = file.errorString();
        return false;
    }
    while (!in.atEnd()) {
        const QByteArray block = in.read(1 << 20);
        if (block.isEmpty() && in.error() != QFile::NoError) {
            if (why)
                *why = in.errorString();
            file.cancelWriting();
            return false;
        }
        if (file.write(block) != block.size())
            break;
    }
    if (file.commit())
        return true;
    if (why)
        *why = file.errorString();
    return false;
}

} // namespace OutputFile
