#include "lab/OutputFile.h"

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

} // namespace OutputFile
