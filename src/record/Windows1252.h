#pragma once

#include <QByteArray>
#include <QString>

// The Windows-1252 code page in which the lab's files are written. Characters the
// code page lacks are written as "?".
namespace Windows1252 {

QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);

} // namespace Windows1252
