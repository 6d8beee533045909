#include "lab/OutputFile.h"

#include <QDir>
#include <QSaveFile>

namespace OutputFile {

bool save(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
}

} // namespace OutputFile
