#pragma once

#include <QByteArray>
#include <QString>

// A file a treelab command writes: through a temporary file beside it that is renamed
// into place (QSaveFile), so an interrupted command leaves the old file whole.
namespace OutputFile {

// Writes bytes to path, replacing the file. False, with *why set to what went wrong, on
// failure; the old file is then left as it was.
bool save(const QString &path, const QByteArray &bytes, QString *why);

// Copies the file source to path in the same way, a block at a time, so that a file of
// any size is put in place without being held in memory.
bool saveCopy(const QString &path, const QString &source, QString *why);

} // namespace OutputFile
