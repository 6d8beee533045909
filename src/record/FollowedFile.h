#pragma once

#include "record/FileIdentity.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

class QFile;

#include <optional>

// A file read as it grows, as a log is while its program runs: the bytes read so far are
// kept, and each read() reads only what was appended since. The whole file is read again
// when it was replaced (another file under the name), cut shorter, or written over where
// it had already been read (its last bytes read differ now).
class FollowedFile
{
public:
    enum class Change {
        None,     // as it was: nothing read
        Appended, // bytes added at the end, read alone
        Whole,    // read whole (the first time, or the file is not the one read before)
    };

    // Reads path on, the whole of it at most `most` bytes long; what names the file for a
    // message ("an event log"). False, with *error set, when it cannot be read; the bytes
    // are dropped then.
    bool read(const QString &path, qint64 most, const QString &what, Change *change, QString *error);

    const QByteArray &bytes() const { return m_bytes; }

private:
    // Appends what file holds after the bytes read (size in all), when the last of those
    // still stand there; false when they do not, or the file cannot be read.
    bool readOn(QFile &file, qint64 size);

    QByteArray m_bytes;
    std::optional<FileIdentity::Id> m_identity; // of the file read; none before a reading
    QDateTime m_modified;
};
