#include "record/FollowedFile.h"

#include "record/InputFile.h"

#include <QFile>

#include <algorithm>

namespace {

// Bytes read again before the new ones, to see that what was read still stands there: a
// file saved again over itself (an editor's "save") differs in them.
constexpr qint64 Overlap = 256;

} // namespace

bool FollowedFile::readWhole(const QString &path, qint64 most, const QString &what, Change *change,
                             QString *error)
{
    m_read = false;
    m_before = 0;
    m_bytes.clear();
    QFile file;
    if (!InputFile::open(file, path, error))
        return false;
    const std::optional<FileIdentity::Id> identity = FileIdentity::of(file.handle());
    const QDateTime modified = file.fileTime(QFileDevice::FileModificationTime);
    file.close();
    if (!InputFile::readAll(path, most, what, &m_bytes, error)) {
        m_bytes.clear();
        return false;
    }
    m_identity = identity;
    m_modified = modified;
    m_read = true;
    *change = Change::Whole;
    return true;
}

bool FollowedFile::read(const QString &path, qint64 most, const QString &what, Change *change, QString *error)
{
    if (!m_read || !m_identity)
        return readWhole(path, most, what, change, error);
    QFile file;
    if (!InputFile::open(file, path, error)) {
        m_read = false;
        m_bytes.clear();
        return false;
    }
    const qint64 size = file.size();
    const qint64 before = m_bytes.size();
    if (FileIdentity::of(file.handle()) != m_identity || size < before || size > most) {
        file.close();
        return readWhole(path, most, what, change, error);
    }
    const QDateTime modified = file.fileTime(QFileDevice::FileModificationTime);
    if (size == before && modified == m_modified) {
        m_before = before;
        *change = Change::None;
        return true;
    }
    const qint64 from = before - std::min(before, Overlap);
    if (!file.seek(from)) {
        file.close();
        return readWhole(path, most, what, change, error);
    }
    const QByteArray more = file.read(size - from);
    if (more.size() < before - from || more.left(before - from) != m_bytes.mid(from)) {
        file.close();
        return readWhole(path, most, what, change, error);
    }
    m_bytes.append(more.constData() + (before - from), more.size() - (before - from));
    m_before = before;
    m_modified = modified;
    *change = m_bytes.size() == before ? Change::None : Change::Appended;
    return true;
}
